#pragma once
// The window settings of section "Styles" in the settings file: visual style,
// window size and position, and the two speech switches. Plain data and the
// rules for reading and writing it; the window applies and collects them.
#include <cstdint>
#include <string>

namespace orvane::platform {
class IniDocument;
}

namespace orvane::ui {

inline constexpr const char* kStylesSection = "Styles";

struct WindowSettings {
    std::string styleName;  // empty: the default look, and the key is not written
    int32_t width = 800;
    int32_t height = 750;
    int32_t left = 0;
    int32_t top = 0;
    bool sayEquation = false;
    bool sayAnsower = true;
};

// Smallest width and height a settings file can ask for: a value at or below
// them gives them.
inline constexpr int32_t kMinFormWidth = 800;
inline constexpr int32_t kMinFormHeight = 600;
// Window sizes and positions beyond what a display server can hold (X11
// keeps them in 16 bits) are brought back into that range.
inline constexpr int32_t kMaxFormExtent = 32767;
inline constexpr int32_t kMinFormPosition = -32768;
inline constexpr int32_t kMaxFormPosition = 32767;

// Reads section "Styles": missing keys and values that are no integer give the
// defaults of WindowSettings; integers are decimal, or hexadecimal after
// "0x"/"0X"/"$"; a Boolean is true for any integer other than 0; width and
// height get their minimums, and every number is kept within the ranges above.
WindowSettings ReadWindowSettings(const platform::IniDocument& ini);

// Writes section "Styles": "Style Name" only when it is not empty, the four
// numbers in decimal, the switches as "1"/"0". Other keys and sections stay.
void WriteWindowSettings(platform::IniDocument& ini, const WindowSettings& settings);

}  // namespace orvane::ui
