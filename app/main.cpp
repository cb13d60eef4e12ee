#include <QApplication>
#include <cstdio>

#include "app/CommandLine.h"
#include "app/LogoIcon.h"
#include "app/QtStart.h"
#include "platform/DataFiles.h"
#include "platform/DeviceChangeSource.h"
#include "platform/HidPlatform.h"
#include "platform/SingleInstance.h"
#include "platform/linux/HidapiPlatform.h"
#include "platform/linux/SessionKeyInjector.h"
#include "platform/linux/UdevHidrawMonitor.h"
#include "sim/SimConnect.h"
#include "sim/SimulatorKinds.h"
#include "ui/MainForm.h"
#include "ui/qt/QtLook.h"
#include "ui/qt/QtToolkit.h"
#include "ui/qt/QtWindow.h"

int main(int argc, char** argv) {
  if (const auto status = qv::answerCommandLine(argc, argv)) {
    return *status;
  }
  // A second copy would read the panel too and type every switch change twice.
  const qv::InstanceClaim instance = qv::claimSingleInstance();
  if (instance.anotherRuns) {
    std::fputs("Quorvane already runs.\n", stderr);
    return 0;
  }
  if (!instance.problem.empty()) {
    std::fprintf(stderr, "quorvane: %s; a second copy would not be noticed\n",
                 instance.problem.c_str());
  }

  const std::unique_ptr<QApplication> app = qv::startApplicationOrExit(argc, argv);
  QApplication::setApplicationName("Quorvane");
  // Wayland finds the window's icon and menu entry by the desktop file's name.
  QGuiApplication::setDesktopFileName("io.github.quorvane.Quorvane");
  QApplication::setWindowIcon(qv::logoIcon());

  qv::QtToolkit toolkit;
  // The look comes first, before any window exists; without it the plain look stays.
  if (const QString error = qv::applyCyanDusk(*app); !error.isEmpty()) {
    toolkit.showError(error.toStdString());
  }

  const std::unique_ptr<qv::KeyInjector> injector = qv::makeSessionKeyInjector();
  const std::unique_ptr<qv::HidPlatform> hid = qv::makeHidapiPlatform();
  const std::unique_ptr<qv::DeviceChangeSource> deviceChanges =
      qv::makeUdevHidrawMonitor(toolkit.mainLoop());

  qv::QtWindow window;
  qv::TMainForm form({*injector, *hid, deviceChanges.get(), qv::simLibraryFileName()},
                     window.controls(), toolkit);
  qv::addNetworkSimulators(form.simulator(), qv::simulatorMappingFiles(), form.console());
  window.showCentred();
  return QApplication::exec();
}
