#include "platform/windows/OverlappedInputChannel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

// A pipe stands in for a device: the test writes "reports" into it and
// breaks it as a removed device breaks its reads.
class PipeDevice {
 public:
  PipeDevice() {
    const std::wstring name =
        L"\\\\.\\pipe\\quorvane-channel-" + std::to_wstring(GetCurrentProcessId());
    server_ =
        CreateNamedPipeW(name.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 64, 64, 0, nullptr);
    client_ = CreateFileW(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                          FILE_FLAG_OVERLAPPED, nullptr);
  }
  ~PipeDevice() { unplug(); }
  PipeDevice(const PipeDevice&) = delete;
  PipeDevice& operator=(const PipeDevice&) = delete;

  std::unique_ptr<HidInputChannel> channel() {
    uint32_t error = 0;
    return makeOverlappedInputChannel(client_, error);
  }
  void send(const std::vector<uint8_t>& report) {
    DWORD written = 0;
    ASSERT_TRUE(
        WriteFile(server_, report.data(), static_cast<DWORD>(report.size()), &written, nullptr));
  }
  void unplug() {
    if (server_ != INVALID_HANDLE_VALUE) {
      static_cast<void>(CloseHandle(server_));
      server_ = INVALID_HANDLE_VALUE;
    }
  }
  [[nodiscard]] bool ready() const {
    return server_ != INVALID_HANDLE_VALUE && client_ != INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE server_ = INVALID_HANDLE_VALUE;
  HANDLE client_ = INVALID_HANDLE_VALUE;
};

TEST(OverlappedInputChannel, AReportArrivesWholeAndAReadBrokenWhilePendingFailsWithItsError) {
  PipeDevice device;
  ASSERT_TRUE(device.ready());
  const auto channel = device.channel();
  ASSERT_NE(channel, nullptr);
  std::vector<uint8_t> report(4, 0xEE);
  EXPECT_EQ(channel->read(report.data(), report.size(), 20).kind, HidReadOutcome::Kind::Timeout);

  device.send({0, 0x80, 0x04, 0x8A});
  const HidReadOutcome arrived = channel->read(report.data(), report.size(), 2000);
  EXPECT_EQ(arrived.kind, HidReadOutcome::Kind::Report);
  EXPECT_EQ(arrived.bytes, 4U);
  EXPECT_EQ(report, (std::vector<uint8_t>{0, 0x80, 0x04, 0x8A}));

  EXPECT_EQ(channel->read(report.data(), report.size(), 20).kind, HidReadOutcome::Kind::Timeout);
  device.unplug();
  const HidReadOutcome broken = channel->read(report.data(), report.size(), 2000);
  EXPECT_EQ(broken.kind, HidReadOutcome::Kind::Failed);
  EXPECT_EQ(broken.error, static_cast<uint32_t>(ERROR_BROKEN_PIPE));
}

}  // namespace
}  // namespace qv
