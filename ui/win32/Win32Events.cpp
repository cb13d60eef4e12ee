// Win32Controls.h first: it brings windows.h, which commctrl.h needs.
#include "ui/win32/Win32Controls.h"

#include <commctrl.h>

#include "ui/win32/Win32ErrorBox.h"

namespace qv {

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
        tell([from](FormEvents& events) { events.clicked(from->row.name); });
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
        tell([from](FormEvents& events) { events.pageChanged(from->row.name); });
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
        tell([&](FormEvents& events) { events.keyDown(entry.row.name, static_cast<int>(wParam)); });
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
          tell([&](FormEvents& events) { events.clicked(entry.row.name); });
        }
        return 0;
      }
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
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

}  // namespace qv
