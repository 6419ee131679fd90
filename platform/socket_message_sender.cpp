#include "platform/socket_message_sender.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/runtime_dir.h"
#include "platform/socket_message_wire.h"

namespace orvane::platform {
namespace {

using wire::Fd;

// Connects a blocking stream socket; a connect interrupted by a signal goes
// on in the background, so wait for its outcome.
bool Connect(int fd, const sockaddr_un& addr) {
    if (connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0) return true;
    if (errno != EINTR && errno != EINPROGRESS) return false;
    pollfd p{fd, POLLOUT, 0};
    while (poll(&p, 1, -1) < 0)
        if (errno != EINTR) return false;
    int err = 0;
    socklen_t len = sizeof err;
    return getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) == 0 && err == 0;
}

}  // namespace

SocketMessageSender::SocketMessageSender(std::string runtime_dir, SocketMessageListener* own)
    : m_dir(runtime_dir.empty() ? DefaultRuntimeDir() : std::move(runtime_dir)), m_own(own) {}

bool SocketMessageSender::Send(WindowHandle handle, const WindowMessage& message) {
    if (handle <= 0) return false;
    if (m_own && handle == m_own->handle()) {
        m_own->Dispatch(message);
        return true;
    }
    const std::string path = SocketMessageListener::SocketPath(m_dir, handle);
    sockaddr_un addr;
    if (!wire::FillAddress(path, addr)) return false;

    Fd sock(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (sock.get() < 0) return false;
    // No socket file, or nobody accepting on it: the window is gone.
    if (!Connect(sock.get(), addr)) return false;

    unsigned char request[wire::kRequestSize];
    wire::Encode(message, request);
    if (!wire::SendAll(sock.get(), request, sizeof request)) return false;

    // Wait, without limit, until the receiver has handled the message; serve
    // messages sent to our own window meanwhile.
    for (;;) {
        pollfd fds[2] = {{sock.get(), POLLIN, 0}, {m_own ? m_own->fd() : -1, POLLIN, 0}};
        int r = poll(fds, m_own ? 2 : 1, -1);
        if (r < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (m_own && (fds[1].revents & POLLIN)) m_own->HandlePending();
        if (fds[0].revents) {
            unsigned char reply = 0;
            return wire::RecvAll(sock.get(), &reply, 1) && reply == wire::kHandled;
        }
    }
}

}  // namespace orvane::platform
