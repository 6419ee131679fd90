#pragma once
// An HTTP client for tests: answers from a table of routes instead of the
// network. Requests wait until RunPending, as they would wait for the event
// loop; downloads write real files through PartialFile.
#include <map>
#include <string>
#include <vector>

#include "platform/http_client.h"

namespace orvane::platform {

class FakeHttpClient : public HttpClient {
public:
    // What one address answers. An address without a route answers
    // "Connection refused".
    struct Route {
        int status = 200;
        std::string body;
        std::string reason = "OK";
        bool silent = false;     // never answers: the request times out
        bool cutShort = false;   // the connection drops after half the body
    };

    void SetRoute(const std::string& url, Route route) { m_routes[url] = std::move(route); }
    void SetBody(const std::string& url, const std::string& body) { m_routes[url] = Route{200, body}; }

    RequestId Get(const std::string& url, int timeoutMs, GetCallback done) override;
    RequestId Download(const std::string& url, const std::string& path, int idleTimeoutMs,
                       DownloadCallback done) override;
    void Cancel(RequestId id) override;

    // Answers every waiting request (also those started by the callbacks).
    void RunPending();
    size_t pending() const { return m_pending.size(); }

    // Every address asked for, in order, with its time-out.
    struct Asked {
        std::string url;
        int timeoutMs;
    };
    const std::vector<Asked>& asked() const { return m_asked; }

private:
    struct Pending {
        std::string url;
        int timeoutMs = 0;
        std::string path;  // downloads only
        GetCallback get;
        DownloadCallback download;
    };
    void Answer(Pending& p);

    std::map<std::string, Route> m_routes;
    std::map<RequestId, Pending> m_pending;
    std::vector<Asked> m_asked;
    RequestId m_next = 1;
};

}  // namespace orvane::platform
