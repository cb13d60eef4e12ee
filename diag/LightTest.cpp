#include "diag/LightTest.h"

#include <algorithm>
#include <array>
#include <vector>

#include "engine/HistoryLog.h"
#include "hid/PanelFeaturePort.h"

namespace qv {

namespace {

using GroupValues = std::array<uint8_t, 4>;  // Off, Green, Red, Amber
constexpr GroupValues kNose{0, 1, 8, 9};
constexpr GroupValues kRight{0, 4, 32, 36};
constexpr GroupValues kLeft{0, 2, 16, 82};

uint8_t groupValue(const GroupValues& values, int item) {
  if (item < 0 || item >= static_cast<int>(values.size())) {
    return 0;
  }
  return values.at(static_cast<size_t>(item));
}

}  // namespace

uint8_t lightTestByte(int noseItem, int rightItem, int leftItem) {
  return static_cast<uint8_t>(groupValue(kNose, noseItem) + groupValue(kRight, rightItem) +
                              groupValue(kLeft, leftItem));
}

void runLightTest(PanelFeaturePort* panel, HistoryLog* history, uint8_t lightByte, uint8_t byte2) {
  if (panel == nullptr || !panel->hasPanel()) {
    return;
  }
  const uint16_t length = panel->featureReportByteLength();
  if (length > 0) {
    // Sized to the panel's report, so a long feature report is never sent
    // from beyond the buffer.
    std::vector<uint8_t> report(std::max<size_t>(length, 3), 0);
    report[1] = lightByte;
    report[2] = byte2;
    static_cast<void>(panel->setFeature(report.data(), length));
  }
  if (history != nullptr) {
    history->appendLine("");
  }
}

}  // namespace qv
