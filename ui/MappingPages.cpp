#include "ui/MappingPages.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <array>
#include <initializer_list>
#include <stdexcept>

#include "engine/MappingRows.h"
#include "ui/ControlFactory.h"

namespace qv {

namespace {

const QColor kLightYellow(255, 255, 128);
const QColor kPaleYellow(254, 253, 205);
const QColor kPink(252, 188, 193);
const QColor kLightBlue(217, 217, 255);
const QColor kWhite(255, 255, 255);

constexpr int kNameWidth = 155;
constexpr int kSmallBoxLength = 2;

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

void nameBox(QWidget* parent, const KeystrokeRow& row, int x, int y, const QColor& colour) {
  makeEdit(parent, row.nameBox, qs(row.defaultName), x, y, kNameWidth, readOnlyBox(colour));
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

void keystrokeHalfRow(QWidget* parent, const KeystrokeRow& row, int y, const HalfRowColumns& c) {
  makeCombo(parent, row.modifier, kModifierItems, c.modifier, y, c.modifierWidth);
  makeEdit(parent, row.code, qs(kDefaultCode), c.code, y, c.codeWidth, digitBox());
  makeEdit(parent, row.presses, qs(kDefaultPresses), c.presses, y, c.pressesWidth,
           digitBox(kSmallBoxLength));
  // The pulses value: set only through a profile, never shown.
  makeEdit(parent, row.duration, qs(kDefaultDuration), c.hidden, y, c.pressesWidth,
           digitBox(kSmallBoxLength))
      ->hide();
}

struct Heading {
  std::string_view name;
  const char* text;
  int x;
};

// A row of column headings at one height.
void headings(QWidget* parent, int y, std::initializer_list<Heading> row) {
  for (const Heading& h : row) {
    makeHeading(parent, h.name, h.text, h.x, y);
  }
}

void hiddenHeading(QWidget* parent, std::string_view name, int x, int y) {
  makeHeading(parent, name, "FSX", x, y)->hide();
}

void gearLightStep(QWidget* panel, int id, int y) {
  const GearLightRow& row = gearLightRow(id);
  makeLabel(panel, row.label, qs(row.labelText), 38, y + 3);
  makeCombo(panel, row.colour, kColourItems, 313, y, 60);
  makeEdit(panel, row.duration, qs(kDefaultDuration), 451, y, 62, digitBox(kSmallBoxLength));
}

}  // namespace

void buildLandingGearPage(QWidget* page) {
  QFrame* panel = makePanel(page, "Panel1", 18, 12, 752, 185);
  headings(panel, 10,
           {{"Label2", "Saitek Switch Panel Control", 6},
            {"Label3", "Modifier Keys", 181},
            {"Label4", "Char  /  Code", 313},
            {"Label5", "Presses", 405}});
  makeHeading(panel, kDurationHeading, qs(kDurationHeadingText), 451, 10);
  makeHeading(panel, "Label8", "FSX", 531, 10);

  const HalfRowColumns columns{181, 103, 313, 60, 405, 36, 531};
  for (const auto& [id, y] : std::array<std::pair<int, int>, 2>{{{1, 30}, {5, 94}}}) {
    const KeystrokeRow& row = keystrokeRow(id);
    nameBox(panel, row, 6, y, kLightYellow);
    keystrokeHalfRow(panel, row, y, columns);
  }
  gearLightStep(panel, 2, 51);
  gearLightStep(panel, 3, 72);
  gearLightStep(panel, 6, 115);
  gearLightStep(panel, 7, 136);
}

void buildMagnetoPage(QWidget* page) {
  QFrame* panel = makePanel(page, "Panel2", 3, 11, 670, 174);
  headings(panel, 10,
           {{"Label9", "Saitek Control", 6},
            {"Label10", "Modifier Keys", 189},
            {"Label11", "Char  /  Code", 313},
            {"Label12", "Presses", 405}});
  hiddenHeading(panel, "Label16", 451, 10);

  const HalfRowColumns columns{189, 103, 351, 35, 405, 36, 451};
  constexpr std::array<std::pair<int, int>, 5> kRows{
      {{8, 31}, {9, 58}, {10, 85}, {11, 112}, {12, 139}}};
  for (const auto& [id, y] : kRows) {
    const KeystrokeRow& row = keystrokeRow(id);
    nameBox(panel, row, 6, y, kPaleYellow);
    keystrokeHalfRow(panel, row, y, columns);
  }
}

void buildPanelKeysPage(QWidget* page) {
  QFrame* panel = makePanel(page, "Panel5", 2, 3, 687, 209);
  makeLabel(panel, "Label17", "ON", 171, 1);
  makeLabel(panel, "Label18", "OFF", 427, 1);
  headings(panel, 16,
           {{"Label19", "Saitek Control", 10},
            {"Label20", "Modifier Keys", 171},
            {"Label21", "Key Code", 249},
            {"Label22", "Presses", 312},
            {"Label23", "Modifier Keys", 427},
            {"Label24", "Key Code", 505},
            {"Label25", "Presses", 571}});
  hiddenHeading(panel, "Label26", 356, 16);
  hiddenHeading(panel, "Label27", 613, 16);

  const HalfRowColumns on{167, 80, 274, 35, 311, 30, 356};
  const HalfRowColumns off{423, 80, 530, 35, 567, 30, 613};
  constexpr std::array<std::array<int, 3>, 6> kRows{
      {{13, 26, 34}, {14, 27, 61}, {15, 28, 88}, {16, 29, 116}, {17, 30, 143}, {18, 31, 171}}};
  for (const auto& [onId, offId, y] : kRows) {
    const KeystrokeRow& row = keystrokeRow(onId);
    nameBox(panel, row, 6, y, onId <= 14 ? kPink : kWhite);
    keystrokeHalfRow(panel, row, y, on);
    keystrokeHalfRow(panel, keystrokeRow(offId), y, off);
  }
}

void buildBottomPanelKeysPage(QWidget* page) {
  constexpr int kPanelX = 3;
  constexpr int kPanelY = 3;
  QFrame* panel = makePanel(page, "Panel6", kPanelX, kPanelY, 734, 238);
  headings(panel, 10,
           {{"Label28", "Saitek Control", 6},
            {"Label29", "Modifier Keys", 167},
            {"Label30", "Key Code", 249},
            {"Label31", "Presses", 311},
            {"Label32", "Modifier Keys", 435},
            {"Label33", "Key Code", 513},
            {"Label34", "Presses", 579}});
  hiddenHeading(panel, "Label35", 354, 10);
  hiddenHeading(panel, "Label36", 624, 10);

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
    nameBox(panel, row, 7, y, onId == 19 ? kLightBlue : kPaleYellow);
    keystrokeHalfRow(panel, row, y, on);
    if (offId == 38) {
      // The last OFF half sits on the page itself, level with its row.
      const HalfRowColumns onPage{off.modifier + kPanelX, off.modifierWidth,     off.code + kPanelX,
                                  off.codeWidth,          off.presses + kPanelX, off.pressesWidth,
                                  off.hidden + kPanelX};
      keystrokeHalfRow(page, keystrokeRow(offId), 196, onPage);
    } else {
      keystrokeHalfRow(panel, keystrokeRow(offId), y, off);
    }
  }
}

void buildInfoPage(QWidget* page) {
  QLabel* heading = makeLabel(page, "Label39", "Info", 0, 0);
  heading->setFont(pixelFont("Calibri", 15, false, false, true));
  heading->adjustSize();
  auto* notes = new QPlainTextEdit(page);
  notes->setObjectName("Memo2");
  notes->setGeometry(35, 0, 680, 157);
  notes->setFont(pixelFont("Calibri", 15));
  notes->setReadOnly(true);
  // Worded to fit the box: nothing may hide below its lower edge.
  notes->setPlainText(
      "After each start, the first switch you move only registers the panel; nothing is sent "
      "for it.\n\n"
      "A switch position with a key code is typed as keystrokes into the focused window; one "
      "left at \"N None\" with key code 0 goes straight to the simulator while it shows "
      "\"Connected\".\n\n"
      "Only FSX is reached directly; with any other simulator, map every position to keys.");
}

}  // namespace qv
