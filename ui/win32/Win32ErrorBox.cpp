#include "ui/win32/Win32ErrorBox.h"

#include "platform/windows/Win32Text.h"

namespace qv {

void showErrorBox(const std::string& text) {
  MessageBoxW(GetActiveWindow(), wide(text).c_str(), L"Quorvane", MB_OK | MB_ICONERROR);
}

}  // namespace qv
