#include "platform/windows/SendInputInjector.h"

#include <windows.h>

#include <vector>

namespace qv {

namespace {

class SendInputInjector final : public KeyInjector {
 public:
  void inject(std::span<const KeyEvent> batch) override {
    std::vector<INPUT> records(batch.size());
    for (size_t i = 0; i < batch.size(); ++i) {
      INPUT& record = records[i];
      record.type = INPUT_KEYBOARD;
      // No scan code, no extended-key flag, no time stamp: the system fills
      // them in from the virtual-key code, which is sent as stored.
      record.ki = {};
      record.ki.wVk = batch[i].virtualKey;
      record.ki.dwFlags = batch[i].keyUp ? KEYEVENTF_KEYUP : 0;
    }
    // One call keeps the batch one uninterrupted sequence. Its result is not
    // looked at: a refused injection is not reported.
    static_cast<void>(SendInput(static_cast<UINT>(records.size()), records.data(), sizeof(INPUT)));
  }
};

}  // namespace

std::unique_ptr<KeyInjector> makeSendInputInjector() {
  return std::make_unique<SendInputInjector>();
}

}  // namespace qv
