#pragma once

#include "engine/SwitchEngine.h"
#include "sim/SimulatorLink.h"
#include "tests/support/RecordingInjector.h"
#include "tests/support/SimFakes.h"

namespace qv::test {

// The switch engine driving the simulator link, as the window wires them, on
// recording doubles.
struct LinkedEngine {
  LinkedEngine() { engine.attachSimulator(&link); }

  RecordingInjector injector;
  NullHistory history;
  NullIndicators indicators;
  RecordingPanel panel;
  RecordingView view;
  SwitchEngine engine{injector, history, indicators};
  SimulatorLink link{engine.keyarray, panel, view};
};

}  // namespace qv::test
