#include "diag/Shading.h"

#include <algorithm>
#include <cmath>

namespace qv {

Rgb mix(Rgb a, Rgb b, double t) {
  const auto channel = [t](uint8_t from, uint8_t to) {
    return static_cast<uint8_t>(std::lround(from + (to - from) * std::clamp(t, 0.0, 1.0)));
  };
  return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

void verticalGradient(Canvas& canvas, const Canvas::Box& box, double radius, Rgb top, Rgb bottom) {
  const int lines = static_cast<int>(std::ceil(box.height));
  for (int i = 0; i < lines; ++i) {
    const double y = box.y + i + 0.5;
    // Within a rounded corner the line starts further in.
    const double intoCorner =
        std::max({0.0, radius - (y - box.y), radius - (box.y + box.height - y)});
    const double inset =
        radius - std::sqrt(std::max(0.0, radius * radius - intoCorner * intoCorner));
    const double t = lines > 1 ? static_cast<double>(i) / (lines - 1) : 0.0;
    canvas.rectangle({box.x + inset, box.y + i, box.width - 2 * inset, 1}, 0,
                     Canvas::Fill{mix(top, bottom, t)}, std::nullopt);
  }
}

void litDisc(Canvas& canvas, double cx, double cy, double radius, double lightX, double lightY,
             Rgb centre, Rgb edge) {
  constexpr int kRings = 8;
  for (int ring = 0; ring < kRings; ++ring) {
    const double t = static_cast<double>(ring) / kRings;  // 0: the edge
    const double r = radius * (1.0 - t);
    canvas.ellipse(cx + lightX * t, cy + lightY * t, r, r, Canvas::Fill{mix(edge, centre, t)},
                   std::nullopt);
  }
}

}  // namespace qv
