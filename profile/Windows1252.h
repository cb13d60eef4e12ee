#pragma once

#include <string>
#include <string_view>

namespace qv {

// Profiles are stored in the Windows ANSI code page (Windows-1252) on every
// platform, so a file moves between installations unchanged.

// UTF-8 to Windows-1252. A character the code page cannot hold, and every
// byte of malformed UTF-8, becomes "?".
std::string utf8ToWindows1252(std::string_view utf8);

// Windows-1252 to UTF-8. Every byte decodes; the five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control
// characters of the same number, as Windows reads them, so they survive a
// load and a save.
std::string windows1252ToUtf8(std::string_view ansi);

}  // namespace qv
