#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diag/OutputReport.h"

namespace qv {
namespace {

TEST(OutputReportTest, ReadsTextsAsHexadecimalLowByte) {
  EXPECT_EQ(hexTextByte("a"), 0x0A);
  EXPECT_EQ(hexTextByte("1ff"), 0xFF);
  EXPECT_EQ(hexTextByte("FFFFFFFF"), 0xFF);
  EXPECT_EQ(hexTextByte(" 7"), 0x07);
  EXPECT_EQ(hexTextByte(""), 0);
  EXPECT_EQ(hexTextByte("$"), 0);
  EXPECT_EQ(hexTextByte("g1"), 0);
  EXPECT_EQ(hexTextByte("12 "), 0);
  EXPECT_EQ(hexTextByte("1FFFFFFFF"), 0);  // more than 32 bits is no number
}

TEST(OutputReportTest, EditorsThatDoNotExistCountAsEmpty) {
  EXPECT_EQ(buildOutputReport("1", {"2"}, 4), (std::vector<uint8_t>{1, 2, 0, 0}));
}

TEST(OutputReportTest, ANoOutputReportStillHoldsTheReportId) {
  EXPECT_EQ(outputWriteLength(0), 0U);
  EXPECT_EQ(buildOutputReport("5", {}, 0), std::vector<uint8_t>{5});
}

}  // namespace
}  // namespace qv
