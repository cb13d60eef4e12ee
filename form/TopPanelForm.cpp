#include "form/Form.h"

namespace qv {

Form topPanelForm() {
  Form rows;
  rows.push_back({.kind = Kind::Panel,
                  .name = "Panel4",
                  .x = 0,
                  .y = 0,
                  .width = 781,
                  .height = 98,
                  .colour = Rgb{255, 255, 255},
                  .bevel = Bevel::Lowered});
  const auto button = [&rows](std::string_view name, std::string_view parent, std::string_view text,
                              int x, int y, int width) {
    rows.push_back({.kind = Kind::Button,
                    .name = name,
                    .parent = parent,
                    .x = x,
                    .y = y,
                    .width = width,
                    .height = 36,
                    .text = text});
  };
  button("Button4", "Panel4", "Load", 9, 9, 68);
  button("Button5", "Panel4", "Save As", 8, 54, 68);
  // The caption wraps onto two lines.
  button("Button2", "Panel4", "Apply\nChanges", 90, 54, 67);

  rows.push_back({.kind = Kind::Group,
                  .name = "GroupBox1",
                  .parent = "Panel4",
                  .x = 165,
                  .y = 41,
                  .width = 119,
                  .height = 50,
                  .text = "Get Key Code"});
  rows.push_back({.kind = Kind::Edit,
                  .name = "TxtKeyRead",
                  .parent = "GroupBox1",
                  .x = 7,
                  .y = 21,
                  .width = 49});
  rows.push_back({.kind = Kind::Edit,
                  .name = "TxtKeyCode",
                  .parent = "GroupBox1",
                  .x = 61,
                  .y = 21,
                  .width = 48,
                  .text = "0",
                  .colour = Rgb{255, 255, 206},
                  .textColour = Rgb{0, 0, 0},
                  .flags = flag::kReadOnly});

  const auto label = [&rows](std::string_view name, std::string_view text, int x, int y,
                             FontSpec font) -> Control& {
    rows.push_back({.kind = Kind::Label,
                    .name = name,
                    .parent = "Panel4",
                    .x = x,
                    .y = y,
                    .text = text,
                    .font = font,
                    .flags = flag::kAutoSize});
    return rows.back();
  };
  label("Label41", "Quorvane", 296, 3, {"Cambria", 29, true, true}).textColour = Rgb{17, 111, 101};
  label("Label37", "Version b1.0", 391, 32, {"Calibri", 13});
  label("Label48", "Sim Connect : ", 306, 72, {"Calibri", 15});
  Control& status = label("lblSimConStatus", "Not Loaded", 394, 72, {"Calibri", 15, true});
  status.textColour = Rgb{128, 128, 0};  // olive
  status.width = 120;

  rows.push_back({.kind = Kind::CheckBox,
                  .name = "chkSyncAircraft",
                  .parent = "Panel4",
                  .x = 522,
                  .y = 72,
                  .width = 250,
                  .text = "Sync the aircraft to the panel",
                  // Dark on the panel's white, as the labels beside it.
                  .textColour = Rgb{0, 0, 0}});

  rows.push_back({.kind = Kind::Picture,
                  .name = "Image2",
                  .parent = "Panel4",
                  .x = 630,
                  .y = 9,
                  .width = 142,
                  .height = 59});
  // "Save" belongs to the window and lies over the panel.
  button("Button1", "", "Save", 90, 11, 68);
  return rows;
}

}  // namespace qv
