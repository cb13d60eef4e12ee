#include "ui/qt/CyanDusk.h"

#include <QApplication>
#include <QFile>

// The style sheet is a resource of this static library, which the
// application has to register before it can be read.
static void registerStyleResources() {
  Q_INIT_RESOURCE(ui);
}

namespace qv {

QString applyCyanDusk(QApplication& app, const QString& styleSheetPath) {
  registerStyleResources();
  QFile file(styleSheetPath);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
    return QStringLiteral("The visual style \"Cyan Dusk\" cannot be applied: %1")
        .arg(file.errorString());
  }
  app.setStyleSheet(QString::fromUtf8(file.readAll()));
  return {};
}

}  // namespace qv
