#include "tools/share_memory_open.h"

namespace orvane {

std::shared_ptr<platform::SharedBlock> OpenShareMemory(EngineHost& host,
                                                      const platform::SharedBlockOptions& options) {
    platform::SharedBlockOpenResult r = platform::OpenSharedBlock(options);
    if (!r.block) {
        host.ShowMessage(MsgIcon::Warning, r.warning);
        return nullptr;
    }
    return std::move(r.block);
}

}  // namespace orvane
