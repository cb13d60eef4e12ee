#pragma once

#include <cstdint>

namespace qv {

// The bound switch panel as the gear lights and the light test see it.
class PanelFeaturePort {
 public:
  virtual ~PanelFeaturePort() = default;
  // A switch panel is bound (SaitekSwitchPanel is not none).
  [[nodiscard]] virtual bool hasPanel() const = 0;
  // The panel's FeatureReportByteLength (report-id byte included); 0 when
  // none is bound or its capabilities cannot be read.
  [[nodiscard]] virtual uint16_t featureReportByteLength() = 0;
  // Sends `size` bytes, report id first, as a feature report to the panel.
  virtual bool setFeature(const uint8_t* report, int32_t size) = 0;
};

}  // namespace qv
