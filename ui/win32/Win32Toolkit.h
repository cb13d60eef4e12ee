#pragma once

#include <windows.h>

#include <functional>

#include "platform/windows/HiddenWindow.h"
#include "ui/Controls.h"

namespace qv {

// What the window's logic needs of Win32 besides the controls: the timer,
// message boxes, file dialogs and modal forms. The main thread's loop comes
// from the platform. Every modal loop (message boxes, dialogs, modal forms)
// dispatches the thread's messages, so the timer goes on ticking.
class Win32Toolkit final : public Toolkit {
 public:
  explicit Win32Toolkit(EventLoop& mainLoop);
  ~Win32Toolkit() override;
  Win32Toolkit(const Win32Toolkit&) = delete;
  Win32Toolkit& operator=(const Win32Toolkit&) = delete;

  EventLoop& mainLoop() override { return loop_; }
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
  static LRESULT CALLBACK timerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  EventLoop& loop_;
  HiddenWindow timerWindow_;
  std::function<void()> tick_;
};

}  // namespace qv
