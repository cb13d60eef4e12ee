#include "ui/win32/Win32Text.h"

#include <vector>

#include "platform/windows/Win32Text.h"

namespace qv {

std::wstring wide(std::string_view text) {
  return wideFromUtf8(std::string(text));
}

std::string narrow(std::wstring_view text) {
  return utf8FromWide(text.data(), text.size());
}

std::string windowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
  const int copied = GetWindowTextW(window, buffer.data(), length + 1);
  return narrow(std::wstring_view(buffer.data(), static_cast<size_t>(copied)));
}

}  // namespace qv
