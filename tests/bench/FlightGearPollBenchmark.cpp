// The link polling the real FlightGear on the real 250 ms tick: the CPU time
// Quorvane's side spends over `seconds` of polling, the longest main-thread
// call, and how long a battery switch edge takes to show in FlightGear's
// property, read by a second client of the property server.
//   xvfb-run -a build/dev/bin/FlightGearPollBenchmark [seconds]
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <thread>
#include <vector>

#include "sim/FlightGearConnection.h"
#include "tests/sim/FlightGearProcess.h"
#include "tests/support/LinkedEngine.h"

namespace qv::test {
namespace {

using Clock = std::chrono::steady_clock;
using Millis = std::chrono::duration<double, std::milli>;
constexpr auto kTick = std::chrono::milliseconds(250);
constexpr int kEdges = 20;
constexpr const char* kBattery = "/controls/switches/master-bat";

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double percentile(std::vector<double> values, double share) {
  std::sort(values.begin(), values.end());
  return values.at(static_cast<size_t>(share * static_cast<double>(values.size() - 1)));
}

class Bench {
 public:
  int run(int seconds) {
    if (!fg_.waitUntilFlying(std::chrono::seconds(600))) {
      std::fprintf(stderr, "FlightGear did not start; see " QV_FLIGHTGEAR_HOME "/fgfs.log\n");
      return 1;
    }
    const std::string user = QV_FLIGHTGEAR_HOME "/port.json";
    std::ofstream(user) << R"({"flightgear": {"port": )" << fg_.port() << "}}";
    std::vector<std::string> errors;
    link_.addConnection(std::make_unique<FlightGearConnection>(
        SimulatorMapping::load({QV_SIMULATORS_JSON, user}, "flightgear", errors)));
    link_.SimC_Init("no such library");
    flip(false);  // the first report only records the resting state
    const auto looking = Clock::now();
    next_ = looking;
    const std::string title = fg_.get("/sim/description");
    int ticks = 0;
    while (link_.SimCon.Title != title) {
      tick();
      ++ticks;
    }
    std::printf("first data after %.1f s (%d ticks)\n",
                std::chrono::duration<double>(Clock::now() - looking).count(), ticks);

    const double cpuBefore = cpuSeconds();
    const auto start = Clock::now();
    for (int i = 0; i < seconds * 4; ++i) {
      tick();
    }
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    const double cpu = cpuSeconds() - cpuBefore;
    std::printf("polling for %.1f s: %.3f s of CPU, %.2f %% of one core\n", wall, cpu,
                100.0 * cpu / wall);

    measureEdges();
    std::printf("main-thread calls: n=%zu median=%.2f ms p99=%.2f ms max=%.2f ms\n", calls_.size(),
                percentile(calls_, 0.5), percentile(calls_, 0.99), percentile(calls_, 1.0));
    std::printf("calls over 5 ms: %ld; calls that waited (gave up the core): %ld\n", slowCalls_,
                waitingCalls_);
    return 0;
  }

 private:
  // Flips the battery on each edge while a second client reads the property
  // as fast as the server answers; an edge's time runs from the panel's
  // report to the first answer with the new value.
  void measureEdges() {
    std::vector<double> edges;
    std::vector<double> answers;
    std::mutex latest;
    Clock::time_point latestAsked;  // when the newest answer's get was sent
    bool latestOn = false;
    std::atomic<bool> stop{false};
    std::thread reader([&] {
      while (!stop) {
        const auto asked = Clock::now();
        const bool on = fg_.get(kBattery) == "true";
        answers.push_back(Millis(Clock::now() - asked).count());
        const std::lock_guard<std::mutex> lock(latest);
        latestAsked = asked;
        latestOn = on;
      }
    });
    // True once a get sent after `edge` answered `on`.
    const auto shows = [&](Clock::time_point edge, bool on) {
      const std::lock_guard<std::mutex> lock(latest);
      return latestAsked > edge && latestOn == on;
    };
    for (int i = 0; i < kEdges; ++i) {
      tick();
      const bool on = i % 2 == 0;
      const auto edge = Clock::now();
      flip(on);
      while (!shows(edge, on)) {
        if (Clock::now() >= next_ + kTick) {
          tick();
        } else {
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
      }
      edges.push_back(Millis(Clock::now() - edge).count());
    }
    stop = true;
    reader.join();
    std::printf("switch edge to property: n=%zu median=%.0f ms max=%.0f ms\n", edges.size(),
                percentile(edges, 0.5), percentile(edges, 1.0));
    std::printf("property server answer to a get: n=%zu median=%.0f ms max=%.0f ms\n",
                answers.size(), percentile(answers, 0.5), percentile(answers, 1.0));
  }

  // The battery switch (8) as the panel reports it; the call is timed.
  void flip(bool on) {
    const std::array<uint8_t, 3> report{on ? uint8_t{0x01} : uint8_t{0}, 0, 0};
    timed([&] { engine_.ShowRead(0x06A3, 0x0D67, 0, report.data(), 3); });
  }
  // One tick on the real period, timed.
  void tick() {
    next_ += kTick;
    std::this_thread::sleep_until(next_);
    timed([&] { engine_.Timer1Timer(); });
  }
  // A call that blocks (on a socket or anything else) gives up its core
  // of its own accord; a preempted one does not. Counting the voluntary
  // switches tells a wait from a busy machine.
  template <typename Call>
  void timed(Call call) {
    rusage before{};
    getrusage(RUSAGE_THREAD, &before);
    const auto start = Clock::now();
    call();
    calls_.push_back(Millis(Clock::now() - start).count());
    rusage after{};
    getrusage(RUSAGE_THREAD, &after);
    waitingCalls_ += after.ru_nvcsw != before.ru_nvcsw ? 1 : 0;
    slowCalls_ += calls_.back() > 5.0 ? 1 : 0;
    if (calls_.back() > 5.0) {
      std::fprintf(stderr, "slow call %zu: %.1f ms, %ld voluntary, %ld involuntary switches\n",
                   calls_.size(), calls_.back(), after.ru_nvcsw - before.ru_nvcsw,
                   after.ru_nivcsw - before.ru_nivcsw);
    }
  }

  FlightGearProcess fg_{QV_FLIGHTGEAR_HOME};
  LinkedEngine linked_;
  SwitchEngine& engine_ = linked_.engine;
  SimulatorLink& link_ = linked_.link;
  std::vector<double> calls_;
  long slowCalls_ = 0;
  long waitingCalls_ = 0;
  Clock::time_point next_ = Clock::now();
};

}  // namespace
}  // namespace qv::test

int main(int argc, char** argv) {
  qv::test::Bench bench;
  return bench.run(argc > 1 ? std::atoi(argv[1]) : 60);
}
