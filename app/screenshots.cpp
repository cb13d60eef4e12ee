// Renders every visible page of the real window to PNG files, for the README.
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QTabWidget>
#include <algorithm>

#include "platform/DataFiles.h"
#include "platform/DeviceChangeSource.h"
#include "platform/HidPlatform.h"
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
  QApplication app(argc, argv);
  const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  qv::QtToolkit toolkit;
  if (const QString error = qv::applyCyanDusk(app); !error.isEmpty()) {
    toolkit.showError(error.toStdString());
  }
  const auto injector = qv::makeSessionKeyInjector();
  const auto hid = qv::makeHidapiPlatform();
  const auto changes = qv::makeUdevHidrawMonitor(toolkit.mainLoop());
  qv::QtWindow window;
  qv::TMainForm form({*injector, *hid, changes.get(), qv::simLibraryFileName()}, window.controls(),
                     toolkit);
  qv::addNetworkSimulators(form.simulator(), qv::simulatorMappingFiles(), form.console());
  window.showCentred();
  // A second of ticks (or as many as the second argument asks for): the
  // first scan, the simulator connection, the lights.
  const int settleSeconds = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 1;
  const QDeadlineTimer settle(1000LL * std::max(settleSeconds, 1));
  while (!settle.hasExpired()) {
    QApplication::processEvents(QEventLoop::AllEvents, 50);
  }
  auto* pages = window.findChild<QTabWidget*>("PageControl1");
  for (int i = 0; i < pages->count(); ++i) {
    if (!pages->isTabVisible(i)) {
      continue;
    }
    pages->setCurrentIndex(i);
    QApplication::processEvents();
    const QString name = pages->widget(i)->objectName();
    window.grab().save(QDir(outDir).filePath(QStringLiteral("page-%1-%2.png").arg(i).arg(name)));
  }
  return 0;
}
