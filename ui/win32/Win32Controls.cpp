#include "ui/win32/Win32Controls.h"

#include <commctrl.h>

#include <stdexcept>

#include "ui/win32/CyanDuskColours.h"
#include "ui/win32/GdiCanvas.h"
#include "ui/win32/GdiSelected.h"
#include "ui/win32/Win32ErrorBox.h"
#include "ui/win32/Win32Text.h"

namespace qv {

namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr wchar_t kPanelClass[] = L"QvPanel";
constexpr wchar_t kPictureClass[] = L"QvPicture";
// How far a combo box's list drops below its box.
constexpr int kDropDownHeight = 200;
// A combo box's box is its item height and this much border.
constexpr int kComboBorder = 6;
// Radio buttons within their group, as on the Qt backend.
constexpr int kRadioLeft = 6;
constexpr int kRadioTop = 18;
constexpr int kRadioHeight = 18;
constexpr int kRadioWidth = 72;
constexpr int kCaptionIndent = 8;
// Tab and Shift+Tab go on into the controls of a container.
constexpr DWORD kHoldsTabStops = WS_EX_CONTROLPARENT;

COLORREF colourRef(Rgb colour) {
  return RGB(colour.r, colour.g, colour.b);
}

void registerClass(const wchar_t* name) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = name;
  // Registered once per process; a second form finds it there.
  static_cast<void>(RegisterClassExW(&windowClass));
}

std::wstring withCrLf(std::string_view text) {
  std::wstring out;
  for (const wchar_t c : wide(text)) {
    if (c == L'\n') {
      out += L'\r';
    }
    out += c;
  }
  return out;
}

std::string withoutCr(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c != '\r') {
      out += c;
    }
  }
  return out;
}

// The place of `child` within its parent's client area.
RECT placeInParent(HWND child) {
  RECT box{};
  GetWindowRect(child, &box);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&box), 2);
  return box;
}

struct ClassAndStyle {
  const wchar_t* windowClass;
  DWORD style;
  DWORD extendedStyle;
};

ClassAndStyle classFor(const Control& row) {
  const DWORD readOnly = row.has(flag::kReadOnly) ? ES_READONLY : 0;
  switch (row.kind) {
    case Kind::Button:
      // Drawn by the backend in the look's colours; a toggle keeps its native state.
      return {L"BUTTON",
              static_cast<DWORD>(WS_TABSTOP | (row.has(flag::kToggle)
                                                   ? BS_AUTOCHECKBOX | BS_PUSHLIKE | BS_MULTILINE
                                                   : BS_OWNERDRAW)),
              0};
    case Kind::Edit:
      return {L"EDIT", static_cast<DWORD>(WS_TABSTOP | ES_AUTOHSCROLL) | readOnly,
              WS_EX_CLIENTEDGE};
    case Kind::Combo:
      return {L"COMBOBOX",
              static_cast<DWORD>(WS_TABSTOP | WS_VSCROLL |
                                 (row.has(flag::kEditable) ? CBS_DROPDOWN : CBS_DROPDOWNLIST)),
              0};
    case Kind::Label:
    case Kind::Heading:
      return {L"STATIC", SS_LEFT, 0};
    case Kind::Group:
    case Kind::RadioGroup:
      return {L"BUTTON", static_cast<DWORD>(BS_GROUPBOX | WS_CLIPCHILDREN), kHoldsTabStops};
    case Kind::List:
      return {L"LISTBOX",
              static_cast<DWORD>(WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT),
              WS_EX_CLIENTEDGE};
    case Kind::Memo:
      return {L"EDIT",
              static_cast<DWORD>(WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                                 ES_WANTRETURN) |
                  readOnly,
              WS_EX_CLIENTEDGE};
    case Kind::Panel:
    case Kind::Page:
      return {kPanelClass, WS_CLIPCHILDREN, kHoldsTabStops};
    case Kind::Picture:
      return {kPictureClass, 0, 0};
    case Kind::Pages:
      return {WC_TABCONTROLW, WS_TABSTOP | WS_CLIPCHILDREN, kHoldsTabStops};
    case Kind::CheckBox:
      return {L"BUTTON", static_cast<DWORD>(WS_TABSTOP | BS_AUTOCHECKBOX), 0};
    case Kind::Grid:
      return {WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER, WS_EX_CLIENTEDGE};
    case Kind::Window:
      break;
  }
  throw std::logic_error("no native control for " + std::string(row.name));
}

}  // namespace

