#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace qv {

// Writes the history lines to `path` as UTF-8 text, each line ended by CR LF.
// Returns the error message when the file cannot be written, nothing on
// success.
std::optional<QString> writeHistoryFile(const QString& path, const QStringList& lines);

// Where the history goes: the "Save History" dialog, and the message when the
// file cannot be written. A test puts its own in place.
class HistorySaveDialog {
 public:
  virtual ~HistorySaveDialog() = default;
  // The file the user confirmed, nothing when the dialog was cancelled.
  virtual std::optional<QString> chooseFile(QWidget* parent) = 0;
  virtual void showError(QWidget* parent, const QString& message) = 0;
};

// The platform's file dialog and a modal message box.
class QtHistorySaveDialog final : public HistorySaveDialog {
 public:
  std::optional<QString> chooseFile(QWidget* parent) override;
  void showError(QWidget* parent, const QString& message) override;
};

}  // namespace qv
