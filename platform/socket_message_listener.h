#pragma once
// Receives window messages for one window handle on the local socket
// "<runtime dir>/kor-window-<handle>.sock".
//
// Wire format, little-endian: the sender writes 24 bytes (message number u32,
// 4 zero bytes, WParam i64, LParam i64); the listener calls its handler and
// then answers with one byte, which releases the sender. Only processes of the
// same user are served.
//
// The listener never blocks the thread that drives it. It accepts senders and
// reads their bytes as they arrive; a sender that has not sent a whole
// request 2 s after it connected is dropped. Complete requests are handled
// one at a time, in the order their senders connected; while a handler runs
// (a message box with its own event loop, say), further requests are only
// collected, and their senders stay blocked until their turn.
//
// A window watches fd() for readability (QSocketNotifier) and calls
// HandlePending(); tests may call HandleOne() on a thread of their own and
// Stop() to end it.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <string>

#include "platform/window_messages.h"

namespace orvane::platform {

class SocketMessageListener {
public:
    // How long a sender may take to send its whole request.
    static constexpr std::chrono::milliseconds kRequestTimeout{2000};
    // Senders accepted at once; more wait in the socket's backlog.
    static constexpr std::size_t kMaxSenders = 64;

    // Starts listening for `handle` in `runtime_dir` (empty: DefaultRuntimeDir()).
    // A socket file left by an ended process is replaced. Returns null, with
    // the reason in `error`, when the socket cannot be set up or another
    // listener already serves the handle.
    static std::unique_ptr<SocketMessageListener> Create(const std::string& runtime_dir,
                                                         WindowHandle handle,
                                                         MessageHandler handler,
                                                         std::string* error = nullptr);
    ~SocketMessageListener();  // stops listening, drops waiting senders, removes the socket file
    SocketMessageListener(const SocketMessageListener&) = delete;
    SocketMessageListener& operator=(const SocketMessageListener&) = delete;

    WindowHandle handle() const { return m_handle; }
    // Readable whenever there is work: a new sender, bytes from a sender, or
    // a sender's time running out.
    int fd() const { return m_epoll; }

    // Collects what arrived without waiting, then handles the complete
    // requests one after the other; returns how many this call handled.
    // Called again while a handler runs, it only collects and returns 0. An
    // error raised by the handler propagates; that request's sender is
    // released all the same.
    int HandlePending();
    // Waits until one message has been handled (true) or Stop() was called
    // (false). Thread-safe against Stop() only.
    bool HandleOne();
    // Makes a waiting or later HandleOne() return false. Callable from any thread.
    void Stop();

    // Runs the handler directly: a window sending to itself.
    void Dispatch(const WindowMessage& message) { m_handler(message); }

    // Senders accepted and not yet answered or dropped.
    std::size_t WaitingSenders() const { return m_senders.size(); }

    // The socket path for `handle` in `runtime_dir`.
    static std::string SocketPath(const std::string& runtime_dir, WindowHandle handle);

private:
    struct Sender {
        int fd = -1;
        std::chrono::steady_clock::time_point deadline;
        unsigned char request[24] = {};
        std::size_t received = 0;
        bool complete() const { return received == sizeof request; }
    };

    SocketMessageListener() = default;
    // Accepts, reads and expires without blocking; keeps the timer and the
    // watch on the listening socket up to date.
    void Collect();
    void AcceptSenders();
    // Reads what the sender sent; false when it is to be dropped.
    bool ReadFrom(Sender& sender);
    void Drop(std::list<Sender>::iterator it);
    void UpdateWatches();
    // Handles the first complete request, if any; true when one was handled.
    bool HandleFirstComplete();

    WindowHandle m_handle = 0;
    MessageHandler m_handler;
    std::string m_path;
    int m_fd = -1;     // listening socket
    int m_epoll = -1;  // the listening socket, the senders still sending, the timer
    int m_timer = -1;  // fires at the earliest deadline of a sender still sending
    int m_wake[2] = {-1, -1};
    unsigned long m_inode = 0;
    bool m_listening = false;  // the listening socket is watched
    std::chrono::steady_clock::time_point m_acceptAgainAt{};  // after a failed accept
    bool m_dispatching = false;
    std::list<Sender> m_senders;  // in the order they connected
};

}  // namespace orvane::platform
