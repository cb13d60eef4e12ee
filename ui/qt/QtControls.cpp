#include "ui/qt/QtControls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <algorithm>
#include <stdexcept>

#include "ui/qt/Fonts.h"
#include "ui/qt/QtPicture.h"
#include "ui/qt/QtVirtualKeys.h"

namespace qv {

namespace {

QString cssColour(Rgb colour) {
  return QStringLiteral("rgb(%1, %2, %3)").arg(colour.r).arg(colour.g).arg(colour.b);
}

QColor qcolour(Rgb colour) {
  return {colour.r, colour.g, colour.b};
}

void setFrame(QFrame* frame, Bevel bevel) {
  switch (bevel) {
    case Bevel::None:
      frame->setFrameShape(QFrame::NoFrame);
      break;
    case Bevel::Raised:
      frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
      break;
    case Bevel::Lowered:
      frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      break;
  }
}

void fillBackground(QWidget* widget, Rgb colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, qcolour(colour));
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
  widget->update();
}

QString editStyle(Rgb background, std::optional<Rgb> text) {
  QString style = QStringLiteral("QLineEdit { background-color: %1;").arg(cssColour(background));
  if (text) {
    style += QStringLiteral(" color: %1;").arg(cssColour(*text));
  }
  return style + QStringLiteral(" }");
}

// A label as wide as its text, at least as wide as its row says.
void fitLabel(QLabel* label, const Control& row) {
  label->setMinimumWidth(std::max(row.width, 0));
  label->adjustSize();
}

// Kinds whose whole state, until their widget exists, fits the row, the kept
// text and the kept combo-box selection.
bool keepsStateInRow(Kind kind) {
  switch (kind) {
    case Kind::Edit:
    case Kind::Label:
    case Kind::Heading:
    case Kind::Button:
    case Kind::CheckBox:
    case Kind::Memo:
    case Kind::Combo:
    case Kind::Panel:
    case Kind::Group:
      return true;
    default:
      return false;
  }
}

// The widget to a form's controls is put off where that saves most: a
// page's controls wait for the page's first showing (the mapping pages hold
// dozens of combo boxes, each costing its style's caches), and a hidden
// control of a simple kind waits for its first showing (the console's
// thousand byte editors, nearly all never placed).
bool waitsWhileHidden(const Control& row) {
  if (!row.has(flag::kHidden)) {
    return false;
  }
  switch (row.kind) {
    case Kind::Edit:
    case Kind::Label:
    case Kind::Heading:
    case Kind::Button:
    case Kind::CheckBox:
    case Kind::Memo:
      return true;
    default:
      return false;
  }
}

}  // namespace

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

const QtControls::Entry* QtControls::find(std::string_view name) const {
  const auto found = entries_.find(name);
  return found != entries_.end() ? &found->second : nullptr;
}

QtControls::Entry* QtControls::find(std::string_view name) {
  const auto found = entries_.find(name);
  return found != entries_.end() ? &found->second : nullptr;
}

QWidget* QtControls::built(std::string_view name) const {
  const Entry* entry = find(name);
  return entry != nullptr ? entry->widget : nullptr;
}

QWidget* QtControls::widget(std::string_view name) {
  Entry* entry = find(name);
  if (entry == nullptr) {
    return nullptr;
  }
  if (entry->widget == nullptr) {
    realize(*entry);
  }
  return entry->widget;
}

