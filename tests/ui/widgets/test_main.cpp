// Runs the widget test classes offscreen in one application object.
#include <QTest>

#include "engine/format_settings.h"
#include "ui/orvane_application.h"

QObject* MakeWindowFilesTest();
QObject* MakeMainWindowTest();
QObject* MakeMemoWidgetTest();
QObject* MakeCrcPageTest();
QObject* MakeFieldGridTest();
QObject* MakeWindowHardeningTest();

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    orvane::ui::OrvaneApplication app(argc, argv);
    orvane::SetFormatSettings(orvane::FormatSettings::CLocale());
    int failed = 0;
    for (QObject* test : {MakeWindowFilesTest(), MakeMainWindowTest(), MakeMemoWidgetTest(),
                          MakeCrcPageTest(), MakeFieldGridTest(), MakeWindowHardeningTest()}) {
        failed += QTest::qExec(test, argc, argv);
        delete test;
    }
    return failed == 0 ? 0 : 1;
}
