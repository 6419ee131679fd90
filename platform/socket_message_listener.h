#pragma once
// Receives window messages for one window handle on the local socket
// "<runtime dir>/kor-window-<handle>.sock".
//
// Wire format, little-endian: the sender writes 24 bytes (message number u32,
// 4 zero bytes, WParam i64, LParam i64); the listener calls its handler and
// then answers with one byte, which releases the sender. Only processes of the
// same user are served.
//
// The listener does no work on its own. A window watches fd() for readability
// (QSocketNotifier) and calls HandlePending(); tests may call HandleOne() on a
// thread of their own and Stop() to end it.
#include <memory>
#include <string>

#include "platform/window_messages.h"

namespace orvane::platform {

class SocketMessageListener {
public:
    // Starts listening for `handle` in `runtime_dir` (empty: DefaultRuntimeDir()).
    // A socket file left by an ended process is replaced. Returns null, with
    // the reason in `error`, when the socket cannot be set up or another
    // listener already serves the handle.
    static std::unique_ptr<SocketMessageListener> Create(const std::string& runtime_dir,
                                                         WindowHandle handle,
                                                         MessageHandler handler,
                                                         std::string* error = nullptr);
    ~SocketMessageListener();  // stops listening and removes the socket file
    SocketMessageListener(const SocketMessageListener&) = delete;
    SocketMessageListener& operator=(const SocketMessageListener&) = delete;

    WindowHandle handle() const { return m_handle; }
    // Readable when a sender waits.
    int fd() const { return m_fd; }

    // Handles every sender waiting now without waiting for more; returns how
    // many messages were handled. Errors raised by the handler propagate.
    int HandlePending();
    // Waits until one message has been handled (true) or Stop() was called
    // (false). Thread-safe against Stop() only.
    bool HandleOne();
    // Makes a waiting or later HandleOne() return false. Callable from any thread.
    void Stop();

    // Runs the handler directly: a window sending to itself.
    void Dispatch(const WindowMessage& message) { m_handler(message); }

    // The socket path for `handle` in `runtime_dir`.
    static std::string SocketPath(const std::string& runtime_dir, WindowHandle handle);

private:
    SocketMessageListener() = default;
    // Serves one accepted connection; true when a message was handled.
    bool Serve(int conn);

    WindowHandle m_handle = 0;
    MessageHandler m_handler;
    std::string m_path;
    int m_fd = -1;
    int m_wake[2] = {-1, -1};
    unsigned long m_inode = 0;
};

}  // namespace orvane::platform
