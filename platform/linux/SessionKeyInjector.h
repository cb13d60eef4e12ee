#pragma once

#include <memory>

#include "platform/KeyInjector.h"

namespace qv {

// The desktop session's kind, from its environment: $XDG_SESSION_TYPE when
// the login manager sets it, else a Wayland display beats an X display
// (XWayland sets $DISPLAY too, and XTest there reaches X clients only).
// Each argument is the variable's value or nullptr when it is unset.
bool isX11Session(const char* sessionType, const char* waylandDisplay, const char* display);

// XTest in an X11 session whose server has it; otherwise the uinput
// keyboard, and where that cannot be made either, XTest on whatever
// $DISPLAY offers (no-op without one).
std::unique_ptr<KeyInjector> makeSessionKeyInjector();

}  // namespace qv
