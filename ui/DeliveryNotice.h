#pragma once

#include <string>

namespace qv {

class Controls;

// The line under the pages that says why keystrokes go nowhere. It is made
// the first time there is something to say, so a window whose keystrokes
// are delivered looks as it always did.
class DeliveryNotice {
 public:
  static constexpr const char* kName = "lblKeyDelivery";

  explicit DeliveryNotice(Controls& controls) : controls_(controls) {}

  // Shows `problem`; "" empties the line.
  void show(const std::string& problem);

 private:
  Controls& controls_;
  bool made_ = false;
};

}  // namespace qv
