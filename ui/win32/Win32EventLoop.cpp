#include "ui/win32/Win32EventLoop.h"

namespace qv {

namespace {

constexpr const wchar_t* kWindowClass = L"QuorvaneEventLoop";
// One per posted task; each runs every task waiting by then, so a message
// may find its task already run.
constexpr UINT kRunPosted = WM_APP + 1;

}  // namespace

Win32EventLoop::Win32EventLoop()
    : window_(kWindowClass, &Win32EventLoop::procedure, HWND_MESSAGE, this) {}

void Win32EventLoop::post(std::function<void()> task) {
  {
    const std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  // Without its window there is nowhere to post to: a null window would make
  // it a message of the posting thread.
  if (window_.handle() != nullptr) {
    static_cast<void>(PostMessageW(window_.handle(), kRunPosted, 0, 0));
  }
}

LRESULT CALLBACK Win32EventLoop::procedure(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  auto* const self = HiddenWindow::ownerOf<Win32EventLoop>(window, kWindowClass);
  if (self != nullptr && message == kRunPosted) {
    self->runPosted();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

int Win32EventLoop::run(HWND keyboardWindow) {
  MSG message;
  BOOL got = 0;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
    dispatch(message, keyboardWindow);
  }
  return got == 0 ? static_cast<int>(message.wParam) : 1;
}

void Win32EventLoop::dispatch(const MSG& message, HWND keyboardWindow) {
  MSG copy = message;
  if (keyboardWindow != nullptr && IsDialogMessageW(keyboardWindow, &copy) != FALSE) {
    return;
  }
  TranslateMessage(&copy);
  DispatchMessageW(&copy);
}

// One task at a time, unlocked while it runs: a task may post more, a reader
// may post meanwhile, and a task's modal loop may run the tasks behind it.
void Win32EventLoop::runPosted() {
  for (;;) {
    std::function<void()> task;
    {
      const std::lock_guard lock(mutex_);
      if (tasks_.empty()) {
        return;
      }
      task = std::move(tasks_.front());
      tasks_.pop_front();
    }
    task();
  }
}

}  // namespace qv
