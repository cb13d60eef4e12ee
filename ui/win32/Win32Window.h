#pragma once

#include <windows.h>

#include <memory>

#include "ui/win32/Win32Controls.h"

namespace qv {

// The main window on Win32: the controls of the main form, and the
// window's own events (first show, activation, close) passed on to the
// logic. Closing hides the window and ends the message loop; the window
// itself goes when this object does, after the logic that uses it.
class Win32Window {
 public:
  Win32Window();
  ~Win32Window();
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  [[nodiscard]] HWND handle() const { return hwnd_; }
  Win32Controls& controls() { return *controls_; }
  // Shows the window centred on the screen.
  void showCentred();

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  std::unique_ptr<Win32Controls> controls_;
  bool shown_ = false;
};

}  // namespace qv
