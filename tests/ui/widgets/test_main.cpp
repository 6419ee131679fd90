// Runs the widget test classes offscreen in one application object:
//   ui_widget_tests [ClassName] [QTest options...]
// With a class name only that class runs (CTest runs each class as a test of
// its own); without one, every class runs.
#include <QTest>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "engine/format_settings.h"
#include "platform/qt/web_engine_setup.h"
#include "tests/support/recording_host.h"
#include "ui/orvane_application.h"

QObject* MakeWindowFilesTest();
QObject* MakeMainWindowTest();
QObject* MakeMemoWidgetTest();
QObject* MakeCrcPageTest();
QObject* MakeFieldGridTest();
QObject* MakeWindowHardeningTest();
QObject* MakeToolsPageTest();
QObject* MakeWindowUsabilityTest();
QObject* MakeAboutSpeechTest();
QObject* MakeWebPagesTest();

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // One test runs the real web view, whose engine needs this before the
    // application object exists.
    orvane::platform::PrepareWebEngine(orvane::platform::WebEngineUse::Window);
    orvane::ui::OrvaneApplication app(argc, argv);
    const orvane::test::CLocaleScope locale;

    const std::vector<std::function<QObject*()>> makers = {
        MakeWindowFilesTest, MakeMainWindowTest, MakeMemoWidgetTest, MakeCrcPageTest,
        MakeFieldGridTest, MakeWindowHardeningTest, MakeToolsPageTest,
        MakeWindowUsabilityTest, MakeAboutSpeechTest, MakeWebPagesTest};
    // The first argument names a class when it is no option.
    const char* only = argc > 1 && argv[1][0] != '-' ? argv[1] : nullptr;
    std::vector<char*> args(argv, argv + argc);
    if (only) args.erase(args.begin() + 1);
    int failed = 0;
    bool found = !only;
    for (const auto& make : makers) {
        std::unique_ptr<QObject> test(make());
        // The class name without its namespace.
        const char* name = test->metaObject()->className();
        if (const char* colon = std::strrchr(name, ':')) name = colon + 1;
        if (only && std::strcmp(name, only) != 0) continue;
        found = true;
        failed += QTest::qExec(test.get(), int(args.size()), args.data());
    }
    if (!found) {
        qWarning("no widget test class named %s", only);
        return 2;
    }
    return failed == 0 ? 0 : 1;
}
