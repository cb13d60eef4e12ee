#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/PanelIndicators.h"

namespace qv {

class ActionQueue;
class Controls;
class HistoryLog;
class PanelFeaturePort;

// The "Test" page: the switch panel picture with one "*" per switch, the
// raised gear lever, the light test and the box that receives test
// keystrokes. The switch input engine drives the indicators through
// PanelIndicators.
class TestPage final : public PanelIndicators {
 public:
  // Draws the two pictures into their controls.
  explicit TestPage(Controls& controls);
  ~TestPage() override;
  TestPage(const TestPage&) = delete;
  TestPage& operator=(const TestPage&) = delete;

  // The 18 "*" labels and "gearupimage".
  void setIndicatorVisible(std::string_view indicator, bool visible) override;
  // LLN, LLR and LLL; 0x00BBGGRR.
  void setGearLightCopies(uint32_t windowsColour);
  // The light test's target: the bound panel and the history log.
  void setLightTestTarget(PanelFeaturePort* panel, HistoryLog* history);
  // DBGrid1 follows this queue (nullptr: none); it takes the queue's change
  // observer over.
  void setActionQueue(ActionQueue* queue);

  void sswptestSpeedButton1Click();
  void saitekswitchpanelimageClick();

 private:
  void showQueue();

  Controls& controls_;
  PanelFeaturePort* panel_ = nullptr;
  HistoryLog* history_ = nullptr;
  ActionQueue* queue_ = nullptr;
  std::vector<std::vector<std::string>> shownQueue_;
};

}  // namespace qv
