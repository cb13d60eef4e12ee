#include "ui/win32/Win32Canvas.h"
#include "ui/win32/Win32Controls.h"
#include "ui/win32/Win32Look.h"

namespace qv {

void Win32Controls::renderPicture(Entry& entry) {
  Picture& picture = *entry.picture;
  if (picture.shown != nullptr) {
    DeleteObject(picture.shown);
    picture.shown = nullptr;
  }
  if (!picture.painter || picture.width <= 0 || picture.height <= 0) {
    return;
  }
  RECT client;
  GetClientRect(entry.hwnd, &client);
  HDC screen = GetDC(entry.hwnd);
  {
    const MemoryDc drawn(CreateCompatibleDC(screen));
    const MemoryDc sized(CreateCompatibleDC(screen));
    const GdiOwned<HBITMAP> drawnBits(
        CreateCompatibleBitmap(screen, picture.width, picture.height));
    picture.shown = CreateCompatibleBitmap(screen, client.right, client.bottom);
    const GdiSelected drawnBitmap(drawn.get(), drawnBits.get());
    const GdiSelected sizedBitmap(sized.get(), picture.shown);
    // What is not drawn shows the picture's surroundings.
    const RECT all{0, 0, picture.width, picture.height};
    FillRect(drawn.get(), &all, brush(parentBackground(entry)));
    Win32Canvas canvas(drawn.get(), fonts_);
    picture.painter(canvas);
    SetStretchBltMode(sized.get(), HALFTONE);
    SetBrushOrgEx(sized.get(), 0, 0, nullptr);
    StretchBlt(sized.get(), 0, 0, client.right, client.bottom, drawn.get(), 0, 0, picture.width,
               picture.height, SRCCOPY);
  }
  ReleaseDC(entry.hwnd, screen);
}

void Win32Controls::paintPicture(Entry& entry, HDC dc) {
  RECT client;
  GetClientRect(entry.hwnd, &client);
  if (!entry.picture || entry.picture->shown == nullptr) {
    FillRect(dc, &client, brush(parentBackground(entry)));
    return;
  }
  const MemoryDc source(CreateCompatibleDC(dc));
  const GdiSelected shown(source.get(), entry.picture->shown);
  BitBlt(dc, 0, 0, client.right, client.bottom, source.get(), 0, 0, SRCCOPY);
}

void Win32Controls::setPicture(std::string_view name, int width, int height, Painter painter) {
  Entry* entry = namedEntry(entries_, name);
  if (entry == nullptr || entry->row.kind != Kind::Picture) {
    return;
  }
  if (!entry->picture) {
    entry->picture = std::make_unique<Picture>();
  }
  entry->picture->width = width;
  entry->picture->height = height;
  entry->picture->painter = std::move(painter);
  repaint(name);
}

void Win32Controls::repaint(std::string_view name) {
  Entry* entry = namedEntry(entries_, name);
  if (entry == nullptr || !entry->picture) {
    return;
  }
  renderPicture(*entry);
  // Labels over the picture show it through their background.
  RECT place = placeInParent(entry->hwnd);
  RedrawWindow(GetParent(entry->hwnd), &place, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace qv
