#include "ui/qt/QtEventLoop.h"

#include <QMetaObject>

namespace qv {

void QtEventLoop::post(std::function<void()> task) {
  // Queued calls to one receiver run in posting order on its thread.
  QMetaObject::invokeMethod(&receiver_, std::move(task), Qt::QueuedConnection);
}

}  // namespace qv