Win32Controls::Win32Controls(const Form& rows, HWND root) : root_(root) {
  registerClass(kPanelClass);
  registerClass(kPictureClass);
  for (const Control& row : rows) {
    create(row);
  }
}

Win32Controls::~Win32Controls() {
  for (const auto& [hwnd, entry] : byWindow_) {
    RemoveWindowSubclass(hwnd, subclassProc, kSubclassId);
    if (entry->picture && entry->picture->shown != nullptr) {
      DeleteObject(entry->picture->shown);
    }
  }
  for (const auto& [colour, made] : brushes_) {
    DeleteObject(made);
  }
}

Win32Controls::Entry* Win32Controls::find(std::string_view name) {
  const auto found = entries_.find(name);
  return found != entries_.end() ? &found->second : nullptr;
}

const Win32Controls::Entry* Win32Controls::find(std::string_view name) const {
  const auto found = entries_.find(name);
  return found != entries_.end() ? &found->second : nullptr;
}

Win32Controls::Entry* Win32Controls::owner(HWND hwnd) {
  const auto found = byWindow_.find(hwnd);
  return found != byWindow_.end() ? found->second : nullptr;
}

HWND Win32Controls::window(std::string_view name) const {
  const Entry* entry = find(name);
  return entry != nullptr ? entry->hwnd : nullptr;
}

std::vector<HWND> Win32Controls::radioItems(std::string_view name) const {
  const Entry* entry = find(name);
  return entry != nullptr ? entry->radios : std::vector<HWND>{};
}

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
  const Entry* parent = entry.row.parent.empty() ? nullptr : find(entry.row.parent);
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