bool QtControls::onWaitingPage(const Entry& entry) const {
  return !entry.page.empty() && waitingPages_.find(entry.page) != waitingPages_.end();
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

void QtControls::realize(Entry& entry) {
  if (onWaitingPage(entry)) {
    realizePage(entry.page);
    return;
  }
  entry.widget = build(entry);
  entry.widget->setObjectName(qs(entry.row.name));
  if (auto* combo = qobject_cast<QComboBox*>(entry.widget)) {
    combo->setCurrentIndex(entry.comboIndex);
    if (combo->currentText() != QString::fromStdString(entry.text)) {
      combo->setEditText(QString::fromStdString(entry.text));
    }
  }
  std::string().swap(entry.text);  // the widget holds it from now on
  // The widget's own parts (a combo box's line edit) take its font, as the
  // window's first build gives every part its font.
  shareFont(entry.widget);
  if (entry.row.kind == Kind::RadioGroup) {
    entry.radios = entry.widget->findChild<QButtonGroup*>();
  }
  // A child made under a shown parent stays hidden until told.
  QWidget* parent = entry.widget->parentWidget();
  if (entry.row.kind != Kind::Window && entry.row.kind != Kind::Page &&
      !entry.row.has(flag::kHidden) && parent != nullptr && parent->isVisible()) {
    entry.widget->show();
  }
  connectEvents(entry);
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
    Entry* entry = find(name);
    if (entry->widget == nullptr) {
      realize(*entry);
    }
  }
}

QWidget* QtControls::build(const Entry& entry) {
  const Control& row = entry.row;
  const QString text = QString::fromStdString(entry.text);
  QWidget* parent = row.parent.empty() ? &root_ : widget(row.parent);
  QWidget* made = nullptr;
  switch (row.kind) {
    case Kind::Window:
      made = &root_;
      root_.setWindowTitle(text);
      if (row.has(flag::kFixedSize)) {
        root_.setFixedSize(row.width, row.height);
      } else {
        root_.resize(row.width, row.height);
      }
      break;
    case Kind::Button: {
      auto* button = new QPushButton(text, parent);
      button->setCheckable(row.has(flag::kToggle));
      made = button;
      break;
    }
    case Kind::Edit: {
      auto* edit = new QLineEdit(text, parent);
      // The typing limit lives in the validator, which only judges typing:
      // setMaxLength would also cut a longer text set from the program.
      if (row.has(flag::kDigitsOnly)) {
        const QString pattern = row.typingLimit > 0
                                    ? QStringLiteral("[0-9]{0,%1}").arg(row.typingLimit)
                                    : QStringLiteral("[0-9]*");
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
      }
      edit->setReadOnly(row.has(flag::kReadOnly));
      if (row.colour) {
        edit->setStyleSheet(editStyle(*row.colour, row.textColour));
      }
      edit->installEventFilter(this);
      made = edit;
      break;
    }
    case Kind::Combo: {
      auto* combo = new QComboBox(parent);
      combo->setEditable(row.has(flag::kEditable));
      // Typed texts stay as typed and never become new items.
      combo->setInsertPolicy(QComboBox::NoInsert);
      for (const std::string_view item : row.items) {
        combo->addItem(qs(item));
      }
      combo->setCurrentIndex(row.items.empty() ? -1 : 0);
      made = combo;
      break;
    }
    case Kind::Label:
    case Kind::Heading: {
      auto* label = new QLabel(text, parent);
      label->setWordWrap(row.has(flag::kWordWrap));
      made = label;
      break;
    }
    case Kind::Group:
      made = new QGroupBox(text, parent);
      break;
    case Kind::RadioGroup: {
      auto* box = new QGroupBox(text, parent);
      auto* group = new QButtonGroup(box);
      for (int i = 0; i < static_cast<int>(row.items.size()); ++i) {
        auto* item = new QRadioButton(qs(row.items[static_cast<size_t>(i)]), box);
        item->setGeometry(6, 18 + i * 18, 72, 18);
        group->addButton(item, i);
      }
      made = box;
      break;
    }
    case Kind::List:
      made = new QListWidget(parent);
      break;
    case Kind::Memo: {
      auto* memo = new QPlainTextEdit(text, parent);
      memo->setReadOnly(row.has(flag::kReadOnly));
      made = memo;
      break;
    }
    case Kind::Panel: {
      QFrame* frame = nullptr;
      if (!entry.captioned) {
        frame = new QFrame(parent);
      } else {
        auto* captioned = new QLabel(text, parent);
        captioned->setAlignment(row.has(flag::kCentred) ? Qt::AlignCenter : Qt::AlignLeft);
        frame = captioned;
      }
      setFrame(frame, row.bevel);
      made = frame;
      break;
    }
    case Kind::Picture:
      made = new QtPicture(parent);
      break;
    case Kind::Pages: {
      auto* pages = new QTabWidget(parent);
      made = pages;
      break;
    }
    case Kind::Page: {
      auto* tabs = qobject_cast<QTabWidget*>(parent);
      if (tabs == nullptr) {
        throw std::logic_error("page " + std::string(row.name) + " outside a page control");
      }
      made = new QWidget;
      tabs->addTab(made, text);
      if (waitingPages_.find(row.name) != waitingPages_.end()) {
        made->installEventFilter(this);
      }
      break;
    }
    case Kind::CheckBox:
      made = new QCheckBox(text, parent);
      break;
    case Kind::Grid: {
      auto* grid = new QTableWidget(0, static_cast<int>(row.items.size()), parent);
      QStringList columns;
      for (const std::string_view column : row.items) {
        columns << qs(column);
      }
      grid->setHorizontalHeaderLabels(columns);
      grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
      made = grid;
      break;
    }
  }
  place(made, row);
  return made;
}

