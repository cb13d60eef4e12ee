#include "ui/qt/QtControls.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <stdexcept>

#include "ui/qt/QtFonts.h"
#include "ui/qt/QtLook.h"

namespace qv {

QtControls::QtControls(const Form& rows, QWidget& root) : root_(root) {
  // A page waits when every control on it can.
  std::map<std::string_view, std::string_view> pageOf;
  for (const Control& row : rows) {
    if (row.kind == Kind::Page) {
      pageOf[row.name] = row.name;
      waitingPages_[std::string(row.name)];
    } else if (const auto up = pageOf.find(row.parent); up != pageOf.end()) {
      pageOf[row.name] = up->second;
      if (!keepsStateInRow(row.kind)) {
        waitingPages_.erase(std::string(up->second));
      }
    }
  }
  for (const Control& row : rows) {
    create(row);
  }
  shareFont(&root_);
  // Sized once every font is in place.
  for (auto& [name, entry] : entries_) {
    if (entry.widget != nullptr && entry.row.has(flag::kAutoSize)) {
      fitLabel(static_cast<QLabel*>(entry.widget), entry.row);
    }
  }
}

QWidget* QtControls::built(std::string_view name) const {
  const Entry* entry = namedEntry(entries_, name);
  return entry != nullptr ? entry->widget : nullptr;
}

QWidget* QtControls::widget(std::string_view name) {
  Entry* entry = entryOf(entries_, name);
  if (entry == nullptr) {
    return nullptr;
  }
  if (entry->widget == nullptr) {
    realize(*entry);
  }
  return entry->widget;
}

void QtControls::create(const Control& row) {
  const std::string name(row.name);
  if (entries_.count(name) != 0) {
    throw std::logic_error("two controls named " + name);
  }
  const auto parent = entries_.find(row.parent);
  if (row.kind != Kind::Window && !row.parent.empty() && parent == entries_.end()) {
    throw std::logic_error("no parent " + std::string(row.parent) + " for " + name);
  }
  const auto stored = entries_.emplace(name, Entry{});
  Entry& entry = stored.first->second;
  entry.row = row;
  entry.text = std::string(row.text);
  // The row's names point into the map's own keys and its text is kept in
  // the entry, so a row whose widget is put off outlives the caller's copy.
  entry.row.name = stored.first->first;
  entry.row.text = {};
  entry.captioned = !row.text.empty();
  if (row.kind == Kind::Combo) {
    entry.text = row.items.empty() ? std::string() : std::string(row.items.front());
    entry.comboIndex = row.items.empty() ? -1 : 0;
  }
  if (parent != entries_.end()) {
    entry.row.parent = parent->first;
    entry.page = parent->second.row.kind == Kind::Page ? parent->first : parent->second.page;
  }
  if (onWaitingPage(entry)) {
    if (keepsStateInRow(row.kind)) {
      waitingPages_.find(entry.page)->second.push_back(entry.row.name);
      return;
    }
    realizePage(entry.page);
  }
  if (!waitsWhileHidden(entry.row)) {
    realize(entry);
  }
}

namespace {

// The property that holds the text a widget shows; a widget without it
// (a plain panel, a list, a grid) shows no text.
const char* textProperty(const QWidget& widget) {
  if (qobject_cast<const QComboBox*>(&widget) != nullptr) {
    return "currentText";
  }
  if (qobject_cast<const QPlainTextEdit*>(&widget) != nullptr) {
    return "plainText";
  }
  return qobject_cast<const QGroupBox*>(&widget) != nullptr ? "title" : "text";
}

}  // namespace

std::string QtControls::text(std::string_view name) const {
  const Entry* entry = namedEntry(entries_, name);
  if (entry == nullptr) {
    return {};
  }
  if (entry->widget == nullptr) {
    return entry->text;
  }
  const QWidget& w = *entry->widget;
  return (&w == &root_ ? root_.windowTitle() : w.property(textProperty(w)).toString())
      .toStdString();
}

void QtControls::setText(std::string_view name, const std::string& value) {
  Entry* entry = namedEntry(entries_, name);
  if (entry == nullptr) {
    return;
  }
  if (entry->widget == nullptr) {
    keepText(*entry, value);
    return;
  }
  QWidget* w = entry->widget;
  const QString text = QString::fromStdString(value);
  const char* property = textProperty(*w);
  if (w == &root_) {
    root_.setWindowTitle(text);
  } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
    // An item with this text becomes the selection; any other text is kept
    // as typed, as the boxes are editable.
    const int item = combo->findText(text);
    if (item >= 0) {
      combo->setCurrentIndex(item);
    } else {
      combo->setEditText(text);
    }
  } else if (w->metaObject()->indexOfProperty(property) >= 0) {
    // Only a declared property: setProperty would add any other one unseen.
    w->setProperty(property, text);
    if (auto* label = qobject_cast<QLabel*>(w);
        label != nullptr && entry->row.has(flag::kAutoSize)) {
      fitLabel(label, entry->row);
    }
  }
}

bool QtControls::visible(std::string_view name) const {
  const Entry* entry = namedEntry(entries_, name);
  if (entry == nullptr) {
    return false;
  }
  return entry->widget != nullptr ? !entry->widget->isHidden() : !entry->row.has(flag::kHidden);
}

