#include "ui/ControlFactory.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace qv {

namespace {
constexpr int kControlHeight = 21;
}  // namespace

QStringList fontFamilies(const QString& family) {
  // The Windows fonts are seldom installed elsewhere: their metric-compatible
  // twins take their place, else a condensed face keeps the texts within
  // their fixed places.
  QStringList families{family};
  if (family == QLatin1String("Calibri")) {
    families << QStringLiteral("Carlito");
  } else if (family == QLatin1String("Cambria")) {
    families << QStringLiteral("Caladea") << QStringLiteral("DejaVu Serif Condensed");
  }
  families << QStringLiteral("DejaVu Sans Condensed");
  return families;
}

QFont pixelFont(const QString& family, int pixels, bool bold, bool italic, bool underline) {
  QFont font;
  font.setFamilies(fontFamilies(family));
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setItalic(italic);
  font.setUnderline(underline);
  return font;
}

QLabel* makeLabel(QWidget* parent, std::string_view name, const QString& text, int x, int y) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(qs(name));
  label->move(x, y);
  label->adjustSize();
  return label;
}

QLabel* makeHeading(QWidget* parent, std::string_view name, const QString& text, int x, int y) {
  QLabel* label = makeLabel(parent, name, text, x, y);
  label->setFont(pixelFont("Tahoma", 12, false, false, true));
  label->adjustSize();
  return label;
}

QLineEdit* makeEdit(QWidget* parent, std::string_view name, const QString& text, int x, int y,
                    int width, const EditOptions& options) {
  auto* edit = new QLineEdit(text, parent);
  edit->setObjectName(qs(name));
  edit->setGeometry(x, y, width, kControlHeight);
  // The typing limit lives in the validator, which only judges typing:
  // setMaxLength would also cut a longer text set by a profile load.
  if (options.digitsOnly) {
    const QString pattern = options.maxLength > 0
                                ? QStringLiteral("[0-9]{0,%1}").arg(options.maxLength)
                                : QStringLiteral("[0-9]*");
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
  }
  edit->setReadOnly(options.readOnly);
  if (options.colour.isValid()) {
    edit->setStyleSheet(QStringLiteral("QLineEdit { background-color: %1; color: black; }")
                            .arg(options.colour.name()));
  }
  return edit;
}

QComboBox* makeCombo(QWidget* parent, std::string_view name,
                     std::span<const std::string_view> items, int x, int y, int width) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(qs(name));
  combo->setEditable(true);
  // Typed texts stay as typed and never become new items.
  combo->setInsertPolicy(QComboBox::NoInsert);
  for (const std::string_view item : items) {
    combo->addItem(qs(item));
  }
  combo->setCurrentIndex(0);
  combo->setGeometry(x, y, width, kControlHeight);
  return combo;
}

QFrame* makePanel(QWidget* parent, std::string_view name, int x, int y, int width, int height) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(qs(name));
  panel->setGeometry(x, y, width, height);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Raised);
  return panel;
}

void shareFont(QWidget* root) {
  for (QObject* child : root->children()) {
    auto* control = qobject_cast<QWidget*>(child);
    if (control == nullptr) {
      continue;
    }
    if (!control->testAttribute(Qt::WA_SetFont)) {
      control->setFont(root->font());
    }
    shareFont(control);
  }
}

}  // namespace qv
