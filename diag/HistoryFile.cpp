#include "diag/HistoryFile.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QSaveFile>

namespace qv {

std::optional<QString> writeHistoryFile(const QString& path, const QStringList& lines) {
  // QSaveFile: a failed write leaves an existing file as it was.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return QString("Cannot create file \"%1\". %2")
        .arg(QDir::toNativeSeparators(path), file.errorString());
  }
  for (const QString& line : lines) {
    file.write(line.toUtf8());
    file.write("\r\n");
  }
  if (!file.commit()) {
    return QString("Cannot write file \"%1\". %2")
        .arg(QDir::toNativeSeparators(path), file.errorString());
  }
  return std::nullopt;
}

std::optional<QString> QtHistorySaveDialog::chooseFile(QWidget* parent) {
  QFileDialog dialog(parent, "Save History", QDir::currentPath(),
                     "Text Files *.txt (*.txt);;All Files *.* (*)");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("txt");
  dialog.setFileMode(QFileDialog::AnyFile);
  // Qt's own dialog: the platform's may enter the file in its recent-documents list.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return dialog.selectedFiles().constFirst();
}

void QtHistorySaveDialog::showError(QWidget* parent, const QString& message) {
  QMessageBox::critical(parent, "Save History", message);
}

}  // namespace qv
