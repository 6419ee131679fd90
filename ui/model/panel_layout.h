#pragma once
// The calculator panel's and the status line's fixed layout: panel count,
// widths and indices, the boxes' initial fonts and the fixed texts.
#include <array>

namespace orvane::ui {

// Status line layout and fixed texts.
inline constexpr int kStatusPanels = 5;
inline constexpr std::array<int, kStatusPanels> kStatusPanelWidths{100, 100, 250, 150, 200};
// Panel indices (0 = first).
inline constexpr int kPanelAsc = 0, kPanelKeyCode = 1, kPanelCursor = 2, kPanelHex = 3,
                     kPanelBinary = 4;

// Initial fonts before any size rule applies (pixels).
inline constexpr int kExpressionFontPixels = 32;  // Courier New bold
inline constexpr int kAnswerFontPixels = 32;      // Arial bold
inline constexpr int kConversionFontPixels = 16;  // Courier New bold
inline constexpr const char* kSecToDayTimeInitial = "now()";
inline constexpr const char* kInputButtonHint = "Example: 1+2+3*(5+8)+sin(1)";

}  // namespace orvane::ui
