#pragma once

#include "form/Form.h"

namespace qv::cyan_dusk {

// "Cyan Dusk" in the window's own colours: dusky teal surfaces, cyan
// accents, the same shades as the Qt backend's style sheet.
inline constexpr Rgb kWindow{0x1f, 0x3a, 0x40};
inline constexpr Rgb kPage{0x24, 0x45, 0x4c};
inline constexpr Rgb kLightText{0xe6, 0xf4, 0xf3};
inline constexpr Rgb kDarkText{0x0d, 0x1f, 0x22};
inline constexpr Rgb kBox{0xf4, 0xfb, 0xfb};
inline constexpr Rgb kReadOnlyBox{0xe2, 0xf0, 0xef};
inline constexpr Rgb kButton{0x2a, 0x6f, 0x73};
inline constexpr Rgb kButtonPressed{0x1d, 0x51, 0x54};
inline constexpr Rgb kButtonText{0xff, 0xff, 0xff};
inline constexpr Rgb kAccent{0x2b, 0xb5, 0xb0};
inline constexpr Rgb kFrame{0x5f, 0x9e, 0xa0};

// Text that reads on `background`: dark on light surfaces, light on dark.
constexpr Rgb textOn(Rgb background) {
  const int luminance = 299 * background.r + 587 * background.g + 114 * background.b;
  return luminance > 128 * 1000 ? kDarkText : kLightText;
}

}  // namespace qv::cyan_dusk
