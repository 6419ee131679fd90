#pragma once
// The shared block as POSIX shared memory ("/<name>" under /dev/shm).
//
// Lifetime: every process holding the block keeps a shared flock on the
// companion file "<runtime dir>/<name>.holders.lock". Closing takes the
// exclusive lock when it can, i.e. when it is the last holder, and then
// removes the block, so the block disappears with its last holder as named
// memory does on the family's original platform. Opening and closing are
// serialised by a second lock ("<name>.gate.lock"); an opener that finds no
// other holder removes a block left behind by a crashed process, so a block
// always starts zero-filled.
#include <memory>
#include <string>

#include "platform/shared_block.h"

namespace orvane::platform {

struct SharedBlockOptions {
    // Shared-memory object name without the leading "/"; tests use their own
    // names so that they never touch a real user's block.
    std::string name = kSharedBlockName;
    // Folder of the companion lock files; empty means DefaultRuntimeDir().
    std::string runtime_dir;
    std::size_t size = kSharedBlockSize;
};

// Warning texts for the window when the block is missing.
inline constexpr const char* kCouldNotCreateFileMap = "Could not create file map";
inline constexpr const char* kMapFilePointerIsNil = "MapFilePointer is nil";

struct SharedBlockOpenResult {
    std::unique_ptr<SharedBlock> block;  // null on failure
    std::string warning;                 // one of the two texts above on failure, else empty
    std::string detail;                  // the system's reason on failure, for logs
};

// Creates the named block (zero-filled) or opens the existing one and maps
// all of it read-write. Never raises.
SharedBlockOpenResult OpenSharedBlock(const SharedBlockOptions& options = {});

}  // namespace orvane::platform
