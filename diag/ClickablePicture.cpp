#include "diag/ClickablePicture.h"

#include <QMouseEvent>

namespace qv {

void ClickablePicture::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  event->accept();
}

void ClickablePicture::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  event->accept();
  if (click && onClick_) {
    onClick_();
  }
}

}  // namespace qv
