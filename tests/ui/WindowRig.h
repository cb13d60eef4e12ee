#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "hid/PanelBinding.h"
#include "tests/support/RecordingInjector.h"
#include "tests/support/ScriptedHidPlatform.h"
#include "ui/MainForm.h"
#include "ui/qt/QtToolkit.h"
#include "ui/qt/QtWindow.h"

namespace qv::test {

inline std::string fixture(const std::string& name) {
  return std::string(QV_TEST_DATA_DIR) + "/" + name;
}

// Qt's timer, loop and modal forms; message boxes and file dialogs are
// recorded and answered by the test, so nothing waits for a user.
class RigToolkit final : public Toolkit {
 public:
  EventLoop& mainLoop() override { return qt_.mainLoop(); }
  void startTimer(int milliseconds, std::function<void()> tick) override {
    qt_.startTimer(milliseconds, std::move(tick));
  }
  void stopTimer() override { qt_.stopTimer(); }
  void showMessage(const std::string& text) override { shown.push_back(text); }
  void showError(const std::string& text) override { shown.push_back(text); }
  bool askYesNo(const std::string& question) override {
    shown.push_back(question);
    return false;
  }
  std::optional<std::string> openProfile() override { return std::nullopt; }
  std::optional<std::string> saveProfileAs() override { return std::nullopt; }
  std::optional<std::string> saveHistory() override { return std::nullopt; }
  void showModal(const Form& rows, const std::function<void(Controls&)>& fill) override {
    qt_.showModal(rows, fill);
  }

  std::vector<std::string> shown;

 private:
  QtToolkit qt_;
};

// The Qt window with the window's logic on it.
class RigWindow final : public QtWindow {
 public:
  RigWindow(const PlatformServices& services, Toolkit& toolkit)
      : logic(services, controls(), toolkit) {}

  void setSimConStatus(const std::string& status) { logic.setSimConStatus(status); }
  void FormActivate() { logic.FormActivate(); }
  PanelBinding& binding() { return logic.binding(); }

  TMainForm logic;
};

// The real window on scripted devices, a recording injector and no simulator
// library, started in a working folder of its own.
class WindowRig {
 public:
  explicit WindowRig(const std::function<void(const std::filesystem::path&)>& prepareFolder = {},
                     KeyInjector* injector = nullptr) {
    previous_ = QDir::currentPath();
    QDir::setCurrent(folder_.path());
    if (prepareFolder) {
      prepareFolder(folder());
    }
    form = std::make_unique<RigWindow>(
        PlatformServices{injector != nullptr ? *injector : recorder, platform, nullptr,
                         "/nonexistent/libSimConnect.so"},
        toolkit);
  }
  ~WindowRig() {
    form.reset();
    QDir::setCurrent(previous_);
  }
  WindowRig(const WindowRig&) = delete;
  WindowRig& operator=(const WindowRig&) = delete;

  [[nodiscard]] std::filesystem::path folder() const { return folder_.path().toStdString(); }

  // Runs the event loop until `done` holds (or a generous bound passes).
  static bool runUntil(const std::function<bool()>& done) {
    const QDeadlineTimer bound(5000);
    while (!done() && !bound.hasExpired()) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return done();
  }

  RecordingInjector recorder;
  ScriptedHidPlatform platform;
  RigToolkit toolkit;
  std::unique_ptr<RigWindow> form;

 private:
  QTemporaryDir folder_;
  QString previous_;
};

}  // namespace qv::test
