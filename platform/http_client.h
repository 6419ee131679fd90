#pragma once
// Asynchronous HTTP GET: fetch a document as text, or download a resource to
// a file that appears only when it is complete. Implemented on Qt Network for
// the programs (platform/qt/qt_http_client.h) and by FakeHttpClient in tests.
//
// Callbacks run later on the caller's thread (from its event loop), never
// inside Get or Download, exactly once per request unless the request is
// cancelled or the client destroyed first; then they never run.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace orvane::platform {

// The answer to Get.
struct HttpResponse {
    int status = 0;     // the HTTP status code; 0 when no response arrived
    std::string body;   // the body as UTF-8 text (see Get)
    std::string error;  // empty on success (a 2xx answer within the limits); else why not
    bool ok() const { return error.empty(); }
};

// The answer to Download.
struct DownloadResult {
    int status = 0;     // the HTTP status code; 0 when no response arrived
    std::string path;   // the completed file; empty unless ok()
    std::string error;  // empty on success; else why not
    bool ok() const { return error.empty(); }
};

// The error text of a request that got no (complete) answer in time:
// "No answer within 10 s", "No answer within 250 ms".
std::string HttpTimeoutText(int timeoutMs);

// The error text of a non-2xx answer: "HTTP 404 Not Found" ("HTTP 599" when
// no reason is given).
std::string HttpStatusText(int status, const std::string& reason);

class HttpClient {
public:
    using RequestId = uint64_t;
    using GetCallback = std::function<void(const HttpResponse&)>;
    using DownloadCallback = std::function<void(const DownloadResult&)>;

    // The largest body Get accepts; a longer one is an error.
    static constexpr size_t kMaxTextBytes = 4u << 20;

    virtual ~HttpClient() = default;

    // GETs `url` (http or https, redirects followed) and calls `done` with the
    // body decoded from the character set the response declares (bytes as they
    // came when it declares none or one the client does not know). Fails with
    // an error text on no connection, a non-2xx status (the body is still
    // given), no complete answer within `timeoutMs`, or a body beyond
    // kMaxTextBytes.
    virtual RequestId Get(const std::string& url, int timeoutMs, GetCallback done) = 0;

    // GETs `url` into the file `path`: the bytes go to a temporary file in the
    // folder of `path`, renamed to `path` only when the whole body of a 2xx
    // answer has arrived and been written. On any failure (no connection, a
    // non-2xx status, no data for `idleTimeoutMs`, a write error) the
    // temporary file is removed and `path` is untouched.
    virtual RequestId Download(const std::string& url, const std::string& path, int idleTimeoutMs,
                               DownloadCallback done) = 0;

    // Stops a request: its callback never runs, a download's temporary file is
    // removed. Unknown or finished ids are ignored.
    virtual void Cancel(RequestId id) = 0;
};

}  // namespace orvane::platform
