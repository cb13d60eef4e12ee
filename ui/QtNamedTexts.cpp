#include "ui/QtNamedTexts.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace qv {

namespace {

QWidget* find(QWidget& root, std::string_view name) {
  return root.findChild<QWidget*>(
      QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

}  // namespace

std::string QtNamedTexts::text(std::string_view name) const {
  QWidget* w = find(root_, name);
  if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    return edit->text().toStdString();
  }
  if (auto* combo = qobject_cast<QComboBox*>(w)) {
    return combo->currentText().toStdString();
  }
  if (auto* label = qobject_cast<QLabel*>(w)) {
    return label->text().toStdString();
  }
  return {};
}

void QtNamedTexts::setText(std::string_view name, const std::string& value) {
  QWidget* w = find(root_, name);
  const QString text = QString::fromStdString(value);
  if (auto* edit = qobject_cast<QLineEdit*>(w)) {
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
  }
}

}  // namespace qv
