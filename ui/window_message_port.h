#pragma once
// The window's end of the private window messages: the socket listener of
// platform/ watched by the event loop, so that a message is handled like any
// other window event.
#include <QObject>
#include <QString>

#include <memory>
#include <string>

#include "platform/socket_message_listener.h"

class QSocketNotifier;

namespace orvane::ui {

class WindowMessagePort : public QObject {
public:
    // Listens for `handle` in `runtimeDir` (empty: the default folder) and
    // calls `handler` for each message from the event loop. Null, with the
    // reason in `error`, when the listener cannot be set up.
    static std::unique_ptr<WindowMessagePort> Create(const std::string& runtimeDir,
                                                     platform::WindowHandle handle,
                                                     platform::MessageHandler handler,
                                                     QString* error = nullptr);
    ~WindowMessagePort() override;

    platform::SocketMessageListener& listener() { return *m_listener; }

private:
    explicit WindowMessagePort(std::unique_ptr<platform::SocketMessageListener> listener);
    std::unique_ptr<platform::SocketMessageListener> m_listener;
    QSocketNotifier* m_notifier = nullptr;
};

}  // namespace orvane::ui