void Win32Controls::create(const Control& row) {
  const std::string name(row.name);
  if (entries_.count(name) != 0) {
    throw std::logic_error("two controls named " + name);
  }
  const auto stored = entries_.emplace(name, Entry{}).first;
  Entry& entry = stored->second;
  entry.row = row;
  // The row keeps its name in the map's own key, which lives as long as the control.
  entry.row.name = stored->first;
  entry.colour = row.colour;

  if (row.kind == Kind::Window) {
    entry.hwnd = root_;
    entry.font = row.font;
    // The title the window was made with shows while the caption is empty, so
    // the title bar and the taskbar always name the program.
    untitled_ = windowText(root_);
    showCaption(std::string(row.text));
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(root_, GWL_STYLE));
    const auto extended = static_cast<DWORD>(GetWindowLongPtrW(root_, GWL_EXSTYLE));
    RECT outer{0, 0, row.width, row.height};
    AdjustWindowRectEx(&outer, style, FALSE, extended);
    SetWindowPos(root_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    Entry* parent = row.parent.empty() ? owner(root_) : find(row.parent);
    if (parent == nullptr) {
      entries_.erase(stored);
      throw std::logic_error("no parent " + std::string(row.parent) + " for " + name);
    }
    entry.font = row.font.family.empty() ? parent->font : row.font;
    entry.hwnd = build(entry, parent->hwnd);
    if (row.kind == Kind::Page) {
      parent->pages.push_back(&entry);
      rebuildTabs(*parent);
      if (parent->currentPage < 0) {
        showPage(*parent, 0);
      }
    }
  }
  byWindow_[entry.hwnd] = &entry;
  SetWindowSubclass(entry.hwnd, subclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

HWND Win32Controls::build(Entry& entry, HWND parent) {
  const Control& row = entry.row;
  const ClassAndStyle kind = classFor(row);
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kind.style;
  // Pages show when their tab is chosen.
  if (!row.has(flag::kHidden) && row.kind != Kind::Page) {
    style |= WS_VISIBLE;
  }
  if (row.has(flag::kDisabled)) {
    style |= WS_DISABLED;
  }
  // Pages are placed by their page control.
  RECT box{row.x, row.y, row.x + row.width, row.y + row.height};
  if (row.kind == Kind::Combo) {
    box.bottom += kDropDownHeight;
  }
  const std::wstring text = row.kind == Kind::Memo ? withCrLf(row.text) : wide(row.text);
  HWND made = CreateWindowExW(kind.extendedStyle, kind.windowClass, text.c_str(), style, box.left,
                              box.top, box.right - box.left, box.bottom - box.top, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId_++)),
                              GetModuleHandleW(nullptr), nullptr);
  if (made == nullptr) {
    throw std::runtime_error("cannot create the control " + std::string(row.name));
  }
  SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.font(entry.font)), FALSE);
  // Later rows lie above earlier ones, as the tables mean them to. The order
  // is also the one Tab takes, backwards from the top: so controls that can
  // take the focus are raised only over the earlier rows they overlap, and
  // keep the order they were made in. Labels grow to fit their text, so they
  // always go on top.
  const bool takesNoFocus =
      row.kind == Kind::Label || row.kind == Kind::Heading || row.kind == Kind::Picture;
  if (takesNoFocus || overlapsEarlierRow(row)) {
    SetWindowPos(made, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }

  switch (row.kind) {
    case Kind::Combo:
      for (const std::string_view item : row.items) {
        SendMessageW(made, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(item).c_str()));
      }
      SendMessageW(made, CB_SETCURSEL, row.items.empty() ? static_cast<WPARAM>(-1) : 0, 0);
      SendMessageW(made, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), row.height - kComboBorder);
      break;
    case Kind::RadioGroup:
      for (size_t i = 0; i < row.items.size(); ++i) {
        const int top = kRadioTop + static_cast<int>(i) * kRadioHeight;
        HWND item = CreateWindowExW(
            0, L"BUTTON", wide(row.items[i]).c_str(),
            WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0),
            kRadioLeft, top, kRadioWidth, kRadioHeight, made,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId_++)), GetModuleHandleW(nullptr),
            nullptr);
        SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.font(entry.font)), FALSE);
        entry.radios.push_back(item);
      }
      break;
    case Kind::Grid: {
      SendMessageW(made, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
                   LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
      const int columns = static_cast<int>(row.items.size());
      for (int c = 0; c < columns; ++c) {
        std::wstring title = wide(row.items[static_cast<size_t>(c)]);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = (row.width - GetSystemMetrics(SM_CXVSCROLL)) / columns;
        column.pszText = title.data();
        SendMessageW(made, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c),
                     reinterpret_cast<LPARAM>(&column));
      }
      break;
    }
    default:
      break;
  }
  if (row.has(flag::kAutoSize)) {
    entry.hwnd = made;
    fitLabel(entry);
  }
  return made;
}

void Win32Controls::showCaption(const std::string& caption) {
  caption_ = caption;
  SetWindowTextW(root_, wide(caption.empty() ? untitled_ : caption).c_str());
}

bool Win32Controls::overlapsEarlierRow(const Control& row) const {
  const RECT box{row.x, row.y, row.x + row.width, row.y + row.height};
  for (const auto& [name, other] : entries_) {
    const Control& earlier = other.row;
    if (other.hwnd == nullptr || earlier.parent != row.parent || earlier.kind == Kind::Window) {
      continue;
    }
    const RECT place{earlier.x, earlier.y, earlier.x + earlier.width, earlier.y + earlier.height};
    RECT common;
    if (IntersectRect(&common, &box, &place) != FALSE) {
      return true;
    }
  }
  return false;
}

