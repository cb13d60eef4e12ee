#pragma once

#include <string_view>

namespace qv {

// The switch indicators of the Test page, named by control: the 18 "*" labels
// (sspmag1 .. sspbbsw7) and the raised gear lever picture "gearupimage".
class PanelIndicators {
 public:
  virtual ~PanelIndicators() = default;
  virtual void setIndicatorVisible(std::string_view indicator, bool visible) = 0;
};

}  // namespace qv
