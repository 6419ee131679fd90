#pragma once
// The instance slots of the shared record: registration of a copy, and the
// values other copies and the window read from them. Every function accepts a
// null block (no shared block) and then touches nothing.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/window_messages.h"
#include "variables/share_memory.h"

namespace orvane {

// Writes Share_Mem_KOR_num := n and Share_Mem_KOR_handle := handle into slot
// n; nothing else of the slot changes. False (nothing written) without a
// block or for n outside 1..8.
bool RegisterInstance(Share_Memory* block, int n, platform::WindowHandle handle);

// Slot n's window handle; nullopt without a block or for n outside 1..8.
std::optional<int32_t> KorSlotHandle(const Share_Memory* block, int n);

// Slot n's test-plan name (up to its first zero byte); nullopt as above.
std::optional<std::string> KorSlotTestPlanName(const Share_Memory* block, int n);

// How many of slots 1..8 have a handle other than 0; 0 without a block.
int KorCount(const Share_Memory* block);

// "adj KOR Window": sends WM_KOR_MESSAGE0 with `wparam` (LParam 0) to the
// handle of every occupied slot 1..8 in order, the own slot included, each
// send waiting for its receiver. Returns how many receivers handled it.
int adjWindow(const Share_Memory* block, platform::WindowMessageSender& sender,
              int64_t wparam = 402);

}  // namespace orvane
