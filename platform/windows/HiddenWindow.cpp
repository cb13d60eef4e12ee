#include "platform/windows/HiddenWindow.h"

namespace qv {

void registerWindowClass(const wchar_t* name, WNDPROC procedure, HICON icon) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  // IDC_ARROW in its wide form, whatever the build's character set.
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  windowClass.hIcon = icon;
  windowClass.lpszClassName = name;
  static_cast<void>(RegisterClassExW(&windowClass));
}

HiddenWindow::HiddenWindow(const wchar_t* windowClass, WNDPROC procedure, HWND parent, void* owner)
    : windowClass_(windowClass) {
  registerWindowClass(windowClass, procedure);
  // Never shown: WS_POPUP without WS_VISIBLE where it is top-level.
  const DWORD style = parent == nullptr ? WS_POPUP : 0;
  window_ = CreateWindowExW(0, windowClass, L"", style, 0, 0, 0, 0, parent, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  if (window_ != nullptr && !SetPropW(window_, windowClass, owner)) {
    static_cast<void>(DestroyWindow(window_));
    window_ = nullptr;
  }
}

HiddenWindow::~HiddenWindow() {
  if (window_ != nullptr) {
    static_cast<void>(RemovePropW(window_, windowClass_));
    static_cast<void>(DestroyWindow(window_));
  }
}

}  // namespace qv
