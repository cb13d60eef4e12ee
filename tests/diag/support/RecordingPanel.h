#pragma once

#include <cstdint>
#include <vector>

#include "hid/PanelFeaturePort.h"

namespace qv::test {

// A bound (or absent) panel that keeps every feature report sent to it.
class RecordingPanel final : public PanelFeaturePort {
 public:
  [[nodiscard]] bool hasPanel() const override { return bound; }
  [[nodiscard]] uint16_t featureReportByteLength() override { return featureLength; }
  bool setFeature(const uint8_t* report, int32_t size) override {
    reports.emplace_back(report, report + size);
    return true;
  }

  bool bound = true;
  uint16_t featureLength = 17;
  std::vector<std::vector<uint8_t>> reports;
};

}  // namespace qv::test
