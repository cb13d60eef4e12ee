#include "platform/linux/SessionKeyInjector.h"

#include <cstdlib>
#include <string_view>

#include "platform/linux/UinputInjector.h"
#include "platform/linux/XTestInjector.h"

namespace qv {

namespace {

bool isSet(const char* value) {
  return value != nullptr && *value != '\0';
}

}  // namespace

bool isX11Session(const char* sessionType, const char* waylandDisplay, const char* display) {
  if (isSet(sessionType) && std::string_view(sessionType) != "unspecified") {
    return std::string_view(sessionType) == "x11";
  }
  return !isSet(waylandDisplay) && isSet(display);
}

std::unique_ptr<KeyInjector> makeSessionKeyInjector() {
  if (isX11Session(std::getenv("XDG_SESSION_TYPE"), std::getenv("WAYLAND_DISPLAY"),
                   std::getenv("DISPLAY"))) {
    if (auto xtest = openXTestInjector()) {
      return xtest;
    }
  }
  if (auto uinput = makeUinputInjector()) {
    return uinput;
  }
  return makeXTestInjector();
}

}  // namespace qv
