#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for tests, on a free port of its own
// and a thread of its own, so it serves child processes (orvane-tool, the web
// engine) as well as clients in the test's own event loop. Without Qt.
//
// Each path has a reply: status, reason, content type and body, or silent
// (the request is read and never answered), or cut short (the whole body is
// announced, half of it sent, then the connection closes). A path without a
// route gets 404 "not here". Every reply closes its connection. The paths
// asked for are recorded in order, as sent (percent escapes kept).
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orvane::test {

class LocalHttpServer {
public:
    struct Reply {
        int status = 200;
        std::string reason = "OK";
        std::string contentType = "application/json";
        std::string body;
        bool silent = false;    // read the request, never answer
        bool cutShort = false;  // announce the whole body, send half, close
    };
    // Accept and read every request, answer none.
    static Reply Silent();
    // A 200 answer with `body` as bytes; `cutShort` drops the connection
    // halfway through it.
    static Reply Bytes(std::string body, bool cutShort = false);
    // A 200 answer with `html` as an HTML page in UTF-8.
    static Reply Page(std::string html);

    // Serve mode: the routes answer; Silent mode: no request is ever answered.
    enum class Mode { Serve, Silent };

    // Listens at once, with no routes (add them with Route); Port() is 0 when
    // the socket could not be set up.
    explicit LocalHttpServer(Mode mode = Mode::Serve);
    // Listens at once and serves `pages` (path -> HTML page in UTF-8).
    explicit LocalHttpServer(const std::map<std::string, std::string>& pages, Mode mode = Mode::Serve);
    // Stops the thread and closes every connection still open.
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    int Port() const { return m_port; }
    // "http://127.0.0.1:<port>" + path.
    std::string Url(const std::string& path) const;
    // "http://127.0.0.1:<port>/"
    std::string Base() const { return Url("/"); }

    // Sets (or replaces) the reply for `path`; may be called while clients
    // are served.
    void Route(const std::string& path, Reply reply);
    // A 200 answer with `body` as JSON.
    void Json(const std::string& path, const std::string& body);
    // The paths asked for so far, in order.
    std::vector<std::string> Requests() const;

private:
    struct Client;
    void Run();
    // The bytes to send for a request head, recording its path; empty for
    // a silent reply.
    std::string Answer(const std::string& head);

    Mode m_mode;
    int m_listen = -1;
    int m_stop[2] = {-1, -1};
    int m_port = 0;
    std::thread m_thread;
    mutable std::mutex m_mutex;  // guards the routes and the requests
    std::map<std::string, Reply> m_routes;
    std::vector<std::string> m_requests;
};

// A port of 127.0.0.1 on which nothing listens (it was free a moment ago).
int ClosedPort();

}  // namespace orvane::test
