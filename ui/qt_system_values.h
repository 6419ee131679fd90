#pragma once
// The system values of the running window: the Linux values plus the real
// screen and virtual-desktop sizes.
#include "tools/system_values_linux.h"

namespace orvane::ui {

class QtSystemValues : public LinuxSystemValues {
public:
    using LinuxSystemValues::LinuxSystemValues;
    // The primary screen's size; 0 without a screen.
    int ScreenWidth() override;
    int ScreenHeight() override;
    // The size of the virtual desktop spanning all screens; 0 without one.
    int DesktopWidth() override;
    int DesktopHeight() override;
};

}  // namespace orvane::ui
