#pragma once
// Claiming an instance number 1..8: copy n runs under the title
// "<base title> (n)". The first n whose title nobody holds is taken, and the
// title is held at once, so two copies started together get different numbers.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/title_registry.h"

namespace orvane::platform {

inline constexpr int kMaxInstances = 8;

struct InstanceClaim {
    enum class Outcome {
        Claimed,   // `number` 1..8 is ours while `hold` lives
        Refused,   // eight copies run already: `number` is 9, nothing is held
        NoNumber,  // the titles for 1..9 are all in use: `number` is 0, no suffix
        // no title can be held at all (the registry's folder is unusable):
        // `number` is 0, no suffix, the reason in `reason`
        Unregistered,
    };
    Outcome outcome = Outcome::NoNumber;
    uint8_t number = 0;
    std::string suffix;  // " (n)" for Claimed and Refused, else empty
    std::string reason;  // for Unregistered: why, naming the folder or file
    std::unique_ptr<TitleHold> hold;
};

// " (n)": blank, opening parenthesis, n in decimal, closing parenthesis.
std::string InstanceSuffix(int n);

// Tries n = 1..9 over base_title + InstanceSuffix(n) as described above. A
// registry that cannot hold titles gives Unregistered, never Refused: only
// eight copies really running refuse a ninth.
InstanceClaim ClaimInstanceNumber(TitleRegistry& registry, const std::string& base_title);

}  // namespace orvane::platform
