// Feature reports the gear lights send per minute, against the real stand-in
// simulator process with the real 250 ms tick: first with the gear still for
// `seconds`, then over one full gear cycle (up, then down).
//   build/dev/bin/GearLightsBenchmark [seconds]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "tests/sim/StandinProcess.h"
#include "tests/support/LinkedEngine.h"

namespace qv::test {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kTick = std::chrono::milliseconds(250);

class Bench {
 public:
  int run(int seconds) {
    rig_.link.SimC_Init();
    sim_.start({"--gear", "down"});
    if (!tickUntil([&] { return rig_.link.SimCon.LG_Lights == 7; }, 40)) {
      std::fprintf(stderr, "no green lights from the connected simulator\n");
      return 1;
    }
    // A few ticks more so the first data has settled.
    for (int i = 0; i < 8; ++i) {
      tick();
    }

    size_t before = rig_.panel.reports.size();
    const int stillTicks = seconds * 4;
    for (int i = 0; i < stillTicks; ++i) {
      tick();
    }
    const double stillPerMinute =
        static_cast<double>(rig_.panel.reports.size() - before) * 60.0 / seconds;
    std::printf("gear still for %d s (%d ticks): %zu feature reports, %.1f a minute\n", seconds,
                stillTicks, rig_.panel.reports.size() - before, stillPerMinute);

    before = rig_.panel.reports.size();
    const auto cycleStart = Clock::now();
    rig_.engine.SetKeyOn(1);
    const bool up = tickUntil([&] { return sim_.linesWith("gear up") >= 1; }, 80) &&
                    tickUntil([&] { return rig_.link.SimCon.LG_Lights == 0; }, 20);
    rig_.engine.SetKeyOn(5);
    const bool down = up && tickUntil([&] { return sim_.linesWith("gear down") >= 1; }, 80) &&
                      tickUntil([&] { return rig_.link.SimCon.LG_Lights == 7; }, 20);
    if (!down) {
      std::fprintf(stderr, "the gear did not cycle:\n%s", sim_.output().c_str());
      return 1;
    }
    const double cycleSeconds = std::chrono::duration<double>(Clock::now() - cycleStart).count();
    const size_t sent = rig_.panel.reports.size() - before;
    std::printf("gear cycle up and down in %.1f s: %zu feature reports, %.1f a minute\n",
                cycleSeconds, sent, static_cast<double>(sent) * 60.0 / cycleSeconds);
    return stillPerMinute == 0 ? 0 : 1;
  }

 private:
  // One tick on the real period.
  void tick() {
    next_ += kTick;
    std::this_thread::sleep_until(next_);
    rig_.engine.Timer1Timer();
  }
  bool tickUntil(const std::function<bool()>& done, int ticks) {
    for (int i = 0; i < ticks; ++i) {
      tick();
      if (done()) {
        return true;
      }
    }
    return false;
  }

  StandinProcess sim_;
  LinkedEngine rig_;
  Clock::time_point next_ = Clock::now();
};

}  // namespace
}  // namespace qv::test

int main(int argc, char** argv) {
  qv::test::Bench bench;
  return bench.run(argc > 1 ? std::atoi(argv[1]) : 60);
}
