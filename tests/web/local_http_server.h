#pragma once
// A small HTTP server on 127.0.0.1 for the web engine tests, on a port of its
// own, running on a thread of the test until it is destroyed. It serves
// fixture pages from a map (200 with the page as UTF-8 HTML, 404 for
// anything else), or, silent, accepts connections and never answers.
#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orvane::test {

class LocalHttpServer {
public:
    enum class Mode { Serve, Silent };
    // Listens at once; Port() is 0 when the socket could not be set up.
    explicit LocalHttpServer(std::map<std::string, std::string> pages, Mode mode = Mode::Serve);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    int Port() const { return m_port; }
    // "http://127.0.0.1:<port>" + path.
    std::string Url(const std::string& path) const;
    // The paths asked for so far, in order.
    std::vector<std::string> Requests() const;

private:
    void Run();
    std::string Answer(const std::string& request);

    std::map<std::string, std::string> m_pages;
    Mode m_mode;
    int m_listen = -1;
    int m_stop[2] = {-1, -1};
    int m_port = 0;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::vector<std::string> m_requests;
};

}  // namespace orvane::test
