#include "platform/windows/DeviceNotificationWindow.h"

#include <windows.h>
// windows.h first: dbt.h uses its types.
#include <dbt.h>

#include <bit>

#include "platform/windows/HiddenWindow.h"

namespace qv {

namespace {

constexpr const wchar_t* kWindowClass = L"QuorvaneDeviceNotification";
// A plug sends several notifications within a few hundred milliseconds; the
// callback runs once they have been quiet this long.
constexpr UINT_PTR kQuietTimer = 1;
constexpr UINT kQuietMilliseconds = 200;

class DeviceNotificationWindow final : public DeviceChangeSource {
 public:
  DeviceNotificationWindow()
      : window_(kWindowClass, &DeviceNotificationWindow::procedure, nullptr, this) {
    modalFilter_ = SetWindowsHookExW(WH_MSGFILTER, &DeviceNotificationWindow::modalLoopFilter,
                                     nullptr, GetCurrentThreadId());
  }
  ~DeviceNotificationWindow() override {
    if (modalFilter_ != nullptr) {
      static_cast<void>(UnhookWindowsHookEx(modalFilter_));
    }
    if (window_.handle() != nullptr) {
      static_cast<void>(KillTimer(window_.handle(), kQuietTimer));
    }
  }
  DeviceNotificationWindow(const DeviceNotificationWindow&) = delete;
  DeviceNotificationWindow& operator=(const DeviceNotificationWindow&) = delete;

  bool drainChanges() override {
    const bool changed = pending_;
    pending_ = false;
    return changed;
  }

  void setChangedCallback(std::function<void()> changed) override { changed_ = std::move(changed); }

 private:
  // The broadcast is sent to every top-level window and waits for each, so
  // it only notes the change and (re)starts the quiet timer.
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* const self = HiddenWindow::ownerOf<DeviceNotificationWindow>(window, kWindowClass);
    if (self != nullptr && message == WM_DEVICECHANGE && wParam == DBT_DEVNODES_CHANGED) {
      self->pending_ = true;
      static_cast<void>(SetTimer(window, kQuietTimer, kQuietMilliseconds, nullptr));
    }
    if (self != nullptr && message == WM_TIMER && wParam == kQuietTimer) {
      static_cast<void>(KillTimer(window, kQuietTimer));
      if (self->changed_ && self->pending_) {
        self->changed_();
      }
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  // Message boxes and dialogs run the filter on every message of their modal
  // loop. Our timer is kept from them, so the callback never runs inside a
  // handler's box or dialog (which may hold a device record a rescan would
  // release); the timer fires again once the main loop runs.
  static LRESULT CALLBACK modalLoopFilter(int code, WPARAM wParam, LPARAM lParam) {
    // The message travels in the hook's integer parameter.
    const auto* const message = std::bit_cast<const MSG*>(lParam);
    if (code >= 0 && message != nullptr && message->message == WM_TIMER &&
        message->wParam == kQuietTimer && message->hwnd != nullptr &&
        HiddenWindow::ownerOf<DeviceNotificationWindow>(message->hwnd, kWindowClass) != nullptr) {
      return TRUE;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  HiddenWindow window_;
  HHOOK modalFilter_ = nullptr;
  bool pending_ = false;
  std::function<void()> changed_;
};

}  // namespace

std::unique_ptr<DeviceChangeSource> makeDeviceNotificationWindow() {
  return std::make_unique<DeviceNotificationWindow>();
}

}  // namespace qv
