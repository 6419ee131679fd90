#pragma once
// GUIDs from libuuid's uuid_generate: random (version 4) when the kernel's
// random source is available, else time-based (version 1).
#include "platform/guid_source.h"

namespace orvane::platform {

class LibuuidGuidSource : public GuidSource {
public:
    // Never fails: uuid_generate always delivers one.
    bool NewGuid(Guid& out) override;
};

}  // namespace orvane::platform
