#include "ui/qt/QtToolkit.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "ui/qt/QtControls.h"

namespace qv {

namespace {

// A file dialog of the given name, filter and mode; the chosen file, if any.
std::optional<std::string> chosenFile(QFileDialog& dialog, const char* name, const char* filter,
                                      QFileDialog::AcceptMode mode) {
  dialog.setObjectName(name);
  dialog.setNameFilter(filter);
  dialog.setAcceptMode(mode);
  // AnyFile: a typed name of a missing file reaches the load, which reports it.
  dialog.setFileMode(QFileDialog::AnyFile);
  // exec() runs a modal loop, so the window's timer goes on ticking.
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return dialog.selectedFiles().constFirst().toStdString();
}

}  // namespace

QtToolkit::QtToolkit() {
  timer_.setObjectName("Timer1");
}

QtToolkit::~QtToolkit() = default;

void QtToolkit::startTimer(int milliseconds, std::function<void()> tick) {
  timer_.disconnect();
  QObject::connect(&timer_, &QTimer::timeout, &timer_, std::move(tick));
  timer_.start(milliseconds);
}

void QtToolkit::stopTimer() {
  timer_.stop();
  timer_.disconnect();
}

void QtToolkit::showMessage(const std::string& text) {
  QMessageBox::information(QApplication::activeWindow(), QApplication::applicationName(),
                           QString::fromStdString(text));
}

void QtToolkit::showError(const std::string& text) {
  QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(),
                        QString::fromStdString(text));
}

bool QtToolkit::askYesNo(const std::string& question) {
  return QMessageBox::question(QApplication::activeWindow(), QApplication::applicationName(),
                               QString::fromStdString(question)) == QMessageBox::Yes;
}

std::optional<std::string> QtToolkit::openProfile() {
  QFileDialog dialog(QApplication::activeWindow());
  return chosenFile(dialog, "OpenDialog1", "Driver Profile (*.psv)", QFileDialog::AcceptOpen);
}

std::optional<std::string> QtToolkit::saveProfileAs() {
  QFileDialog dialog(QApplication::activeWindow());
  dialog.setDefaultSuffix("psv");
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  return chosenFile(dialog, "SaveDialog1", "Profile File (*.psv)", QFileDialog::AcceptSave);
}

std::optional<std::string> QtToolkit::saveHistory() {
  QFileDialog dialog(QApplication::activeWindow(), "Save History", QDir::currentPath());
  dialog.setDefaultSuffix("txt");
  // Qt's own dialog: the platform's may enter the file in its recent-documents list.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  return chosenFile(dialog, "SaveDialog", "Text Files *.txt (*.txt);;All Files *.* (*)",
                    QFileDialog::AcceptSave);
}

void QtToolkit::showModal(const Form& rows, const std::function<void(Controls&)>& fill) {
  QDialog dialog(QApplication::activeWindow(),
                 Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  QtControls controls(rows, dialog);
  fill(controls);
  dialog.exec();
}

}  // namespace qv
