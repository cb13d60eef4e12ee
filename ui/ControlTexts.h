#pragma once

#include "engine/NamedTexts.h"

namespace qv {

class Controls;

// The named texts the core reads and writes, over the window's controls.
class ControlTexts final : public NamedTexts {
 public:
  explicit ControlTexts(Controls& controls) : controls_(controls) {}

  [[nodiscard]] std::string text(std::string_view name) const override;
  void setText(std::string_view name, const std::string& value) override;

 private:
  Controls& controls_;
};

}  // namespace qv
