// The Qt pieces of the web view that need no web engine process: the event
// loop wait and the JSON text of script results.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <QVariant>
#include <QVariantList>

#include "platform/qt/qt_event_wait.h"
#include "platform/qt/qt_web_page.h"

namespace orvane::platform {
namespace {

TEST(QtEventWait, SleepHandlesEventsForItsWholeTime) {
    QtEventWait wait;
    int fired = 0;
    QTimer::singleShot(20, [&] { ++fired; });
    QTimer::singleShot(40, [&] { ++fired; });
    const uint32_t start = wait.GetTickCount();
    EXPECT_TRUE(wait.Sleep1(120));
    EXPECT_GE(wait.GetTickCount() - start, 120u);
    EXPECT_EQ(fired, 2);
}

TEST(QtEventWait, WaitUntilEndsWhenDoneOrAtTheTimeout) {
    QtEventWait wait;
    bool flag = false;
    QTimer::singleShot(30, [&] { flag = true; });
    EXPECT_TRUE(wait.WaitUntil([&] { return flag; }, 5000));

    // Already done: nothing is handled.
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    EXPECT_TRUE(wait.WaitUntil([] { return true; }, 1000));
    EXPECT_FALSE(ran);

    // No time: what is pending runs once.
    EXPECT_FALSE(wait.WaitUntil([] { return false; }, 0));
    EXPECT_TRUE(ran);

    const uint32_t start = wait.GetTickCount();
    EXPECT_FALSE(wait.WaitUntil([] { return false; }, 80));
    EXPECT_GE(wait.GetTickCount() - start, 80u);
}

TEST(QtEventWait, WaitInsideAWaitEndsFirst) {
    QtEventWait wait;
    std::vector<std::string> order;
    QTimer::singleShot(10, [&] {
        wait.Sleep1(100);
        order.push_back("inner");
    });
    wait.Sleep1(50);
    order.push_back("outer");
    EXPECT_EQ(order, (std::vector<std::string>{"inner", "outer"}));
}

TEST(ScriptResultJson, WritesTheValueAsJson) {
    struct Row {
        const char* name;
        QVariant value;
        std::string json;
    } rows[] = {
        {"NoValue", QVariant(), "null"},
        {"Encoded", QVariant(QStringLiteral("%3Cp%3E%E5%8F%B0")), "\"%3Cp%3E%E5%8F%B0\""},
        {"Escapes", QVariant(QStringLiteral("a\"b\\c\nd")), "\"a\\\"b\\\\c\\nd\""},
        {"Unicode", QVariant(QStringLiteral("台")), "\"台\""},
        {"Number", QVariant(2.5), "2.5"},
        {"Bool", QVariant(true), "true"},
        {"List", QVariant(QVariantList{1, QStringLiteral("x")}), "[1,\"x\"]"},
    };
    for (const Row& r : rows) EXPECT_EQ(ScriptResultJson(r.value), r.json) << r.name;
}

}  // namespace
}  // namespace orvane::platform

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
