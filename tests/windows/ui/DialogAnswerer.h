#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>

#include "platform/windows/HiddenWindow.h"

namespace qv::test {

// Answers the thread's next modal dialogs (message boxes, file dialogs) as
// a user would, so a test never waits for one. It looks for them on a timer,
// which the dialogs' own modal loops keep running.
class DialogAnswerer {
 public:
  using Answer = std::function<void(HWND dialog)>;

  DialogAnswerer();
  ~DialogAnswerer();
  DialogAnswerer(const DialogAnswerer&) = delete;
  DialogAnswerer& operator=(const DialogAnswerer&) = delete;

  // Answers the next dialog that opens with `answer`.
  void then(Answer answer) { answers_.push_back(std::move(answer)); }
  [[nodiscard]] bool allAnswered() const { return answers_.empty(); }

 private:
  static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void look();

  HiddenWindow window_;
  std::deque<Answer> answers_;
};

// Keeps a message box's text and presses OK.
DialogAnswerer::Answer confirmMessage(std::vector<std::string>& texts);
// Types `name` into a file dialog, keeps the description of its first
// filter and confirms.
DialogAnswerer::Answer chooseFile(const std::string& name, std::string* filter = nullptr);

}  // namespace qv::test
