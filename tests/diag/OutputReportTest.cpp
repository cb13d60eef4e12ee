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

TEST(OutputReportTest, BuildsTheReportFromTheReportIdAndTheEditors) {
  const std::vector<uint8_t> report = buildOutputReport("a", {"1ff", ""}, 3);
  EXPECT_EQ(report, (std::vector<uint8_t>{0x0A, 0xFF, 0x00}));
  EXPECT_EQ(writeHistoryLine(report, 3), "W 0A  FF 00 ");
  EXPECT_EQ(writeHistoryLine(report, 0), "W 0A  ");  // a failed write logs the report id
}

TEST(OutputReportTest, EditorsThatDoNotExistCountAsEmpty) {
  EXPECT_EQ(buildOutputReport("1", {"2"}, 4), (std::vector<uint8_t>{1, 2, 0, 0}));
}

TEST(OutputReportTest, ALongReportIsCutToTheBuffer) {
  const std::vector<std::string> editors(64, "ee");
  EXPECT_EQ(outputWriteLength(200), kReportBufferSize);
  const std::vector<uint8_t> report = buildOutputReport("0", editors, 200);
  ASSERT_EQ(report.size(), kReportBufferSize);
  EXPECT_EQ(report.back(), 0xEE);
  // A reported count beyond the buffer never reads past it.
  EXPECT_EQ(writeHistoryLine(report, 200).size(), std::string("W 00  ").size() + 64 * 3);
}

TEST(OutputReportTest, ANoOutputReportStillHoldsTheReportId) {
  EXPECT_EQ(outputWriteLength(0), 0U);
  EXPECT_EQ(buildOutputReport("5", {}, 0), std::vector<uint8_t>{5});
}

}  // namespace
}  // namespace qv
