#pragma once

#include <functional>
#include <utility>

#include "platform/DeviceChangeSource.h"

namespace qv::test {

// A device-change source that calls back when the test fires a notification.
class CallingBackSource final : public DeviceChangeSource {
 public:
  bool drainChanges() override { return std::exchange(pending_, false); }
  void setChangedCallback(std::function<void()> changed) override { changed_ = std::move(changed); }

  // One notification; true when somebody was called.
  bool fire() {
    pending_ = true;
    if (!changed_) {
      return false;
    }
    changed_();
    return true;
  }
  [[nodiscard]] bool listenedTo() const { return static_cast<bool>(changed_); }

 private:
  bool pending_ = false;
  std::function<void()> changed_;
};

}  // namespace qv::test
