#include "ui/DeliveryNotice.h"

#include "ui/Controls.h"

namespace qv {

void DeliveryNotice::show(const std::string& problem) {
  if (!made_ && !problem.empty()) {
    // The free strip between the pages' lower edge and the window's.
    Control row;
    row.kind = Kind::Label;
    row.name = kName;
    row.parent = "MainForm";
    row.x = 8;
    row.y = 436;
    row.width = 771;
    row.font = {"Calibri", 15, true};
    row.textColour = Rgb{255, 196, 64};
    controls_.create(row);
    made_ = true;
  }
  if (made_) {
    controls_.setText(kName, problem);
  }
}

}  // namespace qv
