#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// The program keeps its texts in UTF-8; Windows takes and gives UTF-16.
std::wstring wide(std::string_view text);
std::string narrow(std::wstring_view text);

// The text of a window, in UTF-8.
std::string windowText(HWND window);

// The system's message text for an error code, without the line end Windows
// appends; empty when the system has none.
std::string systemMessage(uint32_t code);

}  // namespace qv
