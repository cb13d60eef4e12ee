#include "platform/windows/SendInputInjector.h"

#include "platform/windows/SendInputInjectorTarget.h"

namespace qv {

namespace {

// Keys whose scan code comes with the E0 prefix: the same scan code without
// it is another key (the arrows' keypad twins, left Control and Alt, the
// keypad's Enter row), so the flag says which one is meant.
bool isExtendedKey(uint16_t virtualKey) {
  switch (virtualKey) {
    case VK_CANCEL:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_SNAPSHOT:
    case VK_INSERT:
    case VK_DELETE:
    case VK_LWIN:
    case VK_RWIN:
    case VK_APPS:
    case VK_DIVIDE:
    case VK_NUMLOCK:
    case VK_RCONTROL:
    case VK_RMENU:
      return true;
    default:
      // The browser, volume, media and launch keys.
      return virtualKey >= VK_BROWSER_BACK && virtualKey <= VK_LAUNCH_APP2;
  }
}

class SendInputInjector final : public KeyInjector {
 public:
  void inject(std::span<const KeyEvent> batch) override {
    std::vector<INPUT> records = keyboardRecords(batch);
    // One call keeps the batch one uninterrupted sequence. Its result is not
    // looked at: it does not tell when Windows drops the keys, the check of
    // the focused program below does.
    static_cast<void>(SendInput(static_cast<UINT>(records.size()), records.data(), sizeof(INPUT)));
    problem_ = focusedProgramRefusingKeystrokes();
  }

  [[nodiscard]] std::string deliveryProblem() const override { return problem_; }

 private:
  std::string problem_;
};

}  // namespace

std::vector<INPUT> keyboardRecords(std::span<const KeyEvent> batch) {
  std::vector<INPUT> records(batch.size());
  for (size_t i = 0; i < batch.size(); ++i) {
    const uint16_t virtualKey = batch[i].virtualKey;
    INPUT& record = records[i];
    record.type = INPUT_KEYBOARD;
    // The time stamp stays 0: the system supplies it.
    record.ki = {};
    record.ki.wVk = virtualKey;
    record.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    record.ki.dwFlags = (batch[i].keyUp ? KEYEVENTF_KEYUP : 0U) |
                        (isExtendedKey(virtualKey) ? KEYEVENTF_EXTENDEDKEY : 0U);
  }
  return records;
}

std::unique_ptr<KeyInjector> makeSendInputInjector() {
  return std::make_unique<SendInputInjector>();
}

}  // namespace qv
