// Start-up, idle CPU and resident memory of the real window with the stand-in
// simulator connected. Starts the simulator and the program in a fresh folder
// holding the profile, times the start to the window being mapped, gives the
// window the input focus as a desktop would (its first activation builds the
// console's byte editors), lets it settle, then samples it for `seconds`.
//   xvfb-run -a build/dev/bin/WindowIdleBenchmark build/dev/bin tests/data/default-profile.psv
//   [seconds]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

pid_t spawn(const std::string& program, const std::string& output) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  std::string arg0 = program;
  char* argv[] = {arg0.data(), nullptr};
  pid_t pid = -1;
  const int failed = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  return failed == 0 ? pid : -1;
}

void end(pid_t pid) {
  if (pid > 0) {
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
  }
}

std::string fileText(const fs::path& path) {
  std::ifstream in(path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// User plus system CPU time in clock ticks.
long cpuTicks(pid_t pid) {
  std::istringstream stat(fileText("/proc/" + std::to_string(pid) + "/stat"));
  std::string field;
  // The command name is in parentheses and has no spaces here.
  long utime = 0;
  long stime = 0;
  for (int i = 1; i <= 15 && stat >> field; ++i) {
    if (i == 14) {
      utime = std::stol(field);
    } else if (i == 15) {
      stime = std::stol(field);
    }
  }
  return utime + stime;
}

// A line of /proc/PID/status in kB ("VmRSS", "RssAnon", "RssFile").
long statusKb(pid_t pid, const std::string& key) {
  std::istringstream status(fileText("/proc/" + std::to_string(pid) + "/status"));
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(key + ":", 0) == 0) {
      return std::stol(line.substr(key.size() + 1));
    }
  }
  return -1;
}

// Waits for the main window, named "Quorvane - " and its profile, to be mapped
// (a message box would be named "Quorvane" alone).
Window awaitWindow(Display* display, std::chrono::seconds limit) {
  const auto deadline = Clock::now() + limit;
  while (Clock::now() < deadline) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type != MapNotify) {
        continue;
      }
      char* name = nullptr;
      if (XFetchName(display, event.xmap.window, &name) != 0 && name != nullptr) {
        const bool ours = std::string(name).rfind("Quorvane - ", 0) == 0;
        XFree(name);
        if (ours) {
          return event.xmap.window;
        }
      }
    }
    pollfd x{ConnectionNumber(display), POLLIN, 0};
    poll(&x, 1, 10);
  }
  return None;
}

int run(const fs::path& bin, const fs::path& profile, int seconds) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "no X server: run under xvfb-run -a\n");
    return 1;
  }
  std::string pattern = (fs::temp_directory_path() / "qv-window-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    std::fprintf(stderr, "cannot make a folder\n");
    return 1;
  }
  const fs::path folder = pattern;
  fs::copy_file(profile, folder / "profile.psv");
  setenv("QV_STANDIN_SOCKET", (folder / "sim.sock").c_str(), 1);
  fs::current_path(folder);

  const pid_t sim = spawn((bin / "quorvane-standin-sim").string(), "sim.txt");
  for (int i = 0; i < 500 && !fs::exists("sim.sock"); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  const auto started = Clock::now();
  const pid_t window = spawn((bin / "quorvane").string(), "quorvane.txt");
  const Window shown = awaitWindow(display, std::chrono::seconds(10));
  const double startMs = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
  int status = 1;
  if (sim <= 0 || window <= 0 || shown == None) {
    std::fprintf(stderr, "the window did not show: %s\n", fileText("quorvane.txt").c_str());
  } else {
    XSetInputFocus(display, shown, RevertToParent, CurrentTime);
    XSync(display, False);
    std::this_thread::sleep_for(std::chrono::seconds(5));
    const long ticks = cpuTicks(window);
    long peakKb = 0;
    for (int s = 0; s < seconds; ++s) {
      std::this_thread::sleep_for(std::chrono::seconds(1));
      peakKb = std::max(peakKb, statusKb(window, "VmRSS"));
    }
    const double cpuPercent = 100.0 * static_cast<double>(cpuTicks(window) - ticks) /
                              static_cast<double>(sysconf(_SC_CLK_TCK) * seconds);
    const bool connected = fileText("sim.txt").find("client connected") != std::string::npos;
    std::printf("start to window mapped: %.0f ms\n", startMs);
    std::printf("idle %d s, stand-in %s: CPU %.2f %% of one core\n", seconds,
                connected ? "connected" : "NOT connected", cpuPercent);
    std::printf("resident memory: peak %.1f MiB (%ld kB); at the end anon %ld kB, file %ld kB\n",
                static_cast<double>(peakKb) / 1024.0, peakKb, statusKb(window, "RssAnon"),
                statusKb(window, "RssFile"));
    status = connected ? 0 : 1;
  }
  end(window);
  end(sim);
  XCloseDisplay(display);
  fs::current_path(fs::temp_directory_path());
  fs::remove_all(folder);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: WindowIdleBenchmark BIN-FOLDER PROFILE [SECONDS]\n");
    return 2;
  }
  return run(fs::absolute(argv[1]), fs::absolute(argv[2]), argc > 3 ? std::atoi(argv[3]) : 60);
}
