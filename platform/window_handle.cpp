#include <unistd.h>

#include "platform/window_messages.h"

namespace orvane::platform {

WindowHandle OwnWindowHandle() { return static_cast<WindowHandle>(getpid()); }

}  // namespace orvane::platform
