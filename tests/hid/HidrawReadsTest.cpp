#include "platform/linux/HidrawReads.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "platform/linux/HidapiPlatform.h"

namespace qv {
namespace {

using Kind = HidReadOutcome::Kind;

TEST(HidrawReads, UnnumberedReportGetsReportIdZeroInFront) {
  std::array<uint8_t, 4> buffer{0xEE, 0xEE, 0xEE, 0xEE};
  size_t room = 0;
  const HidReadOutcome outcome =
      readInputReport(false, buffer.data(), buffer.size(), [&](uint8_t* into, size_t size) {
        EXPECT_EQ(into, buffer.data() + 1);
        room = size;
        const std::array<uint8_t, 3> report{0x80, 0x04, 0x8A};
        std::memcpy(into, report.data(), report.size());
        return 3;
      });
  EXPECT_EQ(room, 3U);
  EXPECT_EQ(outcome.kind, Kind::Report);
  EXPECT_EQ(outcome.bytes, 4U);
  EXPECT_EQ(buffer, (std::array<uint8_t, 4>{0x00, 0x80, 0x04, 0x8A}));
}

TEST(HidrawReads, NumberedReportKeepsItsOwnId) {
  std::array<uint8_t, 5> buffer{};
  const HidReadOutcome outcome =
      readInputReport(true, buffer.data(), buffer.size(), [&](uint8_t* into, size_t size) {
        EXPECT_EQ(into, buffer.data());
        EXPECT_EQ(size, buffer.size());
        into[0] = 0x01;
        into[1] = 0x11;
        return 2;
      });
  EXPECT_EQ(outcome.kind, Kind::Report);
  EXPECT_EQ(outcome.bytes, 2U);
  EXPECT_EQ(buffer[0], 0x01);
}

TEST(HidrawReads, TimeoutsAndFailures) {
  std::array<uint8_t, 4> buffer{};
  const auto readWith = [&](int result, int error) {
    return readInputReport(false, buffer.data(), buffer.size(), [&](uint8_t*, size_t) {
      errno = error;
      return result;
    });
  };
  EXPECT_EQ(readWith(0, 0).kind, Kind::Timeout);
  const HidReadOutcome failed = readWith(-1, ENODEV);
  EXPECT_EQ(failed.kind, Kind::Failed);
  EXPECT_EQ(failed.error, static_cast<uint32_t>(ENODEV));
  // hidapi's hang-up of a vanished device sets no errno; the reader must
  // still see the device as gone, so it reopens the node quietly.
  const HidReadOutcome hungUp = readWith(-1, 0);
  EXPECT_EQ(hungUp.error, static_cast<uint32_t>(EIO));
  EXPECT_TRUE(makeHidapiPlatform()->deviceGone(hungUp.error));

  bool called = false;
  const HidReadOutcome tooSmall = readInputReport(false, buffer.data(), 1, [&](uint8_t*, size_t) {
    called = true;
    return 0;
  });
  EXPECT_FALSE(called);
  EXPECT_EQ(tooSmall.kind, Kind::Failed);
  EXPECT_EQ(tooSmall.error, static_cast<uint32_t>(EINVAL));
}

}  // namespace
}  // namespace qv
