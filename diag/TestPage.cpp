#include "diag/TestPage.h"

#include <charconv>
#include <string>

#include "diag/LightTest.h"
#include "diag/PanelPictures.h"
#include "engine/ActionQueue.h"
#include "ui/Controls.h"

namespace qv {

namespace {

// A text read as a whole number the way the console's boxes are: blanks
// around it allowed, anything else counts as 0.
int wholeNumber(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) {
    return 0;
  }
  const size_t last = text.find_last_not_of(' ');
  const char* begin = text.data() + first;
  const char* end = text.data() + last + 1;
  if (*begin == '+') {
    ++begin;
  }
  int value = 0;
  const auto [stop, error] = std::from_chars(begin, end, value);
  return error == std::errc() && stop == end ? value : 0;
}

}  // namespace

TestPage::TestPage(Controls& controls) : controls_(controls) {
  controls_.setPicture("saitekswitchpanelimage", kSwitchPanelPictureWidth,
                       kSwitchPanelPictureHeight, drawSwitchPanelPicture);
  controls_.setPicture("gearupimage", kGearUpPictureWidth, kGearUpPictureHeight, drawGearUpPicture);
}

TestPage::~TestPage() {
  if (queue_ != nullptr) {
    queue_->setChangeObserver({});
  }
}

void TestPage::setIndicatorVisible(std::string_view indicator, bool visible) {
  controls_.setVisible(indicator, visible);
}

void TestPage::setGearLightCopies(uint32_t windowsColour) {
  const Rgb colour{static_cast<uint8_t>(windowsColour & 0xFFU),
                   static_cast<uint8_t>((windowsColour >> 8U) & 0xFFU),
                   static_cast<uint8_t>((windowsColour >> 16U) & 0xFFU)};
  for (const std::string_view copy : {"LLN", "LLR", "LLL"}) {
    controls_.setColour(copy, colour);
  }
}

void TestPage::setLightTestTarget(PanelFeaturePort* panel, HistoryLog* history) {
  panel_ = panel;
  history_ = history;
}

void TestPage::setActionQueue(ActionQueue* queue) {
  if (queue_ != nullptr) {
    queue_->setChangeObserver({});
  }
  queue_ = queue;
  if (queue_ != nullptr) {
    queue_->setChangeObserver([this] { showQueue(); });
  }
  showQueue();
}

void TestPage::showQueue() {
  std::vector<std::vector<std::string>> lines;
  if (queue_ != nullptr) {
    for (const TActionRow& row : queue_->rows()) {
      lines.push_back({std::to_string(row.FnId), std::to_string(row.pulses), row.actionid});
    }
  }
  // The tick passes over the queue four times a second; unchanged lines are
  // not shown again.
  if (lines != shownQueue_) {
    shownQueue_ = lines;
    controls_.setGridRows("DBGrid1", shownQueue_);
  }
}

void TestPage::sswptestSpeedButton1Click() {
  const uint8_t lightByte =
      lightTestByte(controls_.selected("RadioGroup1"), controls_.selected("RadioGroup2"),
                    controls_.selected("RadioGroup3"));
  // dvrEdit3 holds "0" and nothing changes it; a text that is no number counts as 0.
  const auto byte2 = static_cast<uint8_t>(wholeNumber(controls_.text("dvrEdit3")));
  runLightTest(panel_, history_, lightByte, byte2);
}

void TestPage::saitekswitchpanelimageClick() {
  controls_.setVisible("gearupimage", !controls_.visible("gearupimage"));
}

}  // namespace qv
