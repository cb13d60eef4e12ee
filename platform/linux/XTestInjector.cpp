#include "platform/linux/XTestInjector.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include "platform/linux/VirtualKeyMap.h"

namespace qv {

namespace {

class XTestInjector final : public KeyInjector {
 public:
  XTestInjector() : display_(XOpenDisplay(nullptr)) {
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (display_ != nullptr &&
        XTestQueryExtension(display_, &eventBase, &errorBase, &major, &minor) == 0) {
      XCloseDisplay(display_);
      display_ = nullptr;
    }
  }
  ~XTestInjector() override {
    if (display_ != nullptr) {
      XCloseDisplay(display_);
    }
  }
  XTestInjector(const XTestInjector&) = delete;
  XTestInjector& operator=(const XTestInjector&) = delete;

  [[nodiscard]] bool connected() const { return display_ != nullptr; }

  void inject(std::span<const KeyEvent> batch) override {
    if (display_ == nullptr) {
      return;
    }
    // The whole batch is queued and flushed once, so its events reach the
    // server back to back.
    for (const KeyEvent& e : batch) {
      const uint32_t keysym = keysymForVirtualKey(e.virtualKey);
      const KeyCode code = keysym == 0 ? 0 : XKeysymToKeycode(display_, keysym);
      if (code == 0) {
        continue;  // no key for this code on this server
      }
      static_cast<void>(XTestFakeKeyEvent(display_, code, e.keyUp ? False : True, CurrentTime));
    }
    static_cast<void>(XFlush(display_));
  }

 private:
  Display* display_;
};

}  // namespace

std::unique_ptr<KeyInjector> makeXTestInjector() {
  return std::make_unique<XTestInjector>();
}

std::unique_ptr<KeyInjector> openXTestInjector() {
  auto injector = std::make_unique<XTestInjector>();
  if (!injector->connected()) {
    return nullptr;
  }
  return injector;
}

}  // namespace qv
