#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace qv {

void QtMessageBoxes::showMessage(const QString& text) {
  QMessageBox::information(QApplication::activeWindow(), QApplication::applicationName(), text);
}

void QtMessageBoxes::showError(const QString& text) {
  QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), text);
}

}  // namespace qv
