#pragma once

#include <cstdint>
#include <string>

namespace qv {

// The core keeps its texts in UTF-8; Windows takes and gives UTF-16.
std::wstring wideFromUtf8(const std::string& text);
std::string utf8FromWide(const wchar_t* text, size_t length);

// The system's message text for an error code, without the line end Windows
// appends; empty when the system has none.
std::string systemMessage(uint32_t code);

}  // namespace qv
