// One running copy per user on Windows: a named mutex in the session's
// namespace. Windows closes it when the process ends, however it ends.
#include <windows.h>

#include "platform/SingleInstance.h"
#include "platform/windows/Win32Text.h"

namespace qv {

namespace {

constexpr wchar_t kMutexName[] = L"Local\\io.github.quorvane.Quorvane";
// The class the main window registers (ui/win32/Win32Window.cpp).
constexpr wchar_t kMainWindowClass[] = L"QvMainForm";

// The running copy's window comes forward; Windows lets a process that was
// just started by the user hand the foreground on.
bool bringMainWindowToFront() {
  HWND window = FindWindowW(kMainWindowClass, nullptr);
  if (window == nullptr) {
    return false;
  }
  if (IsIconic(window) != FALSE) {
    static_cast<void>(ShowWindow(window, SW_RESTORE));
  }
  return SetForegroundWindow(window) != FALSE;
}

}  // namespace

InstanceClaim claimSingleInstance() {
  InstanceClaim claim;
  HANDLE mutex = CreateMutexW(nullptr, FALSE, kMutexName);
  if (mutex == nullptr) {
    claim.problem = "cannot make the mutex: " + systemMessage(GetLastError());
    return claim;
  }
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    static_cast<void>(CloseHandle(mutex));
    claim.anotherRuns = true;
    claim.broughtToFront = bringMainWindowToFront();
    return claim;
  }
  claim.lock = std::make_unique<InstanceLock>([mutex] { static_cast<void>(CloseHandle(mutex)); });
  return claim;
}

}  // namespace qv
