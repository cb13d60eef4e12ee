#include "platform/linux/UinputInjector.h"

#include <fcntl.h>
#include <linux/uinput.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstring>
#include <vector>

#include "platform/linux/UinputKeyMap.h"

namespace qv {

namespace {

class UinputInjector final : public KeyInjector {
 public:
  explicit UinputInjector(int fd) : fd_(fd) {}
  ~UinputInjector() override {
    static_cast<void>(ioctl(fd_, UI_DEV_DESTROY));
    static_cast<void>(close(fd_));
  }
  UinputInjector(const UinputInjector&) = delete;
  UinputInjector& operator=(const UinputInjector&) = delete;

  void inject(std::span<const KeyEvent> batch) override {
    std::vector<input_event> events;
    events.reserve(batch.size() + 1);
    for (const KeyEvent& e : batch) {
      const uint16_t code = linuxKeyForVirtualKey(e.virtualKey);
      if (code == 0) {
        continue;  // no key for this code
      }
      events.push_back(event(EV_KEY, code, e.keyUp ? 0 : 1));
    }
    if (events.empty()) {
      return;
    }
    events.push_back(event(EV_SYN, SYN_REPORT, 0));
    // One write: the kernel takes the whole batch under the device's lock.
    static_cast<void>(write(fd_, events.data(), events.size() * sizeof(input_event)));
  }

 private:
  static input_event event(uint16_t type, uint16_t code, int32_t value) {
    input_event e{};
    e.type = type;
    e.code = code;
    e.value = value;
    return e;
  }

  int fd_;
};

// Declares every mapped key and creates the device; false on any refusal.
bool createKeyboard(int fd) {
  if (ioctl(fd, UI_SET_EVBIT, EV_KEY) < 0 || ioctl(fd, UI_SET_EVBIT, EV_SYN) < 0) {
    return false;
  }
  for (const VirtualKeyCode& key : linuxKeyTable()) {
    if (ioctl(fd, UI_SET_KEYBIT, key.linuxKey) < 0) {
      return false;
    }
  }
  uinput_setup setup{};
  setup.id.bustype = BUS_VIRTUAL;
  std::strncpy(setup.name, kUinputKeyboardName, UINPUT_MAX_NAME_SIZE - 1);
  return ioctl(fd, UI_DEV_SETUP, &setup) == 0 && ioctl(fd, UI_DEV_CREATE) == 0;
}

}  // namespace

std::unique_ptr<KeyInjector> makeUinputInjector(const std::string& devicePath) {
  const int fd = open(devicePath.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    return nullptr;
  }
  if (!createKeyboard(fd)) {
    static_cast<void>(close(fd));
    return nullptr;
  }
  return std::make_unique<UinputInjector>(fd);
}

}  // namespace qv
