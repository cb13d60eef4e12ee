#pragma once

#include <functional>
#include <utility>

#include "platform/linux/DescriptorWatch.h"

namespace qv::test {

// Keeps the descriptor being watched and its call, for the test to poll.
class RecordingDescriptorWatch final : public DescriptorWatch {
 public:
  void watchReadable(int watchedFd, std::function<void()> watchedReady) override {
    fd = watchedReady ? watchedFd : -1;
    ready = std::move(watchedReady);
  }

  int fd = -1;
  std::function<void()> ready;
};

}  // namespace qv::test
