#include "ui/qt/QtFonts.h"

#include <QWidget>

namespace qv {

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

QFont pixelFont(const FontSpec& face) {
  QFont font;
  font.setFamilies(fontFamilies(qs(face.family)));
  font.setPixelSize(face.pixels);
  font.setBold(face.bold);
  font.setItalic(face.italic);
  font.setUnderline(face.underline);
  return font;
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
