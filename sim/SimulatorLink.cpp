#include "sim/SimulatorLink.h"

#include <algorithm>
#include <vector>

#include "hid/PanelFeaturePort.h"
#include "sim/GearLights.h"
#include "sim/SimulatorView.h"

namespace qv {

namespace {
constexpr size_t kNoseGearEntry = 20;
constexpr size_t kLeftGearEntry = 21;
constexpr size_t kRightGearEntry = 22;
}  // namespace

SimulatorLink::SimulatorLink(const KeyArray& keyarray, PanelFeaturePort& panel, SimulatorView& view)
    : keyarray_(keyarray), panel_(panel), view_(view) {}

SimulatorLink::~SimulatorLink() {
  closeConnection();
  SimLib_Unload();
}

void SimulatorLink::SimC_Init(const std::string& libraryFile) {
  SimCon = TSimCon{};
  fillPlaneEv(SimCon.PlaneEv);
  SimCon.hSimConnect = 0;
  SimCon.LG_Lights = kNoLightsYet;
  SimCon.RxCount = 0;
  SimCon.AppVersion = "0";
  SimCon.Quit = false;
  SimCon.SimStatus = SimLib_EnsureLoaded(libraryFile) ? kStatusLoaded : kStatusNotLoaded;
  SimCon.erMessage = SimLibError();
}

void SimulatorLink::closeWindow() {
  SimCon.Quit = true;
  closeConnection();
  if (SimCon.SimStatus == kStatusLoaded || SimCon.SimStatus == kStatusConnected) {
    SimCon.SimStatus = kStatusComplete;
  }
}

void SimulatorLink::closeConnection() {
  if (SimCon.hSimConnect != 0 && SimLibHandle() != nullptr) {
    static_cast<void>(SimLib().SimConnect_Close(simHandle(SimCon.hSimConnect)));
  }
  SimCon.hSimConnect = 0;
}

bool SimulatorLink::connected() const {
  return SimCon.SimStatus == kStatusConnected;
}

void SimulatorLink::sendDirectEvent(int fn) {
  void* handle = simHandle(SimCon.hSimConnect);
  sendDirectEvents(SimCon.PlaneEv, SimCon.PlaneData, fn, [handle](uint32_t id, uint32_t data) {
    static_cast<void>(SimLib().SimConnect_TransmitClientEvent(handle, simconnect::kObjectUser, id,
                                                              data, simconnect::kGroupHighest,
                                                              simconnect::kGroupIsPriority));
  });
}

void SimulatorLink::showStatus() {
  view_.setSimConStatus(SimCon.SimStatus);
}

void SimulatorLink::connectPhase() {
  if (SimCon.SimStatus != kStatusLoaded) {
    return;
  }
  // A connection ended by the simulator's QUIT is closed before a new open
  // replaces its handle.
  closeConnection();
  SimCon.StartSimConnect();
}

void SimulatorLink::dispatchPhase() {
  if (SimCon.SimStatus != kStatusConnected) {
    return;
  }
  const int32_t result =
      SimLib().SimConnect_CallDispatch(simHandle(SimCon.hSimConnect), SimC_DispatchProc, &SimCon);
  // A simulator gone without QUIT (crashed, killed) fails the dispatch: the
  // dead connection is closed so the next tick opens a new one.
  if (result < 0) {
    closeConnection();
    if (SimCon.SimStatus == kStatusConnected) {
      SimCon.SimStatus = kStatusLoaded;
    }
  }
}

void SimulatorLink::quitPhase() {
  if (SimCon.SimStatus != kStatusQuit) {
    return;
  }
  closeConnection();
  SimCon.SimStatus = kStatusComplete;
}

void SimulatorLink::gearLightRefresh() {
  const PlaneDataTable& data = SimCon.PlaneData;
  if (SimCon.LG_Lights != kNoLightsYet && SimCon.LG_Nose == data[kNoseGearEntry].Value &&
      SimCon.LG_Left == data[kLeftGearEntry].Value &&
      SimCon.LG_Right == data[kRightGearEntry].Value) {
    return;
  }
  SimCon.LG_Nose = data[kNoseGearEntry].Value;
  SimCon.LG_Left = data[kLeftGearEntry].Value;
  SimCon.LG_Right = data[kRightGearEntry].Value;
  const int32_t lights = gearLightByte(SimCon.LG_Nose, SimCon.LG_Left, SimCon.LG_Right);
  SimCon.LG_Lights = lights;
  view_.setLightByteText(std::to_string(lights));
  LG_Send(lights);
}

void SimulatorLink::LG_Send(int sval) {
  if (!panel_.hasPanel()) {
    return;
  }
  const uint16_t length = panel_.featureReportByteLength();
  if (length == 0) {
    return;
  }
  std::vector<uint8_t> report(std::max<size_t>(length, 3), 0);
  report[1] = static_cast<uint8_t>(sval & 0xFF);
  static_cast<void>(panel_.setFeature(report.data(), length));
}

void SimulatorLink::LG_LED(int fn) {
  const TKeyPressRec& record = keyarray_.at(static_cast<size_t>(fn));
  if (panel_.hasPanel()) {
    LG_Send(patternLightByte(record.value));
  }
  if (const std::optional<uint32_t> colour = patternCopyColour(record.value)) {
    view_.setGearLightCopies(*colour);
  }
}

}  // namespace qv
