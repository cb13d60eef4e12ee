#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/HistoryLog.h"
#include "engine/PanelIndicators.h"
#include "hid/PanelFeaturePort.h"
#include "sim/SimulatorView.h"

namespace qv::test {

// A bound panel that keeps every feature report sent to it.
class RecordingPanel final : public PanelFeaturePort {
 public:
  [[nodiscard]] bool hasPanel() const override { return bound; }
  [[nodiscard]] uint16_t featureReportByteLength() override { return length; }
  bool setFeature(const uint8_t* report, int32_t size) override {
    reports.emplace_back(report, report + size);
    return true;
  }
  // The light byte of every report, in order.
  [[nodiscard]] std::vector<int> lightBytes() const {
    std::vector<int> bytes;
    for (const auto& report : reports) {
      bytes.push_back(report.at(1));
    }
    return bytes;
  }

  bool bound = true;
  uint16_t length = 3;
  std::vector<std::vector<uint8_t>> reports;
};

class RecordingView final : public SimulatorView {
 public:
  void setSimConStatus(const std::string& text) override { status = text; }
  void setGearLightCopies(uint32_t windowsColour) override { colours.push_back(windowsColour); }
  void setLightByteText(const std::string& text) override { lightByteText = text; }
  void showSimulator(const std::string& name, const std::string& title) override {
    simulators.push_back(name + "|" + title);
  }

  std::string status;
  std::vector<uint32_t> colours;
  std::string lightByteText;
  std::vector<std::string> simulators;  // "name|title", one per change
};

class NullHistory final : public HistoryLog {
 public:
  void appendLine(const std::string& /*line*/) override {}
  void clear() override {}
};

class NullIndicators final : public PanelIndicators {
 public:
  void setIndicatorVisible(std::string_view /*indicator*/, bool /*visible*/) override {}
};

}  // namespace qv::test
