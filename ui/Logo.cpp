#include "ui/Logo.h"

#include <array>

#include "diag/Shading.h"
#include "ui/Controls.h"

namespace qv {

void drawLogo(Canvas& c) {
  constexpr Rgb kTeal{17, 111, 101};
  const Canvas::Box plate{1, 1, kLogoWidth - 2, kLogoHeight - 2};
  verticalGradient(c, plate, 8, {52, 58, 64}, {22, 26, 30});
  c.rectangle(plate, 8, std::nullopt, Canvas::Pen{kTeal, 2});

  // A toggle switch, lever up.
  const double pivotX = 26;
  const double pivotY = kLogoHeight * 0.62;
  c.ellipse(pivotX, pivotY, 9, 9, Canvas::Fill{{150, 156, 160}}, std::nullopt);
  c.line(pivotX, pivotY, pivotX + 4, pivotY - 24, Canvas::Pen{{220, 224, 226}, 5, true});

  // Three gear lights: green, green, red.
  constexpr std::array<Rgb, 3> kLights{{{40, 200, 80}, {40, 200, 80}, {220, 50, 40}}};
  for (size_t i = 0; i < kLights.size(); ++i) {
    c.rectangle({48 + 12.0 * static_cast<double>(i), 10, 9, 9}, 0, Canvas::Fill{kLights.at(i)},
                Canvas::Pen{{0, 0, 0}});
  }

  c.text({46, 20, kLogoWidth - 50, kLogoHeight - 22}, "QV", {120, 220, 205},
         {"Cambria", 24, true, true});
}

}  // namespace qv
