#pragma once
// Sends window messages to the listeners of socket_message_listener.h.
#include <string>

#include "platform/socket_message_listener.h"
#include "platform/window_messages.h"

namespace orvane::platform {

class SocketMessageSender : public WindowMessageSender {
public:
    // `runtime_dir` empty: DefaultRuntimeDir(). `own`, when given, is this
    // window's listener: a message to its own handle is handled directly, and
    // messages arriving while a send waits for its receiver are handled in
    // the meantime, so two windows sending to each other cannot block forever.
    explicit SocketMessageSender(std::string runtime_dir = {}, SocketMessageListener* own = nullptr);

    bool Send(WindowHandle handle, const WindowMessage& message) override;

private:
    std::string m_dir;
    SocketMessageListener* m_own;
};

}  // namespace orvane::platform
