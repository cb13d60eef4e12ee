#include "profile/ProfileLayout.h"

#include <stdexcept>

#include "engine/MappingRows.h"

namespace qv {

namespace {

constexpr ProfileField control(std::string_view name, bool readBack = true) {
  return {name, {}, readBack};
}
constexpr ProfileField fixed(std::string_view text) {
  return {{}, text, false};
}

constexpr std::string_view kNotApplicable = "N/A";

ProfileLine keystrokeLine(const KeystrokeRow& row) {
  ProfileField name = control(row.nameBox);
  if (row.id == 1 || row.id == 5) {
    // The two gear-lever names are fixed on the page; they are written only.
    name.readBack = false;
  } else if (row.id == 19 || row.id == 32) {
    // Existing profiles carry the "LG LED Up Seq 01" duration box here, not
    // the COWL name box; files in the field depend on it.
    name = control("Edit12");
  }
  return {row.id,
          {name, fixed("K"), control(row.modifier), control(row.code), control(row.presses),
           control(row.duration)}};
}

ProfileLine gearLightLine(const GearLightRow& row) {
  // Line 2 holds the duration column heading instead of its own row label.
  const std::string_view caption = row.id == 2 ? kDurationHeading : row.label;
  return {row.id,
          {control(caption), fixed("F"), fixed(kNotApplicable), control(row.colour),
           fixed(kNotApplicable), control(row.duration)}};
}

// Function 4 has no row: it is written under a fixed name with the gear-down
// row's presses and hidden value, and never read back.
ProfileLine closingStepLine() {
  const KeystrokeRow* down = nullptr;
  for (const KeystrokeRow& row : kKeystrokeRows) {
    if (row.id == 5) {
      down = &row;
    }
  }
  if (down == nullptr) {
    throw std::logic_error("no gear-down row");
  }
  return {4,
          {fixed("Landing Gear LED Off"), fixed("F"), fixed(kNotApplicable), fixed(""),
           control(down->presses, false), control(down->duration, false)}};
}

std::array<ProfileLine, kProfileLineCount> buildLines() {
  std::array<ProfileLine, kProfileLineCount> lines{};
  const auto place = [&lines](const ProfileLine& line) {
    lines.at(static_cast<size_t>(line.id - 1)) = line;
  };
  for (const KeystrokeRow& row : kKeystrokeRows) {
    place(keystrokeLine(row));
  }
  for (const GearLightRow& row : kGearLightRows) {
    place(gearLightLine(row));
  }
  place(closingStepLine());
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].id != static_cast<int>(i + 1)) {
      throw std::logic_error("profile layout misses a line");
    }
  }
  return lines;
}

}  // namespace

std::span<const ProfileLine, kProfileLineCount> profileLines() {
  static const std::array<ProfileLine, kProfileLineCount> lines = buildLines();
  return lines;
}

}  // namespace qv
