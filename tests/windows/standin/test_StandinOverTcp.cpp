// The Windows stand-in end to end under Wine: the program's own loader opens
// the stand-in SimConnect.dll, which meets the Windows stand-in simulator
// over TCP on 127.0.0.1.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Sockets.h"
#include "sim/SimConnect.h"
#include "tests/support/LinkedEngine.h"

namespace qv {
namespace {

// A build path as Wine sees it: the Unix root is drive Z:.
std::string windowsPath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

std::wstring wide(const std::string& text) {
  return {text.begin(), text.end()};
}

// The Windows stand-in simulator as a child process with its output in a
// file; killed at the end if it still runs.
class WindowsSimulator {
 public:
  explicit WindowsSimulator(const std::string& options) : output_(outputPath()) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileW(wide(windowsPath(output_)).c_str(), GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = out;
    std::wstring command =
        L"\"" + wide(windowsPath(QV_STANDIN_SIMULATOR)) + L"\" --tcp 0 " + wide(options);
    started_ = out != INVALID_HANDLE_VALUE &&
               CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                              &startup, &process_) != 0;
    if (out != INVALID_HANDLE_VALUE) {
      CloseHandle(out);
    }
  }
  ~WindowsSimulator() {
    if (started_) {
      TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, INFINITE);
      CloseHandle(process_.hThread);
      CloseHandle(process_.hProcess);
    }
    std::remove(output_.c_str());
  }
  WindowsSimulator(const WindowsSimulator&) = delete;
  WindowsSimulator& operator=(const WindowsSimulator&) = delete;

  [[nodiscard]] bool started() const { return started_; }
  [[nodiscard]] std::string output() const {
    std::ifstream file(windowsPath(output_).c_str());
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  }
  [[nodiscard]] bool printed(const std::string& text) const {
    return output().find(text) != std::string::npos;
  }
  // The port of "stand-in simulator on 127.0.0.1:PORT: ...".
  [[nodiscard]] std::string port() const {
    const std::string text = output();
    const size_t start = text.find("127.0.0.1:") + 10;
    return text.substr(start, text.find(':', start) - start);
  }
  // What Ctrl+C does: the stop event the simulator watches.
  bool stop() {
    const std::wstring name =
        L"Local\\quorvane-standin-stop-" + std::to_wstring(process_.dwProcessId);
    HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, name.c_str());
    const bool set = event != nullptr && SetEvent(event) != 0;
    if (event != nullptr) {
      CloseHandle(event);
    }
    return set && WaitForSingleObject(process_.hProcess, 10'000) == WAIT_OBJECT_0;
  }

 private:
  static std::string outputPath() {
    return std::string(QV_TEST_OUTPUT_DIR) + "/standin-" + std::to_string(GetCurrentProcessId()) +
           ".txt";
  }

  std::string output_;
  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

bool repeatUntil(const std::function<void()>& step, const std::function<bool()>& done) {
  for (int i = 0; i < 500; ++i) {
    step();
    if (done()) {
      return true;
    }
    Sleep(20);
  }
  return false;
}

TEST(StandinOverTcp, ProgramConnectsGetsDataAndTheSimulatorAppliesItsEvents) {
  WindowsSimulator sim("--title \"Under Wine\" --engines 2");
  ASSERT_TRUE(sim.started()) << "error " << GetLastError();
  ASSERT_TRUE(repeatUntil([] {}, [&] { return sim.printed("stand-in simulator on 127.0.0.1:"); }))
      << sim.output();
  ASSERT_EQ(_putenv_s("QV_STANDIN_PORT", sim.port().c_str()), 0);

  ASSERT_TRUE(SimLib_Load(windowsPath(QV_STANDIN_LIBRARY))) << SimLibError();
  test::LinkedEngine rig;
  SwitchEngine& engine = rig.engine;
  SimulatorLink& link = rig.link;
  link.SimC_Init();
  const auto tick = [&] { engine.Timer1Timer(); };

  ASSERT_TRUE(repeatUntil(tick, [&] { return link.SimCon.SimStatus == "Connected"; }))
      << sim.output();
  EXPECT_TRUE(sim.printed("client connected: Request Data"));
  EXPECT_FALSE(sim.printed("client closed")) << "the first open is the one that stays";
  ASSERT_TRUE(repeatUntil(tick, [&] { return link.SimCon.AppVersion != "0"; }));
  EXPECT_EQ(link.SimCon.AppVersion, "Stand-in Simulator 10.0.61637.0");
  ASSERT_TRUE(repeatUntil(tick, [&] { return link.SimCon.Title == "Under Wine"; }))
      << "data follow the 6Hz event";
  EXPECT_EQ(link.SimCon.PlaneData[18].Value, 2.0);
  EXPECT_EQ(link.SimCon.PlaneData[1].Value, 0.0);

  engine.SetKeyOn(13);
  ASSERT_TRUE(repeatUntil(tick, [&] {
    return sim.printed("TOGGLE_MASTER_BATTERY 0: ELECTRICAL MASTER BATTERY 1");
  })) << sim.output();
  const int received = link.SimCon.RxCount;
  ASSERT_TRUE(repeatUntil(tick, [&] { return link.SimCon.RxCount > received + 4; }));
  EXPECT_EQ(link.SimCon.PlaneData[1].Value, 1.0) << "the simulator's data show the battery on";
  EXPECT_EQ(link.SimCon.erMessage, "") << "every datum and event name was accepted";

  ASSERT_TRUE(sim.stop());
  ASSERT_TRUE(repeatUntil(tick, [&] { return link.SimCon.SimStatus == "Loaded"; }))
      << "the link sees the simulator stop";
  EXPECT_TRUE(repeatUntil([] {}, [&] { return sim.printed("stopped"); })) << sim.output();
  SimLib_Unload();
}

// Winsock fails sends and receives on a connect underway as on a refused one.
TEST(StandinOverTcp, AConnectNotWaitedForBlocksUntilMadeAndFailsOnceRefused) {
  ASSERT_TRUE(net::start());
  net::Endpoint endpoint{true, 0, {}};
  std::string error;
  const net::Handle listener = net::listenOn(endpoint, error);
  std::vector<net::Handle> clients(16);  // the last ones find the queue full
  std::generate(clients.begin(), clients.end(), [&] { return net::beginConnect(endpoint.port); });
  char byte = 1;
  EXPECT_EQ(net::sendSome(clients.back(), &byte, 1), net::kWouldBlock);
  EXPECT_EQ(net::receiveSome(clients.back(), &byte, 1), net::kWouldBlock);
  EXPECT_EQ(net::sendSome(net::acceptClient(listener, endpoint, error), &byte, 1), 1);
  long result = 0;
  const auto receive = [&](net::Handle socket) { result = net::receiveSome(socket, &byte, 1); };
  EXPECT_TRUE(repeatUntil([&] { receive(clients.front()); }, [&] { return result == 1; }));
  net::closeListener(listener, endpoint);  // the connect underway is refused
  repeatUntil([&] { receive(clients.back()); }, [&] { return result != net::kWouldBlock; });
  EXPECT_TRUE(result == net::kFailed || result == 0) << "refused (Wine reads it as closed)";
  net::finish();  // closes every socket
}

}  // namespace
}  // namespace qv
