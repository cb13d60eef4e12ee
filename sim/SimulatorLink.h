#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/KeyTable.h"
#include "engine/SimulatorSide.h"
#include "engine/SwitchMap.h"
#include "sim/SimConnect.h"
#include "sim/SimulatorConnection.h"
#include "sim/TSimCon.h"

namespace qv {

class PanelFeaturePort;
class SimulatorView;

// The simulator link as the engine and the window see it: owns the one
// TSimCon, runs the simulator phases of the tick, sends direct events and
// drives the gear lights, over whichever kind of connection answered first.
// Main thread only.
class SimulatorLink final : public SimulatorSide {
 public:
  SimulatorLink(const KeyArray& keyarray, PanelFeaturePort& panel, SimulatorView& view);
  // Program end: the connection is closed and the library unloaded.
  ~SimulatorLink() override;
  SimulatorLink(const SimulatorLink&) = delete;
  SimulatorLink& operator=(const SimulatorLink&) = delete;

  // Creation: prepares SimCon and loads the client library.
  void SimC_Init(const std::string& libraryFile = simLibraryFileName());
  // One more kind of simulator to look for, after the client library and
  // the kinds added before it. With one, a simulator is looked for even
  // when the client library did not load.
  void addConnection(std::unique_ptr<SimulatorConnection> kind);
  // The window closes: sets Quit and closes the connection, so no new one
  // is opened while the program ends.
  void closeWindow();

  // Brings the aircraft to the panel's switch positions (AircraftSync);
  // returns the history lines, none while not connected.
  std::vector<std::string> syncToPanel(const SwitchKeys& switches);

  // Sends the low 8 bits of sval as the light byte to the bound panel.
  void LG_Send(int sval);

  [[nodiscard]] bool connected() const override;
  void sendDirectEvent(int fn) override;
  void LG_LED(int fn) override;
  void showStatus() override;
  void connectPhase() override;
  void dispatchPhase() override;
  void quitPhase() override;
  void gearLightRefresh() override;

  TSimCon SimCon;

 private:
  void closeConnection();
  // The kinds in the order they are tried.
  [[nodiscard]] std::vector<SimulatorConnection*> kindsInTurn() const;
  // Shows the simulator's name and the aircraft's title when either changed.
  void showSimulator();
  // Tells the view once the aircraft's data have arrived, after a connect
  // and after each change of title.
  void watchAircraft();

  const KeyArray& keyarray_;
  PanelFeaturePort& panel_;
  SimulatorView& view_;
  std::unique_ptr<SimulatorConnection> library_;  // only while the library is loaded
  std::vector<std::unique_ptr<SimulatorConnection>> otherKinds_;
  SimulatorConnection* active_ = nullptr;  // the kind that answered last
  std::string shownName_;
  std::string shownTitle_;
  std::string titleLastTick_;
  std::string readyTitle_;  // the aircraft the view was last told of; empty: none since the connect
};

}  // namespace qv
