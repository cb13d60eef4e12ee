#pragma once

#include <map>
#include <string>
#include <string_view>

namespace qv {

// The texts of the window's controls, looked up by control name (UTF-8).
// A label's text is its caption. The window implements this over its
// widgets; the core and the tests use the map below.
class NamedTexts {
 public:
  virtual ~NamedTexts() = default;
  // The text of the named control; empty for a name that is not there.
  [[nodiscard]] virtual std::string text(std::string_view name) const = 0;
  virtual void setText(std::string_view name, const std::string& value) = 0;
};

class NamedTextMap final : public NamedTexts {
 public:
  NamedTextMap() = default;

  [[nodiscard]] std::string text(std::string_view name) const override;
  void setText(std::string_view name, const std::string& value) override;

  [[nodiscard]] const std::map<std::string, std::string, std::less<>>& entries() const {
    return texts_;
  }

 private:
  std::map<std::string, std::string, std::less<>> texts_;
};

}  // namespace qv
