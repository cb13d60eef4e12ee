#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "tests/support/HeadlessControls.h"
#include "tests/support/HeadlessToolkit.h"
#include "tests/support/HidTestSupport.h"
#include "tests/support/RecordingInjector.h"
#include "tests/support/ScriptedHidPlatform.h"
#include "tests/support/TempFolder.h"
#include "ui/MainForm.h"

namespace qv::test {

inline std::string fixture(const std::string& name) {
  return std::string(QV_TEST_DATA_DIR) + "/" + name;
}

// The window's logic on the recording backend, scripted devices, a
// recording injector (or the one given) and no simulator library (or the one
// given), started in a working folder of its own.
class HeadlessWindow {
 public:
  explicit HeadlessWindow(
      const std::function<void(const std::filesystem::path&)>& prepareFolder = {},
      DeviceChangeSource* deviceChanges = nullptr, KeyInjector* injector = nullptr,
      const std::string& simLibrary = "/nonexistent/libSimConnect.so") {
    folder_ = makeTempFolder("qv-window-");
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_);
    if (prepareFolder) {
      prepareFolder(folder_);
    }
    form = std::make_unique<TMainForm>(PlatformServices{injector != nullptr ? *injector : recorder,
                                                        platform, deviceChanges, simLibrary},
                                       controls, toolkit);
  }
  ~HeadlessWindow() {
    form.reset();
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  HeadlessWindow(const HeadlessWindow&) = delete;
  HeadlessWindow& operator=(const HeadlessWindow&) = delete;

  [[nodiscard]] const std::filesystem::path& folder() const { return folder_; }

  // Runs the main thread's loop until `done` holds.
  bool runUntil(const std::function<bool()>& done) { return pumpUntil(toolkit.loop, done); }

  RecordingInjector recorder;
  ScriptedHidPlatform platform;
  HeadlessControls controls{mainWindowForm()};
  HeadlessToolkit toolkit;
  std::unique_ptr<TMainForm> form;

 private:
  std::filesystem::path folder_;
  std::filesystem::path previous_;
};

}  // namespace qv::test
