#include "platform/linux/UinputInjector.h"

#include <fcntl.h>
#include <linux/uinput.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstring>
#include <utility>
#include <vector>

#include "platform/linux/HeldKeys.h"

namespace qv {

namespace {

class UinputInjector final : public KeyInjector {
 public:
  UinputInjector(int fd, LayoutKeyMap map) : fd_(fd), held_(std::move(map)) {}
  ~UinputInjector() override {
    static_cast<void>(ioctl(fd_, UI_DEV_DESTROY));
    static_cast<void>(close(fd_));
  }
  UinputInjector(const UinputInjector&) = delete;
  UinputInjector& operator=(const UinputInjector&) = delete;

  void inject(std::span<const KeyEvent> batch) override {
    std::vector<input_event> events;
    for (const LinuxKeyEvent& e : held_.events(batch)) {
      events.push_back(event(EV_KEY, e.key, e.down ? 1 : 0));
    }
    if (events.empty()) {
      return;
    }
    events.push_back(event(EV_SYN, SYN_REPORT, 0));
    // One write: the kernel takes the whole batch under the device's lock.
    // Its outcome is not examined, as with every key batch.
    const ssize_t written = write(fd_, events.data(), events.size() * sizeof(input_event));
    static_cast<void>(written);
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
  HeldKeys held_;
};

// Declares every mapped key and creates the device; false on any refusal.
bool createKeyboard(int fd, const LayoutKeyMap& map) {
  if (ioctl(fd, UI_SET_EVBIT, EV_KEY) < 0 || ioctl(fd, UI_SET_EVBIT, EV_SYN) < 0) {
    return false;
  }
  for (const uint16_t key : map.keys()) {
    if (ioctl(fd, UI_SET_KEYBIT, key) < 0) {
      return false;
    }
  }
  uinput_setup setup{};
  setup.id.bustype = BUS_VIRTUAL;
  std::strncpy(setup.name, kUinputKeyboardName, UINPUT_MAX_NAME_SIZE - 1);
  return ioctl(fd, UI_DEV_SETUP, &setup) == 0 && ioctl(fd, UI_DEV_CREATE) == 0;
}

}  // namespace

std::unique_ptr<KeyInjector> makeUinputInjector(const std::string& devicePath, LayoutKeyMap map) {
  const int fd = open(devicePath.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    return nullptr;
  }
  if (!createKeyboard(fd, map)) {
    static_cast<void>(close(fd));
    return nullptr;
  }
  return std::make_unique<UinputInjector>(fd, std::move(map));
}

}  // namespace qv
