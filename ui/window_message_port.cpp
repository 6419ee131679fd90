#include "ui/window_message_port.h"

#include <QSocketNotifier>

namespace orvane::ui {

std::unique_ptr<WindowMessagePort> WindowMessagePort::Create(const std::string& runtimeDir,
                                                             platform::WindowHandle handle,
                                                             platform::MessageHandler handler,
                                                             QString* error) {
    std::string why;
    auto listener =
        platform::SocketMessageListener::Create(runtimeDir, handle, std::move(handler), &why);
    if (!listener) {
        if (error) *error = QString::fromStdString(why);
        return nullptr;
    }
    return std::unique_ptr<WindowMessagePort>(new WindowMessagePort(std::move(listener)));
}

WindowMessagePort::WindowMessagePort(std::unique_ptr<platform::SocketMessageListener> listener)
    : m_listener(std::move(listener)) {
    m_notifier = new QSocketNotifier(m_listener->fd(), QSocketNotifier::Read, this);
    // A handler's error goes on to the application's error dialog.
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { m_listener->HandlePending(); });
}

WindowMessagePort::~WindowMessagePort() {
    // The notifier must not outlive the socket it watches.
    delete m_notifier;
    m_notifier = nullptr;
}

}  // namespace orvane::ui
