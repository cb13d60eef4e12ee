#pragma once

#include <windows.h>

namespace qv {

// Registers a window class of this program; a second registration of the
// same name finds it there and changes nothing.
void registerWindowClass(const wchar_t* name, WNDPROC procedure, HICON icon = nullptr);

// A never-shown window whose procedure finds its owner through a property
// named after the window's class. `parent` HWND_MESSAGE makes it
// message-only; nullptr makes it top-level, so it hears broadcasts. Without
// its window (handle() nullptr) nothing reaches the owner.
class HiddenWindow {
 public:
  HiddenWindow(const wchar_t* windowClass, WNDPROC procedure, HWND parent, void* owner);
  ~HiddenWindow();
  HiddenWindow(const HiddenWindow&) = delete;
  HiddenWindow& operator=(const HiddenWindow&) = delete;

  [[nodiscard]] HWND handle() const { return window_; }

  // The owner of `window` if it is a hidden window of `windowClass`, else nullptr.
  template <typename Owner>
  static Owner* ownerOf(HWND window, const wchar_t* windowClass) {
    return static_cast<Owner*>(GetPropW(window, windowClass));
  }

 private:
  const wchar_t* windowClass_;
  HWND window_ = nullptr;
};

}  // namespace qv
