#include "platform/libuuid_guid_source.h"

#include <uuid/uuid.h>

namespace orvane::platform {

bool LibuuidGuidSource::NewGuid(Guid& out) {
    uuid_t u;
    uuid_generate(u);
    // libuuid keeps the fields in network (big-endian) order.
    out.Data1 = uint32_t(u[0]) << 24 | uint32_t(u[1]) << 16 | uint32_t(u[2]) << 8 | u[3];
    out.Data2 = uint16_t(u[4] << 8 | u[5]);
    out.Data3 = uint16_t(u[6] << 8 | u[7]);
    for (int i = 0; i < 8; ++i) out.Data4[size_t(i)] = u[8 + i];
    return true;
}

}  // namespace orvane::platform
