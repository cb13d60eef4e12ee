#include <array>

#include "form/Form.h"

namespace qv {

namespace {

void append(Form& rows, const Form& more) {
  rows.insert(rows.end(), more.begin(), more.end());
}

Control page(std::string_view name, std::string_view caption, unsigned flags = 0) {
  return {
      .kind = Kind::Page, .name = name, .parent = "PageControl1", .text = caption, .flags = flags};
}

Form build() {
  Form rows{{.kind = Kind::Window,
             .name = "MainForm",
             .width = 787,
             .height = 462,
             .font = {"MS Sans Serif", 13}}};
  append(rows, topPanelForm());
  rows.push_back(
      {.kind = Kind::Pages, .name = "PageControl1", .x = 0, .y = 98, .width = 781, .height = 332});
  // The tab order of the pages is the order of these rows.
  rows.push_back(page("TabSheet1", "Landing Gear"));
  append(rows, landingGearPageForm());
  rows.push_back(page("TabSheet2", "Magneto"));
  append(rows, magnetoPageForm());
  rows.push_back(page("TabSheet3", "Panel Keys"));
  append(rows, panelKeysPageForm());
  rows.push_back(page("TabSheet5", "Bottom Panel Keys"));
  append(rows, bottomPanelKeysPageForm());
  rows.push_back(page("Test", "Test"));
  append(rows, testPageForm());
  rows.push_back(page("TabSheet4", "Info"));
  append(rows, infoPageForm());
  rows.push_back(page("TabSheet6", "TabSheet6", flag::kDisabled));
  append(rows, debugPageForm());
  // The console lies over the page area.
  append(rows, consoleForm());
  return rows;
}

}  // namespace

Form infoPageForm() {
  return {{.kind = Kind::Label,
           .name = "Label39",
           .parent = "TabSheet4",
           .text = "Info",
           .font = {"Calibri", 15, false, false, true},
           .flags = flag::kAutoSize},
          {.kind = Kind::Memo,
           .name = "Memo2",
           .parent = "TabSheet4",
           .x = 35,
           .y = 0,
           .width = 680,
           .height = 157,
           // Worded to fit the box: nothing may hide below its lower edge.
           .text = "After each start, the first switch you move only registers the panel; "
                   "nothing is sent for it.\n\n"
                   "A switch position with a key code is typed as keystrokes into the focused "
                   "window; one left at \"N None\" with key code 0 goes straight to the "
                   "simulator while it shows \"Connected\".\n\n"
                   "FSX, FlightGear and X-Plane are reached directly; with any other simulator, "
                   "map every position to keys.",
           .font = {"Calibri", 15},
           .flags = flag::kReadOnly}};
}

const Form& mainWindowForm() {
  static const Form form = build();
  return form;
}

const Control* findRow(const Form& form, std::string_view name) {
  for (const Control& row : form) {
    if (row.name == name) {
      return &row;
    }
  }
  return nullptr;
}

}  // namespace qv
