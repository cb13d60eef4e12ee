// The Windows program: the platform's services, the Win32 window and the
// window's logic, then the message loop.
#include <windows.h>

#include <commctrl.h>

#include "platform/DataFiles.h"
#include "platform/SingleInstance.h"
#include "platform/windows/DeviceNotificationWindow.h"
#include "platform/windows/SendInputInjector.h"
#include "platform/windows/SetupApiHidPlatform.h"
#include "sim/SimConnect.h"
#include "sim/SimulatorKinds.h"
#include "ui/MainForm.h"
#include "ui/win32/Win32EventLoop.h"
#include "ui/win32/Win32Toolkit.h"
#include "ui/win32/Win32Window.h"

int main() {
  qv::Win32EventLoop loop;
  qv::Win32Toolkit toolkit(loop);
  // A second copy would read the panel too and type every switch change twice.
  const qv::InstanceClaim instance = qv::claimSingleInstance();
  if (instance.anotherRuns) {
    if (!instance.broughtToFront) {
      toolkit.showMessage("Quorvane already runs.");
    }
    return 0;
  }
  // The look comes first, before any window exists: the common controls of
  // the manifest's version 6. Without them the plain look stays.
  const INITCOMMONCONTROLSEX controls{
      sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
  if (InitCommonControlsEx(&controls) == FALSE) {
    toolkit.showError(
        "The visual style \"Cyan Dusk\" cannot be applied: the common controls "
        "could not be initialised.");
  }

  const auto injector = qv::makeSendInputInjector();
  const auto hid = qv::makeSetupApiHidPlatform();
  const auto deviceChanges = qv::makeDeviceNotificationWindow();

  qv::Win32Window window;
  int exitCode = 0;
  {
    qv::TMainForm form({*injector, *hid, deviceChanges.get(), qv::simLibraryFileName()},
                       window.controls(), toolkit);
    qv::addNetworkSimulators(form.simulator(), qv::simulatorMappingFiles(), form.console());
    window.showCentred();
    exitCode = qv::Win32EventLoop::run(window.handle());
    // The logic goes first: its shut-down still acts on the window's controls.
  }
  return exitCode;
}
