#include "ui/win32/Win32Canvas.h"

#include <cmath>

#include "platform/windows/Win32Text.h"
#include "ui/win32/Win32Look.h"

namespace qv {

namespace {

int px(double value) {
  return static_cast<int>(std::lround(value));
}

HPEN makePen(const Canvas::Pen& pen) {
  LOGBRUSH brush{BS_SOLID, colourRef(pen.colour), 0};
  const DWORD style =
      PS_GEOMETRIC | PS_SOLID | PS_JOIN_ROUND | (pen.roundCap ? PS_ENDCAP_ROUND : PS_ENDCAP_SQUARE);
  return ExtCreatePen(style, static_cast<DWORD>(std::max(1, px(pen.width))), &brush, 0, nullptr);
}

}  // namespace

void Win32Canvas::draw(const RECT& bounds, HRGN region, const std::optional<Fill>& fill,
                       const std::optional<Pen>& outline, int cornerDiameter, bool round) {
  if (fill && fill->alpha >= 255) {
    const GdiOwned<HBRUSH> brush(CreateSolidBrush(colourRef(fill->colour)));
    FillRgn(dc_, region, brush.get());
  } else if (fill && fill->alpha > 0) {
    // GDI fills are opaque: blend a plain block of the colour, clipped to the shape.
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    const MemoryDc block(CreateCompatibleDC(dc_));
    const GdiOwned<HBITMAP> bits(CreateCompatibleBitmap(dc_, width, height));
    const GdiSelected chosen(block.get(), bits.get());
    const GdiOwned<HBRUSH> brush(CreateSolidBrush(colourRef(fill->colour)));
    const RECT all{0, 0, width, height};
    FillRect(block.get(), &all, brush.get());
    SaveDC(dc_);
    SelectClipRgn(dc_, region);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(fill->alpha), 0};
    GdiAlphaBlend(dc_, bounds.left, bounds.top, width, height, block.get(), 0, 0, width, height,
                  blend);
    RestoreDC(dc_, -1);
  }
  if (outline) {
    const GdiOwned<HPEN> pen(makePen(*outline));
    const GdiSelected chosenPen(dc_, pen.get());
    const GdiSelected noBrush(dc_, GetStockObject(NULL_BRUSH));
    if (round) {
      Ellipse(dc_, bounds.left, bounds.top, bounds.right, bounds.bottom);
    } else if (cornerDiameter > 0) {
      RoundRect(dc_, bounds.left, bounds.top, bounds.right, bounds.bottom, cornerDiameter,
                cornerDiameter);
    } else {
      Rectangle(dc_, bounds.left, bounds.top, bounds.right, bounds.bottom);
    }
  }
}

void Win32Canvas::rectangle(const Box& box, double radius, std::optional<Fill> fill,
                            std::optional<Pen> outline) {
  const RECT bounds{px(box.x), px(box.y), px(box.x + box.width), px(box.y + box.height)};
  const int diameter = px(radius * 2);
  // Regions leave out their right and bottom edges; the +1 keeps the fill
  // as large as the outline.
  HRGN region = diameter > 0 ? CreateRoundRectRgn(bounds.left, bounds.top, bounds.right + 1,
                                                  bounds.bottom + 1, diameter, diameter)
                             : CreateRectRgn(bounds.left, bounds.top, bounds.right, bounds.bottom);
  draw(bounds, region, fill, outline, diameter, false);
  DeleteObject(region);
}

void Win32Canvas::ellipse(double cx, double cy, double rx, double ry, std::optional<Fill> fill,
                          std::optional<Pen> outline) {
  const RECT bounds{px(cx - rx), px(cy - ry), px(cx + rx), px(cy + ry)};
  HRGN region = CreateEllipticRgn(bounds.left, bounds.top, bounds.right + 1, bounds.bottom + 1);
  draw(bounds, region, fill, outline, 0, true);
  DeleteObject(region);
}

void Win32Canvas::line(double x1, double y1, double x2, double y2, const Pen& pen) {
  const GdiOwned<HPEN> made(makePen(pen));
  const GdiSelected chosen(dc_, made.get());
  MoveToEx(dc_, px(x1), px(y1), nullptr);
  LineTo(dc_, px(x2), px(y2));
}

void Win32Canvas::text(const Box& box, std::string_view text, Rgb colour, const FontSpec& font) {
  const GdiSelected chosen(dc_, fonts_.font(font));
  SetBkMode(dc_, TRANSPARENT);
  SetTextColor(dc_, colourRef(colour));
  RECT bounds{px(box.x), px(box.y), px(box.x + box.width), px(box.y + box.height)};
  const std::wstring shown = wide(text);
  DrawTextW(dc_, shown.c_str(), static_cast<int>(shown.size()), &bounds,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
}

}  // namespace qv
