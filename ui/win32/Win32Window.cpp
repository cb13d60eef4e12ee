#include "ui/win32/Win32Window.h"

#include <stdexcept>

#include "platform/windows/HiddenWindow.h"
#include "ui/win32/Win32ErrorBox.h"
#include "ui/win32/Win32Look.h"

namespace qv {

namespace {

constexpr wchar_t kWindowClass[] = L"QvMainForm";
// The title while no profile names the window.
constexpr wchar_t kProgramName[] = L"Quorvane";
// The smallest outer size the user can shrink the window to.
constexpr POINT kMinimumSize{450, 500};

}  // namespace

Win32Window::Win32Window() {
  registerWindowClass(kWindowClass, windowProc, LoadIconW(nullptr, IDI_APPLICATION));
  hwnd_ = CreateWindowExW(0, kWindowClass, kProgramName, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                          nullptr, GetModuleHandleW(nullptr), this);
  if (hwnd_ == nullptr) {
    throw std::runtime_error("cannot create the main window");
  }
  controls_ = std::make_unique<Win32Controls>(mainWindowForm(), hwnd_);
}

Win32Window::~Win32Window() {
  controls_.reset();
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
}

void Win32Window::showCentred() {
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  centreOver(hwnd_, area);
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
}

LRESULT CALLBACK Win32Window::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* window = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (window == nullptr || !window->controls_) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return withinMessage([&] { return window->handle(message, wParam, lParam); });
}

LRESULT Win32Window::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SHOWWINDOW:
      if (wParam != FALSE && !shown_) {
        shown_ = true;
        controls_->tell([](FormEvents& events) { events.shown(); });
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) {
        controls_->tell([](FormEvents& events) { events.activated(); });
      }
      break;
    case WM_GETMINMAXINFO: {
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      limits->ptMinTrackSize = kMinimumSize;
      return 0;
    }
    case WM_CLOSE:
      controls_->tell([](FormEvents& events) { events.closing(); });
      ShowWindow(hwnd_, SW_HIDE);
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace qv
