#include "diag/PanelPictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <array>

namespace qv {

namespace {

const QColor kFace(0x2E, 0x30, 0x33);
const QColor kBezel(0x18, 0x19, 0x1B);
const QColor kPrint(0xE8, 0xE8, 0xE0);
const QColor kChrome(0xC8, 0xCC, 0xD0);
const QColor kGuardRed(0xB8, 0x1E, 0x1E);

struct Toggle {
  int x;
  const char* caption;
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
constexpr QPointF kKnobCentre(60, 86);
struct MagnetoPosition {
  const char* caption;
  double degrees;
};
constexpr std::array<MagnetoPosition, 5> kMagnetoPositions{
    {{"OFF", 156}, {"R", 124}, {"L", 92}, {"BOTH", 54}, {"START", 28}}};

// The lever sits where the raised-lever picture is laid over the panel.
constexpr int kLeverX = 362;

void drawCaption(QPainter& p, const QPointF& centre, const QString& text, int pixelSize) {
  QFont font("DejaVu Sans");
  font.setPixelSize(pixelSize);
  font.setBold(true);
  p.setFont(font);
  p.setPen(kPrint);
  const QRectF box(centre.x() - 30, centre.y() - 6, 60, 12);
  p.drawText(box, Qt::AlignCenter, text);
}

void drawScrew(QPainter& p, const QPointF& at) {
  p.setPen(QPen(kBezel, 1));
  p.setBrush(QColor(0x8A, 0x8D, 0x90));
  p.drawEllipse(at, 4, 4);
  p.drawLine(at + QPointF(-3, 0), at + QPointF(3, 0));
}

void drawToggle(QPainter& p, int x, int y) {
  p.setPen(QPen(kBezel, 1));
  p.setBrush(QColor(0x55, 0x58, 0x5C));
  p.drawRoundedRect(QRectF(x - 7, y - 4, 14, 22), 2, 2);
  p.setBrush(kChrome);
  p.drawEllipse(QPointF(x, y + 7), 4, 4);
  // The bat lever points down: every switch is drawn in its off position.
  p.setPen(QPen(kChrome, 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(x, y + 7), QPointF(x, y + 16));
}

void drawGuard(QPainter& p, int x, int y) {
  p.setPen(QPen(QColor(0x60, 0x0C, 0x0C), 1));
  p.setBrush(QColor(kGuardRed.red(), kGuardRed.green(), kGuardRed.blue(), 210));
  p.drawRect(QRectF(x - 9, y - 6, 18, 26));
  p.setPen(QPen(QColor(0xE0, 0x50, 0x50), 1));
  p.drawLine(QPointF(x - 7, y - 4), QPointF(x + 7, y - 4));
}

void drawMagneto(QPainter& p) {
  for (const MagnetoPosition& position : kMagnetoPositions) {
    const double angle = qDegreesToRadians(position.degrees);
    const QPointF dir(std::cos(angle), -std::sin(angle));
    p.setPen(QPen(kPrint, 2));
    p.drawLine(kKnobCentre + dir * 21, kKnobCentre + dir * 25);
    drawCaption(p, kKnobCentre + dir * 45, position.caption, 7);
  }
  QRadialGradient knob(kKnobCentre + QPointF(-5, -5), 22);
  knob.setColorAt(0, QColor(0x70, 0x72, 0x76));
  knob.setColorAt(1, QColor(0x20, 0x21, 0x23));
  p.setPen(QPen(kBezel, 1));
  p.setBrush(knob);
  p.drawEllipse(kKnobCentre, 17, 17);
  // The pointer bar rests on OFF.
  p.save();
  p.translate(kKnobCentre);
  p.rotate(90.0 - kMagnetoPositions[0].degrees);
  p.setBrush(QColor(0x3C, 0x3E, 0x42));
  p.drawRoundedRect(QRectF(-5, -19, 10, 38), 4, 4);
  p.setPen(QPen(kPrint, 2));
  p.drawLine(QPointF(0, -17), QPointF(0, -9));
  p.restore();
}

void drawGearLights(QPainter& p) {
  const std::array<std::pair<QPointF, const char*>, 3> lamps{{
      {QPointF(311, 70), "N"},
      {QPointF(293, 101), "R"},
      {QPointF(327, 101), "L"},
  }};
  for (const auto& [centre, caption] : lamps) {
    p.setPen(QPen(kBezel, 2));
    p.setBrush(QColor(0x40, 0x44, 0x40));
    p.drawEllipse(centre, 8, 8);
    drawCaption(p, centre + QPointF(0, 14), caption, 7);
  }
}

void drawLeverSlot(QPainter& p) {
  p.setPen(QPen(QColor(0x55, 0x58, 0x5C), 1));
  p.setBrush(kBezel);
  p.drawRoundedRect(QRectF(kLeverX - 5, 30, 10, 104), 4, 4);
  drawCaption(p, QPointF(kLeverX, 20), "UP", 8);
  drawCaption(p, QPointF(kLeverX, 145), "DOWN", 8);
}

// A lever whose shaft leaves the slot at `pivot` and ends in a wheel at `wheel`.
void drawLever(QPainter& p, const QPointF& pivot, const QPointF& wheel) {
  p.setPen(QPen(kChrome, 5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(pivot, wheel);
  QRadialGradient tyre(wheel + QPointF(-3, -3), 14);
  tyre.setColorAt(0, QColor(0x50, 0x50, 0x50));
  tyre.setColorAt(1, QColor(0x0C, 0x0C, 0x0C));
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(tyre);
  p.drawEllipse(wheel, 12, 12);
  p.setBrush(kChrome);
  p.drawEllipse(wheel, 4, 4);
}

}  // namespace

QPixmap drawSwitchPanelPicture() {
  QPixmap picture(413, 155);
  picture.fill(kBezel);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);

  QLinearGradient face(0, 0, 0, 155);
  face.setColorAt(0, kFace.lighter(115));
  face.setColorAt(1, kFace.darker(120));
  p.setPen(Qt::NoPen);
  p.setBrush(face);
  p.drawRoundedRect(QRectF(3, 3, 407, 149), 8, 8);
  for (const QPointF at :
       {QPointF(12, 12), QPointF(401, 12), QPointF(12, 143), QPointF(401, 143)}) {
    drawScrew(p, at);
  }

  drawMagneto(p);
  for (const Toggle& t : kUpperRow) {
    drawCaption(p, QPointF(t.x, kUpperRowY - 14), t.caption, 6);
    drawToggle(p, t.x, kUpperRowY);
  }
  drawGuard(p, kUpperRow[0].x, kUpperRowY);
  drawGuard(p, kUpperRow[1].x, kUpperRowY);
  for (const Toggle& t : kLowerRow) {
    drawToggle(p, t.x, kLowerRowY);
    drawCaption(p, QPointF(t.x, kLowerRowY + 27), t.caption, 6);
  }

  drawGearLights(p);
  drawLeverSlot(p);
  drawLever(p, QPointF(kLeverX, 122), QPointF(kLeverX, 118));
  return picture;
}

QPixmap drawGearUpPicture() {
  QPixmap picture(49, 78);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  // The slot is repainted so the lowered lever of the picture below is hidden.
  p.setPen(Qt::NoPen);
  p.setBrush(kFace);
  p.drawRect(QRectF(8, 0, 33, 78));
  p.setPen(QPen(QColor(0x55, 0x58, 0x5C), 1));
  p.setBrush(kBezel);
  p.drawRoundedRect(QRectF(19.5, 0, 10, 74), 4, 4);
  drawLever(p, QPointF(24.5, 24), QPointF(24.5, 14));
  return picture;
}

}  // namespace qv
