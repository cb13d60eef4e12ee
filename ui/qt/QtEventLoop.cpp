#include "ui/qt/QtEventLoop.h"

#include <QMetaObject>

namespace qv {

void QtEventLoop::post(std::function<void()> task) {
  // Queued calls to one receiver run in posting order on its thread.
  QMetaObject::invokeMethod(&receiver_, std::move(task), Qt::QueuedConnection);
}

void QtEventLoop::watchReadable(int fd, std::function<void()> ready) {
  watched_.erase(fd);
  if (!ready) {
    return;
  }
  auto notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
  QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(), std::move(ready));
  watched_.emplace(fd, std::move(notifier));
}

}  // namespace qv
