#pragma once
// Replacing a file's content so that a crash or a full disk leaves either the
// old content or the new one, never a mix (the settings file and the memo
// file are written this way).
#include <string>
#include <string_view>

namespace orvane::platform {

// Writes `data` to `path` through a temporary file in the same folder that is
// fsync'ed and renamed over the old file (whose permission bits it has from
// its creation on, so a private file's content is never readable by others on
// the way; 0666 less the umask for a new file). A symbolic link at `path` is followed,
// so the link stays and its target is replaced. False, with `path` untouched,
// when any step fails.
bool WriteFileAtomically(const std::string& path, std::string_view data);

}  // namespace orvane::platform
