#include "ui/window_settings.h"

#include <algorithm>

#include "engine/number_text.h"
#include "platform/ini_file.h"

namespace orvane::ui {

WindowSettings ReadWindowSettings(const platform::IniDocument& ini) {
    const WindowSettings defaults;
    WindowSettings s;
    auto integer = [&](const char* key, int32_t fallback) {
        return StrToIntDef(ini.ReadString(kStylesSection, key, ""), fallback);
    };
    s.styleName = ini.ReadString(kStylesSection, "Style Name", "");
    s.width = std::clamp(integer("Form Width", defaults.width), kMinFormWidth, kMaxFormExtent);
    s.height = std::clamp(integer("Form Height", defaults.height), kMinFormHeight, kMaxFormExtent);
    s.left = std::clamp(integer("Form Left", defaults.left), kMinFormPosition, kMaxFormPosition);
    s.top = std::clamp(integer("Form Top", defaults.top), kMinFormPosition, kMaxFormPosition);
    s.sayEquation = integer("Say Equation", defaults.sayEquation ? 1 : 0) != 0;
    s.sayAnsower = integer("Say Ansower", defaults.sayAnsower ? 1 : 0) != 0;
    return s;
}

void WriteWindowSettings(platform::IniDocument& ini, const WindowSettings& s) {
    if (!s.styleName.empty()) ini.WriteString(kStylesSection, "Style Name", s.styleName);
    ini.WriteInteger(kStylesSection, "Form Width", s.width);
    ini.WriteInteger(kStylesSection, "Form Height", s.height);
    ini.WriteInteger(kStylesSection, "Form Left", s.left);
    ini.WriteInteger(kStylesSection, "Form Top", s.top);
    ini.WriteString(kStylesSection, "Say Equation", s.sayEquation ? "1" : "0");
    ini.WriteString(kStylesSection, "Say Ansower", s.sayAnsower ? "1" : "0");
}

}  // namespace orvane::ui
