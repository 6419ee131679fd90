#include "cli/tool_output.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace orvane {

namespace {
constexpr size_t kBufferSize = 1u << 16;
}

void ToolOutput::WriteAll(const char* data, size_t size) {
    while (size && !m_error) {
        const ssize_t n = ::write(m_fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            m_error = n < 0 ? errno : EIO;
            return;
        }
        data += n;
        size -= size_t(n);
    }
}

void ToolOutput::Write(std::string_view text) {
    if (m_error) return;
    if (m_buf.size() + text.size() > kBufferSize) {
        Flush();
        if (text.size() >= kBufferSize) {
            WriteAll(text.data(), text.size());
            return;
        }
    }
    m_buf.append(text);
}

void ToolOutput::Line(std::string_view text) {
    Write(text);
    Write("\n");
}

bool ToolOutput::Flush() {
    WriteAll(m_buf.data(), m_buf.size());
    m_buf.clear();
    return m_error == 0;
}

bool ReadAll(int fd, std::string& out, int& err) {
    out.clear();
    struct stat st;
    size_t want = kBufferSize;
    // A regular file says how large it is: one allocation of the right size.
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
        const off_t pos = ::lseek(fd, 0, SEEK_CUR);
        if (pos >= 0 && pos < st.st_size) want = size_t(st.st_size - pos) + 1;
    }
    size_t used = 0;
    out.resize(want);
    for (;;) {
        if (used == out.size()) out.resize(out.size() * 2);
        const ssize_t n = ::read(fd, out.data() + used, out.size() - used);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            err = errno;
            out.clear();
            return false;
        }
        if (n == 0) break;
        used += size_t(n);
    }
    out.resize(used);
    return true;
}

bool StreamText(int fd, const std::function<void(std::string_view)>& feed, int& err) {
    // The last two bytes read are held back until the next read shows that
    // they are not the end of the input.
    constexpr size_t kHold = 2;
    std::string buf(kHold + (1u << 20), '\0');
    size_t held = 0;
    for (;;) {
        const ssize_t n = ::read(fd, buf.data() + held, buf.size() - held);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            err = errno;
            return false;
        }
        if (n == 0) break;
        const size_t have = held + size_t(n);
        const size_t give = have > kHold ? have - kHold : 0;
        if (give) feed(std::string_view(buf.data(), give));
        held = have - give;
        std::memmove(buf.data(), buf.data() + give, held);
    }
    std::string rest(buf.data(), held);
    DropOneLineBreak(rest);
    if (!rest.empty()) feed(rest);
    return true;
}

void DropOneLineBreak(std::string& text) {
    if (!text.empty() && text.back() == '\n') {
        text.pop_back();
        if (!text.empty() && text.back() == '\r') text.pop_back();
    }
}

}  // namespace orvane
