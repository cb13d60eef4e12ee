#pragma once

#include <memory>
#include <string>

#include "platform/KeyInjector.h"
#include "platform/linux/LayoutKeyMap.h"

namespace qv {

// The virtual keyboard's name, as input devices list it.
inline constexpr const char* kUinputKeyboardName = "Quorvane virtual keyboard";

// Injects key batches through a virtual keyboard made on the kernel's
// uinput device, so they reach every desktop (Wayland, X11, the console).
// Each batch is written at once and closed by one EV_SYN, so readers see it
// as one uninterrupted frame. `map` says which keys give each virtual key
// on the desktop's layout. nullptr when the device cannot be opened or the
// keyboard not made (no module, no access).
std::unique_ptr<KeyInjector> makeUinputInjector(const std::string& devicePath = "/dev/uinput",
                                                LayoutKeyMap map = {});

}  // namespace qv
