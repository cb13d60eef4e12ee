#pragma once

namespace qv {

class Canvas;

// The picture at the top right of the window: a toggle switch and a gear
// light beside the program's initials.
inline constexpr int kLogoWidth = 142;
inline constexpr int kLogoHeight = 59;
void drawLogo(Canvas& canvas);

}  // namespace qv
