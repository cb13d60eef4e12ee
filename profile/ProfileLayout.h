#pragma once

#include <array>
#include <span>
#include <string_view>

namespace qv {

// Where one field of a profile line comes from when the profile is written,
// and whether reading the profile sets it back.
struct ProfileField {
  std::string_view control;  // the control whose text the field holds; empty for a fixed text
  std::string_view fixed;    // the text written when there is no control
  bool readBack = false;
};

inline constexpr int kProfileLineCount = 38;
inline constexpr size_t kProfileFieldCount = 7;

struct ProfileLine {
  int id = 0;
  std::array<ProfileField, kProfileFieldCount - 1> fields;  // fields 2 to 7
};

// Lines 1 to 38 in file order; line n describes function id n.
std::span<const ProfileLine, kProfileLineCount> profileLines();

}  // namespace qv
