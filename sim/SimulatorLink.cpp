#include "sim/SimulatorLink.h"

#include <algorithm>
#include <vector>

#include "hid/PanelFeaturePort.h"
#include "sim/AircraftSync.h"
#include "sim/ClientLibraryConnection.h"
#include "sim/DataDefinition.h"
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
  const bool loaded = SimLib_EnsureLoaded(libraryFile);
  library_ = loaded ? std::make_unique<ClientLibraryConnection>() : nullptr;
  active_ = nullptr;
  SimCon.SimStatus = loaded || !otherKinds_.empty() ? kStatusLoaded : kStatusNotLoaded;
  SimCon.erMessage = SimLibError();
}

void SimulatorLink::addConnection(std::unique_ptr<SimulatorConnection> kind) {
  otherKinds_.push_back(std::move(kind));
  if (SimCon.SimStatus == kStatusNotLoaded) {
    SimCon.SimStatus = kStatusLoaded;
  }
}

std::vector<SimulatorConnection*> SimulatorLink::kindsInTurn() const {
  std::vector<SimulatorConnection*> kinds;
  if (library_) {
    kinds.push_back(library_.get());
  }
  for (const auto& kind : otherKinds_) {
    kinds.push_back(kind.get());
  }
  return kinds;
}

void SimulatorLink::closeWindow() {
  SimCon.Quit = true;
  closeConnection();
  if (SimCon.SimStatus == kStatusLoaded || SimCon.SimStatus == kStatusConnected) {
    SimCon.SimStatus = kStatusComplete;
  }
}

void SimulatorLink::closeConnection() {
  for (SimulatorConnection* kind : kindsInTurn()) {
    kind->close(SimCon);
  }
  active_ = nullptr;
}

bool SimulatorLink::connected() const {
  return SimCon.SimStatus == kStatusConnected;
}

void SimulatorLink::sendDirectEvent(int fn) {
  if (active_ == nullptr) {
    return;
  }
  sendDirectEvents(SimCon.PlaneEv, SimCon.PlaneData, fn, [this](uint32_t row, uint32_t data) {
    active_->send(SimCon, {row, SimCon.PlaneEv.at(row).EvName, data});
  });
}

void SimulatorLink::showStatus() {
  view_.setSimConStatus(SimCon.SimStatus);
}

void SimulatorLink::connectPhase() {
  if (SimCon.SimStatus != kStatusLoaded) {
    return;
  }
  const std::vector<SimulatorConnection*> kinds = kindsInTurn();
  for (auto kind = kinds.begin(); kind != kinds.end(); ++kind) {
    if ((*kind)->open(SimCon) != SimulatorConnection::Opening::Answered) {
      continue;
    }
    // The first to answer is kept; the later ones stop asking.
    for (auto later = kind + 1; later != kinds.end(); ++later) {
      (*later)->close(SimCon);
    }
    active_ = *kind;
    SimCon.SimStatus = kStatusConnected;
    // The last connection's aircraft is not this one's until its data say so.
    SimCon.Title.clear();
    titleLastTick_.clear();
    readyTitle_.clear();
    namePlaneData(SimCon.PlaneData);
    return;
  }
}

void SimulatorLink::dispatchPhase() {
  if (SimCon.SimStatus != kStatusConnected || active_ == nullptr) {
    return;
  }
  // A simulator gone without saying so (crashed, killed): the dead
  // connection is closed so the next tick opens a new one.
  if (!active_->exchange(SimCon)) {
    closeConnection();
    if (SimCon.SimStatus == kStatusConnected) {
      SimCon.SimStatus = kStatusLoaded;
    }
    return;
  }
  showSimulator();
  watchAircraft();
}

void SimulatorLink::watchAircraft() {
  // A title counts once it reads the same in two ticks in a row: a
  // simulator that spells it out over several answers shows parts first.
  const std::string title = SimCon.Title;
  const bool settled = !title.empty() && title == titleLastTick_;
  titleLastTick_ = title;
  if (!settled || title == readyTitle_) {
    return;
  }
  readyTitle_ = title;
  view_.aircraftReady(title);
}

std::vector<std::string> SimulatorLink::syncToPanel(const SwitchKeys& switches) {
  if (!connected() || active_ == nullptr) {
    return {};
  }
  return syncAircraft(switches, keyarray_, SimCon.PlaneEv, SimCon.PlaneData,
                      [this](uint32_t row, uint32_t data) {
                        active_->send(SimCon, {row, SimCon.PlaneEv.at(row).EvName, data});
                      });
}

void SimulatorLink::showSimulator() {
  std::string name = active_->simulatorName(SimCon);
  if (name == shownName_ && SimCon.Title == shownTitle_) {
    return;
  }
  shownName_ = std::move(name);
  shownTitle_ = SimCon.Title;
  view_.showSimulator(shownName_, shownTitle_);
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
