#pragma once

#include <QTimer>
#include <functional>

#include "ui/Controls.h"
#include "ui/qt/QtEventLoop.h"

namespace qv {

// What the window's logic needs of Qt besides the controls: the timer, the
// main-thread hand-off, message boxes, file
// dialogs and modal forms. Every modal loop keeps the timer ticking.
class QtToolkit final : public Toolkit {
 public:
  QtToolkit();
  ~QtToolkit() override;
  QtToolkit(const QtToolkit&) = delete;
  QtToolkit& operator=(const QtToolkit&) = delete;

  // Also the descriptor watch of the Linux platform services.
  QtEventLoop& mainLoop() override { return loop_; }
  void startTimer(int milliseconds, std::function<void()> tick) override;
  void stopTimer() override;

  void showMessage(const std::string& text) override;
  void showError(const std::string& text) override;
  bool askYesNo(const std::string& question) override;

  std::optional<std::string> openProfile() override;
  std::optional<std::string> saveProfileAs() override;
  std::optional<std::string> saveHistory() override;

  void showModal(const Form& rows, const std::function<void(Controls&)>& fill) override;

 private:
  QtEventLoop loop_;
  QTimer timer_;
};

}  // namespace qv
