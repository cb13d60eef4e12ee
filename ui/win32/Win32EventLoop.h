#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>

#include "platform/EventLoop.h"
#include "platform/windows/HiddenWindow.h"

namespace qv {

// Posts tasks to the Win32 message loop of the thread that created it, which
// must run that loop. The tasks travel through a message-only window rather
// than as thread messages, because modal loops (message boxes, file dialogs)
// dispatch window messages but drop thread messages.
class Win32EventLoop final : public EventLoop {
 public:
  Win32EventLoop();

  void post(std::function<void()> task) override;

  // Runs the thread's messages until the program quits and returns its exit
  // code. The keys that move between controls (Tab, Shift+Tab, the arrows in
  // a group) work in `keyboardWindow` as in a dialog.
  static int run(HWND keyboardWindow);
  // One message of that loop.
  static void dispatch(const MSG& message, HWND keyboardWindow);

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void runPosted();

  std::mutex mutex_;
  std::deque<std::function<void()>> tasks_;
  HiddenWindow window_;
};

}  // namespace qv
