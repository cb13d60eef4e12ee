#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QTableWidget>
#include <algorithm>
#include <array>
#include <stdexcept>

#include "ui/qt/QtControls.h"
#include "ui/qt/QtFonts.h"
#include "ui/qt/QtLook.h"
#include "ui/qt/QtPicture.h"

namespace qv {

namespace {

// Simple kinds: their widget may wait while the control is hidden.
constexpr std::array kSimpleKinds{Kind::Edit,   Kind::Label,    Kind::Heading,
                                  Kind::Button, Kind::CheckBox, Kind::Memo};

bool isSimple(Kind kind) {
  return std::find(kSimpleKinds.begin(), kSimpleKinds.end(), kind) != kSimpleKinds.end();
}

}  // namespace

// Kinds whose whole state, until their widget exists, fits the row, the kept
// text and the kept combo-box selection.
bool QtControls::keepsStateInRow(Kind kind) {
  return isSimple(kind) || kind == Kind::Combo || kind == Kind::Panel || kind == Kind::Group;
}

// The widget to a form's controls is put off where that saves most: a
// page's controls wait for the page's first showing (the mapping pages hold
// dozens of combo boxes, each costing its style's caches), and a hidden
// control of a simple kind waits for its first showing (the console's
// thousand byte editors, nearly all never placed).
bool QtControls::waitsWhileHidden(const Control& row) {
  return row.has(flag::kHidden) && isSimple(row.kind);
}

// A label as wide as its text, at least as wide as its row says.
void QtControls::fitLabel(QLabel* label, const Control& row) {
  label->setMinimumWidth(std::max(row.width, 0));
  label->adjustSize();
}

void QtControls::realize(Entry& entry) {
  if (onWaitingPage(entry)) {
    realizePage(entry.page);
    return;
  }
  entry.widget = build(entry);
  place(entry.widget, entry.row);
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

QWidget* QtControls::build(const Entry& entry) {
  const Control& row = entry.row;
  const QString text = QString::fromStdString(entry.text);
  QWidget* parent = row.parent.empty() ? &root_ : widget(row.parent);
  switch (row.kind) {
    case Kind::Window:
      root_.setWindowTitle(text);
      if (row.has(flag::kFixedSize)) {
        root_.setFixedSize(row.width, row.height);
      } else {
        root_.resize(row.width, row.height);
      }
      return &root_;
    case Kind::Button: {
      auto* button = new QPushButton(text, parent);
      button->setCheckable(row.has(flag::kToggle));
      return button;
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
      return edit;
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
      return combo;
    }
    case Kind::Label:
    case Kind::Heading: {
      auto* label = new QLabel(text, parent);
      label->setWordWrap(row.has(flag::kWordWrap));
      return label;
    }
    case Kind::Group:
      return new QGroupBox(text, parent);
    case Kind::RadioGroup: {
      auto* box = new QGroupBox(text, parent);
      auto* group = new QButtonGroup(box);
      for (int i = 0; i < static_cast<int>(row.items.size()); ++i) {
        auto* item = new QRadioButton(qs(row.items[static_cast<size_t>(i)]), box);
        item->setGeometry(6, 18 + i * 18, 72, 18);
        group->addButton(item, i);
      }
      return box;
    }
    case Kind::List:
      return new QListWidget(parent);
    case Kind::Memo: {
      auto* memo = new QPlainTextEdit(text, parent);
      memo->setReadOnly(row.has(flag::kReadOnly));
      return memo;
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
      return frame;
    }
    case Kind::Picture:
      return new QtPicture(parent);
    case Kind::Pages:
      return new QTabWidget(parent);
    case Kind::Page: {
      auto* tabs = qobject_cast<QTabWidget*>(parent);
      if (tabs == nullptr) {
        throw std::logic_error("page " + std::string(row.name) + " outside a page control");
      }
      auto* page = new QWidget;
      tabs->addTab(page, text);
      if (waitingPages_.find(row.name) != waitingPages_.end()) {
        page->installEventFilter(this);
      }
      return page;
    }
    case Kind::CheckBox:
      return new QCheckBox(text, parent);
    case Kind::Grid: {
      auto* grid = new QTableWidget(0, static_cast<int>(row.items.size()), parent);
      QStringList columns;
      for (const std::string_view column : row.items) {
        columns << qs(column);
      }
      grid->setHorizontalHeaderLabels(columns);
      grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
      return grid;
    }
  }
  throw std::logic_error("no widget for " + std::string(row.name));
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

}  // namespace qv
