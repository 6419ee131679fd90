#pragma once
// The bytes exchanged by SocketMessageSender and SocketMessageListener.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/window_messages.h"

namespace orvane::platform::wire {

inline constexpr std::size_t kRequestSize = 24;

// Owns a socket descriptor and closes it.
class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() {
        if (m_fd >= 0) close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

inline constexpr unsigned char kHandled = 1;

inline void PutLE(unsigned char* p, uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}
inline uint64_t GetLE(const unsigned char* p, int bytes) {
    uint64_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= uint64_t(p[i]) << (8 * i);
    return v;
}

inline void Encode(const WindowMessage& m, unsigned char (&out)[kRequestSize]) {
    std::memset(out, 0, kRequestSize);
    PutLE(out, m.msg, 4);
    PutLE(out + 8, static_cast<uint64_t>(m.wparam), 8);
    PutLE(out + 16, static_cast<uint64_t>(m.lparam), 8);
}
inline WindowMessage Decode(const unsigned char (&in)[kRequestSize]) {
    WindowMessage m;
    m.msg = static_cast<uint32_t>(GetLE(in, 4));
    m.wparam = static_cast<int64_t>(GetLE(in + 8, 8));
    m.lparam = static_cast<int64_t>(GetLE(in + 16, 8));
    return m;
}

// The address of the socket file `path`; false when the path is too long.
inline bool FillAddress(const std::string& path, sockaddr_un& addr) {
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    if (path.size() >= sizeof addr.sun_path) return false;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    return true;
}

// Sends all bytes; false on any error. Never raises SIGPIPE.
inline bool SendAll(int fd, const void* data, std::size_t n) {
    const char* p = static_cast<const char*>(data);
    while (n > 0) {
        ssize_t k = ::send(fd, p, n, MSG_NOSIGNAL);
        if (k < 0 && errno == EINTR) continue;
        if (k <= 0) return false;
        p += k;
        n -= static_cast<std::size_t>(k);
    }
    return true;
}

// Receives exactly n bytes; false on error, timeout or end of stream.
inline bool RecvAll(int fd, void* data, std::size_t n) {
    char* p = static_cast<char*>(data);
    while (n > 0) {
        ssize_t k = ::recv(fd, p, n, 0);
        if (k < 0 && errno == EINTR) continue;
        if (k <= 0) return false;
        p += k;
        n -= static_cast<std::size_t>(k);
    }
    return true;
}

}  // namespace orvane::platform::wire
