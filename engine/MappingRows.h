#pragma once

#include <array>
#include <span>
#include <string_view>

namespace qv {

// Which controls of the mapping pages hold one keystroke function's row.
struct KeystrokeRow {
  int id;
  std::string_view nameBox;      // read-only name box (ON and OFF halves share it)
  std::string_view defaultName;  // its default text
  std::string_view modifier;     // modifier combo box
  std::string_view code;         // key code box
  std::string_view presses;      // presses box
  std::string_view duration;     // hidden "FSX" box: the pulses value
};

// One colour step of a gear-light sequence on the "Landing Gear" page.
struct GearLightRow {
  int id;
  std::string_view label;
  std::string_view labelText;
  std::string_view colour;    // colour combo box
  std::string_view duration;  // "Dur (30ms)" box
};

inline constexpr std::array<KeystrokeRow, 33> kKeystrokeRows{{
    {1, "Edit1", "Landing Gear Up", "ComboBoxF1", "Edit4", "Edit5", "Edit6"},
    {5, "Edit7", "Landing Gear Down", "ComboBoxF5", "Edit10", "Edit9", "Edit11"},
    {8, "Edit43", "Magneto Off", "ComboBox2", "Edit45", "Edit46", "Edit47"},
    {9, "Edit48", "Magneto L", "ComboBox6", "Edit57", "Edit58", "Edit59"},
    {10, "Edit49", "Magneto R", "ComboBox7", "Edit61", "Edit62", "Edit63"},
    {11, "Edit50", "Magneto Both", "ComboBox8", "Edit65", "Edit66", "Edit67"},
    {12, "Edit51", "Magneto Start", "ComboBox9", "Edit15", "Edit16", "Edit17"},
    {13, "Edit3", "Master Battery", "ComboBox10", "Edit8", "Edit18", "Edit19"},
    {14, "Edit20", "Master Alternator", "ComboBox11", "Edit24", "Edit25", "Edit26"},
    {15, "Edit21", "Avionics Master", "ComboBox12", "Edit27", "Edit28", "Edit29"},
    {16, "Edit22", "Fuel Pump", "ComboBox13", "Edit30", "Edit31", "Edit32"},
    {17, "Edit23", "De Ice", "ComboBox14", "Edit33", "Edit34", "Edit35"},
    {18, "Edit42", "Pitot Heat", "ComboBox15", "Edit53", "Edit54", "Edit55"},
    {19, "Edit112", "COWL", "ComboBox24", "Edit110", "Edit109", "Edit108"},
    {20, "Edit78", "Lights - Panel", "ComboBox20", "Edit79", "Edit80", "Edit81"},
    {21, "Edit82", "Lights - Beacon", "ComboBox19", "Edit86", "Edit87", "Edit88"},
    {22, "Edit83", "Lights - Nav", "ComboBox18", "Edit89", "Edit90", "Edit91"},
    {23, "Edit84", "Lights - Strobe", "ComboBox21", "Edit92", "Edit93", "Edit94"},
    {24, "Edit85", "Lights - Taxi", "ComboBox22", "Edit95", "Edit96", "Edit97"},
    {25, "Edit103", "Lights - Landing", "ComboBox23", "Edit105", "Edit106", "Edit107"},
    {26, "Edit3", "Master Battery", "ComboBox16", "Edit69", "Edit70", "Edit71"},
    {27, "Edit20", "Master Alternator", "ComboBox17", "Edit73", "Edit74", "Edit75"},
    {28, "Edit21", "Avionics Master", "ComboBox26", "Edit77", "Edit118", "Edit119"},
    {29, "Edit22", "Fuel Pump", "ComboBox27", "Edit121", "Edit122", "Edit123"},
    {30, "Edit23", "De Ice", "ComboBox28", "Edit128", "Edit127", "Edit124"},
    {31, "Edit42", "Pitot Heat", "ComboBox29", "Edit129", "Edit126", "Edit125"},
    {32, "Edit112", "COWL", "ComboBox30", "Edit133", "Edit134", "Edit135"},
    {33, "Edit78", "Lights - Panel", "ComboBox31", "Edit138", "Edit137", "Edit136"},
    {34, "Edit82", "Lights - Beacon", "ComboBox32", "Edit141", "Edit142", "Edit143"},
    {35, "Edit83", "Lights - Nav", "ComboBox33", "Edit146", "Edit145", "Edit144"},
    {36, "Edit84", "Lights - Strobe", "ComboBox34", "Edit150", "Edit153", "Edit154"},
    {37, "Edit85", "Lights - Taxi", "ComboBox35", "Edit151", "Edit152", "Edit155"},
    {38, "Edit103", "Lights - Landing", "ComboBox36", "Edit157", "Edit158", "Edit159"},
}};

inline constexpr std::array<GearLightRow, 4> kGearLightRows{{
    {2, "Label7", "LG LED Down Seq 01", "ComboBox1", "Edit36"},
    {3, "Label13", "LG LED Down Seq 02", "ComboBox3", "Edit2"},
    {6, "Label14", "LG LED Up Seq 01", "ComboBox4", "Edit12"},
    {7, "Label15", "LG LED Up Seq 02", "ComboBox5", "Edit13"},
}};

// The duration column heading of the "Landing Gear" page, which the profile
// carries on its second line.
inline constexpr std::string_view kDurationHeading = "Label6";
inline constexpr std::string_view kDurationHeadingText = "Dur (30ms)";

inline constexpr std::array<std::string_view, 7> kModifierItems{
    "N None",       "C Control",        "S Shift",       "A Alt",
    "G Alt Ground", "CS Control Shift", "CA Control Alt"};
inline constexpr std::array<std::string_view, 4> kColourItems{"None", "Green", "Amber", "Red"};

// Defaults of number boxes on the mapping pages.
inline constexpr std::string_view kDefaultCode = "0";
inline constexpr std::string_view kDefaultPresses = "1";
inline constexpr std::string_view kDefaultDuration = "0";

struct NamedDefault {
  std::string_view name;
  std::string_view text;
};

// Every text control of the mapping pages with the text it has when the
// window is created.
std::span<const NamedDefault> mappingDefaults();

class NamedTexts;
// Sets every control of mappingDefaults() to its default text.
void applyMappingDefaults(NamedTexts& texts);

}  // namespace qv
