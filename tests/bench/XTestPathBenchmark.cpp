// From a panel report's completion on its reader thread to the key batch it
// starts having gone through the real XTest injector (flushed to the X
// server): the scripted platform feeds the real reader threads, hand-off,
// panel binding and engine. Then the same while three other devices each
// send 1,000 reports a second, counting every report they sent and every
// report that reached the handler. Needs an X server:
//   xvfb-run -a build/dev/bin/XTestPathBenchmark [reports]
#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "engine/MappingRows.h"
#include "engine/NamedTexts.h"
#include "engine/SwitchEngine.h"
#include "hid/PanelBinding.h"
#include "hid/THidDeviceController.h"
#include "platform/linux/XTestInjector.h"
#include "tests/kernel/KernelRig.h"
#include "tests/support/ScriptedHidPlatform.h"

namespace qv::test {
namespace {

using Clock = std::chrono::steady_clock;

// Notes when each batch has left the injector.
class TimedInjector final : public KeyInjector {
 public:
  explicit TimedInjector(KeyInjector& inner) : inner_(inner) {}
  void inject(std::span<const KeyEvent> batch) override {
    inner_.inject(batch);
    injected.push_back(Clock::now());
  }
  std::vector<Clock::time_point> injected;

 private:
  KeyInjector& inner_;
};

constexpr int kBusyDevices = 3;
constexpr uint16_t kBusyProduct = 0x1000;  // + 0, 1, 2: not a panel

void printFigures(const char* what, std::vector<double> us) {
  std::sort(us.begin(), us.end());
  const auto at = [&](double fraction) {
    return us[static_cast<size_t>(fraction * static_cast<double>(us.size() - 1))];
  };
  std::printf("%s: n=%zu median=%.0f us p99=%.0f us max=%.0f us\n", what, us.size(), at(0.5),
              at(0.99), us.back());
}

class Bench {
 public:
  explicit Bench(KeyInjector& xtest) : timed_(xtest) {
    applyMappingDefaults(texts_);
    // Switch 8 on and off: one key each.
    mapKey(13, 65);
    mapKey(26, 66);
    engine_.populatekeyarray(texts_);
  }