void QtControls::setVisible(std::string_view name, bool visible) {
  Entry* entry = namedEntry(entries_, name);
  if (entry == nullptr) {
    return;
  }
  if (entry->widget == nullptr && onWaitingPage(*entry)) {
    entry->row.set(flag::kHidden, !visible);
  } else if (entry->widget != nullptr || visible) {
    // A control put off while hidden is built at its first showing.
    widget(name)->setVisible(visible);
  }
}

void QtControls::setEnabled(std::string_view name, bool enabled) {
  Entry* entry = namedEntry(entries_, name);
  if (entry == nullptr) {
    return;
  }
  if (entry->widget == nullptr) {
    entry->row.set(flag::kDisabled, !enabled);
  } else {
    entry->widget->setEnabled(enabled);
  }
}

void QtControls::setColour(std::string_view name, Rgb colour) {
  Entry* entry = namedEntry(entries_, name);
  if (entry == nullptr) {
    return;
  }
  if (entry->widget == nullptr) {
    // Both take their colour from the row when built.
    if (entry->row.kind == Kind::Edit || entry->row.kind == Kind::Panel) {
      entry->row.colour = colour;
      return;
    }
    realize(*entry);
  }
  if (auto* edit = qobject_cast<QLineEdit*>(entry->widget)) {
    edit->setStyleSheet(editStyle(colour, entry->row.textColour));
  } else {
    fillBackground(entry->widget, colour);
  }
}

void QtControls::addItem(std::string_view name, const std::string& item) {
  if (auto* list = qobject_cast<QListWidget*>(built(name))) {
    list->addItem(QString::fromStdString(item));
  }
}

void QtControls::clearItems(std::string_view name) {
  if (auto* list = qobject_cast<QListWidget*>(built(name))) {
    list->clear();
  }
}

std::vector<std::string> QtControls::items(std::string_view name) const {
  std::vector<std::string> out;
  if (const Entry* entry = namedEntry(entries_, name);
      entry != nullptr && entry->widget == nullptr) {
    if (entry->row.kind == Kind::Combo) {
      out.assign(entry->row.items.begin(), entry->row.items.end());
    }
    return out;
  }
  if (auto* list = qobject_cast<QListWidget*>(built(name))) {
    for (int i = 0; i < list->count(); ++i) {
      out.push_back(list->item(i)->text().toStdString());
    }
  } else if (auto* combo = qobject_cast<QComboBox*>(built(name))) {
    for (int i = 0; i < combo->count(); ++i) {
      out.push_back(combo->itemText(i).toStdString());
    }
  }
  return out;
}

int QtControls::selected(std::string_view name) const {
  const Entry* entry = namedEntry(entries_, name);
  if (entry == nullptr) {
    return -1;
  }
  if (entry->widget == nullptr) {
    return entry->row.kind == Kind::Combo ? entry->comboIndex : -1;
  }
  if (entry->radios != nullptr) {
    return entry->radios->checkedId();
  }
  if (auto* list = qobject_cast<QListWidget*>(entry->widget)) {
    const int row = list->currentRow();
    return row >= 0 && list->item(row)->isSelected() ? row : -1;
  }
  if (auto* combo = qobject_cast<QComboBox*>(entry->widget)) {
    return combo->currentIndex();
  }
  if (auto* pages = qobject_cast<QTabWidget*>(entry->widget)) {
    return pages->currentIndex();
  }
  return -1;
}

void QtControls::select(std::string_view name, int index) {
  Entry* entry = namedEntry(entries_, name);
  if (entry == nullptr) {
    return;
  }
  if (entry->widget == nullptr) {
    realize(*entry);
  }
  // Selections made by the program run no handler, as on every toolkit.
  const QSignalBlocker quiet(entry->widget);
  if (entry->radios != nullptr) {
    if (QAbstractButton* item = entry->radios->button(index)) {
      item->setChecked(true);
    }
  } else if (auto* list = qobject_cast<QListWidget*>(entry->widget)) {
    list->setCurrentRow(index);
  } else if (auto* combo = qobject_cast<QComboBox*>(entry->widget)) {
    combo->setCurrentIndex(index);
  } else if (auto* pages = qobject_cast<QTabWidget*>(entry->widget)) {
    pages->setCurrentIndex(index);
  }
}

bool QtControls::checked(std::string_view name) const {
  auto* button = qobject_cast<QAbstractButton*>(built(name));
  return button != nullptr && button->isChecked();
}

void QtControls::setChecked(std::string_view name, bool checked) {
  if (namedEntry(entries_, name) == nullptr) {
    return;
  }
  if (auto* button = qobject_cast<QAbstractButton*>(widget(name))) {
    const QSignalBlocker quiet(button);
    button->setChecked(checked);
  }
}

void QtControls::setGridRows(std::string_view name,
                             const std::vector<std::vector<std::string>>& rows) {
  auto* grid = qobject_cast<QTableWidget*>(built(name));
  if (grid == nullptr) {
    return;
  }
  grid->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const std::vector<std::string>& line = rows[static_cast<size_t>(r)];
    for (int c = 0; c < grid->columnCount() && c < static_cast<int>(line.size()); ++c) {
      grid->setItem(r, c,
                    new QTableWidgetItem(QString::fromStdString(line[static_cast<size_t>(c)])));
    }
  }
}

}  // namespace qv
