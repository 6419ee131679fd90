#pragma once
// Reading a whole input file named on a command line, with limits: only a
// regular file (or, where the caller allows it, a FIFO read to its end) and
// at most a given number of bytes, so that a folder, a device such as
// /dev/zero or an endless pipe is refused instead of filling the memory.
#include <cstddef>
#include <string>

namespace orvane::platform {

// The largest input file read by default: 1 GiB.
inline constexpr std::size_t kMaxInputFileBytes = std::size_t(1) << 30;

enum class InputFileResult {
    Read,        // `data` holds the whole content
    Missing,     // no file of that name (nothing read)
    Refused,     // not a regular file (nor an allowed FIFO), or too large
    Unreadable,  // exists but cannot be opened or read
};

// Reads the file at `path` into `data`. A FIFO is read to its end when
// `allowFifo`; anything else that is not a regular file (folder, device,
// socket) is refused without being opened, and so is content longer than
// `maxBytes`. Symbolic links are followed. On any result but Read, `data` is
// empty and `reason` holds a short lower-case reason ("is a folder, not a
// regular file", "is larger than 1 GiB", the system's error text).
InputFileResult ReadInputFile(const std::string& path, bool allowFifo, std::string& data,
                              std::string& reason, std::size_t maxBytes = kMaxInputFileBytes);

}  // namespace orvane::platform
