#pragma once
// HttpClient on Qt Network (QNetworkAccessManager). Needs a QCoreApplication
// and is used from its thread; answers arrive through its event loop.
#include <memory>

#include "platform/http_client.h"

class QNetworkAccessManager;

namespace orvane::platform {

class QtHttpClient : public HttpClient {
public:
    QtHttpClient();
    // Aborts what is still running: no callback runs afterwards, temporary
    // download files are removed.
    ~QtHttpClient() override;
    QtHttpClient(const QtHttpClient&) = delete;
    QtHttpClient& operator=(const QtHttpClient&) = delete;

    RequestId Get(const std::string& url, int timeoutMs, GetCallback done) override;
    RequestId Download(const std::string& url, const std::string& path, int idleTimeoutMs,
                       DownloadCallback done) override;
    void Cancel(RequestId id) override;

    struct State;

private:
    RequestId Start(const std::string& url, int timeoutMs, GetCallback get, const std::string& path,
                    DownloadCallback download);

    std::unique_ptr<QNetworkAccessManager> m_manager;
    std::shared_ptr<State> m_state;
};

}  // namespace orvane::platform