void QtControls::place(QWidget* widget, const Control& row) {
  // The colour first: setting a style sheet drops the mark of a font of its own.
  if (row.textColour && row.kind != Kind::Edit) {
    widget->setStyleSheet(QStringLiteral("color: %1;").arg(cssColour(*row.textColour)));
  }
  if (row.colour && row.kind == Kind::Panel) {
    fillBackground(widget, *row.colour);
  }
  if (!row.font.family.empty()) {
    widget->setFont(pixelFont(row.font));
  } else if (widget != &root_ && row.kind != Kind::Page) {
    // Controls made while the form runs take their parent's font at once.
    widget->setFont(widget->parentWidget()->font());
    widget->setAttribute(Qt::WA_SetFont, false);
  }
  if (row.kind != Kind::Window && row.kind != Kind::Page) {
    if (row.has(flag::kAutoSize)) {
      widget->move(row.x, row.y);
      fitLabel(static_cast<QLabel*>(widget), row);
    } else {
      widget->setGeometry(row.x, row.y, row.width, row.height);
    }
  }
  widget->setEnabled(!row.has(flag::kDisabled));
  if (row.has(flag::kHidden)) {
    widget->hide();
  }
}

void QtControls::connectEvents(Entry& entry) {
  const std::string_view name = entry.row.name;
  const auto clicked = [this, name] {
    if (events_ != nullptr) {
      events_->clicked(name);
    }
  };
  if (auto* button = qobject_cast<QPushButton*>(entry.widget)) {
    connect(button, &QPushButton::clicked, this, clicked);
  } else if (auto* list = qobject_cast<QListWidget*>(entry.widget)) {
    connect(list, &QListWidget::itemClicked, this, clicked);
  } else if (auto* picture = dynamic_cast<QtPicture*>(entry.widget)) {
    picture->setClickHandler(clicked);
  } else if (auto* pages = qobject_cast<QTabWidget*>(entry.widget)) {
    connect(pages, &QTabWidget::currentChanged, this, [this, name] {
      if (events_ != nullptr) {
        events_->pageChanged(name);
      }
    });
  }
}

bool QtControls::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show) {
    realizePage(watched->objectName().toStdString());
  }
  if (event->type() == QEvent::KeyPress && events_ != nullptr) {
    const auto* key = static_cast<QKeyEvent*>(event);
    events_->keyDown(watched->objectName().toStdString(),
                     virtualKeyForQtKey(key->key(), key->modifiers()));
  }
  // Not consumed: the key still lands in the box as typed text.
  return QObject::eventFilter(watched, event);
}

std::string QtControls::text(std::string_view name) const {
  const Entry* entry = find(name);
  if (entry == nullptr) {
    return {};
  }
  if (entry->widget == nullptr) {
    return entry->text;
  }
  QWidget* w = entry->widget;
  if (w == &root_) {
    return root_.windowTitle().toStdString();
  }
  if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    return edit->text().toStdString();
  }
  if (auto* combo = qobject_cast<QComboBox*>(w)) {
    return combo->currentText().toStdString();
  }
  if (auto* label = qobject_cast<QLabel*>(w)) {
    return label->text().toStdString();
  }
  if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) {
    return memo->toPlainText().toStdString();
  }
  if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    return button->text().toStdString();
  }
  if (auto* group = qobject_cast<QGroupBox*>(w)) {
    return group->title().toStdString();
  }
  return {};
}

