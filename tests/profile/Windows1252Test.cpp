#include "profile/Windows1252.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

bool undefinedByte(int b) {
  return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

std::string definedBytes() {
  std::string bytes;
  for (int b = 0x20; b <= 0xFF; ++b) {
    if (!undefinedByte(b)) {
      bytes += static_cast<char>(b);
    }
  }
  return bytes;
}

TEST(Windows1252, EveryDefinedCharacterSurvivesDecodeAndEncode) {
  const std::string bytes = definedBytes();
  EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(bytes)), bytes);
}

TEST(Windows1252, MapsTheCharactersThatDifferFromLatin1) {
  EXPECT_EQ(windows1252ToUtf8("\x80\x8A\x93\x99\x9F"), "€Š“™Ÿ");
  EXPECT_EQ(utf8ToWindows1252("€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ"),
            "\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E\x91\x92\x93\x94\x95\x96\x97"
            "\x98\x99\x9A\x9B\x9C\x9E\x9F");
  EXPECT_EQ(utf8ToWindows1252("é ÿ ©"), "\xE9 \xFF \xA9");
}

TEST(Windows1252, UndefinedBytesReadBackAsTheyWere) {
  const std::string bytes = "\x81\x8D\x8F\x90\x9D";
  EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(bytes)), bytes);
}

TEST(Windows1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(utf8ToWindows1252("a日本b"), "a??b");
  EXPECT_EQ(utf8ToWindows1252("x\xF0\x9F\x9B\xA9y"), "x?y");  // outside the BMP
  // C1 controls the code page does not keep.
  EXPECT_EQ(utf8ToWindows1252("\xC2\x80"), "?");
}

TEST(Windows1252, MalformedUtf8BecomesQuestionMarksWithoutEatingValidText) {
  EXPECT_EQ(utf8ToWindows1252("a\xC3"), "a?");               // cut short at the end
  EXPECT_EQ(utf8ToWindows1252("\xC3x"), "?x");               // continuation missing
  EXPECT_EQ(utf8ToWindows1252("\xC0\xAF"), "??");            // overlong
  EXPECT_EQ(utf8ToWindows1252("\xED\xA0\x80"), "???");       // surrogate
  EXPECT_EQ(utf8ToWindows1252("\xF4\x90\x80\x80"), "????");  // above U+10FFFF
  EXPECT_EQ(utf8ToWindows1252("\xFF\xBF"), "??");
}

TEST(Windows1252, NulAndControlBytesPassThrough) {
  const std::string bytes("a\0\t\x7F", 4);
  EXPECT_EQ(windows1252ToUtf8(bytes), bytes);
  EXPECT_EQ(utf8ToWindows1252(bytes), bytes);
}

}  // namespace
}  // namespace qv
