#pragma once

#include "ui/Controls.h"

namespace qv {

// Shades drawn with the tiny canvas alone, so every toolkit shows the same.

// A rectangle with rounded corners filled from `top` to `bottom`, one line
// of pixels at a time.
void verticalGradient(Canvas& canvas, const Canvas::Box& box, double radius, Rgb top, Rgb bottom);

// A disc lit from `light` (an offset from its centre): rings from `edge`
// to `centre`.
void litDisc(Canvas& canvas, double cx, double cy, double radius, double lightX, double lightY,
             Rgb centre, Rgb edge);

// `a` and `b` mixed: 0 gives a, 1 gives b.
Rgb mix(Rgb a, Rgb b, double t);

}  // namespace qv
