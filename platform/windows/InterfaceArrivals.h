#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>

#include "platform/windows/HiddenWindow.h"

namespace qv {

// Counts the arrivals of each interface of one class, by path, from the
// system's device-interface notifications to a message-only window of the
// thread that creates it. A device plugged in again keeps its device
// instance, and both its unplug and its return may fall between two scans;
// its arrival count still tells the appearances apart.
class InterfaceArrivals {
 public:
  explicit InterfaceArrivals(const GUID& interfaceClass);
  ~InterfaceArrivals();
  InterfaceArrivals(const InterfaceArrivals&) = delete;
  InterfaceArrivals& operator=(const InterfaceArrivals&) = delete;

  // Arrivals of the interface at `path` seen so far, in any letter case.
  [[nodiscard]] uint32_t count(const std::wstring& path) const;

  // The window's class, for a test that plays the system's part.
  static constexpr const wchar_t* kWindowClass = L"QuorvaneHidArrivals";

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  std::map<std::wstring, uint32_t> arrivals_;
  HiddenWindow window_;
  HDEVNOTIFY registration_ = nullptr;
};

// The key paths are compared by: the notifications and SetupAPI may spell
// the same path in different letter case.
std::wstring interfaceKey(std::wstring path);

}  // namespace qv
