// Draws the program's logo into square icons for the desktop's icon theme:
// make-icons <folder> <size>... writes <folder>/<size>x<size>/apps/quorvane.png.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "app/LogoIcon.h"

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
    if (size <= 0 || !QDir().mkpath(folder) ||
        !qv::logoSquare(size).save(folder + "/quorvane.png")) {
      std::fprintf(stderr, "make-icons: cannot write the %s icon in %s\n", argv[i], argv[1]);
      return 1;
    }
  }
  return 0;
}
