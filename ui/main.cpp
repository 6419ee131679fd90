// Orvane: the main window program.
#include <cstdlib>

#include "engine/format_settings.h"
#include "platform/qt/web_engine_setup.h"
#include "tools/locale_posix.h"
#include "ui/main_window.h"
#include "ui/orvane_application.h"
#include "ui/program_icon.h"
#include "ui/startup_trace.h"
#include "ui/term_signals.h"

int main(int argc, char** argv) {
    // The browser page's web view: Chromium's switches and the shared OpenGL
    // contexts must be set before the application object exists.
    orvane::platform::PrepareWebEngine(orvane::platform::WebEngineUse::Window);
    orvane::ui::OrvaneApplication app(argc, argv);
    // The desktop entry orvane.desktop names this program and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("orvane"));
    QGuiApplication::setWindowIcon(orvane::ui::ProgramIcon());
    orvane::SetFormatSettings(orvane::FormatSettingsFromPosixLocale());

    orvane::ui::WindowOptions options;
    // Lets test runs use a block of their own, as orvane-eval does.
    if (const char* name = std::getenv("ORVANE_SHARED_BLOCK_NAME"); name && *name)
        options.sharedBlockName = name;

    // From here on SIGTERM and SIGHUP wait for the event loop instead of
    // ending the program at once.
    orvane::ui::TermSignals terms;
    orvane::ui::TForm1 form(options);
    // A refused ninth copy ends here: nothing shown, nothing saved.
    if (form.Terminated()) return 1;
    // Logout and shutdown close the window the normal way (its saves run),
    // then the program ends, even from inside a message box.
    terms.SetReaction([&form](int) {
        form.close();
        QCoreApplication::exit(0);
    });
    form.show();
    orvane::ui::TraceFirstExpose(form);
    form.activateWindow();
    return app.exec();
}
