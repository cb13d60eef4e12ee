#include "ui/win32/Win32Fonts.h"

#include "platform/windows/Win32Text.h"

namespace qv {

Win32Fonts::~Win32Fonts() {
  for (const auto& [key, font] : fonts_) {
    DeleteObject(font);
  }
}

HFONT Win32Fonts::font(const FontSpec& face) {
  Key key{std::string(face.family), face.pixels, face.bold, face.italic, face.underline};
  if (const auto found = fonts_.find(key); found != fonts_.end()) {
    return found->second;
  }
  // A negative height asks for the character height, not the cell's.
  HFONT made = CreateFontW(-face.pixels, 0, 0, 0, face.bold ? FW_BOLD : FW_NORMAL,
                           face.italic ? TRUE : FALSE, face.underline ? TRUE : FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, wide(face.family).c_str());
  fonts_.emplace(std::move(key), made);
  return made;
}

}  // namespace qv
