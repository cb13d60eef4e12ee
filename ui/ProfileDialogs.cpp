#include "ui/ProfileDialogs.h"

#include <QFileDialog>

namespace qv {

namespace {

std::optional<QString> chosenFile(QFileDialog& dialog) {
  // exec() runs a modal loop, so the window's timer goes on ticking.
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return dialog.selectedFiles().front();
}

}  // namespace

std::optional<QString> QtProfileDialogs::openProfile(QWidget* parent) {
  QFileDialog dialog(parent);
  dialog.setObjectName("OpenDialog1");
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // AnyFile: a typed name of a missing file reaches the load, which reports it.
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter("Driver Profile (*.psv)");
  return chosenFile(dialog);
}

std::optional<QString> QtProfileDialogs::saveProfileAs(QWidget* parent) {
  QFileDialog dialog(parent);
  dialog.setObjectName("SaveDialog1");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter("Profile File (*.psv)");
  dialog.setDefaultSuffix("psv");
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  return chosenFile(dialog);
}

}  // namespace qv
