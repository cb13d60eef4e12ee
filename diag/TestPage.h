#pragma once

#include <QWidget>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "engine/PanelIndicators.h"

class QButtonGroup;
class QFrame;
class QLineEdit;

namespace qv {

class ActionQueue;
class ActionQueueModel;
class ClickablePicture;
class HistoryLog;
class PanelFeaturePort;

// The "Test" page: the switch panel picture with one "*" per switch, the
// raised gear lever, the light test and the box that receives test
// keystrokes. The switch input engine drives the indicators through
// PanelIndicators.
class TestPage : public QWidget, public PanelIndicators {
  Q_OBJECT

 public:
  explicit TestPage(QWidget* parent = nullptr);

  // The 18 "*" labels and "gearupimage"; other names are ignored.
  void setIndicatorVisible(std::string_view indicator, bool visible) override;
  // LLN, LLR and LLL; 0x00BBGGRR.
  void setGearLightCopies(uint32_t windowsColour);
  // The light test's target: the bound panel, the history log and the
  // console's dvrEdit3, whose number becomes byte 2 of the report.
  void setLightTestTarget(PanelFeaturePort* panel, HistoryLog* history, const QLineEdit* dvrEdit3);
  // DBGrid1 follows this queue.
  void setActionQueue(ActionQueue* queue);

  void sswptestSpeedButton1Click();
  void saitekswitchpanelimageClick();

 private:
  void buildSwitchPanel();
  void buildLightTest();
  void buildKeyTest();
  QButtonGroup* addLightGroup(const char* name, const QString& caption, int left);

  std::map<std::string, QWidget*, std::less<>> indicators_;
  QWidget* gearupimage_ = nullptr;
  QButtonGroup* nose_ = nullptr;
  QButtonGroup* right_ = nullptr;
  QButtonGroup* left_ = nullptr;
  QFrame* lln_ = nullptr;
  QFrame* llr_ = nullptr;
  QFrame* lll_ = nullptr;
  ActionQueueModel* queueModel_ = nullptr;

  PanelFeaturePort* panel_ = nullptr;
  HistoryLog* history_ = nullptr;
  const QLineEdit* dvrEdit3_ = nullptr;
};

}  // namespace qv
