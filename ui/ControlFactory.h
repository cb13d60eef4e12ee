#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <span>
#include <string_view>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QWidget;

namespace qv {

inline QString qs(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The faces to try for one of the window's fonts, best first.
QStringList fontFamilies(const QString& family);

// Controls keep fixed pixel positions, as the window never re-lays itself out.
QFont pixelFont(const QString& family, int pixels, bool bold = false, bool italic = false,
                bool underline = false);

// Gives every control below `root` without a font of its own the font of its
// parent: under a style sheet, Qt no longer passes fonts from parent to child.
void shareFont(QWidget* root);

QLabel* makeLabel(QWidget* parent, std::string_view name, const QString& text, int x, int y);
// A column heading: "Tahoma" 12 pixels underlined.
QLabel* makeHeading(QWidget* parent, std::string_view name, const QString& text, int x, int y);

// A text box; a digit-only box takes only digits from the keyboard, at most
// maxLength of them (0: no limit).
struct EditOptions {
  bool digitsOnly = false;
  int maxLength = 0;
  bool readOnly = false;
  QColor colour;  // invalid: the style's own
};
inline EditOptions digitBox(int maxLength = 0) {
  EditOptions options;
  options.digitsOnly = true;
  options.maxLength = maxLength;
  return options;
}
inline EditOptions readOnlyBox(const QColor& colour) {
  EditOptions options;
  options.readOnly = true;
  options.colour = colour;
  return options;
}

QLineEdit* makeEdit(QWidget* parent, std::string_view name, const QString& text, int x, int y,
                    int width, const EditOptions& options = {});

// An editable combo box with its items, the first one selected.
QComboBox* makeCombo(QWidget* parent, std::string_view name,
                     std::span<const std::string_view> items, int x, int y, int width);

QFrame* makePanel(QWidget* parent, std::string_view name, int x, int y, int width, int height);

}  // namespace qv
