#pragma once

namespace qv {

class Canvas;

// The Test page's pictures, drawn in code so the program carries no image
// files. Indicator and light-copy positions of the page line up with them.

// The switch panel face: magneto knob, the upper row of six toggles (the
// first two under red guards), the lower row of seven, the gear lights and
// the gear lever in its down position.
inline constexpr int kSwitchPanelPictureWidth = 413;
inline constexpr int kSwitchPanelPictureHeight = 155;
void drawSwitchPanelPicture(Canvas& canvas);

// The gear lever raised, laid over the lever of the panel picture.
inline constexpr int kGearUpPictureWidth = 49;
inline constexpr int kGearUpPictureHeight = 78;
void drawGearUpPicture(Canvas& canvas);

}  // namespace qv
