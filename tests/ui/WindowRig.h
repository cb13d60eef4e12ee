#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/RecordingInjector.h"
#include "tests/support/ScriptedHidPlatform.h"
#include "ui/MainForm.h"
#include "ui/MessageBoxes.h"
#include "ui/ProfileDialogs.h"

namespace qv::test {

class RecordingMessages final : public MessageBoxes {
 public:
  void showMessage(const QString& text) override { shown.push_back(text.toStdString()); }
  void showError(const QString& text) override { shown.push_back(text.toStdString()); }
  std::vector<std::string> shown;
};

// Answers the profile dialogs with prepared names; nothing means cancel.
class ScriptedDialogs final : public ProfileDialogs {
 public:
  std::optional<QString> openProfile(QWidget*) override { return openAnswer; }
  std::optional<QString> saveProfileAs(QWidget*) override { return saveAnswer; }
  std::optional<QString> openAnswer;
  std::optional<QString> saveAnswer;
};

inline std::string fixture(const std::string& name) {
  return std::string(QV_TEST_DATA_DIR) + "/" + name;
}

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
    form = std::make_unique<TMainForm>(PlatformServices{injector != nullptr ? *injector : recorder,
                                                        platform, nullptr, messages, dialogs,
                                                        "/nonexistent/libSimConnect.so"});
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
  RecordingMessages messages;
  ScriptedDialogs dialogs;
  std::unique_ptr<TMainForm> form;

 private:
  QTemporaryDir folder_;
  QString previous_;
};

}  // namespace qv::test
