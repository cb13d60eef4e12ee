#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace qv {

// The program's message box for an error, over the active window.
void showErrorBox(const std::string& text);

// Runs the work of one message of a window procedure or timer. An exception
// must not unwind through the system's frames (on x86 that ends the
// program), so it stops here, its text is shown in the program's error box,
// and `failed` becomes the message's result; the program goes on.
template <typename Work>
LRESULT withinMessage(Work&& work, LRESULT failed = 0) noexcept {
  try {
    return work();
  } catch (const std::exception& error) {
    showErrorBox(error.what());
  } catch (...) {
    showErrorBox("An unknown error stopped the last action.");
  }
  return failed;
}

}  // namespace qv
