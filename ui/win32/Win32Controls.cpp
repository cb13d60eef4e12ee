#include "ui/win32/Win32Controls.h"

#include <commctrl.h>

#include <stdexcept>

#include "platform/windows/Win32Text.h"

namespace qv {

Win32Controls::Win32Controls(const Form& rows, HWND root) : root_(root) {
  registerClasses();
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

Win32Controls::Entry* Win32Controls::owner(HWND hwnd) {
  const auto found = byWindow_.find(hwnd);
  return found != byWindow_.end() ? found->second : nullptr;
}

HWND Win32Controls::window(std::string_view name) const {
  const Entry* entry = entryOf(entries_, name);
  return entry != nullptr ? entry->hwnd : nullptr;
}

std::vector<HWND> Win32Controls::radioItems(std::string_view name) const {
  const Entry* entry = entryOf(entries_, name);
  return entry != nullptr ? entry->radios : std::vector<HWND>{};
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
    Entry* parent = row.parent.empty() ? owner(root_) : entryOf(entries_, row.parent);
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

std::wstring Win32Controls::withCrLf(std::string_view text) {
  std::wstring out;
  for (const wchar_t c : wide(text)) {
    if (c == L'\n') {
      out += L'\r';
    }
    out += c;
  }
  return out;
}

std::string Win32Controls::withoutCr(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c != '\r') {
      out += c;
    }
  }
  return out;
}

std::string Win32Controls::text(std::string_view name) const {
  const Entry* entry = namedEntry(entries_, name);
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
  Entry* entry = namedEntry(entries_, name);
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
  const Entry* entry = namedEntry(entries_, name);
  return entry != nullptr && (GetWindowLongPtrW(entry->hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32Controls::setVisible(std::string_view name, bool visible) {
  if (const Entry* entry = namedEntry(entries_, name)) {
    ShowWindow(entry->hwnd, visible ? SW_SHOWNA : SW_HIDE);
  }
}

void Win32Controls::setEnabled(std::string_view name, bool enabled) {
  if (const Entry* entry = namedEntry(entries_, name)) {
    EnableWindow(entry->hwnd, enabled ? TRUE : FALSE);
  }
}

void Win32Controls::setColour(std::string_view name, Rgb colour) {
  if (Entry* entry = namedEntry(entries_, name)) {
    entry->colour = colour;
    InvalidateRect(entry->hwnd, nullptr, TRUE);
  }
}

void Win32Controls::addItem(std::string_view name, const std::string& item) {
  const Entry* entry = namedEntry(entries_, name);
  if (entry != nullptr && entry->row.kind == Kind::List) {
    SendMessageW(entry->hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(item).c_str()));
  }
}

void Win32Controls::clearItems(std::string_view name) {
  const Entry* entry = namedEntry(entries_, name);
  if (entry != nullptr && entry->row.kind == Kind::List) {
    SendMessageW(entry->hwnd, LB_RESETCONTENT, 0, 0);
  }
}

std::vector<std::string> Win32Controls::items(std::string_view name) const {
  std::vector<std::string> out;
  const Entry* entry = namedEntry(entries_, name);
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
  const Entry* entry = namedEntry(entries_, name);
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
  Entry* entry = namedEntry(entries_, name);
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
  const Entry* entry = namedEntry(entries_, name);
  return entry != nullptr && entry->row.kind != Kind::RadioGroup &&
         SendMessageW(entry->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Controls::setChecked(std::string_view name, bool checked) {
  const Entry* entry = namedEntry(entries_, name);
  if (entry != nullptr && (entry->row.kind == Kind::CheckBox || entry->row.kind == Kind::Button)) {
    SendMessageW(entry->hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void Win32Controls::setGridRows(std::string_view name,
                                const std::vector<std::vector<std::string>>& rows) {
  const Entry* entry = namedEntry(entries_, name);
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

}  // namespace qv
