#pragma once

#include <string>

namespace qv {

// What the profile operations need of the window.
class ProfileView {
 public:
  virtual ~ProfileView() = default;
  virtual void setCaption(const std::string& caption) = 0;
  // A modal message box with one OK button; returns when it is closed.
  virtual void showMessage(const std::string& message) = 0;
};

}  // namespace qv
