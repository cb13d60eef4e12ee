#include "hid/MainThreadHandoff.h"

#include "platform/EventLoop.h"

namespace qv {

MainThreadHandoff::MainThreadHandoff(EventLoop& loop) : loop_(loop) {}

std::exception_ptr MainThreadHandoff::runOnMainThread(const std::function<void()>& call) {
  Pending entry;
  entry.call = &call;
  {
    const std::lock_guard lock(queue_->mutex);
    queue_->pending.push_back(&entry);
  }
  queue_->changed.notify_all();
  loop_.post([weak = std::weak_ptr<Queue>(queue_)] {
    if (const auto queue = weak.lock()) {
      serveAll(*queue);
    }
  });
  std::unique_lock lock(queue_->mutex);
  queue_->changed.wait(lock, [&entry] { return entry.done; });
  return entry.error;
}

void MainThreadHandoff::serveOne(Queue& queue, std::unique_lock<std::mutex>& lock) {
  Pending* entry = queue.pending.front();
  queue.pending.pop_front();
  lock.unlock();
  std::exception_ptr error;
  try {
    (*entry->call)();
  } catch (...) {
    error = std::current_exception();
  }
  lock.lock();
  entry->error = error;
  entry->done = true;
  queue.changed.notify_all();
}

void MainThreadHandoff::serveAll(Queue& queue) {
  std::unique_lock lock(queue.mutex);
  while (!queue.pending.empty()) {
    serveOne(queue, lock);
  }
}

void MainThreadHandoff::servePending() {
  serveAll(*queue_);
}

void MainThreadHandoff::serveUntil(const std::function<bool()>& finished) {
  std::unique_lock lock(queue_->mutex);
  while (!finished()) {
    if (queue_->pending.empty()) {
      queue_->changed.wait(lock);
    } else {
      serveOne(*queue_, lock);
    }
  }
}

void MainThreadHandoff::wake() {
  { const std::lock_guard lock(queue_->mutex); }
  queue_->changed.notify_all();
}

}  // namespace qv