void Win32Controls::fitLabel(Entry& entry) {
  HDC dc = GetDC(entry.hwnd);
  RECT measured{0, 0, 0, 0};
  {
    const GdiSelected font(dc, fonts_.font(entry.font));
    const std::string current = windowText(entry.hwnd);
    // An empty label keeps the height of a line.
    const std::wstring text = wide(current.empty() ? std::string(" ") : current);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured,
              DT_CALCRECT | DT_NOPREFIX);
  }
  ReleaseDC(entry.hwnd, dc);
  SetWindowPos(entry.hwnd, nullptr, 0, 0, std::max<int>(entry.row.width, measured.right),
               measured.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK Win32Controls::subclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR /*id*/, DWORD_PTR self) {
  auto* controls = reinterpret_cast<Win32Controls*>(self);
  if (message == WM_NCDESTROY) {
    controls->byWindow_.erase(hwnd);
    RemoveWindowSubclass(hwnd, subclassProc, kSubclassId);
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
  Entry* entry = controls->owner(hwnd);
  if (entry == nullptr) {
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
  return withinMessage([&] { return controls->handle(*entry, message, wParam, lParam); });
}

LRESULT Win32Controls::handle(Entry& entry, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = entry.hwnd;
  const Kind kind = entry.row.kind;
  const bool paintsItself = kind == Kind::Window || kind == Kind::Panel || kind == Kind::Page ||
                            kind == Kind::Picture || kind == Kind::Label || kind == Kind::Heading ||
                            kind == Kind::Group || kind == Kind::RadioGroup;
  switch (message) {
    case WM_COMMAND: {
      Entry* from = owner(reinterpret_cast<HWND>(lParam));
      const UINT code = HIWORD(wParam);
      if (from != nullptr && ((code == BN_CLICKED && from->row.kind == Kind::Button) ||
                              (code == LBN_SELCHANGE && from->row.kind == Kind::List))) {
        const std::string_view name = from->row.name;
        tell([name](FormEvents& events) { events.clicked(name); });
        return 0;
      }
      break;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      Entry* from = owner(header->hwndFrom);
      if (from != nullptr && from->row.kind == Kind::Pages && header->code == TCN_SELCHANGE) {
        const int position = TabCtrl_GetCurSel(from->hwnd);
        TCITEMW item{};
        item.mask = TCIF_PARAM;
        TabCtrl_GetItem(from->hwnd, position, &item);
        showPage(*from, static_cast<int>(item.lParam));
        const std::string_view name = from->row.name;
        tell([name](FormEvents& events) { events.pageChanged(name); });
        return 0;
      }
      break;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlType == ODT_BUTTON) {
        drawButton(*item);
        return TRUE;
      }
      break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      if (const LRESULT painted =
              colourControl(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam))) {
        return painted;
      }
      break;
    case WM_ERASEBKGND:
      if (paintsItself) {
        // Everything is drawn in WM_PAINT, at once and without flicker.
        return 1;
      }
      break;
    case WM_PAINT:
      if (paintsItself) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        if (kind == Kind::Window || kind == Kind::Panel || kind == Kind::Page) {
          paintPanel(entry, dc);
        } else if (kind == Kind::Picture) {
          paintPicture(entry, dc);
        } else if (kind == Kind::Group || kind == Kind::RadioGroup) {
          paintGroup(entry, dc);
        } else {
          paintLabel(entry, dc);
        }
        EndPaint(hwnd, &paint);
        return 0;
      }
      break;
    case WM_GETFONT:
      if (paintsItself) {
        // The window classes of this backend keep no font: it is the row's.
        return reinterpret_cast<LRESULT>(fonts_.font(entry.font));
      }
      break;
    case WM_SETTEXT:
      if (kind == Kind::Label || kind == Kind::Heading || kind == Kind::Group ||
          kind == Kind::RadioGroup) {
        // These draw their own text, so a new one needs a new picture.
        const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return result;
      }
      break;
    case WM_CHAR:
      if (kind == Kind::Edit && wParam >= L' ' &&
          !acceptsTyping(entry, std::wstring(1, static_cast<wchar_t>(wParam)))) {
        return 0;
      }
      break;
    case WM_PASTE:
      if (kind == Kind::Edit && IsClipboardFormatAvailable(CF_UNICODETEXT) && OpenClipboard(hwnd)) {
        std::wstring pasted;
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
          if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
            pasted = text;
            GlobalUnlock(data);
          }
        }
        CloseClipboard();
        if (!acceptsTyping(entry, pasted)) {
          return 0;
        }
      }
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:  // Alt, F10 and keys pressed with Alt
      if (kind == Kind::Edit) {
        // The key's own virtual-key code; the key still lands in the box.
        const std::string_view name = entry.row.name;
        const int key = static_cast<int>(wParam);
        tell([name, key](FormEvents& events) { events.keyDown(name, key); });
      }
      break;
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
      // In a box, Alt, F10 and Alt with a key are keys to read, not the way
      // into the window's menu, which would take the keys that follow.
      // Alt+Space still opens it, and Alt+F4 acts on its key-down.
      if (kind == Kind::Edit && wParam != VK_SPACE) {
        return 0;
      }
      break;
    case WM_LBUTTONUP:
      if (kind == Kind::Picture) {
        RECT client;
        GetClientRect(hwnd, &client);
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (PtInRect(&client, at)) {
          const std::string_view name = entry.row.name;
          tell([name](FormEvents& events) { events.clicked(name); });
        }
        return 0;
      }
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
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

