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
// Returns false, with a reason in `error` when given ("<dir>: <why>"), for a
// symlink or anything else that is no folder, a folder of another user, one
// that others may write, or one this user cannot write.
bool EnsureRuntimeDir(const std::string& dir, std::string* error = nullptr);

// EnsureRuntimeDir's check alone: why `dir` cannot serve as the runtime
// folder ("not a folder", "owned by another user", "writable by other users",
// "not writable", or the system's error text), or empty when it can. Creates
// the folder when it is missing.
std::string RuntimeDirProblem(const std::string& dir);

}  // namespace orvane::platform
