#pragma once

#include <QColor>
#include <QFont>
#include <QString>
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

// Controls keep fixed pixel positions, as the window never re-lays itself out.
QFont pixelFont(const QString& family, int pixels, bool bold = false, bool italic = false,
                bool underline = false);

QLabel* makeLabel(QWidget* parent, std::string_view name, const QString& text, int x, int y);
// A column heading: "Tahoma" 12 pixels underlined.
QLabel* makeHeading(QWidget* parent, std::string_view name, const QString& text, int x, int y);

// A text box; a digit-only box takes only digits from the keyboard, and
// maxLength 0 means no limit.
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
