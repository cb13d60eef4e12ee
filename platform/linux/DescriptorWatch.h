#pragma once

#include <functional>

namespace qv {

// The main loop's part that a Linux service with a descriptor needs: it runs
// `ready` on the main thread whenever `fd` can be read; an empty `ready`
// stops watching `fd`.
class DescriptorWatch {
 public:
  virtual ~DescriptorWatch() = default;
  virtual void watchReadable(int fd, std::function<void()> ready) = 0;
};

}  // namespace qv
