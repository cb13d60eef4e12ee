#pragma once

#include <array>
#include <cstdint>

#include "sim/PlaneEvents.h"

namespace qv {

// One call of the data definition: datum name, units (nullptr for none) and
// datum type.
struct DatumRow {
  const char* name;
  const char* units;
  uint32_t type;
};

// Definition 0, in call order. Row k (1 to 23) lands in PlaneData entry k;
// row 0, the title, in Title.
extern const std::array<DatumRow, 24> kDataDefinition;

// Names PlaneData entries 1 to 23 after the definition's rows; entry 21 is
// "GEAR LEFT POSITION".
void namePlaneData(PlaneDataTable& PlaneData);

inline constexpr uint32_t kDataAreaSize = 440;  // the title's 256 bytes and 23 doubles

}  // namespace qv
