#include "platform/windows/DeviceNotificationWindow.h"

#include <windows.h>
// windows.h first: dbt.h uses its types.
#include <dbt.h>

namespace qv {

namespace {

constexpr const wchar_t* kWindowClass = L"QuorvaneDeviceNotification";
// The window property that leads its procedure to the source.
constexpr const wchar_t* kSourceProperty = L"QuorvaneDeviceChangeSource";

class DeviceNotificationWindow final : public DeviceChangeSource {
 public:
  DeviceNotificationWindow() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &DeviceNotificationWindow::procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    // A second source finds the class registered already.
    static_cast<void>(RegisterClassExW(&windowClass));
    // Never shown: WS_POPUP without WS_VISIBLE.
    window_ = CreateWindowExW(0, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              instance, nullptr);
    if (window_ != nullptr && !SetPropW(window_, kSourceProperty, this)) {
      static_cast<void>(DestroyWindow(window_));
      window_ = nullptr;
    }
  }
  ~DeviceNotificationWindow() override {
    if (window_ != nullptr) {
      static_cast<void>(RemovePropW(window_, kSourceProperty));
      static_cast<void>(DestroyWindow(window_));
    }
  }
  DeviceNotificationWindow(const DeviceNotificationWindow&) = delete;
  DeviceNotificationWindow& operator=(const DeviceNotificationWindow&) = delete;

  // The notifications arrive as window messages, not on a descriptor.
  int fileDescriptor() const override { return -1; }

  bool drainChanges() override {
    const bool changed = pending_;
    pending_ = false;
    return changed;
  }

  void setChangedCallback(std::function<void()> changed) override { changed_ = std::move(changed); }

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* const self = static_cast<DeviceNotificationWindow*>(GetPropW(window, kSourceProperty));
    if (self != nullptr && message == WM_DEVICECHANGE && wParam == DBT_DEVNODES_CHANGED) {
      self->notice();
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  void notice() {
    pending_ = true;
    if (changed_) {
      changed_();
    }
  }

  HWND window_ = nullptr;
  bool pending_ = false;
  std::function<void()> changed_;
};

}  // namespace

std::unique_ptr<DeviceChangeSource> makeDeviceNotificationWindow() {
  return std::make_unique<DeviceNotificationWindow>();
}

}  // namespace qv
