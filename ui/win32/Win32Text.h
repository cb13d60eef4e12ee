#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace qv {

// The window's texts are UTF-8 in the logic and UTF-16 in Win32.
std::wstring wide(std::string_view text);
std::string narrow(std::wstring_view text);

// The text of a window, in UTF-8.
std::string windowText(HWND window);

}  // namespace qv
