#include "webdata/capturing_browser.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/webdata/fake_event_loop.h"
#include "tests/webdata/fake_web_view.h"

namespace orvane::webdata {
namespace {

using test::FakeEventLoop;
using test::FakeWebView;

class Capturing : public testing::Test {
protected:
    Capturing() {
        browser->SetSourceChangedHandler([this](const std::string& s) { shown.push_back(s); });
    }
    FakeEventLoop loop;
    FakeWebView view{loop};
    WebBoxStore boxes;
    std::unique_ptr<CapturingBrowser> browser = std::make_unique<CapturingBrowser>(view, loop, boxes);
    std::vector<std::string> shown;  // the source view's texts, in order
};

TEST_F(Capturing, ScriptResultSetsTheFlagUnlessMalformed) {
    browser->SetSourceText("old");
    EXPECT_EQ(browser->EdgeBrowser1ExecuteScript("\"%3Cp%3E\""), CaptureStatus::Source);
    EXPECT_EQ(browser->SourceText(), "<p>");
    EXPECT_TRUE(browser->web_flashed());

    browser->set_web_flashed(false);
    EXPECT_EQ(browser->EdgeBrowser1ExecuteScript("null"), CaptureStatus::Null);
    EXPECT_EQ(browser->SourceText(), "<p>");
    EXPECT_TRUE(browser->web_flashed());

    browser->set_web_flashed(false);
    EXPECT_EQ(browser->EdgeBrowser1ExecuteScript("\"%ZZ\""), CaptureStatus::Malformed);
    EXPECT_EQ(browser->SourceText(), "<p>");
    EXPECT_FALSE(browser->web_flashed());
    EXPECT_EQ(shown, (std::vector<std::string>{"old", "<p>"}));
}

TEST_F(Capturing, EveryFinishedNavigationIsCapturedASecondLater) {
    view.pages["http://a/"] = "<p class=\"x\">1+1</p>";
    view.failing.insert("http://down/");
    browser->Navigate("http://a/");
    EXPECT_TRUE(loop.WaitUntil([&] { return browser->web_flashed(); }, 5000));
    EXPECT_EQ(loop.Now(), uint64_t(200 + kCaptureDelayMs));
    EXPECT_EQ(view.scripts, std::vector<std::string>{kCaptureScript});
    EXPECT_EQ(browser->SourceText(), "<p class=x>1 1</p>");
    EXPECT_EQ(boxes.Box(WebBox::Combo_web), "http://a/");  // the address box follows

    // A failed navigation is captured too; its "null" keeps the old source.
    browser->set_web_flashed(false);
    browser->Navigate("http://down/");
    EXPECT_TRUE(loop.WaitUntil([&] { return browser->web_flashed(); }, 5000));
    EXPECT_EQ(view.scripts.size(), 2u);
    EXPECT_EQ(browser->SourceText(), "<p class=x>1 1</p>");
    EXPECT_EQ(boxes.Box(WebBox::Combo_web), "http://down/");

    // A page that never finishes loading is never captured.
    browser->set_web_flashed(false);
    browser->Navigate("http://silent/");
    EXPECT_FALSE(loop.WaitUntil([&] { return browser->web_flashed(); }, 13000));
    EXPECT_EQ(view.scripts.size(), 2u);
}

TEST_F(Capturing, NavigationDuringTheCaptureWaitIsHandledInsideIt) {
    view.pages["http://a/"] = "A";
    view.pages["http://b/"] = "B";
    browser->Navigate("http://a/");
    loop.Post(300, [&] { browser->Navigate("http://b/"); });
    loop.Sleep1(3000);
    // Both waits end after the inner one; both captures see page B.
    EXPECT_EQ(view.scripts.size(), 2u);
    EXPECT_EQ(shown, (std::vector<std::string>{"B", "B"}));
    EXPECT_EQ(boxes.Box(WebBox::Combo_web), "http://b/");
}

TEST_F(Capturing, FinishedFrameWaitsWhileHandlingEvents) {
    bool ran = false;
    loop.Post(50, [&] { ran = true; });
    view.FinishFrame();
    EXPECT_EQ(loop.Now(), uint64_t(kFrameLoadedWaitMs));
    EXPECT_TRUE(ran);
    EXPECT_TRUE(view.scripts.empty());
}

TEST_F(Capturing, NothingReachesABrowserThatIsGone) {
    view.pages["http://a/"] = "A";
    browser->Navigate("http://a/");
    // Inside the capture wait the browser asks for a capture and is destroyed
    // (the window closes): neither the pending result nor the end of the wait
    // reaches it.
    loop.Post(500, [&] {
        browser->RequestCapture();
        browser.reset();
    });
    loop.Sleep1(3000);
    EXPECT_FALSE(view.HasEvents());
    EXPECT_EQ(view.scripts.size(), 1u);
    EXPECT_TRUE(shown.empty());
}

}  // namespace
}  // namespace orvane::webdata
