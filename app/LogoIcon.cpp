#include "app/LogoIcon.h"

#include <QPainter>
#include <QPixmap>

#include "ui/Logo.h"
#include "ui/qt/QtCanvas.h"

namespace qv {

// The logo is wider than tall: fitted to the width, centred in height.
QImage logoSquare(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const double scale = static_cast<double>(size) / kLogoWidth;
  painter.translate(0, (size - kLogoHeight * scale) / 2);
  painter.scale(scale, scale);
  QtCanvas canvas(painter);
  drawLogo(canvas);
  return image;
}

QIcon logoIcon() {
  QIcon icon;
  for (const int size : {16, 32, 48, 64, 128}) {
    icon.addPixmap(QPixmap::fromImage(logoSquare(size)));
  }
  return icon;
}

}  // namespace qv
