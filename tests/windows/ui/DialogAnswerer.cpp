#include "tests/windows/ui/DialogAnswerer.h"

#include <commdlg.h>
#include <dlgs.h>

#include <stdexcept>
#include <vector>

#include "platform/windows/Win32Text.h"

namespace qv::test {

namespace {

constexpr wchar_t kClass[] = L"QvDialogAnswerer";
constexpr UINT_PTR kTimer = 1;
constexpr UINT kEveryMilliseconds = 30;

std::wstring className(HWND hwnd) {
  std::vector<wchar_t> name(64, L'\0');
  const int length = GetClassNameW(hwnd, name.data(), static_cast<int>(name.size()));
  return {name.data(), static_cast<size_t>(length)};
}

BOOL CALLBACK findDialog(HWND hwnd, LPARAM found) {
  if (className(hwnd) == L"#32770" && IsWindowVisible(hwnd) != FALSE) {
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK findText(HWND hwnd, LPARAM found) {
  auto& text = *reinterpret_cast<std::string*>(found);
  if (className(hwnd) == L"Static") {
    const std::string shown = windowText(hwnd);
    if (shown.size() > text.size()) {
      text = shown;
    }
  }
  return TRUE;
}

void pressOk(HWND dialog) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

}  // namespace

DialogAnswerer::DialogAnswerer() : window_(kClass, procedure, HWND_MESSAGE, this) {
  if (window_.handle() == nullptr) {
    throw std::runtime_error("cannot create the dialog answerer");
  }
  SetTimer(window_.handle(), kTimer, kEveryMilliseconds, nullptr);
}

DialogAnswerer::~DialogAnswerer() {
  KillTimer(window_.handle(), kTimer);
}

LRESULT CALLBACK DialogAnswerer::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) {
    if (auto* self = HiddenWindow::ownerOf<DialogAnswerer>(hwnd, kClass)) {
      self->look();
    }
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void DialogAnswerer::look() {
  if (answers_.empty()) {
    return;
  }
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), findDialog, reinterpret_cast<LPARAM>(&dialog));
  if (dialog == nullptr) {
    return;
  }
  const Answer answer = std::move(answers_.front());
  answers_.pop_front();
  answer(dialog);
}

DialogAnswerer::Answer confirmMessage(std::vector<std::string>& texts) {
  return [&texts](HWND dialog) {
    std::string text;
    EnumChildWindows(dialog, findText, reinterpret_cast<LPARAM>(&text));
    texts.push_back(text);
    pressOk(dialog);
  };
}

DialogAnswerer::Answer chooseFile(const std::string& name, std::string* filter) {
  return [name, filter](HWND dialog) {
    if (filter != nullptr) {
      HWND types = GetDlgItem(dialog, cmb1);
      std::vector<wchar_t> first(256, L'\0');
      SendMessageW(types, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first.data()));
      *filter = narrow(first.data());
    }
    const std::wstring typed = wide(name);
    SendMessageW(dialog, CDM_SETCONTROLTEXT, GetDlgItem(dialog, cmb13) != nullptr ? cmb13 : edt1,
                 reinterpret_cast<LPARAM>(typed.c_str()));
    pressOk(dialog);
  };
}

}  // namespace qv::test
