#include "platform/windows/OverlappedInputChannel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

// A pipe stands in for a device; breaking it is what removing a device does.
TEST(OverlappedInputChannel, AReportArrivesWholeAndAReadBrokenWhilePendingFailsWithItsError) {
  const std::wstring name = L"\\\\.\\pipe\\quorvane-" + std::to_wstring(GetCurrentProcessId());
  const HANDLE device =
      CreateNamedPipeW(name.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 64, 64, 0, nullptr);
  uint32_t error = 0;
  const auto channel =
      makeOverlappedInputChannel(CreateFileW(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                             FILE_FLAG_OVERLAPPED, nullptr),
                                 error);
  ASSERT_NE(channel, nullptr);
  std::vector<uint8_t> report(4);
  EXPECT_EQ(channel->read(report.data(), report.size(), 20).kind, HidReadOutcome::Kind::Timeout);
  const std::vector<uint8_t> sent{0, 0x80, 0x04, 0x8A};
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(device, sent.data(), 4, &written, nullptr));
  const HidReadOutcome arrived = channel->read(report.data(), report.size(), 2000);
  EXPECT_EQ(arrived.kind, HidReadOutcome::Kind::Report);
  EXPECT_EQ(arrived.bytes, 4U);
  EXPECT_EQ(report, sent);

  EXPECT_EQ(channel->read(report.data(), report.size(), 20).kind, HidReadOutcome::Kind::Timeout);
  CloseHandle(device);
  const HidReadOutcome broken = channel->read(report.data(), report.size(), 2000);
  EXPECT_EQ(broken.kind, HidReadOutcome::Kind::Failed);
  EXPECT_EQ(broken.error, static_cast<uint32_t>(ERROR_BROKEN_PIPE));
}

}  // namespace
}  // namespace qv
