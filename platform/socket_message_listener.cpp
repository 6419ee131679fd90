#include "platform/socket_message_listener.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
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

// A sender that connects but never writes must not hold up the window.
constexpr int kRequestTimeoutSeconds = 2;


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
    return l;
}

SocketMessageListener::~SocketMessageListener() {
    if (m_fd >= 0) {
        close(m_fd);
        // Remove the socket file only if it is still ours.
        struct stat st {};
        if (!m_path.empty() && lstat(m_path.c_str(), &st) == 0 && st.st_ino == m_inode)
            unlink(m_path.c_str());
    }
    for (int fd : m_wake)
        if (fd >= 0) close(fd);
}

bool SocketMessageListener::Serve(int conn_fd) {
    Fd conn(conn_fd);
    // The accepted socket may inherit non-blocking mode; wait with a timeout instead.
    int flags = fcntl(conn.get(), F_GETFL);
    if (flags >= 0) fcntl(conn.get(), F_SETFL, flags & ~O_NONBLOCK);
    timeval tv{kRequestTimeoutSeconds, 0};
    setsockopt(conn.get(), SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);

    ucred cred{};
    socklen_t len = sizeof cred;
    if (getsockopt(conn.get(), SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0 ||
        cred.uid != geteuid())
        return false;

    unsigned char request[wire::kRequestSize];
    if (!wire::RecvAll(conn.get(), request, sizeof request)) return false;
    m_handler(wire::Decode(request));
    const unsigned char done = wire::kHandled;
    wire::SendAll(conn.get(), &done, 1);  // a sender that gave up is no error
    return true;
}

int SocketMessageListener::HandlePending() {
    int handled = 0;
    for (;;) {
        int conn = accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (conn < 0) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            return handled;  // EAGAIN: nobody else waits
        }
        if (Serve(conn)) ++handled;
    }
}

bool SocketMessageListener::HandleOne() {
    for (;;) {
        pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        int r = poll(fds, 2, -1);
        if (r < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (fds[1].revents) return false;  // stopped
        if (!fds[0].revents) continue;
        int conn = accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (conn < 0) continue;  // another thread took it, or the sender left
        if (Serve(conn)) return true;
    }
}

void SocketMessageListener::Stop() {
    const char c = 1;
    ssize_t ignored = write(m_wake[1], &c, 1);
    (void)ignored;
}

}  // namespace orvane::platform
