#pragma once

#include <functional>
#include <memory>

#include "platform/KeyInjector.h"

namespace qv {

// What the user reads when keystrokes have nowhere to go.
inline constexpr const char* kNoKeyDeliveryProblem =
    "Keystrokes go nowhere: there is no X display with XTEST, and /dev/uinput cannot be "
    "written.";

// Makes one kind of injector; nullptr where it cannot reach the desktop.
using KeyInjectorMaker = std::function<std::unique_ptr<KeyInjector>()>;

// A Wayland session, by its environment ($XDG_SESSION_TYPE, $WAYLAND_DISPLAY;
// each the variable's value or nullptr when unset).
bool isWaylandSession(const char* sessionType, const char* waylandDisplay);

// In a Wayland session the uinput keyboard comes first, as XTest there
// reaches X11 programs only; elsewhere XTest, which types through the X
// server's own keymap. The other where the first cannot be made; where
// neither can, an injector that drops every batch and says why.
std::unique_ptr<KeyInjector> chooseKeyInjector(bool wayland, const KeyInjectorMaker& xtest,
                                               const KeyInjectorMaker& uinput);

// The choice for this session: XTest on $DISPLAY, the uinput keyboard
// through the desktop's keyboard layout.
std::unique_ptr<KeyInjector> makeSessionKeyInjector();

}  // namespace qv
