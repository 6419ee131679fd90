// Orvane: the main window program.
#include <cstdlib>

#include "engine/format_settings.h"
#include "tools/locale_posix.h"
#include "ui/main_window.h"
#include "ui/orvane_application.h"

int main(int argc, char** argv) {
    orvane::ui::OrvaneApplication app(argc, argv);
    orvane::SetFormatSettings(orvane::FormatSettingsFromPosixLocale());

    orvane::ui::WindowOptions options;
    // Lets test runs use a block of their own, as orvane-eval does.
    if (const char* name = std::getenv("ORVANE_SHARED_BLOCK_NAME"); name && *name)
        options.sharedBlockName = name;

    orvane::ui::TForm1 form(options);
    // A refused ninth copy ends here: nothing shown, nothing saved.
    if (form.Terminated()) return 1;
    form.show();
    form.activateWindow();
    return app.exec();
}
