#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace qv {

// The two profile file dialogs. Each returns the chosen file name, or nothing
// when the user cancels.
class ProfileDialogs {
 public:
  virtual ~ProfileDialogs() = default;
  // OpenDialog1 ("Load"): the chosen file need not exist.
  virtual std::optional<QString> openProfile(QWidget* parent) = 0;
  // SaveDialog1 ("Save As"): "psv" is added to a name without extension; an
  // existing file is replaced without a prompt.
  virtual std::optional<QString> saveProfileAs(QWidget* parent) = 0;
};

class QtProfileDialogs final : public ProfileDialogs {
 public:
  std::optional<QString> openProfile(QWidget* parent) override;
  std::optional<QString> saveProfileAs(QWidget* parent) override;
};

}  // namespace qv
