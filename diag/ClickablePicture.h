#pragma once

#include <QLabel>
#include <functional>

namespace qv {

// A picture that runs a handler when it is clicked: pressed and released
// with the left button inside it.
class ClickablePicture final : public QLabel {
 public:
  explicit ClickablePicture(QWidget* parent = nullptr) : QLabel(parent) {}

  void setClickHandler(std::function<void()> handler) { onClick_ = std::move(handler); }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::function<void()> onClick_;
  bool pressed_ = false;
};

}  // namespace qv
