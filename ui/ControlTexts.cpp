#include "ui/ControlTexts.h"

#include "ui/Controls.h"

namespace qv {

std::string ControlTexts::text(std::string_view name) const {
  return controls_.text(name);
}

void ControlTexts::setText(std::string_view name, const std::string& value) {
  controls_.setText(name, value);
}

}  // namespace qv