  // Returns false when a report started no batch within a second.
  bool run(int reports, bool busy) {
    ScriptedHidPlatform platform;
    const auto panel = platform.plugIn();
    std::array<std::shared_ptr<ScriptedDevice>, kBusyDevices> others;
    for (int d = 0; d < kBusyDevices; ++d) {
      ScriptedDeviceSpec busyDevice;
      busyDevice.ids.productId = static_cast<uint16_t>(kBusyProduct + d);
      busyDevice.product = u"Busy device";
      others[static_cast<size_t>(d)] = platform.plugIn(busyDevice);
    }
    std::vector<Clock::time_point> completed;
    completed.reserve(static_cast<size_t>(reports) + 16);
    panel->onReportCompleted([&] { completed.push_back(Clock::now()); });
    std::array<int, kBusyDevices> received{};
    WakingEventLoop loop;
    THidDeviceController controller(platform, loop, nullptr);
    PanelBinding binding(
        controller, list_, history_,
        [&](uint16_t vendorId, uint16_t productId, uint8_t reportId, const uint8_t* data,
            uint16_t size) {
          if (productId >= kBusyProduct && productId < kBusyProduct + kBusyDevices) {
            ++received[productId - kBusyProduct];
          }
          engine_.ShowRead(vendorId, productId, reportId, data, size);
        });
    const auto runUntil = [&](const std::function<bool()>& done) {
      const auto deadline = Clock::now() + std::chrono::seconds(1);
      while (!done()) {
        if (Clock::now() > deadline) {
          return false;
        }
        loop.runPending(std::chrono::microseconds(500));
      }
      return true;
    };
    if (!runUntil([&] { return binding.SaitekSwitchPanel() != nullptr; })) {
      std::fprintf(stderr, "the panel was not bound\n");
      return false;
    }
    // The first report only sets the engine's starting state, in each run,
    // as after the window's start.
    engine_.panelinit = false;
    panel->sendInput({0, 0, 0, 0});
    if (!runUntil([&] { return engine_.panelinit; })) {
      std::fprintf(stderr, "the first report did not arrive\n");
      return false;
    }
    completed.clear();

    std::atomic<bool> stop = false;
    std::array<int, kBusyDevices> sent{};
    std::vector<std::thread> feeders;
    if (busy) {
      for (int d = 0; d < kBusyDevices; ++d) {
        feeders.emplace_back([&, d] {
          auto next = Clock::now();
          uint8_t counter = 0;
          while (!stop) {
            others[static_cast<size_t>(d)]->sendInput({0, counter++, 0, 0});
            ++sent[static_cast<size_t>(d)];
            next += std::chrono::milliseconds(1);
            std::this_thread::sleep_until(next);
          }
        });
      }
    }
    std::vector<double> us;
    us.reserve(static_cast<size_t>(reports));
    bool ok = true;
    for (int i = 0; i < reports && ok; ++i) {
      const size_t before = timed_.injected.size();
      panel->sendInput({0, static_cast<uint8_t>(i % 2 == 0 ? 1 : 0), 0, 0});
      ok = runUntil([&] { return timed_.injected.size() > before; });
      if (ok) {
        us.push_back(std::chrono::duration<double, std::micro>(timed_.injected[before] -
                                                               completed.at(static_cast<size_t>(i)))
                         .count());
      } else {
        std::fprintf(stderr, "report %d started no key batch\n", i);
      }
    }
    stop = true;
    for (std::thread& feeder : feeders) {
      feeder.join();
    }
    printFigures(busy ? "with 3 busy devices: report completed to key batch injected (XTest)"
                      : "report completed to key batch injected (XTest)",
                 us);
    if (busy) {
      // Whatever is still on its way is served before counting.
      static_cast<void>(runUntil([&] {
        for (int d = 0; d < kBusyDevices; ++d) {
          if (received[static_cast<size_t>(d)] != sent[static_cast<size_t>(d)]) {
            return false;
          }
        }
        return true;
      }));
      for (int d = 0; d < kBusyDevices; ++d) {
        const int lost = sent[static_cast<size_t>(d)] - received[static_cast<size_t>(d)];
        std::printf("busy device %d: sent %d, received %d, lost %d\n", d + 1,
                    sent[static_cast<size_t>(d)], received[static_cast<size_t>(d)], lost);
        ok = ok && lost == 0;
      }
    }
    return ok;
  }

 private:
  void mapKey(int fn, int virtualKey) {
    for (const KeystrokeRow& row : kKeystrokeRows) {
      if (row.id == fn) {
        texts_.setText(row.modifier, "N None");
        texts_.setText(row.code, std::to_string(virtualKey));
        texts_.setText(row.presses, "1");
        texts_.setText(row.duration, "0");
      }
    }
  }

  TimedInjector timed_;
  RecordingDeviceList list_;
  RecordingHistory history_;
  NoIndicators indicators_;
  NamedTextMap texts_;
  SwitchEngine engine_{timed_, history_, indicators_};
};

}  // namespace
}  // namespace qv::test

int main(int argc, char** argv) {
  const int reports = argc > 1 ? std::atoi(argv[1]) : 10000;
  if (std::getenv("DISPLAY") == nullptr) {
    std::fprintf(stderr, "no X server: run under xvfb-run -a\n");
    return 1;
  }
  const std::unique_ptr<qv::KeyInjector> xtest = qv::makeXTestInjector();
  qv::test::Bench bench(*xtest);
  const bool quiet = bench.run(reports, false);
  const bool busy = bench.run(reports, true);
  return quiet && busy ? 0 : 1;
}
