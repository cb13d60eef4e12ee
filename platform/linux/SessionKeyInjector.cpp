#include "platform/linux/SessionKeyInjector.h"

#include <cstdlib>
#include <string_view>

#include "platform/linux/KeyboardLayout.h"
#include "platform/linux/UinputInjector.h"
#include "platform/linux/XTestInjector.h"

namespace qv {

namespace {

bool isSet(const char* value) {
  return value != nullptr && *value != '\0';
}

class NowhereInjector final : public KeyInjector {
 public:
  void inject(std::span<const KeyEvent> /*batch*/) override {}
  [[nodiscard]] std::string deliveryProblem() const override { return kNoKeyDeliveryProblem; }
};

}  // namespace

bool isWaylandSession(const char* sessionType, const char* waylandDisplay) {
  return (isSet(sessionType) && std::string_view(sessionType) == "wayland") ||
         isSet(waylandDisplay);
}

std::unique_ptr<KeyInjector> chooseKeyInjector(bool wayland, const KeyInjectorMaker& xtest,
                                               const KeyInjectorMaker& uinput) {
  const KeyInjectorMaker& first = wayland ? uinput : xtest;
  const KeyInjectorMaker& second = wayland ? xtest : uinput;
  if (auto injector = first()) {
    return injector;
  }
  if (auto injector = second()) {
    return injector;
  }
  return std::make_unique<NowhereInjector>();
}

std::unique_ptr<KeyInjector> makeSessionKeyInjector() {
  const bool wayland =
      isWaylandSession(std::getenv("XDG_SESSION_TYPE"), std::getenv("WAYLAND_DISPLAY"));
  return chooseKeyInjector(wayland, openXTestInjector, [wayland] {
    return makeUinputInjector("/dev/uinput", LayoutKeyMap(systemKeyboardLayout(wayland)));
  });
}

}  // namespace qv
