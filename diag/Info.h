#pragma once

namespace qv {

class Controls;
class THidDevice;

// Thidform.FormShow: fills the information dialog's controls from Dev.
void fillInfoDialog(Controls& form, THidDevice& Dev);

}  // namespace qv
