#include "variables/share_memory_open.h"

#include "variables/share_memory.h"

namespace orvane {

std::shared_ptr<platform::SharedBlock> OpenShareMemory(EngineHost& host,
                                                      const platform::SharedBlockOptions& options) {
    static_assert(sizeof(Share_Memory) == platform::kSharedBlockSize);
    platform::SharedBlockOpenResult r = platform::OpenSharedBlock(options);
    if (!r.block) {
        host.ShowMessage(MsgIcon::Warning, r.warning);
        return nullptr;
    }
    return std::move(r.block);
}

}  // namespace orvane
