#pragma once
// The per-user folder that holds the lock files of the shared block, the
// title registry and the window-message sockets.
#include <string>

namespace orvane::platform {

// The default folder: "$XDG_RUNTIME_DIR/orvane" when XDG_RUNTIME_DIR is an
// absolute path, else "/tmp/orvane-<uid>". Does not create it.
std::string DefaultRuntimeDir();

// Makes sure `dir` exists as a directory owned by this user and closed to
// everybody else (created with mode 0700 when missing; the parent must exist).
// Returns false, with a reason in `error` when given, for a symlink, a folder
// of another user or one that others may write.
bool EnsureRuntimeDir(const std::string& dir, std::string* error = nullptr);

}  // namespace orvane::platform
