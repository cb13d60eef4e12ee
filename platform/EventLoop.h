#pragma once

#include <functional>

namespace qv {

// The main thread's event loop. post() may be called from any thread; the
// task runs later on the main thread, in posting order.
class EventLoop {
 public:
  virtual ~EventLoop() = default;
  virtual void post(std::function<void()> task) = 0;
};

}  // namespace qv
