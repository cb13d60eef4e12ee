#pragma once

#include <QObject>

#include "platform/EventLoop.h"

namespace qv {

// Posts tasks into the Qt event loop of the thread that created it (the main
// thread). Tasks still queued when it is destroyed are dropped.
class QtEventLoop final : public EventLoop {
 public:
  QtEventLoop() = default;
  void post(std::function<void()> task) override;

 private:
  QObject receiver_;
};

}  // namespace qv
