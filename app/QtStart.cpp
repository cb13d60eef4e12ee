#include "app/QtStart.h"

#include <QString>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace qv {

namespace {

constexpr char kNoDisplay[] =
    "quorvane: no display found (neither DISPLAY nor WAYLAND_DISPLAY names one that answers)\n";

// Only while the application object is made: Qt's fatal error there is a
// platform plugin that found no display, and its warnings about the plugin
// say the same at length.
void onStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg) {
    std::fputs(kNoDisplay, stderr);
    std::_Exit(1);
  }
  if (context.category != nullptr && std::strncmp(context.category, "qt.qpa.", 7) == 0) {
    return;
  }
  std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace

std::unique_ptr<QApplication> startApplicationOrExit(int& argc, char** argv) {
  qInstallMessageHandler(onStartMessage);
  auto application = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(nullptr);
  return application;
}

}  // namespace qv
