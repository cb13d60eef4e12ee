#include "form/Form.h"

namespace qv {

Form consoleForm() {
  Form rows;
  rows.push_back({.kind = Kind::Panel,
                  .name = "Panel7",
                  .x = 8,
                  .y = 104,
                  .width = 734,
                  .height = 314,
                  .font = {"Calibri", 13},
                  .flags = flag::kHidden});
  const auto add = [&rows](Kind kind, std::string_view name, std::string_view text, int x, int y,
                           int width, int height, unsigned flags) {
    rows.push_back({.kind = kind,
                    .name = name,
                    .parent = "Panel7",
                    .x = x,
                    .y = y,
                    .width = width,
                    .height = height,
                    .text = text,
                    .flags = flags});
  };
  add(Kind::List, "DevListBox", "", 13, 11, 444, 81, 0);
  add(Kind::List, "HistoryListBox", "", 428, 104, 282, 136, 0);
  add(Kind::Button, "ReadBtn", "dvrRead", 48, 248, 81, 22, flag::kHidden | flag::kToggle);
  add(Kind::Button, "WriteBtn", "dvrWrite", 136, 248, 81, 22, flag::kHidden);
  add(Kind::Button, "SaveBtn", "dvrSave", 224, 248, 81, 22, flag::kHidden);
  add(Kind::Button, "InfoBtn", "Info", 7, 220, 57, 22, flag::kHidden);
  add(Kind::Edit, "ReportID", "", 39, 290, 25, 23, flag::kHidden);
  add(Kind::Label, "Label1", "ReportID", 408, 290, 81, 16, flag::kHidden);
  // The model of every byte editor.
  add(Kind::Edit, "drEdit1", "", 311, 260, 265, 23, flag::kHidden);
  add(Kind::Edit, "dvrEdit2", "0", 170, 246, 73, 23, flag::kHidden);
  add(Kind::Edit, "dvrEdit3", "0", 170, 276, 73, 23, flag::kHidden);
  add(Kind::Panel, "Panel3", "Keys", 562, 246, 159, 40, flag::kCentred);
  rows.back().bevel = Bevel::Raised;
  return rows;
}

}  // namespace qv
