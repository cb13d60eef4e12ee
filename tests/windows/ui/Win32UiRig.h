#pragma once

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "tests/support/RecordingInjector.h"
#include "tests/support/ScriptedHidPlatform.h"
#include "tests/windows/ui/DialogAnswerer.h"
#include "ui/MainForm.h"
#include "ui/win32/Win32EventLoop.h"
#include "ui/win32/Win32Toolkit.h"
#include "ui/win32/Win32Window.h"

namespace qv::test {

inline std::string fixture(const std::string& name) {
  return std::string(QV_TEST_DATA_DIR) + "/" + name;
}

// Runs the thread's messages for `milliseconds`, or until `done` holds, as
// the program's loop runs them for `keyboardWindow`.
inline bool pumpUntil(const std::function<bool()>& done, int milliseconds = 5000,
                      HWND keyboardWindow = nullptr) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (!done() && std::chrono::steady_clock::now() < until) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
      Win32EventLoop::dispatch(message, keyboardWindow);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return done();
}

inline void pump(int milliseconds) {
  pumpUntil([] { return false; }, milliseconds);
}

// The real Win32 window with the window's logic on it, on scripted devices,
// a recording injector and no simulator library, started in a working
// folder of its own. Dialogs are answered by `answers`; whatever the start
// shows (the load message, without a "profile.psv") is kept in `messages`.
class Win32UiRig {
 public:
  explicit Win32UiRig(const std::function<void(const std::filesystem::path&)>& prepare = {}) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES |
                                                                          ICC_TAB_CLASSES |
                                                                          ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    previous_ = std::filesystem::current_path();
    folder_ = std::filesystem::temp_directory_path() /
              ("quorvane-ui-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::filesystem::create_directories(folder_);
    std::filesystem::current_path(folder_);
    if (prepare) {
      prepare(folder_);
    } else {
      answers.then(confirmMessage(messages));
    }
    form = std::make_unique<TMainForm>(
        PlatformServices{recorder, platform, nullptr, "C:\\nonexistent\\SimConnect.dll"},
        window.controls(), toolkit);
    window.showCentred();
    pump(100);
  }
  ~Win32UiRig() {
    form.reset();
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  Win32UiRig(const Win32UiRig&) = delete;
  Win32UiRig& operator=(const Win32UiRig&) = delete;

  [[nodiscard]] const std::filesystem::path& folder() const { return folder_; }
  Win32Controls& controls() { return window.controls(); }
  [[nodiscard]] HWND control(std::string_view name) { return window.controls().window(name); }
  // A user's click on a button.
  void click(std::string_view name) { SendMessageW(control(name), BM_CLICK, 0, 0); }

  std::vector<std::string> messages;
  DialogAnswerer answers;
  RecordingInjector recorder;
  ScriptedHidPlatform platform;
  Win32EventLoop loop;
  Win32Toolkit toolkit{loop};
  Win32Window window;
  std::unique_ptr<TMainForm> form;

 private:
  std::filesystem::path previous_;
  std::filesystem::path folder_;
};

}  // namespace qv::test
