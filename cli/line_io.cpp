#include "cli/line_io.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace orvane {

int WriteAllTo(int fd, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return EIO;
        done += size_t(n);
    }
    return 0;
}

void LineOutput::Write(const std::string& s) {
    if (m_error) return;
    m_buf += s;
    if (m_buf.size() >= (1u << 16)) Flush();
}

void LineOutput::Flush() {
    if (!m_error && !m_buf.empty()) m_error = WriteAllTo(m_fd, m_buf);
    m_buf.clear();
}

bool LineInput::Next(std::string& line) {
    for (;;) {
        const char* start = m_buf.data() + m_pos;
        const void* nl = std::memchr(start, '\n', m_buf.size() - m_pos);
        if (nl) {
            const size_t len = size_t(static_cast<const char*>(nl) - start);
            line.assign(start, len);
            m_pos += len + 1;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return true;
        }
        if (m_eof) {
            if (m_pos >= m_buf.size()) return false;
            line.assign(start, m_buf.size() - m_pos);
            m_pos = m_buf.size();
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return true;
        }
        // No complete line buffered: answer what was asked so far, then wait.
        m_out.Flush();
        if (m_out.Error()) return false;
        m_buf.erase(0, m_pos);
        m_pos = 0;
        const size_t old = m_buf.size();
        m_buf.resize(old + (1u << 16));
        ssize_t n;
        do {
            n = ::read(m_fd, &m_buf[old], 1u << 16);
        } while (n < 0 && errno == EINTR);
        m_buf.resize(old + (n > 0 ? size_t(n) : 0));
        if (n <= 0) m_eof = true;
    }
}

}  // namespace orvane
