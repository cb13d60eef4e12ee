// Report hand-off latency and device-list rebuild time over the scripted
// platform. Run: build/<dir>/bin/HidBenchmark
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/HistoryLog.h"
#include "engine/PanelIndicators.h"
#include "engine/SwitchEngine.h"
#include "hid/DeviceListView.h"
#include "hid/PanelBinding.h"
#include "hid/THidDeviceController.h"
#include "platform/EventLoop.h"
#include "tests/support/RecordingInjector.h"
#include "tests/support/ScriptedHidPlatform.h"

namespace qv {
namespace {

using Clock = std::chrono::steady_clock;

// A main-thread loop that sleeps until a task is posted, like the window's.
class BlockingEventLoop final : public EventLoop {
 public:
  void post(std::function<void()> task) override {
    {
      const std::lock_guard lock(mutex_);
      tasks_.push_back(std::move(task));
    }
    posted_.notify_one();
  }
  void runUntil(const std::function<bool()>& done) {
    while (!done()) {
      std::function<void()> task;
      {
        std::unique_lock lock(mutex_);
        if (!posted_.wait_for(lock, std::chrono::milliseconds(5),
                              [this] { return !tasks_.empty(); })) {
          continue;
        }
        task = std::move(tasks_.front());
        tasks_.pop_front();
      }
      task();
    }
  }

 private:
  std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<std::function<void()>> tasks_;
};

class QuietList final : public DeviceListView {
 public:
  void addDeviceEntry(const std::string&) override { ++entries; }
  void clearDeviceEntries() override { entries = 0; }
  int selectedDeviceEntry() const override { return selected; }
  void selectDeviceEntry(int index) override { selected = index; }
  void setReadButtonDown(bool) override {}
  bool byteEditorsBuilt() const override { return true; }
  void showByteEditors(int) override {}
  int entries = 0;
  int selected = -1;
};

class QuietHistory final : public HistoryLog {
 public:
  void appendLine(const std::string&) override {}
  void clear() override {}
};

class NoIndicators final : public PanelIndicators {
 public:
  void setIndicatorVisible(std::string_view, bool) override {}
};

double percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  const auto at = static_cast<size_t>(fraction * static_cast<double>(values.size() - 1));
  return values[at];
}

// From a report's completion on the panel's reader to the start of ShowRead
// on the main thread, one report at a time.
void BM_ReportToShowRead(benchmark::State& state) {
  constexpr int kReports = 10000;
  for (auto _ : state) {
    test::ScriptedHidPlatform platform;
    BlockingEventLoop loop;
    QuietList list;
    QuietHistory history;
    NoIndicators indicators;
    test::RecordingInjector injector;
    SwitchEngine engine(injector, history, indicators);
    std::vector<Clock::time_point> completed(kReports);
    std::vector<double> latencyUs;
    latencyUs.reserve(kReports);
    std::atomic<int> handled = 0;
    int completedCount = 0;
    const auto panel = platform.plugIn();
    panel->onReportCompleted(
        [&] { completed[static_cast<size_t>(completedCount++)] = Clock::now(); });
    THidDeviceController controller(platform, loop, nullptr);
    PanelBinding binding(
        controller, list, history,
        [&](uint16_t vendorId, uint16_t productId, uint8_t ReportID, const uint8_t* Data,
            uint16_t Size) {
          const auto start = Clock::now();
          const auto index = static_cast<size_t>(handled.load());
          latencyUs.push_back(
              std::chrono::duration<double, std::micro>(start - completed[index]).count());
          engine.ShowRead(vendorId, productId, ReportID, Data, Size);
          ++handled;
        });
    loop.runUntil([&] { return binding.SaitekSwitchPanel() != nullptr; });
    std::thread feeder([&] {
      for (int i = 0; i < kReports; ++i) {
        panel->sendInput({0, static_cast<uint8_t>(i), 0, 0});
        while (handled.load() <= i) {
          std::this_thread::yield();
        }
      }
    });
    loop.runUntil([&] { return handled.load() == kReports; });
    feeder.join();
    state.counters["median_us"] = percentile(latencyUs, 0.5);
    state.counters["p99_us"] = percentile(latencyUs, 0.99);
  }
}
BENCHMARK(BM_ReportToShowRead)->Iterations(1)->Unit(benchmark::kMillisecond);

// One device-list rebuild with 20 readable devices whose readers are waiting
// in their reads (default ThreadSleepTime of 100 ms).
void BM_RebuildWith20Readers(benchmark::State& state) {
  test::ScriptedHidPlatform platform;
  BlockingEventLoop loop;
  QuietList list;
  QuietHistory history;
  NoIndicators indicators;
  test::RecordingInjector injector;
  SwitchEngine engine(injector, history, indicators);
  std::vector<std::shared_ptr<test::ScriptedDevice>> devices;
  for (int i = 0; i < 20; ++i) {
    devices.push_back(platform.plugIn());
  }
  THidDeviceController controller(platform, loop, nullptr);
  PanelBinding binding(
      controller, list, history,
      [&](uint16_t vendorId, uint16_t productId, uint8_t ReportID, const uint8_t* Data,
          uint16_t Size) { engine.ShowRead(vendorId, productId, ReportID, Data, Size); });
  const auto allReading = [&] {
    return std::all_of(devices.begin(), devices.end(),
                       [](const auto& d) { return d->openReadHandles() == 1; });
  };
  loop.runUntil([&] { return list.entries == 20; });
  for (auto _ : state) {
    state.PauseTiming();
    loop.runUntil(allReading);
    // Let every reader settle into a fresh wait of up to one sleep time.
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    state.ResumeTiming();
    binding.HidCtlDeviceChange();
  }
}
BENCHMARK(BM_RebuildWith20Readers)->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qv

BENCHMARK_MAIN();
