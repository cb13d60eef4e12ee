#pragma once

#include <QString>

namespace qv {

// Modal message boxes with one OK button. The window shows every failure
// through this seam, so a test can read the exact text without a modal loop.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual void showMessage(const QString& text) = 0;
  virtual void showError(const QString& text) = 0;
};

// QMessageBox: its modal loop keeps the window's timer ticking.
class QtMessageBoxes final : public MessageBoxes {
 public:
  void showMessage(const QString& text) override;
  void showError(const QString& text) override;
};

}  // namespace qv
