#pragma once
// The title registry on lock files: a title is in use while some process holds
// an exclusive flock on "<runtime dir>/title-<hash>.lock", the hash being the
// 64-bit FNV-1a of the title's exact bytes. The kernel drops the lock when the
// holder ends, however it ends, so a crashed copy never keeps its title.
#include <cstdint>
#include <string>

#include "platform/title_registry.h"

namespace orvane::platform {

class LockFileTitleRegistry : public TitleRegistry {
public:
    // `runtime_dir` empty means DefaultRuntimeDir(); it is created on first use.
    explicit LockFileTitleRegistry(std::string runtime_dir = {});

    // Probes with a shared lock for an instant; a TryHold of the same title at
    // that very instant fails as if the title were taken.
    bool Exists(const std::string& title) override;
    // Null with the reason in `error` when the folder is unusable (see
    // EnsureRuntimeDir) or the lock file cannot be created or locked.
    using TitleRegistry::TryHold;
    std::unique_ptr<TitleHold> TryHold(const std::string& title, std::string* error) override;

    // The lock file that stands for `title`.
    std::string LockPath(const std::string& title) const;

private:
    std::string m_dir;
};

// 64-bit FNV-1a of the bytes of `text`.
uint64_t Fnv1a64(const std::string& text);

}  // namespace orvane::platform
