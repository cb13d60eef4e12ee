#include "tests/support/HeadlessControls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace qv::test {

HeadlessControls::HeadlessControls(const Form& rows) {
  for (const Control& row : rows) {
    create(row);
  }
}

void HeadlessControls::create(const Control& row) {
  const std::string name(row.name);
  if (controls_.count(name) != 0) {
    throw std::logic_error("two controls named " + name);
  }
  if (!row.parent.empty() && !has(row.parent)) {
    throw std::logic_error("no parent " + std::string(row.parent) + " for " + name);
  }
  ControlState state;
  state.row = row;
  state.text = std::string(row.text);
  state.visible = !row.has(flag::kHidden);
  state.enabled = !row.has(flag::kDisabled);
  state.colour = row.colour;
  for (const std::string_view item : row.items) {
    state.items.emplace_back(item);
  }
  if (row.kind == Kind::Combo && !state.items.empty()) {
    state.selected = 0;
  }
  const auto stored = controls_.emplace(name, std::move(state)).first;
  // The row's own name lives as long as the control.
  stored->second.row.name = stored->first;
}

// A name the form does not have stops the test, as it stops a debug build.
ControlState* HeadlessControls::find(std::string_view name) {
  const auto found = controls_.find(name);
  if (found == controls_.end()) {
    throw std::logic_error("no control named " + std::string(name));
  }
  return &found->second;
}

const ControlState* HeadlessControls::find(std::string_view name) const {
  const auto found = controls_.find(name);
  if (found == controls_.end()) {
    throw std::logic_error("no control named " + std::string(name));
  }
  return &found->second;
}

const ControlState& HeadlessControls::at(std::string_view name) const {
  return *find(name);
}

void HeadlessControls::click(std::string_view name) {
  ControlState* state = find(name);
  ASSERT_NE(state, nullptr) << name;
  if (state->row.has(flag::kToggle)) {
    state->checked = !state->checked;
  }
  if (events_ != nullptr) {
    events_->clicked(name);
  }
}

void HeadlessControls::clickLine(std::string_view name, int index) {
  ControlState* state = find(name);
  ASSERT_NE(state, nullptr) << name;
  ASSERT_LT(index, static_cast<int>(state->items.size())) << name;
  state->selected = index;
  if (events_ != nullptr) {
    events_->clicked(name);
  }
}

void HeadlessControls::choose(std::string_view name, int index) {
  ControlState* state = find(name);
  ASSERT_NE(state, nullptr) << name;
  state->selected = index;
  if (state->row.kind == Kind::Combo) {
    state->text = state->items.at(static_cast<size_t>(index));
  }
  if (state->row.kind == Kind::Pages && events_ != nullptr) {
    events_->pageChanged(name);
  }
}

void HeadlessControls::keyDown(std::string_view name, int virtualKey) {
  if (events_ != nullptr) {
    events_->keyDown(name, virtualKey);
  }
}

std::string HeadlessControls::text(std::string_view name) const {
  const ControlState* state = find(name);
  return state != nullptr ? state->text : std::string();
}

void HeadlessControls::setText(std::string_view name, const std::string& text) {
  ControlState* state = find(name);
  if (state == nullptr) {
    return;
  }
  state->text = text;
  if (state->row.kind == Kind::Combo) {
    const auto item = std::find(state->items.begin(), state->items.end(), text);
    if (item != state->items.end()) {
      state->selected = static_cast<int>(item - state->items.begin());
    }
  }
}

bool HeadlessControls::visible(std::string_view name) const {
  const ControlState* state = find(name);
  return state != nullptr && state->visible;
}

void HeadlessControls::setVisible(std::string_view name, bool visible) {
  if (ControlState* state = find(name)) {
    state->visible = visible;
  }
}

void HeadlessControls::setEnabled(std::string_view name, bool enabled) {
  if (ControlState* state = find(name)) {
    state->enabled = enabled;
  }
}

void HeadlessControls::setColour(std::string_view name, Rgb colour) {
  if (ControlState* state = find(name)) {
    state->colour = colour;
  }
}

void HeadlessControls::addItem(std::string_view name, const std::string& item) {
  if (ControlState* state = find(name)) {
    state->items.push_back(item);
  }
}

void HeadlessControls::clearItems(std::string_view name) {
  if (ControlState* state = find(name)) {
    state->items.clear();
    state->selected = -1;
  }
}

std::vector<std::string> HeadlessControls::items(std::string_view name) const {
  const ControlState* state = find(name);
  return state != nullptr ? state->items : std::vector<std::string>();
}

int HeadlessControls::selected(std::string_view name) const {
  const ControlState* state = find(name);
  return state != nullptr ? state->selected : -1;
}

void HeadlessControls::select(std::string_view name, int index) {
  if (ControlState* state = find(name)) {
    const bool listed = state->row.kind == Kind::List || state->row.kind == Kind::Combo;
    if (listed && index >= static_cast<int>(state->items.size())) {
      ADD_FAILURE() << name << " has no item " << index;
      return;
    }
    state->selected = index;
    if (state->row.kind == Kind::Combo && index >= 0) {
      state->text = state->items.at(static_cast<size_t>(index));
    }
  }
}

bool HeadlessControls::checked(std::string_view name) const {
  const ControlState* state = find(name);
  return state != nullptr && state->checked;
}

void HeadlessControls::setChecked(std::string_view name, bool checked) {
  if (ControlState* state = find(name)) {
    state->checked = checked;
  }
}

void HeadlessControls::setTabVisible(std::string_view page, bool visible) {
  if (ControlState* state = find(page)) {
    state->tabVisible = visible;
  }
}

void HeadlessControls::setGridRows(std::string_view name,
                                   const std::vector<std::vector<std::string>>& rows) {
  if (ControlState* state = find(name)) {
    state->gridRows = rows;
  }
}

void HeadlessControls::setPicture(std::string_view name, int width, int height, Painter painter) {
  if (ControlState* state = find(name)) {
    state->pictureWidth = width;
    state->pictureHeight = height;
    state->painter = std::move(painter);
  }
}

void HeadlessControls::repaint(std::string_view name) {
  if (ControlState* state = find(name)) {
    ++state->repaints;
  }
}

}  // namespace qv::test
