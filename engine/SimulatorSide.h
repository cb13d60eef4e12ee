#pragma once

namespace qv {

// What the switch input engine needs of the simulator link: the direct-event
// block, the gear-light steps and the tick phases that come before the queue
// pass.
class SimulatorSide {
 public:
  virtual ~SimulatorSide() = default;

  // SimStatus is "Connected".
  [[nodiscard]] virtual bool connected() const = 0;
  // Sends the direct simulator event(s) of function fn.
  virtual void sendDirectEvent(int fn) = 0;
  // Shows gear-light record fn's pattern on the panel and its on-screen copies.
  virtual void LG_LED(int fn) = 0;

  // Tick phases 1 to 5, called in this order by every tick.
  virtual void showStatus() = 0;
  virtual void connectPhase() = 0;
  virtual void dispatchPhase() = 0;
  virtual void quitPhase() = 0;
  virtual void gearLightRefresh() = 0;
};

}  // namespace qv