bool Win32Controls::acceptsTyping(const Entry& entry, std::wstring_view typed) const {
  if (entry.row.has(flag::kDigitsOnly)) {
    for (const wchar_t c : typed) {
      if (c < L'0' || c > L'9') {
        return false;
      }
    }
  }
  if (entry.row.typingLimit <= 0) {
    return true;
  }
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(entry.hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  const auto kept = static_cast<size_t>(GetWindowTextLengthW(entry.hwnd)) - (end - start);
  return kept + typed.size() <= static_cast<size_t>(entry.row.typingLimit);
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
    HDC source = CreateCompatibleDC(dc);
    {
      const GdiSelected shown(source, other.picture->shown);
      BitBlt(dc, common.left - place.left, common.top - place.top, common.right - common.left,
             common.bottom - common.top, source, common.left - picture.left,
             common.top - picture.top, SRCCOPY);
    }
    DeleteDC(source);
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
  HDC drawn = CreateCompatibleDC(screen);
  HDC sized = CreateCompatibleDC(screen);
  HBITMAP drawnBits = CreateCompatibleBitmap(screen, picture.width, picture.height);
  picture.shown = CreateCompatibleBitmap(screen, client.right, client.bottom);
  {
    const GdiSelected drawnBitmap(drawn, drawnBits);
    const GdiSelected sizedBitmap(sized, picture.shown);
    // What is not drawn shows the picture's surroundings.
    const RECT all{0, 0, picture.width, picture.height};
    FillRect(drawn, &all, brush(parentBackground(entry)));
    GdiCanvas canvas(drawn, fonts_);
    picture.painter(canvas);
    SetStretchBltMode(sized, HALFTONE);
    SetBrushOrgEx(sized, 0, 0, nullptr);
    StretchBlt(sized, 0, 0, client.right, client.bottom, drawn, 0, 0, picture.width, picture.height,
               SRCCOPY);
  }
  DeleteObject(drawnBits);
  DeleteDC(sized);
  DeleteDC(drawn);
  ReleaseDC(entry.hwnd, screen);
}

void Win32Controls::paintPicture(Entry& entry, HDC dc) {
  RECT client;
  GetClientRect(entry.hwnd, &client);
  if (!entry.picture || entry.picture->shown == nullptr) {
    FillRect(dc, &client, brush(parentBackground(entry)));
    return;
  }
  HDC source = CreateCompatibleDC(dc);
  {
    const GdiSelected shown(source, entry.picture->shown);
    BitBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
  }
  DeleteDC(source);
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
  HPEN border = CreatePen(PS_SOLID, 1, colourRef(cyan_dusk::kAccent));
  {
    const GdiSelected pen(dc, border);
    const GdiSelected fill(dc, face);
    RoundRect(dc, box.left, box.top, box.right, box.bottom, 6, 6);
  }
  DeleteObject(border);
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

void Win32Controls::rebuildTabs(Entry& pages) {
  TabCtrl_DeleteAllItems(pages.hwnd);
  int position = 0;
  for (size_t i = 0; i < pages.pages.size(); ++i) {
    if (!pages.pages[i]->tabShown) {
      continue;
    }
    std::wstring caption = wide(pages.pages[i]->row.text);
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = caption.data();
    item.lParam = static_cast<LPARAM>(i);
    TabCtrl_InsertItem(pages.hwnd, position++, &item);
  }
  // The tabs take their room at the top; the pages get the rest.
  RECT area;
  GetClientRect(pages.hwnd, &area);
  TabCtrl_AdjustRect(pages.hwnd, FALSE, &area);
  for (const Entry* page : pages.pages) {
    SetWindowPos(page->hwnd, nullptr, area.left, area.top, area.right - area.left,
                 area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (pages.currentPage >= 0) {
    showPage(pages, pages.currentPage);
  }
}

void Win32Controls::showPage(Entry& pages, int index) {
  if (index < 0 || index >= static_cast<int>(pages.pages.size())) {
    return;
  }
  pages.currentPage = index;
  int position = -1;
  int shownTabs = 0;
  for (int i = 0; i < static_cast<int>(pages.pages.size()); ++i) {
    const Entry& page = *pages.pages[static_cast<size_t>(i)];
    if (i == index && page.tabShown) {
      position = shownTabs;
    }
    shownTabs += page.tabShown ? 1 : 0;
    ShowWindow(page.hwnd, i == index ? SW_SHOW : SW_HIDE);
  }
  TabCtrl_SetCurSel(pages.hwnd, position);
}

std::string Win32Controls::text(std::string_view name) const {
  const Entry* entry = find(name);
  if (entry == nullptr) {
    return {};
  }
  if (entry->hwnd == root_) {
    return caption_;
  }
  const std::string text = windowText(entry->hwnd);
  return entry->row.kind == Kind::Memo ? withoutCr(text) : text;
}

void Win32Controls::setText(std::string_view name, const std::string& text) {
  Entry* entry = find(name);
  if (entry == nullptr) {
    return;
  }
  if (entry->hwnd == root_) {
    showCaption(text);
    return;
  }
  if (entry->row.kind == Kind::Combo) {
    // An item with this text becomes the selection; any other text is kept
    // as typed, as the boxes are editable.
    const std::wstring shown = wide(text);
    const LRESULT item = SendMessageW(entry->hwnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(shown.c_str()));
    // The search ignores case; the item must match exactly.
    if (item != CB_ERR && items(name).at(static_cast<size_t>(item)) == text) {
      SendMessageW(entry->hwnd, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    } else {
      SetWindowTextW(entry->hwnd, shown.c_str());
    }
    return;
  }
  const std::wstring shown = entry->row.kind == Kind::Memo ? withCrLf(text) : wide(text);
  SetWindowTextW(entry->hwnd, shown.c_str());
  if (entry->row.has(flag::kAutoSize)) {
    fitLabel(*entry);
  }
}

bool Win32Controls::visible(std::string_view name) const {
  const Entry* entry = find(name);
  return entry != nullptr && (GetWindowLongPtrW(entry->hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32Controls::setVisible(std::string_view name, bool visible) {
  if (const Entry* entry = find(name)) {
    ShowWindow(entry->hwnd, visible ? SW_SHOWNA : SW_HIDE);
  }
}

void Win32Controls::setEnabled(std::string_view name, bool enabled) {
  if (const Entry* entry = find(name)) {
    EnableWindow(entry->hwnd, enabled ? TRUE : FALSE);
  }
}

void Win32Controls::setColour(std::string_view name, Rgb colour) {
  if (Entry* entry = find(name)) {
    entry->colour = colour;
    InvalidateRect(entry->hwnd, nullptr, TRUE);
  }
}

void Win32Controls::addItem(std::string_view name, const std::string& item) {
  const Entry* entry = find(name);
  if (entry != nullptr && entry->row.kind == Kind::List) {
    SendMessageW(entry->hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(item).c_str()));
  }
}

void Win32Controls::clearItems(std::string_view name) {
  const Entry* entry = find(name);
  if (entry != nullptr && entry->row.kind == Kind::List) {
    SendMessageW(entry->hwnd, LB_RESETCONTENT, 0, 0);
  }
}

std::vector<std::string> Win32Controls::items(std::string_view name) const {
  std::vector<std::string> out;
  const Entry* entry = find(name);
  if (entry == nullptr || (entry->row.kind != Kind::List && entry->row.kind != Kind::Combo)) {
    return out;
  }
  const bool list = entry->row.kind == Kind::List;
  const auto count = SendMessageW(entry->hwnd, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const auto length = SendMessageW(entry->hwnd, list ? LB_GETTEXTLEN : CB_GETLBTEXTLEN,
                                     static_cast<WPARAM>(i), 0);
    std::wstring item(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(entry->hwnd, list ? LB_GETTEXT : CB_GETLBTEXT, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(item.data()));
    item.resize(static_cast<size_t>(length));
    out.push_back(narrow(item));
  }
  return out;
}

int Win32Controls::selected(std::string_view name) const {
  const Entry* entry = find(name);
  if (entry == nullptr) {
    return -1;
  }
  switch (entry->row.kind) {
    case Kind::RadioGroup:
      for (size_t i = 0; i < entry->radios.size(); ++i) {
        if (SendMessageW(entry->radios[i], BM_GETCHECK, 0, 0) == BST_CHECKED) {
          return static_cast<int>(i);
        }
      }
      return -1;
    case Kind::List:
      return static_cast<int>(SendMessageW(entry->hwnd, LB_GETCURSEL, 0, 0));
    case Kind::Combo:
      return static_cast<int>(SendMessageW(entry->hwnd, CB_GETCURSEL, 0, 0));
    case Kind::Pages:
      return entry->currentPage;
    default:
      return -1;
  }
}

void Win32Controls::select(std::string_view name, int index) {
  Entry* entry = find(name);
  if (entry == nullptr) {
    return;
  }
  // Selections made by the program send no notification, so no handler runs.
  switch (entry->row.kind) {
    case Kind::RadioGroup:
      for (size_t i = 0; i < entry->radios.size(); ++i) {
        SendMessageW(entry->radios[i], BM_SETCHECK,
                     static_cast<int>(i) == index ? BST_CHECKED : BST_UNCHECKED, 0);
      }
      break;
    case Kind::List:
      SendMessageW(entry->hwnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
      break;
    case Kind::Combo:
      SendMessageW(entry->hwnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
      break;
    case Kind::Pages:
      showPage(*entry, index);
      break;
    default:
      break;
  }
}

bool Win32Controls::checked(std::string_view name) const {
  const Entry* entry = find(name);
  return entry != nullptr && entry->row.kind != Kind::RadioGroup &&
         SendMessageW(entry->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Controls::setChecked(std::string_view name, bool checked) {
  const Entry* entry = find(name);
  if (entry != nullptr && (entry->row.kind == Kind::CheckBox || entry->row.kind == Kind::Button)) {
    SendMessageW(entry->hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void Win32Controls::setTabVisible(std::string_view page, bool visible) {
  Entry* entry = find(page);
  if (entry == nullptr || entry->row.kind != Kind::Page) {
    return;
  }
  entry->tabShown = visible;
  if (Entry* pages = find(entry->row.parent)) {
    rebuildTabs(*pages);
  }
}

void Win32Controls::setGridRows(std::string_view name,
                                const std::vector<std::vector<std::string>>& rows) {
  const Entry* entry = find(name);
  if (entry == nullptr || entry->row.kind != Kind::Grid) {
    return;
  }
  SendMessageW(entry->hwnd, LVM_DELETEALLITEMS, 0, 0);
  const size_t columns = entry->row.items.size();
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t c = 0; c < columns && c < rows[r].size(); ++c) {
      std::wstring text = wide(rows[r][c]);
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(r);
      item.iSubItem = static_cast<int>(c);
      item.pszText = text.data();
      SendMessageW(entry->hwnd, c == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW,
                   c == 0 ? 0 : static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&item));
    }
  }
}

void Win32Controls::setPicture(std::string_view name, int width, int height, Painter painter) {
  Entry* entry = find(name);
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
  Entry* entry = find(name);
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
