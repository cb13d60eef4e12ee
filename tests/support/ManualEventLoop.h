#pragma once

#include <deque>
#include <functional>
#include <mutex>

#include "platform/EventLoop.h"

namespace qv::test {

// An event loop the test runs by hand.
class ManualEventLoop final : public EventLoop {
 public:
  void post(std::function<void()> task) override {
    const std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  // Runs the tasks posted so far and those they post; returns how many ran.
  int runPending() {
    int ran = 0;
    for (;;) {
      std::function<void()> task;
      {
        const std::lock_guard lock(mutex_);
        if (tasks_.empty()) {
          return ran;
        }
        task = std::move(tasks_.front());
        tasks_.pop_front();
      }
      task();
      ++ran;
    }
  }

 private:
  std::mutex mutex_;
  std::deque<std::function<void()>> tasks_;
};

}  // namespace qv::test
