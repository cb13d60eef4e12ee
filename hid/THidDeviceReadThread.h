#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/HidPlatform.h"

namespace qv {

class MainThreadHandoff;
class THidDevice;

// Reads one device record's input reports on a thread of its own and hands
// each report, and each read that cannot be started, to the main thread,
// waiting until the handler has returned. A handler that throws ends it.
class THidDeviceReadThread {
 public:
  struct Settings {
    int32_t ThreadSleepTime = 100;
    int32_t PollingDelayTime = 0;
    uint16_t InputReportByteLength = 0;
  };

  // Starts running at once.
  THidDeviceReadThread(THidDevice& Device, HidPlatform& platform, MainThreadHandoff& handoff,
                       Settings settings);
  THidDeviceReadThread(const THidDeviceReadThread&) = delete;
  THidDeviceReadThread& operator=(const THidDeviceReadThread&) = delete;
  ~THidDeviceReadThread();

  // Any thread: the reader leaves its loop within one ThreadSleepTime.
  void RequestStop();
  // Main thread: asks to stop and waits for the thread, serving its hand-offs.
  void Stop();
  // The record's handles are being closed: the read handle goes too, and is
  // opened again only while the record is accessible.
  void DropReadHandle();
  [[nodiscard]] bool Finished() const { return finished_; }

  THidDevice& Device;

 private:
  void Execute();
  void readLoop();
  // Sleeps up to `ms`; false when a stop was asked.
  bool sleep(int32_t ms);
  bool stopRequested() const { return stop_; }
  bool ensureReadHandle();
  // Opens the read handle when needed and reads until a report, a failure, a
  // stop or a dropped handle; Timeout means nothing arrived.
  HidReadOutcome waitForReport();
  // The handlers run on the main thread; false when one threw.
  bool reportFailure(uint32_t error);
  bool reportData(uint32_t bytes);
  bool handOver(const std::function<void()>& call);

  HidPlatform& platform_;
  MainThreadHandoff& handoff_;
  const Settings settings_;

  // Owned by the reader thread.
  std::unique_ptr<HidInputChannel> channel_;
  uint32_t FErr = 0;
  uint32_t NumBytesRead = 0;
  std::vector<uint8_t> Report;

  std::atomic<bool> stop_ = false;
  std::atomic<bool> dropReadHandle_ = false;
  std::atomic<bool> finished_ = false;
  std::mutex sleepMutex_;
  std::condition_variable sleepWake_;
  std::thread thread_;
};

}  // namespace qv
