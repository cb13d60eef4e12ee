#include <QApplication>

#include "platform/DeviceChangeSource.h"
#include "platform/HidPlatform.h"
#include "platform/linux/HidapiPlatform.h"
#include "platform/linux/UdevHidrawMonitor.h"
#include "platform/linux/XTestInjector.h"
#include "sim/SimConnect.h"
#include "ui/CyanDusk.h"
#include "ui/MainForm.h"
#include "ui/MessageBoxes.h"
#include "ui/ProfileDialogs.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quorvane");

  qv::QtMessageBoxes messages;
  // The look comes first, before any window exists; without it the plain look stays.
  if (const QString error = qv::applyCyanDusk(app); !error.isEmpty()) {
    messages.showError(error);
  }

  const std::unique_ptr<qv::KeyInjector> injector = qv::makeXTestInjector();
  const std::unique_ptr<qv::HidPlatform> hid = qv::makeHidapiPlatform();
  const std::unique_ptr<qv::DeviceChangeSource> deviceChanges = qv::makeUdevHidrawMonitor();
  qv::QtProfileDialogs dialogs;

  qv::TMainForm form(
      {*injector, *hid, deviceChanges.get(), messages, dialogs, qv::simLibraryFileName()});
  form.showCentred();
  return QApplication::exec();
}
