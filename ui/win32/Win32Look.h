#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

#include "form/Form.h"

namespace qv {

namespace cyan_dusk {

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

}  // namespace cyan_dusk

inline COLORREF colourRef(Rgb colour) {
  return RGB(colour.r, colour.g, colour.b);
}

// GDI objects and memory device contexts made for one drawing. Declared
// before the GdiSelected that puts them into a context, they outlive it.
struct GdiDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct MemoryDcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
template <typename Handle>
using GdiOwned = std::unique_ptr<std::remove_pointer_t<Handle>, GdiDeleter>;
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;

// Selects a GDI object into a device context for the lifetime of the guard,
// then puts the previous one back.
class GdiSelected {
 public:
  GdiSelected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~GdiSelected() { SelectObject(dc_, previous_); }
  GdiSelected(const GdiSelected&) = delete;
  GdiSelected& operator=(const GdiSelected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Moves `window` to stand centred over `area` (screen coordinates).
inline void centreOver(HWND window, const RECT& area) {
  RECT box{};
  GetWindowRect(window, &box);
  const int width = box.right - box.left;
  const int height = box.bottom - box.top;
  SetWindowPos(window, nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

// The place of `child` within its parent's client area.
inline RECT placeInParent(HWND child) {
  RECT box{};
  GetWindowRect(child, &box);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&box), 2);
  return box;
}

}  // namespace qv
