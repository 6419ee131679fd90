#include "platform/instance_claim.h"

namespace orvane::platform {

std::string InstanceSuffix(int n) { return " (" + std::to_string(n) + ")"; }

InstanceClaim ClaimInstanceNumber(TitleRegistry& registry, const std::string& base_title) {
    InstanceClaim claim;
    for (int n = 1; n <= kMaxInstances + 1; ++n) {
        const std::string title = base_title + InstanceSuffix(n);
        if (n == kMaxInstances + 1) {
            // The ninth copy only looks: it is refused and never shows the title.
            if (registry.Exists(title)) break;
            claim.outcome = InstanceClaim::Outcome::Refused;
            claim.number = static_cast<uint8_t>(n);
            claim.suffix = InstanceSuffix(n);
            return claim;
        }
        std::string why;
        if (auto hold = registry.TryHold(title, &why)) {
            claim.outcome = InstanceClaim::Outcome::Claimed;
            claim.number = static_cast<uint8_t>(n);
            claim.suffix = InstanceSuffix(n);
            claim.hold = std::move(hold);
            return claim;
        }
        if (!why.empty()) {
            claim.outcome = InstanceClaim::Outcome::Unregistered;
            claim.reason = std::move(why);
            return claim;
        }
    }
    return claim;  // NoNumber
}

}  // namespace orvane::platform
