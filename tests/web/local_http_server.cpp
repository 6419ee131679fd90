#include "tests/web/local_http_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace orvane::test {

namespace {

void WriteAll(int fd, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::send(fd, data.data() + done, data.size() - done, MSG_NOSIGNAL);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) {
            pollfd p{fd, POLLOUT, 0};
            ::poll(&p, 1, 1000);
            continue;
        }
        if (n <= 0) return;
        done += size_t(n);
    }
}

}  // namespace

LocalHttpServer::LocalHttpServer(std::map<std::string, std::string> pages, Mode mode)
    : m_pages(std::move(pages)), m_mode(mode) {
    m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (m_listen < 0 || ::bind(m_listen, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(m_listen, 16) != 0 ||
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&addr), &len) != 0 ||
        ::pipe2(m_stop, O_CLOEXEC) != 0)
        return;
    m_port = ntohs(addr.sin_port);
    // A silent server leaves every connection in the listen queue: the
    // client's connect succeeds and its request is never read.
    if (m_mode == Mode::Serve) m_thread = std::thread([this] { Run(); });
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

std::vector<std::string> LocalHttpServer::Requests() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

std::string LocalHttpServer::Answer(const std::string& request) {
    // "GET /path HTTP/1.1"
    size_t sp1 = request.find(' ');
    size_t sp2 = request.find(' ', sp1 + 1);
    std::string path = sp1 == std::string::npos || sp2 == std::string::npos
                           ? std::string()
                           : request.substr(sp1 + 1, sp2 - sp1 - 1);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_requests.push_back(path);
    }
    auto it = m_pages.find(path);
    const bool found = it != m_pages.end();
    const std::string body = found ? it->second : "not here";
    return std::string(found ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n") +
           "Content-Type: text/html; charset=utf-8\r\nCache-Control: no-store\r\n"
           "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

void LocalHttpServer::Run() {
    struct Client {
        int fd;
        std::string in;
    };
    std::vector<Client> clients;
    for (;;) {
        std::vector<pollfd> fds{{m_stop[0], POLLIN, 0}, {m_listen, POLLIN, 0}};
        for (const Client& c : clients) fds.push_back({c.fd, POLLIN, 0});
        if (::poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (fds[0].revents) break;
        // Clients that sent a whole request head get their answer; closed
        // ones go. Preconnected sockets that send nothing simply wait.
        for (size_t i = 0; i < clients.size(); ++i) {
            pollfd& p = fds[2 + i];
            if (!p.revents) continue;
            Client& c = clients[i];
            char buf[4096];
            ssize_t n = ::recv(c.fd, buf, sizeof buf, 0);
            bool done = n <= 0 && !(n < 0 && (errno == EAGAIN || errno == EINTR));
            if (n > 0) c.in.append(buf, size_t(n));
            if (!done && c.in.find("\r\n\r\n") != std::string::npos) {
                WriteAll(c.fd, Answer(c.in));
                done = true;
            }
            if (done) {
                ::close(c.fd);
                c.fd = -1;
            }
        }
        std::erase_if(clients, [](const Client& c) { return c.fd < 0; });
        if (fds[1].revents & POLLIN) {
            int fd = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
            if (fd >= 0) clients.push_back({fd, {}});
        }
    }
    for (const Client& c : clients) ::close(c.fd);
}

}  // namespace orvane::test
