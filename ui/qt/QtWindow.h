#pragma once

#include <QWidget>
#include <memory>

#include "ui/qt/QtControls.h"

namespace qv {

// The main window on Qt: the widgets of the main form, and the window's
// own events (first show, activation, close) passed on to the logic.
class QtWindow : public QWidget {
 public:
  QtWindow();

  QtControls& controls() { return *controls_; }
  // Shows the window centred on the screen.
  void showCentred();

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  std::unique_ptr<QtControls> controls_;
  bool shown_ = false;
};

}  // namespace qv
