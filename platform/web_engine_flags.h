#pragma once
// The switches the program gives the browser engine (Chromium) behind the web
// view, through the environment it reads at start-up.
#include <string>
#include <string_view>

namespace orvane::platform {

// The engine's switches: `existing` (the user's own, kept first) followed by
// those that keep the engine from reaching the network on its own
// (background requests, component updates, reliability reports, pings) and,
// when `root`, "--no-sandbox", because the engine refuses its sandbox for
// the superuser. A switch already present is not added again.
std::string ChromiumFlags(std::string_view existing, bool root);

}  // namespace orvane::platform
