// A window's message listener under a flood of senders and against senders
// that connect and then send nothing or trickle their bytes: one message at a
// time, in the order the senders connected, and nobody can hold up the rest.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/socket_message_listener.h"
#include "platform/socket_message_sender.h"
#include "platform/socket_message_wire.h"
#include "tests/support/temp_dir.h"

namespace orvane::test {
namespace {

using platform::SocketMessageListener;
using platform::SocketMessageSender;
using platform::WindowMessage;
using namespace std::chrono_literals;

constexpr platform::WindowHandle kHandle = 5151;

WindowMessage Msg(int64_t wparam) {
    WindowMessage m;
    m.wparam = wparam;
    return m;
}

// A client socket connected to the listener, written by hand.
int ConnectRaw(const std::string& dir) {
    sockaddr_un addr;
    platform::wire::FillAddress(SocketMessageListener::SocketPath(dir, kHandle), addr);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    EXPECT_EQ(connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr), 0);
    return fd;
}

std::string RequestBytes(int64_t wparam) {
    unsigned char request[platform::wire::kRequestSize];
    platform::wire::Encode(Msg(wparam), request);
    return std::string(reinterpret_cast<const char*>(request), sizeof request);
}

// True when the listener has closed the connection (end of stream or reset).
bool Closed(int fd) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 0) <= 0) return false;
    char c;
    return recv(fd, &c, 1, MSG_DONTWAIT) <= 0;
}

// Drives the listener as the window's event loop does, until `done`.
template <class Done>
void Pump(SocketMessageListener& l, Done done, std::chrono::seconds limit = 30s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < end) {
        pollfd p{l.fd(), POLLIN, 0};
        poll(&p, 1, 20);
        l.HandlePending();
    }
}

// Hundreds of senders at once, while the first message's box is open (its
// own event loop keeps pumping the listener): the handler never runs nested,
// later messages wait, and every sender is released once its message is
// handled.
TEST(PlatformMessageFlood, OneMessageAtATimeWhileABoxIsOpen) {
    TempRuntimeDir dir;
    constexpr int kSenders = 300;
    int depth = 0, deepest = 0;
    std::vector<int64_t> handled;
    std::atomic<int> returned{0};
    SocketMessageListener* self = nullptr;
    auto listener = SocketMessageListener::Create(dir.path(), kHandle, [&](const WindowMessage& m) {
        deepest = std::max(deepest, ++depth);
        handled.push_back(m.wparam);
        if (handled.size() == 1) {
            // The box stays open until the listener holds all the senders it
            // takes at once (the others wait in the socket's backlog).
            const size_t full = std::min<size_t>(SocketMessageListener::kMaxSenders, kSenders - 1);
            Pump(*self, [&] { return self->WaitingSenders() >= full; });
            EXPECT_EQ(returned.load(), 0) << "a sender was released while the first box was open";
        }
        --depth;
    });
    ASSERT_TRUE(listener);
    self = listener.get();

    std::vector<std::thread> senders;
    for (int i = 0; i < kSenders; ++i)
        senders.emplace_back([&, i] {
            if (SocketMessageSender(dir.path()).Send(kHandle, Msg(i))) ++returned;
        });
    Pump(*listener, [&] { return returned == kSenders; });
    for (std::thread& t : senders) t.join();

    EXPECT_EQ(returned.load(), kSenders);
    EXPECT_EQ(deepest, 1) << "a message was handled inside another message's handler";
    std::sort(handled.begin(), handled.end());
    std::vector<int64_t> all(kSenders);
    for (int i = 0; i < kSenders; ++i) all[size_t(i)] = i;
    EXPECT_EQ(handled, all) << "each message exactly once";
}

// Messages that wait are handled in the order their senders connected.
TEST(PlatformMessageFlood, WaitingMessagesGoInTheOrderOfTheirSenders) {
    TempRuntimeDir dir;
    std::vector<int64_t> handled;
    auto listener = SocketMessageListener::Create(dir.path(), kHandle, [&](const WindowMessage& m) {
        handled.push_back(m.wparam);
    });
    ASSERT_TRUE(listener);
    // Connect all first, then send their requests in reverse order.
    std::vector<int> clients;
    for (int i = 0; i < 20; ++i) {
        clients.push_back(ConnectRaw(dir.path()));
        listener->HandlePending();  // accepted now, nothing to handle yet
    }
    for (int i = 19; i >= 0; --i) {
        const std::string bytes = RequestBytes(i);
        ASSERT_EQ(send(clients[size_t(i)], bytes.data(), bytes.size(), MSG_NOSIGNAL), ssize_t(bytes.size()));
    }
    Pump(*listener, [&] { return handled.size() == 20; });
    std::vector<int64_t> expected(20);
    for (int i = 0; i < 20; ++i) expected[size_t(i)] = i;
    EXPECT_EQ(handled, expected);
    for (int fd : clients) {
        char answer = 0;
        EXPECT_EQ(recv(fd, &answer, 1, 0), 1);
        EXPECT_EQ(answer, char(platform::wire::kHandled));
        close(fd);
    }
}

// A sender that connects and says nothing, and one that sends a byte now and
// then, never hold up the others, and both are dropped once their time is up.
TEST(PlatformMessageFlood, SilentAndTricklingSendersAreDropped) {
    TempRuntimeDir dir;
    std::vector<int64_t> handled;
    auto listener = SocketMessageListener::Create(dir.path(), kHandle, [&](const WindowMessage& m) {
        handled.push_back(m.wparam);
    });
    ASSERT_TRUE(listener);
    const int silent = ConnectRaw(dir.path());
    const int trickler = ConnectRaw(dir.path());
    listener->HandlePending();

    // A proper sender meanwhile: handled while both others are still connected.
    std::atomic<bool> sent{false};
    std::thread proper([&] { sent = SocketMessageSender(dir.path()).Send(kHandle, Msg(1)); });
    const std::string trickle = RequestBytes(2);
    size_t trickled = 0;
    bool silentOpenWhenHandled = false;
    Pump(*listener, [&] {
        if (sent && !silentOpenWhenHandled) silentOpenWhenHandled = !Closed(silent);
        return sent.load();
    });
    proper.join();
    EXPECT_TRUE(silentOpenWhenHandled) << "the proper sender waited for the silent one";

    // One byte each 300 ms would take 7 s for the whole request.
    auto lastByte = std::chrono::steady_clock::now() - 1s;
    bool tricklerDropped = false;
    Pump(*listener, [&] {
        if (trickled < trickle.size() && std::chrono::steady_clock::now() - lastByte >= 300ms) {
            if (send(trickler, trickle.data() + trickled, 1, MSG_NOSIGNAL) == 1) ++trickled;
            lastByte = std::chrono::steady_clock::now();
        }
        tricklerDropped = Closed(trickler);
        return tricklerDropped && Closed(silent);
    });
    EXPECT_TRUE(tricklerDropped);
    EXPECT_LT(trickled, trickle.size()) << "the trickler was served to the end";
    EXPECT_EQ(handled, (std::vector<int64_t>{1}));
    EXPECT_EQ(listener->WaitingSenders(), 0u);
    close(silent);
    close(trickler);
}

}  // namespace
}  // namespace orvane::test
