// Window messages over local sockets: a send returns only after the receiver
// has handled the message, and at once when nobody listens.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <future>
#include <thread>
#include <vector>

#include "platform/socket_message_listener.h"
#include "platform/socket_message_sender.h"
#include "tests/support/temp_dir.h"

namespace orvane::test {
namespace {

using platform::SocketMessageListener;
using platform::SocketMessageSender;
using platform::WindowMessage;

WindowMessage Msg(int64_t wparam, int64_t lparam = 0) {
    WindowMessage m;
    m.wparam = wparam;
    m.lparam = lparam;
    return m;
}

TEST(PlatformWindowMessage, SendWaitsUntilTheReceiverHasHandledIt) {
    TempRuntimeDir dir;
    std::promise<void> entered, release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<bool> handled{false};
    WindowMessage got{};
    auto listener = SocketMessageListener::Create(dir.path(), 4242, [&](const WindowMessage& m) {
        got = m;
        entered.set_value();
        released.wait();  // the receiver's user has not closed the box yet
        handled = true;
    });
    ASSERT_TRUE(listener);
    std::thread receiver([&] { EXPECT_TRUE(listener->HandleOne()); });

    std::atomic<bool> sendReturned{false};
    bool delivered = false, handledWhenReturned = false;
    std::thread sender([&] {
        SocketMessageSender s(dir.path());
        delivered = s.Send(4242, Msg(402, -7));
        handledWhenReturned = handled;
        sendReturned = true;
    });
    entered.get_future().wait();
    EXPECT_FALSE(sendReturned) << "the send returned while the receiver was still handling";
    release.set_value();
    sender.join();
    receiver.join();

    EXPECT_TRUE(delivered);
    EXPECT_TRUE(handledWhenReturned);
    EXPECT_EQ(got.msg, 1280u);
    EXPECT_EQ(got.wparam, 402);
    EXPECT_EQ(got.lparam, -7);
}

TEST(PlatformWindowMessage, HandlesWithoutAListenerAreSkipped) {
    TempRuntimeDir dir;
    // A socket file whose process has ended: nobody accepts on it any more.
    const std::string stale = SocketMessageListener::SocketPath(dir.path(), 777);
    {
        int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::strcpy(addr.sun_path, stale.c_str());
        ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
        close(fd);
    }
    SocketMessageSender sender(dir.path());
    for (platform::WindowHandle h : {0, -1, 776, 777}) EXPECT_FALSE(sender.Send(h, Msg(402))) << h;

    // A new window with that handle replaces the stale file and is reachable.
    std::vector<int64_t> log;
    auto listener = SocketMessageListener::Create(dir.path(), 777,
                                                  [&](const WindowMessage& m) { log.push_back(m.wparam); });
    ASSERT_TRUE(listener);
    std::thread receiver([&] { listener->HandleOne(); });
    EXPECT_TRUE(sender.Send(777, Msg(5)));
    receiver.join();
    EXPECT_EQ(log, std::vector<int64_t>{5});

    // While it lives, no second window can take the handle; once gone, the
    // handle is dead again.
    std::string why;
    EXPECT_FALSE(SocketMessageListener::Create(dir.path(), 777, [](const WindowMessage&) {}, &why));
    EXPECT_FALSE(why.empty());
    listener.reset();
    EXPECT_FALSE(sender.Send(777, Msg(6)));
}

TEST(PlatformWindowMessage, AWindowSendingToItselfIsServedDirectly) {
    TempRuntimeDir dir;
    std::vector<int64_t> log;
    auto own = SocketMessageListener::Create(dir.path(), 900, [&](const WindowMessage& m) { log.push_back(m.wparam); });
    ASSERT_TRUE(own);
    SocketMessageSender sender(dir.path(), own.get());
    EXPECT_TRUE(sender.Send(900, Msg(0)));
    EXPECT_EQ(log, std::vector<int64_t>{0});
    EXPECT_EQ(own->HandlePending(), 0) << "nothing else was waiting";
}

// Window B handles A's message by sending one back to A. A, blocked in its own
// send, must handle B's message meanwhile, or both would wait forever.
TEST(PlatformWindowMessage, WindowsSendingToEachOtherDoNotBlockForever) {
    TempRuntimeDir dir;
    std::vector<int64_t> logA, logB;
    auto windowA = SocketMessageListener::Create(dir.path(), 1001, [&](const WindowMessage& m) { logA.push_back(m.wparam); });
    std::unique_ptr<SocketMessageListener> windowB;
    windowB = SocketMessageListener::Create(dir.path(), 1002, [&](const WindowMessage& m) {
        logB.push_back(m.wparam);
        SocketMessageSender fromB(dir.path(), windowB.get());
        EXPECT_TRUE(fromB.Send(1001, Msg(m.wparam + 1)));
    });
    ASSERT_TRUE(windowA && windowB);
    std::thread threadB([&] { EXPECT_TRUE(windowB->HandleOne()); });

    SocketMessageSender fromA(dir.path(), windowA.get());
    EXPECT_TRUE(fromA.Send(1002, Msg(402)));
    threadB.join();
    EXPECT_EQ(logB, std::vector<int64_t>{402});
    EXPECT_EQ(logA, std::vector<int64_t>{403});
}

TEST(PlatformWindowMessage, StopEndsAWaitingListener) {
    TempRuntimeDir dir;
    auto listener = SocketMessageListener::Create(dir.path(), 31, [](const WindowMessage&) {});
    ASSERT_TRUE(listener);
    std::promise<bool> result;
    std::thread waiting([&] { result.set_value(listener->HandleOne()); });
    listener->Stop();
    EXPECT_FALSE(result.get_future().get());
    waiting.join();
}

}  // namespace
}  // namespace orvane::test
