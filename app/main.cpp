#include <QApplication>

#include "platform/DataFiles.h"
#include "platform/DeviceChangeSource.h"
#include "platform/HidPlatform.h"
#include "platform/linux/HidapiPlatform.h"
#include "platform/linux/SessionKeyInjector.h"
#include "platform/linux/UdevHidrawMonitor.h"
#include "sim/SimConnect.h"
#include "sim/SimulatorKinds.h"
#include "ui/MainForm.h"
#include "ui/qt/CyanDusk.h"
#include "ui/qt/QtToolkit.h"
#include "ui/qt/QtWindow.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quorvane");

  qv::QtToolkit toolkit;
  // The look comes first, before any window exists; without it the plain look stays.
  if (const QString error = qv::applyCyanDusk(app); !error.isEmpty()) {
    toolkit.showError(error.toStdString());
  }

  const std::unique_ptr<qv::KeyInjector> injector = qv::makeSessionKeyInjector();
  const std::unique_ptr<qv::HidPlatform> hid = qv::makeHidapiPlatform();
  const std::unique_ptr<qv::DeviceChangeSource> deviceChanges = qv::makeUdevHidrawMonitor();

  qv::QtWindow window;
  qv::TMainForm form({*injector, *hid, deviceChanges.get(), qv::simLibraryFileName()},
                     window.controls(), toolkit);
  qv::addNetworkSimulators(form.simulator(), qv::simulatorMappingFiles(), form.console());
  window.showCentred();
  return QApplication::exec();
}
