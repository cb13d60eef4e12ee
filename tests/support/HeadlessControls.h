#pragma once

#include <map>
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace qv::test {

// One control as the headless backend keeps it.
struct ControlState {
  Control row;
  std::string text;
  bool visible = true;
  bool enabled = true;
  bool tabVisible = true;
  bool checked = false;
  std::optional<Rgb> colour;
  std::vector<std::string> items;
  int selected = -1;
  std::vector<std::vector<std::string>> gridRows;
  Painter painter;
  int pictureWidth = 0;
  int pictureHeight = 0;
  int repaints = 0;
};

// The recording backend: every control of a form as plain state, so the
// window's logic runs and is checked without any toolkit. The user's own
// actions (clicks, page changes, typed keys) go to the logic as a toolkit's
// would.
class HeadlessControls final : public Controls {
 public:
  explicit HeadlessControls(const Form& rows);

  // The state of `name`; fails the test when there is no such control.
  [[nodiscard]] const ControlState& at(std::string_view name) const;
  [[nodiscard]] bool has(std::string_view name) const { return controls_.count(name) != 0; }
  [[nodiscard]] size_t count() const { return controls_.size(); }

  // The user clicks a button, picture or list line; a toggle button moves first.
  void click(std::string_view name);
  // The user clicks line `index` of a list.
  void clickLine(std::string_view name, int index);
  // The user picks a page, a radio item or a combo box item.
  void choose(std::string_view name, int index);
  void keyDown(std::string_view name, int virtualKey);

  [[nodiscard]] std::string text(std::string_view name) const override;
  void setText(std::string_view name, const std::string& text) override;
  [[nodiscard]] bool visible(std::string_view name) const override;
  void setVisible(std::string_view name, bool visible) override;
  void setEnabled(std::string_view name, bool enabled) override;
  void setColour(std::string_view name, Rgb colour) override;
  void addItem(std::string_view name, const std::string& item) override;
  void clearItems(std::string_view name) override;
  [[nodiscard]] std::vector<std::string> items(std::string_view name) const override;
  [[nodiscard]] int selected(std::string_view name) const override;
  void select(std::string_view name, int index) override;
  [[nodiscard]] bool checked(std::string_view name) const override;
  void setChecked(std::string_view name, bool checked) override;
  void setTabVisible(std::string_view page, bool visible) override;
  void setGridRows(std::string_view name,
                   const std::vector<std::vector<std::string>>& rows) override;
  void setPicture(std::string_view name, int width, int height, Painter painter) override;
  void repaint(std::string_view name) override;
  void create(const Control& row) override;
  void setEvents(FormEvents* events) override { events_ = events; }

  [[nodiscard]] FormEvents* events() const { return events_; }

 private:
  ControlState* find(std::string_view name);
  [[nodiscard]] const ControlState* find(std::string_view name) const;

  std::map<std::string, ControlState, std::less<>> controls_;
  FormEvents* events_ = nullptr;
};

}  // namespace qv::test
