#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "form/Form.h"

namespace qv {

// The fonts of one form, made once per face and freed with the form.
class Win32Fonts {
 public:
  Win32Fonts() = default;
  ~Win32Fonts();
  Win32Fonts(const Win32Fonts&) = delete;
  Win32Fonts& operator=(const Win32Fonts&) = delete;

  // A font whose characters are `face.pixels` high, as on every backend.
  HFONT font(const FontSpec& face);

 private:
  using Key = std::tuple<std::string, int, bool, bool, bool>;
  std::map<Key, HFONT> fonts_;
};

}  // namespace qv
