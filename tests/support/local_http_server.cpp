#include "tests/support/local_http_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace orvane::test {

namespace {

// A socket listening on 127.0.0.1 at a free port; -1 on failure.
int ListenOnLoopback(int& port) {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 64) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        ::close(fd);
        return -1;
    }
    port = ntohs(addr.sin_port);
    return fd;
}

}  // namespace

// One connection: it reads a request head, then sends its answer, then
// waits for the client to close (reading and dropping whatever comes).
struct LocalHttpServer::Client {
    enum class Phase { Reading, Writing, Waiting };
    int fd = -1;
    Phase phase = Phase::Reading;
    std::string in;
    std::string out;
    size_t sent = 0;
};

LocalHttpServer::Reply LocalHttpServer::Silent() {
    Reply r;
    r.silent = true;
    return r;
}

LocalHttpServer::Reply LocalHttpServer::Bytes(std::string body, bool cutShort) {
    Reply r;
    r.contentType = "application/octet-stream";
    r.body = std::move(body);
    r.cutShort = cutShort;
    return r;
}

LocalHttpServer::Reply LocalHttpServer::Page(std::string html) {
    Reply r;
    r.contentType = "text/html; charset=utf-8";
    r.body = std::move(html);
    return r;
}

LocalHttpServer::LocalHttpServer(Mode mode) : m_mode(mode) {
    m_listen = ListenOnLoopback(m_port);
    if (m_listen < 0 || ::pipe2(m_stop, O_CLOEXEC) != 0) {
        m_port = 0;
        return;
    }
    m_thread = std::thread([this] { Run(); });
}

LocalHttpServer::LocalHttpServer(const std::map<std::string, std::string>& pages, Mode mode)
    : LocalHttpServer(mode) {
    for (const auto& [path, html] : pages) Route(path, Page(html));
}

LocalHttpServer::~LocalHttpServer() {
    if (m_thread.joinable()) {
        char c = 0;
        (void)!::write(m_stop[1], &c, 1);
        m_thread.join();
    }
    for (int fd : {m_listen, m_stop[0], m_stop[1]})
        if (fd >= 0) ::close(fd);
}

std::string LocalHttpServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

void LocalHttpServer::Route(const std::string& path, Reply reply) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_routes[path] = std::move(reply);
}

void LocalHttpServer::Json(const std::string& path, const std::string& body) {
    Route(path, Reply{200, "OK", "application/json", body});
}

std::vector<std::string> LocalHttpServer::Requests() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

std::string LocalHttpServer::Answer(const std::string& head) {
    // "GET /path HTTP/1.1"
    const size_t sp1 = head.find(' ');
    const size_t sp2 = sp1 == std::string::npos ? sp1 : head.find(' ', sp1 + 1);
    const std::string path = sp2 == std::string::npos ? std::string("/") : head.substr(sp1 + 1, sp2 - sp1 - 1);
    Reply reply{404, "Not Found", "text/plain; charset=utf-8", "not here"};
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_requests.push_back(path);
        if (auto it = m_routes.find(path); it != m_routes.end()) reply = it->second;
    }
    if (m_mode == Mode::Silent || reply.silent) return {};
    const std::string body = reply.cutShort ? reply.body.substr(0, reply.body.size() / 2) : reply.body;
    return "HTTP/1.1 " + std::to_string(reply.status) + " " + reply.reason + "\r\n" +
           "Content-Type: " + reply.contentType + "\r\n" + "Cache-Control: no-store\r\n" +
           "Content-Length: " + std::to_string(reply.body.size()) + "\r\n" + "Connection: close\r\n\r\n" +
           body;
}

void LocalHttpServer::Run() {
    using Phase = Client::Phase;
    std::vector<Client> clients;
    for (;;) {
        std::vector<pollfd> fds{{m_stop[0], POLLIN, 0}, {m_listen, POLLIN, 0}};
        for (const Client& c : clients)
            fds.push_back({c.fd, short(c.phase == Phase::Writing ? POLLOUT : POLLIN), 0});
        if (::poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (fds[0].revents) break;
        for (size_t i = 0; i < clients.size(); ++i) {
            Client& c = clients[i];
            const short revents = fds[2 + i].revents;
            if (!revents) continue;
            bool close = false;
            if (c.phase == Phase::Writing) {
                const ssize_t n = ::send(c.fd, c.out.data() + c.sent, c.out.size() - c.sent, MSG_NOSIGNAL);
                if (n > 0) c.sent += size_t(n);
                if (n < 0 && errno != EAGAIN && errno != EINTR) close = true;
                if (!close && c.sent == c.out.size()) {
                    // The answer ends the connection from this side; the
                    // client closes its side once it has read everything.
                    ::shutdown(c.fd, SHUT_WR);
                    c.phase = Phase::Waiting;
                    c.out.clear();
                }
            } else {
                char buf[4096];
                const ssize_t n = ::recv(c.fd, buf, sizeof buf, 0);
                if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) close = true;
                if (n > 0 && c.phase == Phase::Reading) {
                    c.in.append(buf, size_t(n));
                    if (c.in.find("\r\n\r\n") != std::string::npos) {
                        c.out = Answer(c.in);
                        c.in.clear();
                        // A silent reply keeps the connection open, unanswered.
                        c.phase = c.out.empty() ? Phase::Waiting : Phase::Writing;
                    }
                }
            }
            if (close) {
                ::close(c.fd);
                c.fd = -1;
            }
        }
        std::erase_if(clients, [](const Client& c) { return c.fd < 0; });
        if (fds[1].revents & POLLIN) {
            const int fd = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
            if (fd >= 0) clients.push_back({fd, Phase::Reading, {}, {}, 0});
        }
    }
    for (const Client& c : clients) ::close(c.fd);
}

int ClosedPort() {
    int port = 0;
    const int fd = ListenOnLoopback(port);
    if (fd >= 0) ::close(fd);
    return port;
}

}  // namespace orvane::test
