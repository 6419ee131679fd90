#pragma once
// Opening the family's shared block for a program's session (the window,
// orvane-eval): the POSIX block of platform/, handed to the session as the
// SharedBlock interface the variable store knows.
#include <memory>

#include "engine/session.h"
#include "platform/shm_shared_block.h"

namespace orvane {

// Creates or opens the shared block. When that fails, shows the warning box
// ("Could not create file map" or "MapFilePointer is nil") through `host` and
// returns null; the session then runs without the block.
std::shared_ptr<platform::SharedBlock> OpenShareMemory(
    EngineHost& host, const platform::SharedBlockOptions& options = {});

}  // namespace orvane
