// The stand-in flight simulator for Windows: one aircraft served over TCP on
// 127.0.0.1 to clients of the stand-in SimConnect.dll. Stops with Ctrl+C or
// Ctrl+Break, sending QUIT to every client first.

#include <windows.h>

#include <iostream>
#include <string>

#include "standin/Aircraft.h"
#include "standin/SimulatorOptions.h"
#include "standin/StandinProtocol.h"
#include "standin/StandinServer.h"

namespace {

constexpr const char* kEndpoints = "Without --tcp the port is $QV_STANDIN_PORT, else 47861.\n";

// The console handler runs on a thread of its own and gets no context: it
// finds the stop event of this process by its name.
std::wstring stopEventName() {
  return L"Local\\quorvane-standin-stop-" + std::to_wstring(GetCurrentProcessId());
}

BOOL WINAPI onConsoleStop(DWORD /*kind*/) {
  HANDLE stop = OpenEventW(EVENT_MODIFY_STATE, FALSE, stopEventName().c_str());
  if (stop == nullptr) {
    return FALSE;
  }
  SetEvent(stop);
  CloseHandle(stop);
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  const auto options = qv::standin::parseOptions(argc, argv, kEndpoints);
  if (!options) {
    return 2;
  }
  const uint16_t port = options->tcpPort.value_or(
      qv::standin::portFromEnvironment().value_or(qv::standin::kDefaultTcpPort));
  if (port == 0 && !options->tcpPort) {
    std::cerr << "QV_STANDIN_PORT is not a port (1 to 65535)\n";
    return 2;
  }
  HANDLE stop = CreateEventW(nullptr, TRUE, FALSE, stopEventName().c_str());
  if (stop == nullptr || !SetConsoleCtrlHandler(onConsoleStop, TRUE)) {
    std::cerr << "cannot watch for Ctrl+C: error " << GetLastError() << '\n';
    return 1;
  }

  qv::standin::Aircraft aircraft(options->engines, options->title, options->gearDown);
  int result = 0;
  {
    qv::standin::StandinServer server(aircraft, std::cout);
    std::string error;
    if (server.listen({true, port, {}}, error)) {
      std::cout << qv::standin::listeningLine("127.0.0.1:" + std::to_string(server.endpoint().port),
                                              *options)
                << std::endl;
      server.run([stop] { return WaitForSingleObject(stop, 0) == WAIT_OBJECT_0; });
    } else {
      std::cerr << error << '\n';
      result = 1;
    }
  }
  CloseHandle(stop);
  return result;
}
