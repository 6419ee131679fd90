#pragma once
// In-process window messages for tests: windows register a handler under a
// handle; Send calls it directly and records every message sent.
#include <map>
#include <utility>
#include <vector>

#include "platform/window_messages.h"

namespace orvane::platform {

class FakeMessageBus : public WindowMessageSender {
public:
    void Listen(WindowHandle handle, MessageHandler handler) { m_windows[handle] = std::move(handler); }
    void Unlisten(WindowHandle handle) { m_windows.erase(handle); }

    bool Send(WindowHandle handle, const WindowMessage& message) override {
        m_sent.emplace_back(handle, message);
        auto it = m_windows.find(handle);
        if (it == m_windows.end()) return false;
        it->second(message);
        return true;
    }

    // Every Send, delivered or not, in order.
    const std::vector<std::pair<WindowHandle, WindowMessage>>& sent() const { return m_sent; }

private:
    std::map<WindowHandle, MessageHandler> m_windows;
    std::vector<std::pair<WindowHandle, WindowMessage>> m_sent;
};

}  // namespace orvane::platform
