#pragma once

#include <QString>
#include <optional>

#include "diag/HistoryFile.h"

namespace qv::test {

// Answers the save dialog with a chosen file (or a cancel) and keeps the
// error messages it was asked to show.
class ScriptedSaveDialog final : public HistorySaveDialog {
 public:
  std::optional<QString> chooseFile(QWidget*) override {
    ++asked;
    return answer;
  }
  void showError(QWidget*, const QString& message) override { errors << message; }

  std::optional<QString> answer;
  int asked = 0;
  QStringList errors;
};

}  // namespace qv::test
