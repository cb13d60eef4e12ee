#pragma once

#include <cstdint>

#include "diag/DeviceConsole.h"
#include "diag/TestPage.h"
#include "engine/SwitchEngine.h"
#include "hid/PanelBinding.h"
#include "hid/THidDeviceController.h"
#include "tests/support/HeadlessControls.h"
#include "tests/support/HeadlessToolkit.h"
#include "tests/support/HidTestSupport.h"
#include "tests/support/RecordingInjector.h"
#include "tests/support/ScriptedHidPlatform.h"

namespace qv::test {

// The diagnostics wired as the window wires them, on the recording backend
// and a scripted HID platform: the console is the device list and the
// history, the Test page shows the switches and runs the light test on the
// bound panel.
struct ConsoleRig {
  ConsoleRig() {
    controller.DevThreadSleepTime = 10;
    console.setBinding(&binding);
    page.setLightTestTarget(&binding, &console);
  }

  // The first activation, then the controller's first scan.
  void activateAndScan() {
    console.buildByteEditors();
    binding.DevListBoxClick();
    toolkit.loop.runPending();
  }

  [[nodiscard]] std::vector<std::string> history() const {
    return controls.items("HistoryListBox");
  }

  ScriptedHidPlatform platform;
  HeadlessControls controls{mainWindowForm()};
  HeadlessToolkit toolkit;
  DeviceConsole console{controls, toolkit};
  TestPage page{controls};
  RecordingInjector injector;
  SwitchEngine engine{injector, console, page};
  THidDeviceController controller{platform, toolkit.loop, nullptr};
  PanelBinding binding{
      controller, console, console,
      [this](uint16_t vendorId, uint16_t productId, uint8_t ReportID, const uint8_t* Data,
             uint16_t Size) { engine.ShowRead(vendorId, productId, ReportID, Data, Size); }};
};

}  // namespace qv::test
