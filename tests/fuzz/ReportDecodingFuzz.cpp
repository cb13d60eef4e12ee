// Input reports of any device, id, size and bytes into the switch engine,
// mixed with ticks, over a mapping whose numbers the fuzzer picks. The
// engine injects into a recording injector; at the end the program's
// shut-down release must leave no key down.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "engine/HistoryLog.h"
#include "engine/MappingRows.h"
#include "engine/NamedTexts.h"
#include "engine/PanelIndicators.h"
#include "engine/SimulatorSide.h"
#include "engine/SwitchEngine.h"
#include "tests/support/RecordingInjector.h"

namespace {

class NoHistory final : public qv::HistoryLog {
 public:
  void appendLine(const std::string& /*line*/) override {}
  void clear() override {}
};

class NoIndicators final : public qv::PanelIndicators {
 public:
  void setIndicatorVisible(std::string_view /*indicator*/, bool /*visible*/) override {}
};

class QuietSimulator final : public qv::SimulatorSide {
 public:
  explicit QuietSimulator(bool isConnected) : connected_(isConnected) {}
  [[nodiscard]] bool connected() const override { return connected_; }
  void sendDirectEvent(int /*fn*/) override {}
  void LG_LED(int /*fn*/) override {}
  void showStatus() override {}
  void connectPhase() override {}
  void dispatchPhase() override {}
  void quitPhase() override {}
  void gearLightRefresh() override {}

 private:
  bool connected_;
};

void mapFromInput(FuzzedDataProvider& input, qv::NamedTexts& texts) {
  const auto number = [&input] { return std::to_string(input.ConsumeIntegral<int32_t>()); };
  for (int n = input.ConsumeIntegralInRange(0, 8); n > 0; --n) {
    const qv::KeystrokeRow& row = input.PickValueInArray(qv::kKeystrokeRows);
    texts.setText(row.modifier, std::string(input.PickValueInArray(qv::kModifierItems)));
    texts.setText(row.code, number());
    texts.setText(row.presses, number());
    texts.setText(row.duration, number());
  }
  for (int n = input.ConsumeIntegralInRange(0, 4); n > 0; --n) {
    const qv::GearLightRow& row = input.PickValueInArray(qv::kGearLightRows);
    texts.setText(row.colour, std::string(input.PickValueInArray(qv::kColourItems)));
    texts.setText(row.duration, number());
  }
}

// True when the last event of every key that went down was its release.
bool noKeyLeftDown(const std::vector<std::vector<qv::KeyEvent>>& batches) {
  std::map<uint16_t, bool> down;
  for (const auto& batch : batches) {
    for (const qv::KeyEvent& event : batch) {
      down[event.virtualKey] = !event.keyUp;
    }
  }
  for (const auto& [key, isDown] : down) {
    if (isDown) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const auto flags = input.ConsumeIntegral<uint8_t>();

  qv::NamedTextMap texts;
  qv::applyMappingDefaults(texts);
  mapFromInput(input, texts);

  qv::test::RecordingInjector injector;
  NoHistory history;
  NoIndicators indicators;
  QuietSimulator simulator((flags & 4U) != 0);
  qv::SwitchEngine engine(injector, history, indicators);
  engine.testSaitekPanel = (flags & 1U) != 0;
  if ((flags & 2U) != 0) {
    engine.attachSimulator(&simulator);
  }
  engine.populatekeyarray(texts);

  constexpr size_t kMaxReport = 300;
  while (input.remaining_bytes() > 0) {
    switch (input.ConsumeIntegralInRange(0, 3)) {
      case 0:
        engine.Timer1Timer();
        break;
      case 1: {
        // Any device's ids: only the panel's reach the switches.
        const auto vendorId = input.ConsumeIntegral<uint16_t>();
        const auto productId = input.ConsumeIntegral<uint16_t>();
        const auto reportId = input.ConsumeIntegral<uint8_t>();
        const std::vector<uint8_t> bytes =
            input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange<size_t>(0, kMaxReport));
        engine.ShowRead(vendorId, productId, reportId, bytes.data(),
                        static_cast<uint16_t>(bytes.size()));
        break;
      }
      default: {
        const auto reportId = input.ConsumeIntegral<uint8_t>();
        const std::vector<uint8_t> bytes =
            input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange<size_t>(0, kMaxReport));
        engine.ShowRead(qv::kPanelVendorId, qv::kPanelProductId, reportId, bytes.data(),
                        static_cast<uint16_t>(bytes.size()));
        break;
      }
    }
  }
  engine.releaseHeldKeys();
  if (!noKeyLeftDown(injector.batches)) {
    std::abort();
  }
  return 0;
}
