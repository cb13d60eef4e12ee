#pragma once

#include <windows.h>

#include "ui/Controls.h"
#include "ui/win32/Win32Fonts.h"

namespace qv {

// The shared canvas on a GDI device context: what the pictures are drawn
// with on Windows.
class Win32Canvas final : public Canvas {
 public:
  Win32Canvas(HDC dc, Win32Fonts& fonts) : dc_(dc), fonts_(fonts) {}

  void rectangle(const Box& box, double radius, std::optional<Fill> fill,
                 std::optional<Pen> outline) override;
  void ellipse(double cx, double cy, double rx, double ry, std::optional<Fill> fill,
               std::optional<Pen> outline) override;
  void line(double x1, double y1, double x2, double y2, const Pen& pen) override;
  void text(const Box& box, std::string_view text, Rgb colour, const FontSpec& font) override;

 private:
  // Draws `shape` with the fill and outline; a see-through fill is blended
  // within the shape's region.
  void draw(const RECT& bounds, HRGN region, const std::optional<Fill>& fill,
            const std::optional<Pen>& outline, int cornerDiameter, bool round);

  HDC dc_;
  Win32Fonts& fonts_;
};

}  // namespace qv
