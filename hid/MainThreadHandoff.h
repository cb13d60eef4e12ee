#pragma once

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>

namespace qv {

class EventLoop;

// Lets a reader thread run a call on the main thread and wait until it has
// returned, so handlers never run concurrently. The main thread serves the
// calls from its event loop, and also while it waits for a reader to end.
class MainThreadHandoff {
 public:
  explicit MainThreadHandoff(EventLoop& loop);
  MainThreadHandoff(const MainThreadHandoff&) = delete;
  MainThreadHandoff& operator=(const MainThreadHandoff&) = delete;

  // Any thread but the main one. Returns what the call threw, null when it
  // returned normally.
  std::exception_ptr runOnMainThread(const std::function<void()>& call);

  // Main thread: runs the calls handed over so far.
  void servePending();
  // Main thread: serves calls until `finished` holds. Whoever changes what
  // `finished` looks at calls wake() afterwards.
  void serveUntil(const std::function<bool()>& finished);
  void wake();

 private:
  struct Pending {
    const std::function<void()>* call = nullptr;
    std::exception_ptr error;
    bool done = false;
  };
  struct Queue {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<Pending*> pending;
  };

  static void serveOne(Queue& queue, std::unique_lock<std::mutex>& lock);
  static void serveAll(Queue& queue);

  EventLoop& loop_;
  // Shared with the tasks posted to the loop, which may outlive this object.
  std::shared_ptr<Queue> queue_ = std::make_shared<Queue>();
};

}  // namespace qv
