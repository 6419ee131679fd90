#include "platform/fake_http_client.h"

#include "platform/partial_file.h"

namespace orvane::platform {

HttpClient::RequestId FakeHttpClient::Get(const std::string& url, int timeoutMs, GetCallback done) {
    m_asked.push_back({url, timeoutMs});
    RequestId id = m_next++;
    m_pending[id] = Pending{url, timeoutMs, {}, std::move(done), {}};
    return id;
}

HttpClient::RequestId FakeHttpClient::Download(const std::string& url, const std::string& path,
                                               int idleTimeoutMs, DownloadCallback done) {
    m_asked.push_back({url, idleTimeoutMs});
    RequestId id = m_next++;
    m_pending[id] = Pending{url, idleTimeoutMs, path, {}, std::move(done)};
    return id;
}

void FakeHttpClient::Cancel(RequestId id) { m_pending.erase(id); }

void FakeHttpClient::RunPending() {
    while (!m_pending.empty()) {
        auto it = m_pending.begin();
        Pending p = std::move(it->second);
        m_pending.erase(it);
        Answer(p);
    }
}

void FakeHttpClient::Answer(Pending& p) {
    auto route = m_routes.find(p.url);
    std::string error;
    int status = 0;
    std::string body;
    if (route == m_routes.end()) {
        error = "Connection refused";
    } else if (route->second.silent) {
        error = HttpTimeoutText(p.timeoutMs);
    } else {
        status = route->second.status;
        body = route->second.body;
        if (route->second.cutShort) {
            body.resize(body.size() / 2);
            error = "Remote host closed the connection";
        } else if (status < 200 || status > 299) {
            error = HttpStatusText(status, route->second.reason);
        } else if (p.get && body.size() > kMaxTextBytes) {
            error = "The answer is larger than " + std::to_string(kMaxTextBytes) + " bytes";
        }
    }
    if (p.get) {
        p.get(HttpResponse{status, body, error});
        return;
    }
    DownloadResult result{status, {}, error};
    if (error.empty()) {
        PartialFile file;
        if (file.Open(p.path, error) && file.Write(body, error) && file.Commit(error))
            result.path = p.path;
        result.error = error;
    }
    p.download(result);
}

}  // namespace orvane::platform
