#include "diag/PanelPictures.h"

#include <array>
#include <cmath>
#include <numbers>
#include <utility>

#include "diag/Shading.h"
#include "ui/Controls.h"

namespace qv {

namespace {

constexpr Rgb kFace{0x2E, 0x30, 0x33};
constexpr Rgb kFaceTop{0x35, 0x37, 0x3B};
constexpr Rgb kFaceBottom{0x26, 0x28, 0x2A};
constexpr Rgb kBezel{0x18, 0x19, 0x1B};
constexpr Rgb kPrint{0xE8, 0xE8, 0xE0};
constexpr Rgb kChrome{0xC8, 0xCC, 0xD0};
constexpr Rgb kSlotEdge{0x55, 0x58, 0x5C};
constexpr Rgb kGuardRed{0xB8, 0x1E, 0x1E};

struct Toggle {
  int x;
  std::string_view caption;
};

// Centres of the toggles, matched to the indicator labels laid over the
// picture (each "*" sits six pixels right of its label's left edge).
constexpr std::array<Toggle, 6> kUpperRow{
    {{139, "BAT"}, {160, "ALT"}, {193, "AVION"}, {219, "FUEL"}, {246, "DE-ICE"}, {269, "PITOT"}}};
constexpr std::array<Toggle, 7> kLowerRow{{{102, "COWL"},
                                           {142, "PANEL"},
                                           {167, "BCN"},
                                           {193, "NAV"},
                                           {219, "STRB"},
                                           {245, "TAXI"},
                                           {271, "LAND"}}};
constexpr int kUpperRowY = 50;
constexpr int kLowerRowY = 110;

// The knob's positions, from OFF at the left over the top to START at the
// right, at the angles of the magneto marks laid over the picture.
constexpr double kKnobX = 60;
constexpr double kKnobY = 86;
struct MagnetoPosition {
  std::string_view caption;
  double degrees;
};
constexpr std::array<MagnetoPosition, 5> kMagnetoPositions{
    {{"OFF", 156}, {"R", 124}, {"L", 92}, {"BOTH", 54}, {"START", 28}}};

// The lever sits where the raised-lever picture is laid over the panel.
constexpr int kLeverX = 362;

using Fill = Canvas::Fill;
using Pen = Canvas::Pen;

void drawCaption(Canvas& c, double x, double y, std::string_view text, int pixelSize) {
  c.text({x - 30, y - 6, 60, 12}, text, kPrint, {"DejaVu Sans", pixelSize, true});
}

void drawScrew(Canvas& c, double x, double y) {
  c.ellipse(x, y, 4, 4, Fill{{0x8A, 0x8D, 0x90}}, Pen{kBezel});
  c.line(x - 3, y, x + 3, y, Pen{kBezel});
}

void drawToggle(Canvas& c, int x, int y) {
  c.rectangle({x - 7.0, y - 4.0, 14, 22}, 2, Fill{{0x55, 0x58, 0x5C}}, Pen{kBezel});
  c.ellipse(x, y + 7, 4, 4, Fill{kChrome}, Pen{kBezel});
  // The bat lever points down: every switch is drawn in its off position.
  c.line(x, y + 7, x, y + 16, Pen{kChrome, 3, true});
}

void drawGuard(Canvas& c, int x, int y) {
  c.rectangle({x - 9.0, y - 6.0, 18, 26}, 0, Fill{kGuardRed, 210}, Pen{{0x60, 0x0C, 0x0C}});
  c.line(x - 7, y - 4, x + 7, y - 4, Pen{{0xE0, 0x50, 0x50}});
}

void drawMagneto(Canvas& c) {
  for (const MagnetoPosition& position : kMagnetoPositions) {
    const double angle = position.degrees * std::numbers::pi / 180.0;
    const double dx = std::cos(angle);
    const double dy = -std::sin(angle);
    c.line(kKnobX + dx * 21, kKnobY + dy * 21, kKnobX + dx * 25, kKnobY + dy * 25, Pen{kPrint, 2});
    drawCaption(c, kKnobX + dx * 45, kKnobY + dy * 45, position.caption, 7);
  }
  c.ellipse(kKnobX, kKnobY, 17, 17, std::nullopt, Pen{kBezel});
  litDisc(c, kKnobX, kKnobY, 16.5, -5, -5, {0x70, 0x72, 0x76}, {0x20, 0x21, 0x23});
  // The pointer bar rests on OFF: along the line through the knob at its angle.
  const double angle = kMagnetoPositions[0].degrees * std::numbers::pi / 180.0;
  const double dx = std::cos(angle);
  const double dy = -std::sin(angle);
  c.line(kKnobX - dx * 14, kKnobY - dy * 14, kKnobX + dx * 14, kKnobY + dy * 14,
         Pen{{0x3C, 0x3E, 0x42}, 10, true});
  c.line(kKnobX + dx * 9, kKnobY + dy * 9, kKnobX + dx * 17, kKnobY + dy * 17, Pen{kPrint, 2});
}

void drawGearLights(Canvas& c) {
  const std::array<std::tuple<double, double, std::string_view>, 3> lamps{{
      {311, 70, "N"},
      {293, 101, "R"},
      {327, 101, "L"},
  }};
  for (const auto& [x, y, caption] : lamps) {
    c.ellipse(x, y, 8, 8, Fill{{0x40, 0x44, 0x40}}, Pen{kBezel, 2});
    drawCaption(c, x, y + 14, caption, 7);
  }
}

void drawLeverSlot(Canvas& c) {
  c.rectangle({kLeverX - 5.0, 30, 10, 104}, 4, Fill{kBezel}, Pen{kSlotEdge});
  drawCaption(c, kLeverX, 20, "UP", 8);
  drawCaption(c, kLeverX, 145, "DOWN", 8);
}

// A lever whose shaft leaves the slot at the pivot and ends in a wheel.
void drawLever(Canvas& c, double pivotX, double pivotY, double wheelX, double wheelY) {
  c.line(pivotX, pivotY, wheelX, wheelY, Pen{kChrome, 5, true});
  c.ellipse(wheelX, wheelY, 12, 12, std::nullopt, Pen{{0, 0, 0}});
  litDisc(c, wheelX, wheelY, 11.5, -3, -3, {0x50, 0x50, 0x50}, {0x0C, 0x0C, 0x0C});
  c.ellipse(wheelX, wheelY, 4, 4, Fill{kChrome}, Pen{{0, 0, 0}});
}

}  // namespace

void drawSwitchPanelPicture(Canvas& c) {
  c.rectangle({0, 0, kSwitchPanelPictureWidth, kSwitchPanelPictureHeight}, 0, Fill{kBezel},
              std::nullopt);
  verticalGradient(c, {3, 3, 407, 149}, 8, kFaceTop, kFaceBottom);
  for (const auto& [x, y] :
       std::array<std::pair<double, double>, 4>{{{12, 12}, {401, 12}, {12, 143}, {401, 143}}}) {
    drawScrew(c, x, y);
  }

  drawMagneto(c);
  for (const Toggle& t : kUpperRow) {
    drawCaption(c, t.x, kUpperRowY - 14, t.caption, 6);
    drawToggle(c, t.x, kUpperRowY);
  }
  drawGuard(c, kUpperRow[0].x, kUpperRowY);
  drawGuard(c, kUpperRow[1].x, kUpperRowY);
  for (const Toggle& t : kLowerRow) {
    drawToggle(c, t.x, kLowerRowY);
    drawCaption(c, t.x, kLowerRowY + 27, t.caption, 6);
  }

  drawGearLights(c);
  drawLeverSlot(c);
  drawLever(c, kLeverX, 122, kLeverX, 118);
}

void drawGearUpPicture(Canvas& c) {
  // The slot is repainted so the lowered lever of the picture below is hidden.
  c.rectangle({8, 0, 33, 78}, 0, Fill{kFace}, std::nullopt);
  c.rectangle({19.5, 0, 10, 74}, 4, Fill{kBezel}, Pen{kSlotEdge});
  drawLever(c, 24.5, 24, 24.5, 14);
}

}  // namespace qv
