#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>

#include "ui/Controls.h"

namespace qv {

// A picture control: drawn by the logic's painter on a canvas of its own
// size, shown stretched to the control; a left click runs the click handler.
class QtPicture final : public QWidget {
 public:
  explicit QtPicture(QWidget* parent) : QWidget(parent) {}

  void setPainter(int width, int height, Painter painter);
  // Draws the picture again from its painter.
  void redraw();
  void setClickHandler(std::function<void()> handler) { onClick_ = std::move(handler); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QSize size_;
  Painter painter_;
  QPixmap picture_;
  std::function<void()> onClick_;
  bool pressed_ = false;
};

}  // namespace qv
