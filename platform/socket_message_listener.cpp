#include "platform/socket_message_listener.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/timerfd.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/runtime_dir.h"
#include "platform/socket_message_wire.h"

namespace orvane::platform {
namespace {

using wire::Fd;
using wire::FillAddress;

using Clock = std::chrono::steady_clock;

bool Watch(int epoll, int fd, int op) {
    epoll_event ev{};
    ev.events = EPOLLIN;
    ev.data.fd = fd;
    return epoll_ctl(epoll, op, fd, &ev) == 0;
}


// True when a process accepts connections on `path` now.
bool SomebodyListens(const sockaddr_un& addr) {
    Fd probe(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (probe.get() < 0) return false;
    return connect(probe.get(), reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0;
}

}  // namespace

std::string SocketMessageListener::SocketPath(const std::string& runtime_dir,
                                              WindowHandle handle) {
    const std::string dir = runtime_dir.empty() ? DefaultRuntimeDir() : runtime_dir;
    return dir + "/kor-window-" + std::to_string(handle) + ".sock";
}

std::unique_ptr<SocketMessageListener> SocketMessageListener::Create(
    const std::string& runtime_dir, WindowHandle handle, MessageHandler handler,
    std::string* error) {
    auto fail = [&](const std::string& why) -> std::unique_ptr<SocketMessageListener> {
        if (error) *error = why;
        return nullptr;
    };
    if (handle <= 0) return fail("invalid window handle");
    if (!handler) return fail("no message handler");
    const std::string dir = runtime_dir.empty() ? DefaultRuntimeDir() : runtime_dir;
    std::string why;
    if (!EnsureRuntimeDir(dir, &why)) return fail(why);

    std::unique_ptr<SocketMessageListener> l(new SocketMessageListener);
    l->m_handle = handle;
    l->m_handler = std::move(handler);
    l->m_path = SocketPath(dir, handle);
    sockaddr_un addr;
    if (!FillAddress(l->m_path, addr)) return fail(l->m_path + ": path too long for a socket");

    l->m_fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (l->m_fd < 0) return fail(std::string("socket: ") + std::strerror(errno));
    if (bind(l->m_fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        if (errno != EADDRINUSE) return fail(std::string("bind: ") + std::strerror(errno));
        if (SomebodyListens(addr)) return fail(l->m_path + ": another window listens there");
        // Left behind by a process that ended without cleaning up.
        unlink(l->m_path.c_str());
        if (bind(l->m_fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0)
            return fail(std::string("bind: ") + std::strerror(errno));
    }
    struct stat st {};
    if (lstat(l->m_path.c_str(), &st) == 0) l->m_inode = st.st_ino;
    if (listen(l->m_fd, 16) != 0) return fail(std::string("listen: ") + std::strerror(errno));
    if (pipe2(l->m_wake, O_CLOEXEC | O_NONBLOCK) != 0)
        return fail(std::string("pipe: ") + std::strerror(errno));
    l->m_epoll = epoll_create1(EPOLL_CLOEXEC);
    if (l->m_epoll < 0) return fail(std::string("epoll: ") + std::strerror(errno));
    l->m_timer = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK);
    if (l->m_timer < 0) return fail(std::string("timerfd: ") + std::strerror(errno));
    if (!Watch(l->m_epoll, l->m_timer, EPOLL_CTL_ADD) || !Watch(l->m_epoll, l->m_fd, EPOLL_CTL_ADD))
        return fail(std::string("epoll: ") + std::strerror(errno));
    l->m_listening = true;
    return l;
}

SocketMessageListener::~SocketMessageListener() {
    for (Sender& s : m_senders) close(s.fd);
    if (m_fd >= 0) {
        close(m_fd);
        // Remove the socket file only if it is still ours.
        struct stat st {};
        if (!m_path.empty() && lstat(m_path.c_str(), &st) == 0 && st.st_ino == m_inode)
            unlink(m_path.c_str());
    }
    for (int fd : {m_epoll, m_timer, m_wake[0], m_wake[1]})
        if (fd >= 0) close(fd);
}

void SocketMessageListener::AcceptSenders() {
    if (m_acceptAgainAt > Clock::now()) return;
    while (m_senders.size() < kMaxSenders) {
        const int conn = accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (conn < 0) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            // Out of descriptors or memory: the senders wait in the backlog,
            // and the next try comes a little later instead of at once.
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                m_acceptAgainAt = Clock::now() + std::chrono::milliseconds(100);
            return;  // EAGAIN: nobody else waits
        }
        ucred cred{};
        socklen_t len = sizeof cred;
        if (getsockopt(conn, SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0 || cred.uid != geteuid() ||
            !Watch(m_epoll, conn, EPOLL_CTL_ADD)) {
            close(conn);
            continue;
        }
        Sender s;
        s.fd = conn;
        s.deadline = Clock::now() + kRequestTimeout;
        m_senders.push_back(s);
    }
}

bool SocketMessageListener::ReadFrom(Sender& s) {
    while (!s.complete()) {
        const ssize_t n = recv(s.fd, s.request + s.received, sizeof s.request - s.received, 0);
        if (n > 0) {
            s.received += size_t(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);  // else gone or failed
    }
    // Complete: no more watching; its sender waits for the answer.
    epoll_ctl(m_epoll, EPOLL_CTL_DEL, s.fd, nullptr);
    return true;
}

void SocketMessageListener::Drop(std::list<Sender>::iterator it) {
    close(it->fd);  // also takes it out of the epoll set
    m_senders.erase(it);
}

void SocketMessageListener::UpdateWatches() {
    // The earliest deadline of a sender still sending arms the timer, and so
    // does the next try after a failed accept.
    const bool acceptWaits = m_acceptAgainAt > Clock::now();
    bool any = acceptWaits;
    Clock::time_point first = m_acceptAgainAt;
    for (const Sender& s : m_senders)
        if (!s.complete() && (!any || s.deadline < first)) first = s.deadline, any = true;
    itimerspec when{};
    if (any) {
        auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(first - Clock::now()).count();
        if (left < 1) left = 1;  // 0 would disarm
        when.it_value.tv_sec = time_t(left / 1000000000);
        when.it_value.tv_nsec = long(left % 1000000000);
    }
    timerfd_settime(m_timer, 0, &when, nullptr);
    // With the table of senders full, new ones wait in the backlog.
    const bool room = m_senders.size() < kMaxSenders && !acceptWaits;
    if (room == m_listening) return;
    const bool changed = room ? Watch(m_epoll, m_fd, EPOLL_CTL_ADD)
                              : epoll_ctl(m_epoll, EPOLL_CTL_DEL, m_fd, nullptr) == 0;
    if (changed) m_listening = room;
}

void SocketMessageListener::Collect() {
    uint64_t expirations;
    while (read(m_timer, &expirations, sizeof expirations) > 0) {
    }
    AcceptSenders();
    const Clock::time_point now = Clock::now();
    for (auto it = m_senders.begin(); it != m_senders.end();) {
        auto next = std::next(it);
        if (!it->complete() && (!ReadFrom(*it) || (!it->complete() && now >= it->deadline))) Drop(it);
        it = next;
    }
    // Senders dropped just now may have made room for more.
    AcceptSenders();
    for (Sender& s : m_senders)
        if (!s.complete()) ReadFrom(s);
    UpdateWatches();
}

bool SocketMessageListener::HandleFirstComplete() {
    auto it = m_senders.begin();
    while (it != m_senders.end() && !it->complete()) ++it;
    if (it == m_senders.end()) return false;
    unsigned char request[wire::kRequestSize];
    static_assert(sizeof request == sizeof it->request);
    std::memcpy(request, it->request, sizeof request);
    // The sender leaves the table now; it is answered (and released) when
    // the handler returns, however it returns.
    struct Turn {
        SocketMessageListener& l;
        Fd conn;
        ~Turn() {
            l.m_dispatching = false;
            const unsigned char done = wire::kHandled;
            // A sender that gave up is no error.
            send(conn.get(), &done, 1, MSG_NOSIGNAL | MSG_DONTWAIT);
            l.UpdateWatches();
        }
    } turn{*this, Fd(it->fd)};
    m_senders.erase(it);
    UpdateWatches();  // its place in the table is free for the next sender
    m_dispatching = true;
    m_handler(wire::Decode(request));
    return true;
}

int SocketMessageListener::HandlePending() {
    Collect();
    if (m_dispatching) return 0;  // the running handler's caller goes on afterwards
    int handled = 0;
    while (HandleFirstComplete()) {
        ++handled;
        Collect();
    }
    return handled;
}

bool SocketMessageListener::HandleOne() {
    for (;;) {
        Collect();
        if (!m_dispatching && HandleFirstComplete()) return true;
        pollfd fds[2] = {{m_epoll, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        int r = poll(fds, 2, -1);
        if (r < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (fds[1].revents) return false;  // stopped
    }
}

void SocketMessageListener::Stop() {
    const char c = 1;
    ssize_t ignored = write(m_wake[1], &c, 1);
    (void)ignored;
}

}  // namespace orvane::platform
