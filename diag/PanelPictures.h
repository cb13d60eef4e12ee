#pragma once

#include <QPixmap>

namespace qv {

// The Test page's pictures, drawn in code so the program carries no image
// files. Indicator and light-copy positions of the page line up with them.

// The switch panel face, 413 x 155: magneto knob, the upper row of six
// toggles (the first two under red guards), the lower row of seven, the gear
// lights and the gear lever in its down position.
QPixmap drawSwitchPanelPicture();

// The gear lever raised, 49 x 78, laid over the lever of the panel picture.
QPixmap drawGearUpPicture();

}  // namespace qv
