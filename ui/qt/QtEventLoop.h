#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <map>
#include <memory>

#include "platform/EventLoop.h"
#include "platform/linux/DescriptorWatch.h"

namespace qv {

// Posts tasks into the Qt event loop of the thread that created it (the main
// thread), and watches descriptors there. Tasks still queued when it is
// destroyed are dropped.
class QtEventLoop final : public EventLoop, public DescriptorWatch {
 public:
  void post(std::function<void()> task) override;
  void watchReadable(int fd, std::function<void()> ready) override;

 private:
  QObject receiver_;
  std::map<int, std::unique_ptr<QSocketNotifier>> watched_;
};

}  // namespace qv
