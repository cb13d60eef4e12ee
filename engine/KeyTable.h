#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qv {

class NamedTexts;

// One function of the switch action table.
struct TKeyPressRec {
  int32_t functionid = 0;
  std::string name;
  int32_t deviceid = 0;
  int32_t reportid = 0;
  char16_t outtype = 0;  // 'K' keystroke, 'F' gear light, 0 never built
  char16_t action = 0;
  std::string value;  // gear-light pattern as decimal text
  uint16_t key1 = 0;
  uint16_t key2 = 0;
  uint16_t key3 = 0;
  int32_t keys = 0;
  int32_t presses = 0;
  int32_t pressed = 0;
  int32_t pulses = 0;
  int32_t pulseno = 0;
};

inline constexpr int kFirstFunction = 1;
inline constexpr int kLastFunction = 64;
inline constexpr int kLastUsedFunction = 38;

// Records 1 to 64; index 0 is never used so that the index is the function id.
using KeyArray = std::array<TKeyPressRec, kLastFunction + 1>;

// Virtual-key codes of the modifiers a row can name.
inline constexpr uint16_t kVkShift = 16;
inline constexpr uint16_t kVkControl = 17;
inline constexpr uint16_t kVkAlt = 18;

// A number box whose text is not a whole decimal number.
class ConversionError : public std::runtime_error {
 public:
  explicit ConversionError(std::string_view text);
  [[nodiscard]] const std::string& offendingText() const { return text_; }

 private:
  std::string text_;
};

// A whole decimal number with an optional sign that fits 32 bits; anything
// else, the empty text included, throws ConversionError.
int32_t StrToInt(std::string_view text);

// Fills keystroke record kf from the texts of one row; when a box does not
// convert, the record is left as it was.
void AddKeyToRec(KeyArray& keyarray, int kf, std::string_view Modkeys, std::string_view KeyCode,
                 std::string_view presses, std::string_view pulses);

// Rebuilds records 1 to 38 from the mapping controls, in index order. A box
// that does not convert stops the rebuild there with ConversionError: the
// records before it are rebuilt, its own record and the later ones keep what
// they held.
void populatekeyarray(KeyArray& keyarray, const NamedTexts& texts);

}  // namespace qv
