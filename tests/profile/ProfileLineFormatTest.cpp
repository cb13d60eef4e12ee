#include "profile/ProfileLineFormat.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::vector<std::string> split(std::string_view line) {
  return splitProfileLine(line, 100);
}

TEST(ProfileLineFormat, WritesIdPlainAndValuesQuoted) {
  EXPECT_EQ(formatProfileLine(1, {"Landing Gear Up", "K", "N None", "0", "1", "0"}),
            R"(1,"Landing Gear Up","K","N None","0","1","0")");
  EXPECT_EQ(formatProfileLine(4, {"", "a,b"}), R"(4,"","a,b")");
}

TEST(ProfileLineFormat, DoublesQuotesSoEveryValueReadsBackWhole) {
  const std::vector<std::string> values{R"(say "hi")", "a,b", "\"", "\"\"", ",", "", " x "};
  const std::string line = formatProfileLine(12, values);
  EXPECT_EQ(line, R"(12,"say ""hi""","a,b","""","""""",",",""," x ")");
  std::vector<std::string> expected{"12"};
  expected.insert(expected.end(), values.begin(), values.end());
  EXPECT_EQ(split(line), expected);
}

TEST(ProfileLineFormat, SplitsQuotedFields) {
  EXPECT_THAT(split(R"("a","b,c","d""e")"), ElementsAre("a", "b,c", "d\"e"));
  EXPECT_THAT(split(R"("")"), ElementsAre(""));
  // An unterminated quote runs to the end of the line.
  EXPECT_THAT(split(R"(1,"abc,def)"), ElementsAre("1", "abc,def"));
}

TEST(ProfileLineFormat, TakesUnquotedFieldsVerbatim) {
  EXPECT_THAT(split(R"(1, "x",a"b")"), ElementsAre("1", R"( "x")", R"(a"b")"));
  EXPECT_THAT(split("plain"), ElementsAre("plain"));
}

TEST(ProfileLineFormat, TextAfterAClosingQuoteIsAFieldOfItsOwn) {
  EXPECT_THAT(split(R"("ab"cd,e)"), ElementsAre("ab", "cd", "e"));
  EXPECT_THAT(split(R"("ab" "c",d)"), ElementsAre("ab", R"( "c")", "d"));
}

TEST(ProfileLineFormat, EmptyFieldsTrailingCommaAndEmptyLine) {
  EXPECT_THAT(split("a,,b"), ElementsAre("a", "", "b"));
  EXPECT_THAT(split("a,"), ElementsAre("a", ""));
  EXPECT_THAT(split(R"("a",)"), ElementsAre("a", ""));
  EXPECT_THAT(split(","), ElementsAre("", ""));
  EXPECT_THAT(split(""), IsEmpty());
}

TEST(ProfileLineFormat, StopsAtTheFieldLimit) {
  EXPECT_THAT(splitProfileLine("a,b,c,d", 2), ElementsAre("a", "b"));
  EXPECT_THAT(splitProfileLine(R"("a"x,b)", 1), ElementsAre("a"));
  const std::string commas(1'000'000, ',');
  EXPECT_EQ(splitProfileLine(commas, 7).size(), 7U);
}

}  // namespace
}  // namespace qv
