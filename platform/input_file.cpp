#include "platform/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace orvane::platform {
namespace {

std::string KindOf(mode_t mode) {
    const char* kind = S_ISDIR(mode)    ? "a folder"
                       : S_ISCHR(mode)  ? "a character device"
                       : S_ISBLK(mode)  ? "a block device"
                       : S_ISSOCK(mode) ? "a socket"
                       : S_ISFIFO(mode) ? "a pipe"
                                        : "something else";
    return std::string("is ") + kind + ", not a regular file";
}

std::string SizeLimitText(std::size_t maxBytes) {
    if (maxBytes == kMaxInputFileBytes) return "is larger than 1 GiB";
    return "is larger than " + std::to_string(maxBytes) + " bytes";
}

}  // namespace

InputFileResult ReadInputFile(const std::string& path, bool allowFifo, std::string& data,
                              std::string& reason, std::size_t maxBytes) {
    data.clear();
    reason.clear();
    auto fail = [&](InputFileResult r, std::string why) {
        data.clear();
        data.shrink_to_fit();
        reason = std::move(why);
        return r;
    };
    // Look before opening: opening a device may block or have effects of its own.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        const int err = errno;
        if (err == ENOENT) return fail(InputFileResult::Missing, "no such file");
        return fail(InputFileResult::Unreadable, std::strerror(err));
    }
    const bool fifo = S_ISFIFO(st.st_mode);
    if (!S_ISREG(st.st_mode) && !(fifo && allowFifo))
        return fail(InputFileResult::Refused, KindOf(st.st_mode));
    if (!fifo && static_cast<unsigned long long>(st.st_size) > maxBytes)
        return fail(InputFileResult::Refused, SizeLimitText(maxBytes));

    // A FIFO's open waits for its writer, as reading it to its end should.
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | (fifo ? 0 : O_NONBLOCK));
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return fail(InputFileResult::Unreadable, std::strerror(errno));
    // The name may have been replaced between the look and the open.
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || opened.st_dev != st.st_dev || opened.st_ino != st.st_ino) {
        ::close(fd);
        return fail(InputFileResult::Unreadable, "changed while being opened");
    }
    if (!fifo) {
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
        data.reserve(static_cast<std::size_t>(st.st_size));
    }

    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            return fail(InputFileResult::Unreadable, std::strerror(err));
        }
        if (n == 0) break;
        // A file that grows while it is read, or an endless pipe, stops at the limit.
        if (data.size() + static_cast<std::size_t>(n) > maxBytes) {
            ::close(fd);
            return fail(InputFileResult::Refused, SizeLimitText(maxBytes));
        }
        data.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return InputFileResult::Read;
}

}  // namespace orvane::platform