void QtControls::setText(std::string_view name, const std::string& value) {
  Entry* entry = find(name);
  if (entry == nullptr) {
    return;
  }
  if (entry->widget == nullptr) {
    keepText(*entry, value);
    return;
  }
  QWidget* w = entry->widget;
  const QString text = QString::fromStdString(value);
  if (w == &root_) {
    root_.setWindowTitle(text);
  } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    edit->setText(text);
  } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
    // An item with this text becomes the selection; any other text is kept
    // as typed, as the boxes are editable.
    const int item = combo->findText(text);
    if (item >= 0) {
      combo->setCurrentIndex(item);
    } else {
      combo->setEditText(text);
    }
  } else if (auto* label = qobject_cast<QLabel*>(w)) {
    label->setText(text);
    if (entry->row.has(flag::kAutoSize)) {
      fitLabel(label, entry->row);
    }
  } else if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) {
    memo->setPlainText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    button->setText(text);
  } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
    group->setTitle(text);
  }
}

void QtControls::keepText(Entry& entry, const std::string& value) {
  if (entry.row.kind == Kind::Combo) {
    // As the box itself: an item's text selects it, other texts stay as
    // typed only where typing is allowed.
    const auto item = std::find(entry.row.items.begin(), entry.row.items.end(), value);
    if (item != entry.row.items.end()) {
      entry.comboIndex = static_cast<int>(item - entry.row.items.begin());
      entry.text = value;
    } else if (entry.row.has(flag::kEditable)) {
      entry.text = value;
    }
  } else if (entry.row.kind != Kind::Panel || entry.captioned) {
    entry.text = value;
  }
}

bool QtControls::visible(std::string_view name) const {
  const Entry* entry = find(name);
  if (entry == nullptr) {
    return false;
  }
  return entry->widget != nullptr ? !entry->widget->isHidden() : !entry->row.has(flag::kHidden);
}

void QtControls::setVisible(std::string_view name, bool visible) {
  Entry* entry = find(name);
  if (entry == nullptr) {
    return;
  }
  if (entry->widget == nullptr && onWaitingPage(*entry)) {
    entry->row.flags =
        visible ? entry->row.flags & ~flag::kHidden : entry->row.flags | flag::kHidden;
    return;
  }
  if (entry->widget == nullptr) {
    if (!visible) {
      return;
    }
    realize(*entry);
  }
  entry->widget->setVisible(visible);
}

void QtControls::setEnabled(std::string_view name, bool enabled) {
  Entry* entry = find(name);
  if (entry == nullptr) {
    return;
  }
  if (entry->widget == nullptr) {
    entry->row.flags =
        enabled ? entry->row.flags & ~flag::kDisabled : entry->row.flags | flag::kDisabled;
    return;
  }
  entry->widget->setEnabled(enabled);
}

void QtControls::setColour(std::string_view name, Rgb colour) {
  Entry* entry = find(name);
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
  if (const Entry* entry = find(name); entry != nullptr && entry->widget == nullptr) {
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
  const Entry* entry = find(name);
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
  Entry* entry = find(name);
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
  if (auto* button = qobject_cast<QAbstractButton*>(widget(name))) {
    const QSignalBlocker quiet(button);
    button->setChecked(checked);
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

void QtControls::setPicture(std::string_view name, int width, int height, Painter painter) {
  if (auto* picture = dynamic_cast<QtPicture*>(built(name))) {
    picture->setPainter(width, height, std::move(painter));
  }
}

void QtControls::repaint(std::string_view name) {
  if (auto* picture = dynamic_cast<QtPicture*>(built(name))) {
    picture->redraw();
  }
}

}  // namespace qv
