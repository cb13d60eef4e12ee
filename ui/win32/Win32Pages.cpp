// Win32Controls.h first: it brings windows.h, which commctrl.h needs.
#include "ui/win32/Win32Controls.h"

#include <commctrl.h>

#include "platform/windows/Win32Text.h"

namespace qv {

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

void Win32Controls::setTabVisible(std::string_view page, bool visible) {
  Entry* entry = namedEntry(entries_, page);
  if (entry == nullptr || entry->row.kind != Kind::Page) {
    return;
  }
  entry->tabShown = visible;
  if (Entry* pages = entryOf(entries_, entry->row.parent)) {
    rebuildTabs(*pages);
  }
}

}  // namespace qv
