#include <array>
#include <initializer_list>
#include <stdexcept>

#include "engine/MappingRows.h"
#include "form/Form.h"

namespace qv {

namespace {

constexpr Rgb kLightYellow{255, 255, 128};
constexpr Rgb kPaleYellow{254, 253, 205};
constexpr Rgb kPink{252, 188, 193};
constexpr Rgb kLightBlue{217, 217, 255};
constexpr Rgb kWhite{255, 255, 255};

constexpr int kNameWidth = 155;
constexpr int kSmallBoxLength = 2;
constexpr FontSpec kHeadingFont{"Tahoma", 12, false, false, true};

const KeystrokeRow& keystrokeRow(int id) {
  for (const KeystrokeRow& row : kKeystrokeRows) {
    if (row.id == id) {
      return row;
    }
  }
  throw std::logic_error("no keystroke row for this id");
}

const GearLightRow& gearLightRow(int id) {
  for (const GearLightRow& row : kGearLightRows) {
    if (row.id == id) {
      return row;
    }
  }
  throw std::logic_error("no gear-light row for this id");
}

Control panel(std::string_view name, std::string_view page, int x, int y, int width, int height) {
  return {.kind = Kind::Panel,
          .name = name,
          .parent = page,
          .x = x,
          .y = y,
          .width = width,
          .height = height,
          .bevel = Bevel::Raised};
}

Control digitBox(std::string_view name, std::string_view parent, std::string_view text, int x,
                 int y, int width, int typingLimit) {
  return {.kind = Kind::Edit,
          .name = name,
          .parent = parent,
          .x = x,
          .y = y,
          .width = width,
          .text = text,
          .flags = flag::kDigitsOnly,
          .typingLimit = typingLimit};
}

Control combo(std::string_view name, std::string_view parent,
              std::span<const std::string_view> items, int x, int y, int width) {
  return {.kind = Kind::Combo,
          .name = name,
          .parent = parent,
          .x = x,
          .y = y,
          .width = width,
          .text = items.front(),
          .flags = flag::kEditable,
          .items = items};
}

void nameBox(Form& rows, std::string_view parent, const KeystrokeRow& row, int x, int y,
             const Rgb& colour) {
  rows.push_back({.kind = Kind::Edit,
                  .name = row.nameBox,
                  .parent = parent,
                  .x = x,
                  .y = y,
                  .width = kNameWidth,
                  .text = row.defaultName,
                  .colour = colour,
                  .textColour = Rgb{0, 0, 0},
                  .flags = flag::kReadOnly});
}

// Where the boxes of one keystroke half-row go.
struct HalfRowColumns {
  int modifier;
  int modifierWidth;
  int code;
  int codeWidth;
  int presses;
  int pressesWidth;
  int hidden;
};

void keystrokeHalfRow(Form& rows, std::string_view parent, const KeystrokeRow& row, int y,
                      const HalfRowColumns& c) {
  rows.push_back(combo(row.modifier, parent, kModifierItems, c.modifier, y, c.modifierWidth));
  rows.push_back(digitBox(row.code, parent, kDefaultCode, c.code, y, c.codeWidth, 0));
  rows.push_back(digitBox(row.presses, parent, kDefaultPresses, c.presses, y, c.pressesWidth,
                          kSmallBoxLength));
  // The pulses value: set only through a profile, never shown.
  Control hidden = digitBox(row.duration, parent, kDefaultDuration, c.hidden, y, c.pressesWidth,
                            kSmallBoxLength);
  hidden.flags |= flag::kHidden;
  rows.push_back(hidden);
}

struct Heading {
  std::string_view name;
  std::string_view text;
  int x;
  bool shown = true;
};

// A row of column headings at one height.
void headings(Form& rows, std::string_view parent, int y, std::initializer_list<Heading> row) {
  for (const Heading& h : row) {
    rows.push_back({.kind = Kind::Heading,
                    .name = h.name,
                    .parent = parent,
                    .x = h.x,
                    .y = y,
                    .text = h.text,
                    .font = kHeadingFont,
                    .flags = flag::kAutoSize | (h.shown ? 0U : flag::kHidden)});
  }
}

void gearLightStep(Form& rows, int id, int y) {
  const GearLightRow& row = gearLightRow(id);
  rows.push_back({.kind = Kind::Label,
                  .name = row.label,
                  .parent = "Panel1",
                  .x = 38,
                  .y = y + 3,
                  .text = row.labelText,
                  .flags = flag::kAutoSize});
  rows.push_back(combo(row.colour, "Panel1", kColourItems, 313, y, 60));
  rows.push_back(digitBox(row.duration, "Panel1", kDefaultDuration, 451, y, 62, kSmallBoxLength));
}

}  // namespace

Form landingGearPageForm() {
  Form rows{panel("Panel1", "TabSheet1", 18, 12, 752, 185)};
  headings(rows, "Panel1", 10,
           {{"Label2", "Saitek Switch Panel Control", 6},
            {"Label3", "Modifier Keys", 181},
            {"Label4", "Char  /  Code", 313},
            {"Label5", "Presses", 405},
            {kDurationHeading, kDurationHeadingText, 451},
            {"Label8", "FSX", 531}});

  const HalfRowColumns columns{181, 103, 313, 60, 405, 36, 531};
  for (const auto& [id, y] : std::array<std::pair<int, int>, 2>{{{1, 30}, {5, 94}}}) {
    const KeystrokeRow& row = keystrokeRow(id);
    nameBox(rows, "Panel1", row, 6, y, kLightYellow);
    keystrokeHalfRow(rows, "Panel1", row, y, columns);
  }
  gearLightStep(rows, 2, 51);
  gearLightStep(rows, 3, 72);
  gearLightStep(rows, 6, 115);
  gearLightStep(rows, 7, 136);
  return rows;
}

Form magnetoPageForm() {
  Form rows{panel("Panel2", "TabSheet2", 3, 11, 670, 174)};
  headings(rows, "Panel2", 10,
           {{"Label9", "Saitek Control", 6},
            {"Label10", "Modifier Keys", 189},
            {"Label11", "Char  /  Code", 313},
            {"Label12", "Presses", 405},
            {"Label16", "FSX", 451, false}});

  const HalfRowColumns columns{189, 103, 351, 35, 405, 36, 451};
  constexpr std::array<std::pair<int, int>, 5> kRows{
      {{8, 31}, {9, 58}, {10, 85}, {11, 112}, {12, 139}}};
  for (const auto& [id, y] : kRows) {
    const KeystrokeRow& row = keystrokeRow(id);
    nameBox(rows, "Panel2", row, 6, y, kPaleYellow);
    keystrokeHalfRow(rows, "Panel2", row, y, columns);
  }
  return rows;
}

Form panelKeysPageForm() {
  Form rows{panel("Panel5", "TabSheet3", 2, 3, 687, 209)};
  rows.push_back({.kind = Kind::Label,
                  .name = "Label17",
                  .parent = "Panel5",
                  .x = 171,
                  .y = 1,
                  .text = "ON",
                  .flags = flag::kAutoSize});
  rows.push_back({.kind = Kind::Label,
                  .name = "Label18",
                  .parent = "Panel5",
                  .x = 427,
                  .y = 1,
                  .text = "OFF",
                  .flags = flag::kAutoSize});
  headings(rows, "Panel5", 16,
           {{"Label19", "Saitek Control", 10},
            {"Label20", "Modifier Keys", 171},
            {"Label21", "Key Code", 249},
            {"Label22", "Presses", 312},
            {"Label23", "Modifier Keys", 427},
            {"Label24", "Key Code", 505},
            {"Label25", "Presses", 571},
            {"Label26", "FSX", 356, false},
            {"Label27", "FSX", 613, false}});

  const HalfRowColumns on{167, 80, 274, 35, 311, 30, 356};
  const HalfRowColumns off{423, 80, 530, 35, 567, 30, 613};
  constexpr std::array<std::array<int, 3>, 6> kRows{
      {{13, 26, 34}, {14, 27, 61}, {15, 28, 88}, {16, 29, 116}, {17, 30, 143}, {18, 31, 171}}};
  for (const auto& [onId, offId, y] : kRows) {
    const KeystrokeRow& row = keystrokeRow(onId);
    nameBox(rows, "Panel5", row, 6, y, onId <= 14 ? kPink : kWhite);
    keystrokeHalfRow(rows, "Panel5", row, y, on);
    keystrokeHalfRow(rows, "Panel5", keystrokeRow(offId), y, off);
  }
  return rows;
}

Form bottomPanelKeysPageForm() {
  constexpr int kPanelX = 3;
  constexpr int kPanelY = 3;
  Form rows{panel("Panel6", "TabSheet5", kPanelX, kPanelY, 734, 238)};
  headings(rows, "Panel6", 10,
           {{"Label28", "Saitek Control", 6},
            {"Label29", "Modifier Keys", 167},
            {"Label30", "Key Code", 249},
            {"Label31", "Presses", 311},
            {"Label32", "Modifier Keys", 435},
            {"Label33", "Key Code", 513},
            {"Label34", "Presses", 579},
            {"Label35", "FSX", 354, false},
            {"Label36", "FSX", 624, false}});

  const HalfRowColumns on{165, 80, 275, 35, 312, 30, 354};
  const HalfRowColumns off{431, 80, 538, 35, 575, 30, 624};
  constexpr std::array<std::array<int, 3>, 7> kRows{{{19, 32, 30},
                                                     {20, 33, 56},
                                                     {21, 34, 83},
                                                     {22, 35, 110},
                                                     {23, 36, 137},
                                                     {24, 37, 164},
                                                     {25, 38, 191}}};
  for (const auto& [onId, offId, y] : kRows) {
    const KeystrokeRow& row = keystrokeRow(onId);
    nameBox(rows, "Panel6", row, 7, y, onId == 19 ? kLightBlue : kPaleYellow);
    keystrokeHalfRow(rows, "Panel6", row, y, on);
    if (offId == 38) {
      // The last OFF half sits on the page itself, level with its row.
      const HalfRowColumns onPage{off.modifier + kPanelX, off.modifierWidth,     off.code + kPanelX,
                                  off.codeWidth,          off.presses + kPanelX, off.pressesWidth,
                                  off.hidden + kPanelX};
      keystrokeHalfRow(rows, "TabSheet5", keystrokeRow(offId), 196, onPage);
    } else {
      keystrokeHalfRow(rows, "Panel6", keystrokeRow(offId), y, off);
    }
  }
  return rows;
}

}  // namespace qv
