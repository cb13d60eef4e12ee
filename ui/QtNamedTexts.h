#pragma once

#include "engine/NamedTexts.h"

class QWidget;

namespace qv {

// The texts of the window's controls by objectName: a text box's text, a
// combo box's shown text and a label's caption. Other names read as empty
// and ignore writes.
class QtNamedTexts final : public NamedTexts {
 public:
  explicit QtNamedTexts(QWidget& root) : root_(root) {}

  [[nodiscard]] std::string text(std::string_view name) const override;
  void setText(std::string_view name, const std::string& value) override;

 private:
  QWidget& root_;
};

}  // namespace qv
