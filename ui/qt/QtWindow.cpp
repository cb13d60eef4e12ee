#include "ui/qt/QtWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

namespace qv {

namespace {

// How much a Windows frame adds to the client area of a window.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 38;

}  // namespace

QtWindow::QtWindow() : controls_(std::make_unique<QtControls>(mainWindowForm(), *this)) {
  // 450 x 500 outside.
  setMinimumSize(450 - kFrameWidth, 500 - kFrameHeight);
}

void QtWindow::showCentred() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  show();
}

void QtWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!shown_) {
    shown_ = true;
    controls_->tell([](FormEvents& events) { events.shown(); });
  }
}

void QtWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    controls_->tell([](FormEvents& events) { events.activated(); });
  }
}

void QtWindow::closeEvent(QCloseEvent* event) {
  controls_->tell([](FormEvents& events) { events.closing(); });
  event->accept();
}

}  // namespace qv
