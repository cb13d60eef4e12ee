#include "ui/qt/QtPicture.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/qt/QtCanvas.h"
#include "ui/qt/QtControls.h"

namespace qv {

void QtPicture::setPainter(int width, int height, Painter painter) {
  size_ = QSize(width, height);
  painter_ = std::move(painter);
  redraw();
}

void QtPicture::redraw() {
  if (!painter_ || size_.isEmpty()) {
    return;
  }
  picture_ = QPixmap(size_);
  picture_.fill(Qt::transparent);
  QPainter p(&picture_);
  QtCanvas canvas(p);
  painter_(canvas);
  p.end();
  update();
}

void QtPicture::paintEvent(QPaintEvent* /*event*/) {
  if (picture_.isNull()) {
    return;
  }
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawPixmap(rect(), picture_);
}

void QtPicture::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  event->accept();
}

void QtPicture::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  event->accept();
  if (click && onClick_) {
    onClick_();
  }
}

void QtControls::setPicture(std::string_view name, int width, int height, Painter painter) {
  if (auto* picture = dynamic_cast<QtPicture*>(built(name))) {
    picture->setPainter(width, height, std::move(painter));
  }
}

void QtControls::repaint(std::string_view name) {
  if (auto* picture = dynamic_cast<QtPicture*>(built(name))) {
    picture->redraw();
  }
}

}  // namespace qv
