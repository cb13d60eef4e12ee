#include "engine/MappingRows.h"

#include <vector>

#include "engine/NamedTexts.h"

namespace qv {

namespace {

std::vector<NamedDefault> buildDefaults() {
  std::vector<NamedDefault> out;
  const auto addOnce = [&out](std::string_view name, std::string_view text) {
    for (const NamedDefault& d : out) {
      if (d.name == name) {
        return;
      }
    }
    out.push_back({name, text});
  };
  for (const KeystrokeRow& row : kKeystrokeRows) {
    addOnce(row.nameBox, row.defaultName);
    addOnce(row.modifier, kModifierItems.front());
    addOnce(row.code, kDefaultCode);
    addOnce(row.presses, kDefaultPresses);
    addOnce(row.duration, kDefaultDuration);
  }
  for (const GearLightRow& row : kGearLightRows) {
    addOnce(row.label, row.labelText);
    addOnce(row.colour, kColourItems.front());
    addOnce(row.duration, kDefaultDuration);
  }
  addOnce(kDurationHeading, kDurationHeadingText);
  return out;
}

}  // namespace

std::span<const NamedDefault> mappingDefaults() {
  static const std::vector<NamedDefault> defaults = buildDefaults();
  return defaults;
}

void applyMappingDefaults(NamedTexts& texts) {
  for (const NamedDefault& d : mappingDefaults()) {
    texts.setText(d.name, std::string(d.text));
  }
}

}  // namespace qv
