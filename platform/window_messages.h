#pragma once
// Window handles and the private window message between copies of the program
// family. A window handle is the process id of the window's process.
#include <cstdint>
#include <functional>

namespace orvane::platform {

using WindowHandle = int32_t;

inline constexpr uint32_t WM_USER = 1024;
inline constexpr uint32_t WM_KOR_MESSAGE0 = WM_USER + 256;  // 1280

struct WindowMessage {
    uint32_t msg = WM_KOR_MESSAGE0;
    int64_t wparam = 0;
    int64_t lparam = 0;
};

// Called on the receiving side once per message; the sender stays blocked
// until it returns.
using MessageHandler = std::function<void(const WindowMessage&)>;

class WindowMessageSender {
public:
    virtual ~WindowMessageSender() = default;
    // Delivers `message` to the window `handle` and returns once the receiver
    // has handled it: true. A handle with no window listening (0, a process
    // that ended) returns false at once without effect.
    virtual bool Send(WindowHandle handle, const WindowMessage& message) = 0;
};

// The handle of this process's main window: its process id (never 0).
WindowHandle OwnWindowHandle();

}  // namespace orvane::platform
