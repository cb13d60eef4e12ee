#include "ui/win32/Win32Look.h"

#include "platform/windows/Win32Text.h"
#include "ui/win32/Win32Controls.h"

namespace qv {

namespace {

constexpr int kCaptionIndent = 8;

}  // namespace

HBRUSH Win32Controls::brush(Rgb colour) {
  const uint32_t key = (uint32_t{colour.r} << 16U) | (uint32_t{colour.g} << 8U) | colour.b;
  if (const auto found = brushes_.find(key); found != brushes_.end()) {
    return found->second;
  }
  HBRUSH made = CreateSolidBrush(colourRef(colour));
  brushes_.emplace(key, made);
  return made;
}

Rgb Win32Controls::parentBackground(const Entry& entry) const {
  const Entry* parent = entry.row.parent.empty() ? nullptr : entryOf(entries_, entry.row.parent);
  if (parent == nullptr) {
    const auto root = byWindow_.find(root_);
    return root != byWindow_.end() && root->second != &entry ? background(*root->second)
                                                             : cyan_dusk::kWindow;
  }
  return background(*parent);
}

Rgb Win32Controls::background(const Entry& entry) const {
  if (entry.colour) {
    return *entry.colour;
  }
  switch (entry.row.kind) {
    case Kind::Window:
      return cyan_dusk::kWindow;
    case Kind::Page:
    case Kind::Pages:
      return cyan_dusk::kPage;
    case Kind::Edit:
    case Kind::Memo:
      return entry.row.has(flag::kReadOnly) ? cyan_dusk::kReadOnlyBox : cyan_dusk::kBox;
    case Kind::Combo:
    case Kind::List:
    case Kind::Grid:
      return cyan_dusk::kBox;
    default:
      // Labels, frames, plain panels and pictures show what lies behind them.
      return parentBackground(entry);
  }
}

Rgb Win32Controls::textColour(const Entry& entry) const {
  return entry.row.textColour ? *entry.row.textColour : cyan_dusk::textOn(background(entry));
}

LRESULT Win32Controls::colourControl(HWND control, HDC dc) {
  Entry* entry = owner(control);
  if (entry == nullptr) {
    // The box of a combo box and the items of a radio group belong to their parent's row.
    entry = owner(GetParent(control));
  }
  if (entry == nullptr) {
    return 0;
  }
  const Rgb back = background(*entry);
  SetTextColor(dc, colourRef(textColour(*entry)));
  SetBkColor(dc, colourRef(back));
  return reinterpret_cast<LRESULT>(brush(back));
}

void Win32Controls::paintPanel(Entry& entry, HDC dc) {
  RECT client;
  GetClientRect(entry.hwnd, &client);
  FillRect(dc, &client, brush(background(entry)));
  if (entry.row.bevel != Bevel::None) {
    DrawEdge(dc, &client, entry.row.bevel == Bevel::Raised ? BDR_RAISEDINNER : BDR_SUNKENINNER,
             BF_RECT);
  }
  if (entry.row.kind == Kind::Panel && !entry.row.text.empty()) {
    const GdiSelected font(dc, fonts_.font(entry.font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colourRef(textColour(entry)));
    const std::wstring text = wide(windowText(entry.hwnd));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX |
                  (entry.row.has(flag::kCentred) ? DT_CENTER : DT_LEFT));
  }
}

void Win32Controls::paintLabel(Entry& entry, HDC dc) {
  RECT client;
  GetClientRect(entry.hwnd, &client);
  FillRect(dc, &client, brush(parentBackground(entry)));
  showPicturesBeneath(entry, dc);
  const GdiSelected font(dc, fonts_.font(entry.font));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colourRef(textColour(entry)));
  const std::wstring text = wide(windowText(entry.hwnd));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client,
            DT_LEFT | DT_NOPREFIX | (entry.row.has(flag::kWordWrap) ? DT_WORDBREAK : 0));
}

void Win32Controls::showPicturesBeneath(const Entry& entry, HDC dc) {
  const RECT place = placeInParent(entry.hwnd);
  for (const auto& [name, other] : entries_) {
    if (other.row.kind != Kind::Picture || other.row.parent != entry.row.parent || !other.picture ||
        other.picture->shown == nullptr ||
        (GetWindowLongPtrW(other.hwnd, GWL_STYLE) & WS_VISIBLE) == 0) {
      continue;
    }
    const RECT picture = placeInParent(other.hwnd);
    RECT common;
    if (IntersectRect(&common, &place, &picture) == FALSE) {
      continue;
    }
    const MemoryDc source(CreateCompatibleDC(dc));
    const GdiSelected shown(source.get(), other.picture->shown);
    BitBlt(dc, common.left - place.left, common.top - place.top, common.right - common.left,
           common.bottom - common.top, source.get(), common.left - picture.left,
           common.top - picture.top, SRCCOPY);
  }
}

void Win32Controls::paintGroup(Entry& entry, HDC dc) {
  RECT client;
  GetClientRect(entry.hwnd, &client);
  const Rgb back = parentBackground(entry);
  FillRect(dc, &client, brush(back));
  const GdiSelected font(dc, fonts_.font(entry.font));
  TEXTMETRICW metrics;
  GetTextMetricsW(dc, &metrics);
  // The frame runs through the middle of the caption, which is drawn by the
  // backend: the themed group box ignores the colour of its caption.
  RECT frame = client;
  frame.top = metrics.tmHeight / 2;
  FrameRect(dc, &frame, brush(cyan_dusk::kFrame));
  const std::wstring text = wide(windowText(entry.hwnd));
  if (!text.empty()) {
    SIZE extent;
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    RECT caption{kCaptionIndent - 2, 0, kCaptionIndent + extent.cx + 2, metrics.tmHeight};
    FillRect(dc, &caption, brush(back));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colourRef(textColour(entry)));
    TextOutW(dc, kCaptionIndent, 0, text.c_str(), static_cast<int>(text.size()));
  }
}

void Win32Controls::drawButton(const DRAWITEMSTRUCT& item) {
  Entry* entry = owner(item.hwndItem);
  if (entry == nullptr) {
    return;
  }
  HDC dc = item.hDC;
  RECT box = item.rcItem;
  FillRect(dc, &box, brush(parentBackground(*entry)));
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  HBRUSH face = brush(pressed ? cyan_dusk::kButtonPressed : cyan_dusk::kButton);
  {
    const GdiOwned<HPEN> border(CreatePen(PS_SOLID, 1, colourRef(cyan_dusk::kAccent)));
    const GdiSelected pen(dc, border.get());
    const GdiSelected fill(dc, face);
    RoundRect(dc, box.left, box.top, box.right, box.bottom, 6, 6);
  }
  const GdiSelected font(dc, fonts_.font(entry->font));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, (item.itemState & ODS_DISABLED) != 0 ? GetSysColor(COLOR_GRAYTEXT)
                                                        : colourRef(cyan_dusk::kButtonText));
  const std::wstring text = wide(windowText(item.hwndItem));
  RECT lines = box;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &lines,
            DT_CALCRECT | DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
  RECT centred = box;
  centred.top += ((box.bottom - box.top) - (lines.bottom - lines.top)) / 2;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &centred,
            DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
  if ((item.itemState & ODS_FOCUS) != 0) {
    InflateRect(&box, -3, -3);
    DrawFocusRect(dc, &box);
  }
}

}  // namespace qv
