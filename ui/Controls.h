#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "form/Form.h"

namespace qv {

class EventLoop;
class FormEvents;

// A tiny canvas: what the window's two pictures are drawn with, on every
// toolkit. Coordinates are pixels of the picture, fractions allowed.
class Canvas {
 public:
  struct Box {
    double x;
    double y;
    double width;
    double height;
  };
  struct Pen {
    Rgb colour;
    double width = 1;
    bool roundCap = false;
  };
  struct Fill {
    Rgb colour;
    int alpha = 255;
  };

  virtual ~Canvas() = default;
  // Rectangles with rounded corners of `radius` (0: square corners).
  virtual void rectangle(const Box& box, double radius, std::optional<Fill> fill,
                         std::optional<Pen> outline) = 0;
  virtual void ellipse(double cx, double cy, double rx, double ry, std::optional<Fill> fill,
                       std::optional<Pen> outline) = 0;
  virtual void line(double x1, double y1, double x2, double y2, const Pen& pen) = 0;
  // Text centred in `box`.
  virtual void text(const Box& box, std::string_view text, Rgb colour, const FontSpec& font) = 0;
};

using Painter = std::function<void(Canvas&)>;

// The controls of one form, by name. Each backend builds them from the
// form's rows. A name the form does not have is a fault of the logic: see
// unknownControl().
class Controls {
 public:
  virtual ~Controls() = default;

  // The text of an edit, memo, combo box (its shown text), label, heading,
  // button, check box, group or page; a window's caption.
  [[nodiscard]] virtual std::string text(std::string_view name) const = 0;
  // A combo box selects the item with this text, else keeps the text as
  // typed. Never cut by a typing limit.
  virtual void setText(std::string_view name, const std::string& text) = 0;

  // The control's own visibility (not its parents').
  [[nodiscard]] virtual bool visible(std::string_view name) const = 0;
  virtual void setVisible(std::string_view name, bool visible) = 0;
  virtual void setEnabled(std::string_view name, bool enabled) = 0;
  // The background of an edit or a panel.
  virtual void setColour(std::string_view name, Rgb colour) = 0;

  // The lines of a list: adds one at the end, clears them, reads them (a
  // combo box reads its items).
  virtual void addItem(std::string_view name, const std::string& item) = 0;
  virtual void clearItems(std::string_view name) = 0;
  [[nodiscard]] virtual std::vector<std::string> items(std::string_view name) const = 0;
  // The selected item of a list, combo box or radio group, or page of the
  // page control (in row order); -1: none.
  [[nodiscard]] virtual int selected(std::string_view name) const = 0;
  virtual void select(std::string_view name, int index) = 0;
  // A check box or a toggle button; setting it runs no handler.
  [[nodiscard]] virtual bool checked(std::string_view name) const = 0;
  virtual void setChecked(std::string_view name, bool checked) = 0;
  // The tab of a page.
  virtual void setTabVisible(std::string_view page, bool visible) = 0;
  // The lines of a grid, each with one text per column.
  virtual void setGridRows(std::string_view name,
                           const std::vector<std::vector<std::string>>& rows) = 0;

  // A picture drawn by `painter` on a canvas of width x height, shown at
  // the control's size.
  virtual void setPicture(std::string_view name, int width, int height, Painter painter) = 0;
  virtual void repaint(std::string_view name) = 0;

  // Adds a control while the form runs.
  virtual void create(const Control& row) = 0;

  // Who hears of clicks, page changes and keys; nullptr: nobody.
  virtual void setEvents(FormEvents* events) = 0;
};

// What a backend does with a name its form does not have: a debug build
// stops on the misspelt name; a release build reads it as empty and ignores
// writes, so the user is never stopped by it.
inline void unknownControl(std::string_view name) {
#ifndef NDEBUG
  throw std::logic_error("no control named " + std::string(name));
#else
  static_cast<void>(name);
#endif
}

// A backend's entry for `name` in its map of entries by name; nullptr when
// there is none.
template <typename Entries>
auto* entryOf(Entries& entries, std::string_view name) {
  const auto found = entries.find(name);
  return found != entries.end() ? &found->second : nullptr;
}

// As entryOf(), for a name the logic gave: see unknownControl().
template <typename Entries>
auto* namedEntry(Entries& entries, std::string_view name) {
  auto* entry = entryOf(entries, name);
  if (entry == nullptr) {
    unknownControl(name);
  }
  return entry;
}

// What the controls report. The backend calls these on the main thread.
class FormEvents {
 public:
  virtual ~FormEvents() = default;
  // A button, picture or list line was clicked.
  virtual void clicked(std::string_view name) = 0;
  // The page control's selection changed.
  virtual void pageChanged(std::string_view name) = 0;
  // A key went down in an edit: its Windows virtual-key code.
  virtual void keyDown(std::string_view name, int virtualKey) = 0;
  // The window was shown the first time, became active, is closing.
  virtual void shown() = 0;
  virtual void activated() = 0;
  virtual void closing() = 0;
};

// What the window's logic needs of the toolkit besides its controls.
class Toolkit {
 public:
  virtual ~Toolkit() = default;

  // The main thread's loop, for the readers' hand-off.
  virtual EventLoop& mainLoop() = 0;
  // Runs `tick` on the main thread every `milliseconds` until stopped.
  virtual void startTimer(int milliseconds, std::function<void()> tick) = 0;
  virtual void stopTimer() = 0;

  // Modal boxes with one OK button; the timer goes on ticking while open.
  virtual void showMessage(const std::string& text) = 0;
  virtual void showError(const std::string& text) = 0;
  // A modal question answered Yes (true) or No; the timer goes on ticking
  // while it is open.
  virtual bool askYesNo(const std::string& question) = 0;

  // File dialogs: the chosen name, nothing when cancelled.
  // OpenDialog1: the file need not exist.
  virtual std::optional<std::string> openProfile() = 0;
  // SaveDialog1: "psv" added to a name without one; no overwrite prompt.
  virtual std::optional<std::string> saveProfileAs() = 0;
  // "Save History": "txt" added, asks before overwriting.
  virtual std::optional<std::string> saveHistory() = 0;

  // Shows the form of `rows` modally; `fill` runs as it is shown.
  virtual void showModal(const Form& rows, const std::function<void(Controls&)>& fill) = 0;
};

}  // namespace qv
