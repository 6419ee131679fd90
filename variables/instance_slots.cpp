#include "variables/instance_slots.h"

#include <atomic>

#include "platform/field_text.h"

namespace orvane {
namespace {

bool SlotInRange(int n) { return n >= 1 && n <= kKorSlots; }

// Handles are written and read by other processes at any time; go through an
// atomic view so a read never sees half a write.
int32_t LoadHandle(const Share_Memory_KOR& slot) {
    return std::atomic_ref<int32_t>(const_cast<int32_t&>(slot.Share_Mem_KOR_handle))
        .load(std::memory_order_relaxed);
}

}  // namespace

bool RegisterInstance(Share_Memory* block, int n, platform::WindowHandle handle) {
    if (!block || !SlotInRange(n)) return false;
    Share_Memory_KOR& slot = KorSlot(*block, n);
    slot.Share_Mem_KOR_num = static_cast<uint8_t>(n);
    std::atomic_ref<int32_t>(slot.Share_Mem_KOR_handle).store(handle, std::memory_order_relaxed);
    return true;
}

std::optional<int32_t> KorSlotHandle(const Share_Memory* block, int n) {
    if (!block || !SlotInRange(n)) return std::nullopt;
    return LoadHandle(KorSlot(*block, n));
}

std::optional<std::string> KorSlotTestPlanName(const Share_Memory* block, int n) {
    if (!block || !SlotInRange(n)) return std::nullopt;
    return platform::ReadFieldText(KorSlot(*block, n).Share_Mem_KOR_tp_name);
}

int KorCount(const Share_Memory* block) {
    int count = 0;
    for (int n = 1; n <= kKorSlots; ++n)
        if (KorSlotHandle(block, n).value_or(0) != 0) ++count;
    return count;
}

int adjWindow(const Share_Memory* block, platform::WindowMessageSender& sender, int64_t wparam) {
    int handled = 0;
    for (int n = 1; n <= kKorSlots; ++n) {
        const int32_t handle = KorSlotHandle(block, n).value_or(0);
        if (handle == 0) continue;
        platform::WindowMessage m;
        m.msg = platform::WM_KOR_MESSAGE0;
        m.wparam = wparam;
        m.lparam = 0;
        if (sender.Send(handle, m)) ++handled;
    }
    return handled;
}

}  // namespace orvane
