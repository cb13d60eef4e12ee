#include "ui/Logo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <array>

#include "ui/ControlFactory.h"

namespace qv {

QPixmap drawLogo(QSize size) {
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);

  const QRectF plate(1, 1, size.width() - 2, size.height() - 2);
  QLinearGradient metal(plate.topLeft(), plate.bottomLeft());
  metal.setColorAt(0, QColor(52, 58, 64));
  metal.setColorAt(1, QColor(22, 26, 30));
  p.setPen(QPen(QColor(17, 111, 101), 2));
  p.setBrush(metal);
  p.drawRoundedRect(plate, 8, 8);

  // A toggle switch, lever up.
  const QPointF pivot(26, size.height() * 0.62);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(150, 156, 160));
  p.drawEllipse(pivot, 9, 9);
  p.setPen(QPen(QColor(220, 224, 226), 5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(pivot, QPointF(pivot.x() + 4, pivot.y() - 24));

  // Three gear lights: green, green, red.
  const std::array<QColor, 3> lights{QColor(40, 200, 80), QColor(40, 200, 80), QColor(220, 50, 40)};
  for (size_t i = 0; i < lights.size(); ++i) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(lights.at(i));
    p.drawRect(QRectF(48 + 12.0 * static_cast<double>(i), 10, 9, 9));
  }

  p.setPen(QColor(120, 220, 205));
  p.setFont(pixelFont("Cambria", 24, true, true));
  p.drawText(QRectF(46, 20, size.width() - 50, size.height() - 22), Qt::AlignCenter, "QV");
  return pixmap;
}

}  // namespace qv
