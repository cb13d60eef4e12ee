// Draws the program's logo into square icons for the desktop's icon theme:
// make-icons <folder> <size>... writes <folder>/<size>x<size>/apps/quorvane.png.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "ui/Logo.h"
#include "ui/qt/QtCanvas.h"

namespace {

// The logo is wider than tall: fitted to the width, centred in height, on
// a transparent square.
QImage icon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const double scale = static_cast<double>(size) / qv::kLogoWidth;
  painter.translate(0, (size - qv::kLogoHeight * scale) / 2);
  painter.scale(scale, scale);
  qv::QtCanvas canvas(painter);
  qv::drawLogo(canvas);
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  const QGuiApplication app(argc, argv);
  if (argc < 3) {
    std::fputs("usage: make-icons <folder> <size>...\n", stderr);
    return 2;
  }
  for (int i = 2; i < argc; ++i) {
    const int size = QString::fromLocal8Bit(argv[i]).toInt();
    const QString folder =
        QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
    if (size <= 0 || !QDir().mkpath(folder) || !icon(size).save(folder + "/quorvane.png")) {
      std::fprintf(stderr, "make-icons: cannot write the %s icon in %s\n", argv[i], argv[1]);
      return 1;
    }
  }
  return 0;
}
