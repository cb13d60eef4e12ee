#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <string_view>

#include "form/Form.h"

class QWidget;

namespace qv {

inline QString qs(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The faces to try for one of the window's fonts, best first.
QStringList fontFamilies(const QString& family);

// Controls keep fixed pixel positions, as the window never re-lays itself out.
QFont pixelFont(const FontSpec& face);

// Gives every control below `root` without a font of its own the font of its
// parent: under a style sheet, Qt no longer passes fonts from parent to child.
void shareFont(QWidget* root);

}  // namespace qv
