#include <QTabWidget>

#include "ui/qt/QtControls.h"

namespace qv {

bool QtControls::onWaitingPage(const Entry& entry) const {
  return !entry.page.empty() && waitingPages_.find(entry.page) != waitingPages_.end();
}

void QtControls::realizePage(std::string_view page) {
  const auto waiting = waitingPages_.find(page);
  if (waiting == waitingPages_.end()) {
    return;
  }
  const std::vector<std::string_view> names = std::move(waiting->second);
  waitingPages_.erase(waiting);
  // In row order, as the page would have been built: parents first, and
  // controls that overlap stacked as the rows say.
  for (const std::string_view name : names) {
    Entry* entry = entryOf(entries_, name);
    if (entry->widget == nullptr) {
      realize(*entry);
    }
  }
}

void QtControls::setTabVisible(std::string_view page, bool visible) {
  QWidget* w = built(page);
  if (w == nullptr) {
    return;
  }
  for (QWidget* up = w->parentWidget(); up != nullptr; up = up->parentWidget()) {
    if (auto* pages = qobject_cast<QTabWidget*>(up)) {
      pages->setTabVisible(pages->indexOf(w), visible);
      return;
    }
  }
}

}  // namespace qv
