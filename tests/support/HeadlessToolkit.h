#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/HeadlessControls.h"
#include "tests/support/ManualEventLoop.h"
#include "ui/Controls.h"

namespace qv::test {

// The rest of a toolkit for the headless window: a timer the test ticks, a
// loop it runs, boxes it reads, dialogs it answers, modal forms it keeps.
class HeadlessToolkit final : public Toolkit {
 public:
  EventLoop& mainLoop() override { return loop; }
  void startTimer(int milliseconds, std::function<void()> tick) override {
    timerInterval = milliseconds;
    tick_ = std::move(tick);
  }
  void stopTimer() override { tick_ = nullptr; }

  void showMessage(const std::string& text) override { shown.push_back(text); }
  void showError(const std::string& text) override { shown.push_back(text); }
  bool askYesNo(const std::string& question) override {
    asked.push_back(question);
    return yesNoAnswer;
  }

  std::optional<std::string> openProfile() override { return openAnswer; }
  std::optional<std::string> saveProfileAs() override { return saveAnswer; }
  std::optional<std::string> saveHistory() override {
    ++historyAsked;
    return historyAnswer;
  }

  // Keeps the shown form, filled, for the test to read.
  void showModal(const Form& rows, const std::function<void(Controls&)>& fill) override {
    modal = std::make_unique<HeadlessControls>(rows);
    fill(*modal);
  }

  // One run of the timer; false when it is not running.
  bool tick() {
    if (!tick_) {
      return false;
    }
    tick_();
    return true;
  }
  [[nodiscard]] bool timerRunning() const { return static_cast<bool>(tick_); }

  ManualEventLoop loop;
  int timerInterval = 0;
  std::vector<std::string> shown;  // every message and error box, in order
  std::vector<std::string> asked;  // every yes/no question, in order
  bool yesNoAnswer = false;
  std::optional<std::string> openAnswer;
  std::optional<std::string> saveAnswer;
  std::optional<std::string> historyAnswer;
  int historyAsked = 0;
  std::unique_ptr<HeadlessControls> modal;

 private:
  std::function<void()> tick_;
};

}  // namespace qv::test
