#pragma once

#include <cstdint>
#include <string>

namespace qv {

// What the simulator link shows in the window.
class SimulatorView {
 public:
  virtual ~SimulatorView() = default;
  // The caption of lblSimConStatus.
  virtual void setSimConStatus(const std::string& status) = 0;
  // The colour of the on-screen gear-light copies LLN, LLR and LLL, as a
  // Windows colour value 0x00BBGGRR; the copies are repainted.
  virtual void setGearLightCopies(uint32_t windowsColour) = 0;
  // The text of Edit168 on the debug page: the light byte in decimal.
  virtual void setLightByteText(const std::string& text) = 0;
  // The simulator connected to (name and version, empty until it has told
  // them) and the aircraft's title, whenever either changes.
  virtual void showSimulator(const std::string& name, const std::string& title) = 0;
  // The first data of a connection, or of an aircraft whose title changed,
  // have arrived: the aircraft can be followed. A view that does not follow
  // aircraft needs nothing here.
  virtual void aircraftReady(const std::string& /*title*/) {}
};

}  // namespace qv
