// Win32Controls.h first: it brings windows.h, which commctrl.h needs.
#include "ui/win32/Win32Controls.h"

#include <commctrl.h>

#include <stdexcept>

#include "platform/windows/HiddenWindow.h"
#include "platform/windows/Win32Text.h"
#include "ui/win32/Win32Look.h"

namespace qv {

namespace {

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
// Tab and Shift+Tab go on into the controls of a container.
constexpr DWORD kHoldsTabStops = WS_EX_CONTROLPARENT;

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

void Win32Controls::registerClasses() {
  registerWindowClass(kPanelClass, DefWindowProcW);
  registerWindowClass(kPictureClass, DefWindowProcW);
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

}  // namespace qv
