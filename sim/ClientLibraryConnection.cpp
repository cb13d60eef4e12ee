#include "sim/ClientLibraryConnection.h"

#include "sim/SimConnect.h"
#include "sim/TSimCon.h"

namespace qv {

SimulatorConnection::Opening ClientLibraryConnection::open(TSimCon& con) {
  // A connection ended by the simulator's QUIT is closed before a new open
  // replaces its handle.
  close(con);
  con.StartSimConnect();
  return con.SimStatus == kStatusConnected ? Opening::Answered : Opening::Failed;
}

bool ClientLibraryConnection::exchange(TSimCon& con) {
  // A simulator gone without QUIT (crashed, killed) fails the dispatch.
  return SimLib().SimConnect_CallDispatch(simHandle(con.hSimConnect), SimC_DispatchProc, &con) >= 0;
}

void ClientLibraryConnection::send(TSimCon& con, const DirectEvent& event) {
  static_cast<void>(SimLib().SimConnect_TransmitClientEvent(
      simHandle(con.hSimConnect), simconnect::kObjectUser, event.row, event.value,
      simconnect::kGroupHighest, simconnect::kGroupIsPriority));
}

void ClientLibraryConnection::close(TSimCon& con) {
  if (con.hSimConnect != 0 && SimLibHandle() != nullptr) {
    static_cast<void>(SimLib().SimConnect_Close(simHandle(con.hSimConnect)));
  }
  con.hSimConnect = 0;
}

std::string ClientLibraryConnection::simulatorName(const TSimCon& con) const {
  // "0" until the OPEN message has named the simulator.
  return con.AppVersion == "0" ? std::string() : con.AppVersion;
}

}  // namespace qv
