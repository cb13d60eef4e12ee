#pragma once

#include <cstdint>
#include <string>

#include "sim/PlaneEvents.h"
#include "sim/SimConnectApi.h"

namespace qv {

inline constexpr const char* kStatusNotLoaded = "Not Loaded";
inline constexpr const char* kStatusLoaded = "Loaded";
inline constexpr const char* kStatusConnected = "Connected";
inline constexpr const char* kStatusQuit = "Quit";
inline constexpr const char* kStatusComplete = "Complete";

inline constexpr int32_t kNoLightsYet = 300;
inline constexpr int kPlaneDataEntries = 23;

// The one connection to the simulator, with the aircraft's values and the
// direct event table. Runs on the main thread only.
class TSimCon {
 public:
  // Opens the connection and sets it up; status "Connected" when the open
  // succeeds, nothing changed when it fails.
  void StartSimConnect();
  // Handles one received message. Messages too short for the fields they
  // are read at are counted and otherwise ignored.
  void DispatchHandler(SIMCONNECT_RECV* pData, uint32_t cbData, void* pContext);

  bool Quit = false;
  std::string SimStatus;
  uintptr_t hSimConnect = 0;
  std::string erMessage;
  std::string AppVersion;
  std::string SimConnectVersion;
  int32_t RxCount = 0;
  double LG_Left = 0.0;
  double LG_Right = 0.0;
  double LG_Nose = 0.0;
  double LG_Warning = 0.0;
  int32_t LG_Lights = 0;
  std::string Title;
  PlaneDataTable PlaneData{};
  PlaneEventTable PlaneEv{};
};

// The procedure handed to the client library's dispatch; the connection
// object travels as the context.
void QV_LIBRARY_CALL SimC_DispatchProc(SIMCONNECT_RECV* pData, uint32_t cbData, void* pContext);

// The connection handle as the client library takes it.
inline void* simHandle(uintptr_t hSimConnect) {
  return reinterpret_cast<void*>(hSimConnect);
}

}  // namespace qv
