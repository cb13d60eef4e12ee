#include "hid/THidDeviceReadThread.h"

#include <algorithm>
#include <chrono>

#include "hid/MainThreadHandoff.h"
#include "hid/THidDevice.h"

namespace qv {

THidDeviceReadThread::THidDeviceReadThread(THidDevice& Device_, HidPlatform& platform,
                                           MainThreadHandoff& handoff, Settings settings)
    : Device(Device_),
      platform_(platform),
      handoff_(handoff),
      settings_(settings),
      Report(settings.InputReportByteLength),
      thread_([this] { Execute(); }) {}

THidDeviceReadThread::~THidDeviceReadThread() {
  Stop();
}

void THidDeviceReadThread::RequestStop() {
  {
    const std::lock_guard lock(sleepMutex_);
    stop_ = true;
  }
  sleepWake_.notify_all();
}

void THidDeviceReadThread::Stop() {
  RequestStop();
  if (thread_.joinable()) {
    handoff_.serveUntil([this] { return Finished(); });
    thread_.join();
  }
}

void THidDeviceReadThread::DropReadHandle() {
  dropReadHandle_ = true;
}

bool THidDeviceReadThread::sleep(int32_t ms) {
  std::unique_lock lock(sleepMutex_);
  sleepWake_.wait_for(lock, std::chrono::milliseconds(std::max(ms, 0)),
                      [this] { return stopRequested(); });
  return !stopRequested();
}

bool THidDeviceReadThread::handOver(const std::function<void()>& call) {
  return handoff_.runOnMainThread(call) == nullptr;
}

void THidDeviceReadThread::Execute() {
  try {
    readLoop();
  } catch (...) {
    // An exception never leaves the thread; the reader just ends.
  }
  channel_.reset();
  finished_ = true;
  handoff_.wake();
}

bool THidDeviceReadThread::ensureReadHandle() {
  if (dropReadHandle_.exchange(false)) {
    channel_.reset();
  }
  if (channel_) {
    return true;
  }
  if (!Device.IsAccessible()) {
    FErr = platform_.closedHandleError();
    return false;
  }
  uint32_t error = 0;
  const THidPnPInfo& info = Device.PnPInfo();
  channel_ = platform_.openInput({info.DeviceID, info.DevicePath}, error);
  if (!channel_) {
    FErr = error;
  }
  return channel_ != nullptr;
}

void THidDeviceReadThread::readLoop() {
  while (!stopRequested()) {
    std::fill(Report.begin(), Report.end(), uint8_t{0});
    const HidReadOutcome outcome = waitForReport();
    if (outcome.kind == HidReadOutcome::Kind::Timeout) {
      continue;
    }
    if (outcome.kind == HidReadOutcome::Kind::Failed) {
      if (!reportFailure(outcome.error)) {
        return;
      }
      sleep(settings_.ThreadSleepTime);
      continue;
    }
    if (!reportData(outcome.bytes)) {
      return;
    }
    if (settings_.PollingDelayTime > 0) {
      sleep(settings_.PollingDelayTime);
    }
  }
}

HidReadOutcome THidDeviceReadThread::waitForReport() {
  if (!ensureReadHandle()) {
    return {HidReadOutcome::Kind::Failed, 0, FErr};
  }
  // Timeouts only let the reader look for a stop; a report ends the wait at once.
  HidReadOutcome outcome;
  do {
    outcome = channel_->read(Report.data(), Report.size(), settings_.ThreadSleepTime);
  } while (outcome.kind == HidReadOutcome::Kind::Timeout && !stopRequested() && !dropReadHandle_);
  return outcome;
}

bool THidDeviceReadThread::reportFailure(uint32_t error) {
  FErr = error;
  // A vanished device's handle stays dead, so it is dropped and the next
  // round opens the node again. Only the read that found the device gone
  // is reported; reopening fails quietly until the node is back.
  const bool gone = platform_.deviceGone(FErr);
  const bool reopening = !channel_;
  if (gone) {
    channel_.reset();
  }
  if (gone && reopening) {
    return true;
  }
  return handOver([this] {
    if (const auto& handler = Device.OnDataError) {
      handler(Device, FErr);
    }
  });
}

bool THidDeviceReadThread::reportData(uint32_t bytes) {
  NumBytesRead = std::min<uint32_t>(bytes, static_cast<uint32_t>(Report.size()));
  if (NumBytesRead == 0) {
    return true;
  }
  return handOver([this] {
    if (const auto& handler = Device.OnData()) {
      handler(Device, Report[0], Report.data() + 1, static_cast<uint16_t>(NumBytesRead - 1));
    }
  });
}

}  // namespace qv
