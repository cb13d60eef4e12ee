#include "platform/linux/UdevHidrawMonitor.h"

#include <fcntl.h>
#include <libudev.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace qv {

namespace {

class UdevHidrawMonitor final : public DeviceChangeSource {
 public:
  UdevHidrawMonitor(DescriptorWatch& watch, const char* source) : watch_(watch) {
    udev_ = udev_new();
    if (udev_ == nullptr) {
      return;
    }
    monitor_ = udev_monitor_new_from_netlink(udev_, source);
    if (monitor_ == nullptr ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor_) < 0) {
      return;
    }
    const int fd = udev_monitor_get_fd(monitor_);
    const int flags = fcntl(fd, F_GETFL);
    if (flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) >= 0) {
      fd_ = fd;
    }
  }
  ~UdevHidrawMonitor() override {
    setChangedCallback({});
    if (monitor_ != nullptr) {
      udev_monitor_unref(monitor_);
    }
    if (udev_ != nullptr) {
      udev_unref(udev_);
    }
  }
  UdevHidrawMonitor(const UdevHidrawMonitor&) = delete;
  UdevHidrawMonitor& operator=(const UdevHidrawMonitor&) = delete;

  void setChangedCallback(std::function<void()> changed) override {
    if (fd_ >= 0) {
      watch_.watchReadable(fd_, std::move(changed));
    }
  }

  bool drainChanges() override {
    if (fd_ < 0) {
      return false;
    }
    bool changed = false;
    for (;;) {
      errno = 0;
      udev_device* device = udev_monitor_receive_device(monitor_);
      if (device == nullptr) {
        // The socket overflowed (a hot-plug storm): the messages lost may
        // have told of any change, so the list is rebuilt. The error comes
        // once; what is still queued is read on.
        if (errno == ENOBUFS) {
          changed = true;
          continue;
        }
        return changed;
      }
      const char* action = udev_device_get_action(device);
      if (action != nullptr &&
          (std::strcmp(action, "add") == 0 || std::strcmp(action, "remove") == 0)) {
        changed = true;
      }
      udev_device_unref(device);
    }
  }

 private:
  DescriptorWatch& watch_;
  udev* udev_ = nullptr;
  udev_monitor* monitor_ = nullptr;
  int fd_ = -1;
};

}  // namespace

std::unique_ptr<DeviceChangeSource> makeUdevHidrawMonitor(DescriptorWatch& watch,
                                                          const std::string& udevControl) {
  std::error_code ignored;
  const bool udevRuns = std::filesystem::exists(udevControl, ignored);
  return std::make_unique<UdevHidrawMonitor>(watch, udevRuns ? "udev" : "kernel");
}

}  // namespace qv
