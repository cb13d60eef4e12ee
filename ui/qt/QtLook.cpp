#include "ui/qt/QtLook.h"

#include <QApplication>
#include <QFile>
#include <QFrame>

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

QString cssColour(Rgb colour) {
  return QStringLiteral("rgb(%1, %2, %3)").arg(colour.r).arg(colour.g).arg(colour.b);
}

QColor qcolour(Rgb colour, int alpha) {
  return {colour.r, colour.g, colour.b, alpha};
}

void setFrame(QFrame* frame, Bevel bevel) {
  switch (bevel) {
    case Bevel::None:
      frame->setFrameShape(QFrame::NoFrame);
      break;
    case Bevel::Raised:
      frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
      break;
    case Bevel::Lowered:
      frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      break;
  }
}

void fillBackground(QWidget* widget, Rgb colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, qcolour(colour));
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
  widget->update();
}

QString editStyle(Rgb background, std::optional<Rgb> text) {
  QString style = QStringLiteral("QLineEdit { background-color: %1;").arg(cssColour(background));
  if (text) {
    style += QStringLiteral(" color: %1;").arg(cssColour(*text));
  }
  return style + QStringLiteral(" }");
}

}  // namespace qv
