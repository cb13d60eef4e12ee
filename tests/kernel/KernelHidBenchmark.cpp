// Latency of the HID path on a real kernel, run inside the test VM
// (scripts/kernel-benchmark): from the virtual panel writing an input report
// to the key injector receiving the key batch it starts, and from the panel's
// creation to its binding. Prints median and 99th percentile.
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/kernel/KernelRig.h"
#include "tests/kernel/VirtualDevice.h"

namespace qv::test {
namespace {

int64_t monotonicNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Notes when each batch arrives.
class TimingInjector final : public KeyInjector {
 public:
  void inject(std::span<const KeyEvent>) override { arrivals.push_back(monotonicNs()); }
  std::vector<int64_t> arrivals;
};

// The monotonic time the panel printed for its last timed step.
int64_t stepTime(VirtualDevice& panel) {
  const std::optional<std::string> line = panel.awaitLine("at ");
  if (!line) {
    std::fprintf(stderr, "the virtual panel gave no time\n");
    std::exit(1);
  }
  return std::stoll(line->substr(3));
}

void printFigures(const char* what, std::vector<double> microseconds) {
  std::sort(microseconds.begin(), microseconds.end());
  const auto at = [&](double fraction) {
    return microseconds[static_cast<size_t>(fraction *
                                            static_cast<double>(microseconds.size() - 1))];
  };
  std::printf("%s: n=%zu median=%.0f us p99=%.0f us max=%.0f us\n", what, microseconds.size(),
              at(0.5), at(0.99), microseconds.back());
}

int run(int reports, int plugs) {
  TimingInjector timing;
  KernelRig rig(&timing);
  VirtualDevice panel;

  std::vector<double> bindUs;
  for (int plug = 0; plug < plugs; ++plug) {
    panel.step("timed create panel");
    const int64_t created = stepTime(panel);
    if (!rig.runUntil([&] { return rig.panelBound(); })) {
      std::fprintf(stderr, "the panel was not bound\n");
      return 1;
    }
    bindUs.push_back(static_cast<double>(monotonicNs() - created) / 1000.0);
    if (plug + 1 < plugs) {
      panel.step("destroy");
      if (!rig.runUntil([&] { return !rig.panelBound(); })) {
        std::fprintf(stderr, "the panel was not released\n");
        return 1;
      }
    }
  }

  // Switch 8 on and off, one key batch pair each; the first report waits
  // for the reader, which opens its node after the binding.
  rig.mapKey(13, 65);
  rig.mapKey(26, 66);
  while (!rig.engine.panelinit) {
    panel.step("input 00 00 00");
    static_cast<void>(
        rig.runUntil([&] { return rig.engine.panelinit; }, std::chrono::milliseconds(100)));
  }
  std::vector<double> reportUs;
  for (int i = 0; i < reports; ++i) {
    const size_t before = timing.arrivals.size();
    panel.step(i % 2 == 0 ? "timed input 01 00 00" : "timed input 00 00 00");
    const int64_t sent = stepTime(panel);
    if (!rig.runUntil([&] { return timing.arrivals.size() > before; })) {
      std::fprintf(stderr, "report %d started no key batch\n", i);
      return 1;
    }
    reportUs.push_back(static_cast<double>(timing.arrivals[before] - sent) / 1000.0);
  }
  printFigures("input report to key batch", reportUs);
  printFigures("panel created to panel bound", bindUs);
  return 0;
}

}  // namespace
}  // namespace qv::test

// KernelHidBenchmark [reports [plugs]]
int main(int argc, char** argv) {
  const int reports = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int plugs = argc > 2 ? std::atoi(argv[2]) : 20;
  return qv::test::run(reports, plugs);
}
