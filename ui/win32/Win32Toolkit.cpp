#include "ui/win32/Win32Toolkit.h"

#include <commdlg.h>

#include <stdexcept>
#include <vector>

#include "platform/windows/Win32Text.h"
#include "ui/win32/Win32Controls.h"
#include "ui/win32/Win32ErrorBox.h"
#include "ui/win32/Win32EventLoop.h"
#include "ui/win32/Win32Look.h"

namespace qv {

namespace {

constexpr wchar_t kTimerClass[] = L"QvTimer";
constexpr wchar_t kModalClass[] = L"QvModalForm";
constexpr wchar_t kAppName[] = L"Quorvane";
constexpr UINT_PTR kTimerId = 1;
constexpr DWORD kFileNameLength = 32768;

// A modal form closes by hiding itself; its loop then ends. Esc closes it
// too: the dialog manager of its loop turns the key into IDCANCEL.
LRESULT CALLBACK modalProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)) {
    ShowWindow(hwnd, SW_HIDE);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The file dialogs' common part: the chosen name, nothing when cancelled.
struct FileDialog {
  const wchar_t* filter;  // pairs of description and pattern, each ended by a zero
  const wchar_t* defaultExtension = nullptr;
  const wchar_t* title = nullptr;
  DWORD flags = 0;
  bool save = false;
  bool startInWorkingFolder = false;
};

std::optional<std::string> chooseFile(const FileDialog& dialog) {
  std::vector<wchar_t> name(kFileNameLength, L'\0');
  std::vector<wchar_t> folder(MAX_PATH, L'\0');
  OPENFILENAMEW ask{};
  ask.lStructSize = sizeof(ask);
  ask.hwndOwner = GetActiveWindow();
  ask.lpstrFilter = dialog.filter;
  ask.nFilterIndex = 1;
  ask.lpstrFile = name.data();
  ask.nMaxFile = kFileNameLength;
  ask.lpstrDefExt = dialog.defaultExtension;
  ask.lpstrTitle = dialog.title;
  if (dialog.startInWorkingFolder) {
    GetCurrentDirectoryW(MAX_PATH, folder.data());
    ask.lpstrInitialDir = folder.data();
  }
  // The working folder stays where it was: "profile.psv" is looked for there.
  ask.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | dialog.flags;
  // Both dialogs run a modal loop, so the window's timer goes on ticking.
  const BOOL chosen = dialog.save ? GetSaveFileNameW(&ask) : GetOpenFileNameW(&ask);
  if (chosen == FALSE) {
    return std::nullopt;
  }
  return narrow(name.data());
}

}  // namespace

// A message-only window: its timer messages are dispatched by every loop of
// the thread, modal ones included.
Win32Toolkit::Win32Toolkit(EventLoop& mainLoop)
    : loop_(mainLoop), timerWindow_(kTimerClass, timerProc, HWND_MESSAGE, this) {
  if (timerWindow_.handle() == nullptr) {
    throw std::runtime_error("cannot create the timer's window");
  }
}

Win32Toolkit::~Win32Toolkit() {
  stopTimer();
}

LRESULT CALLBACK Win32Toolkit::timerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kTimerId) {
    auto* toolkit = HiddenWindow::ownerOf<Win32Toolkit>(hwnd, kTimerClass);
    return withinMessage([toolkit]() -> LRESULT {
      if (toolkit != nullptr && toolkit->tick_) {
        toolkit->tick_();
      }
      return 0;
    });
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Win32Toolkit::startTimer(int milliseconds, std::function<void()> tick) {
  tick_ = std::move(tick);
  SetTimer(timerWindow_.handle(), kTimerId, static_cast<UINT>(milliseconds), nullptr);
}

void Win32Toolkit::stopTimer() {
  KillTimer(timerWindow_.handle(), kTimerId);
  tick_ = nullptr;
}

void Win32Toolkit::showMessage(const std::string& text) {
  MessageBoxW(GetActiveWindow(), wide(text).c_str(), kAppName, MB_OK | MB_ICONINFORMATION);
}

void Win32Toolkit::showError(const std::string& text) {
  showErrorBox(text);
}

bool Win32Toolkit::askYesNo(const std::string& question) {
  return MessageBoxW(GetActiveWindow(), wide(question).c_str(), kAppName,
                     MB_YESNO | MB_ICONQUESTION) == IDYES;
}

std::optional<std::string> Win32Toolkit::openProfile() {
  // No OFN_FILEMUSTEXIST: a typed name of a missing file reaches the load, which reports it.
  return chooseFile({.filter = L"Driver Profile\0*.psv\0"});
}

std::optional<std::string> Win32Toolkit::saveProfileAs() {
  // No OFN_OVERWRITEPROMPT: an existing profile is replaced without asking.
  return chooseFile({.filter = L"Profile File\0*.psv\0", .defaultExtension = L"psv", .save = true});
}

std::optional<std::string> Win32Toolkit::saveHistory() {
  return chooseFile(
      {.filter = L"Text Files *.txt\0*.txt\0All Files *.*\0*.*\0",
       .defaultExtension = L"txt",
       .title = L"Save History",
       .flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_DONTADDTORECENT,
       .save = true,
       .startInWorkingFolder = true});
}

void Win32Toolkit::showModal(const Form& rows, const std::function<void(Controls&)>& fill) {
  registerWindowClass(kModalClass, modalProc);
  HWND owner = GetActiveWindow();
  // A caption and a close box only; the form's row sizes its client area.
  HWND dialog = CreateWindowExW(WS_EX_DLGMODALFRAME, kModalClass, L"",
                                WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0, 0, 0,
                                owner, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (dialog == nullptr) {
    throw std::runtime_error("cannot create a modal form");
  }
  {
    Win32Controls controls(rows, dialog);
    fill(controls);
    // Centred over the window that opened it, or the screen.
    RECT over{};
    if (owner == nullptr || GetWindowRect(owner, &over) == FALSE) {
      SystemParametersInfoW(SPI_GETWORKAREA, 0, &over, 0);
    }
    centreOver(dialog, over);
    if (owner != nullptr) {
      EnableWindow(owner, FALSE);
    }
    ShowWindow(dialog, SW_SHOW);
    MSG message;
    while (IsWindowVisible(dialog) != FALSE) {
      const BOOL got = GetMessageW(&message, nullptr, 0, 0);
      if (got == 0 || got == -1) {
        // The program is ending: the main loop must see its quit message too.
        PostQuitMessage(static_cast<int>(message.wParam));
        break;
      }
      Win32EventLoop::dispatch(message, dialog);
    }
    if (owner != nullptr) {
      EnableWindow(owner, TRUE);
      SetActiveWindow(owner);
    }
  }
  DestroyWindow(dialog);
}

}  // namespace qv
