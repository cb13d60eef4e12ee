#include "diag/TestPage.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <array>

#include "diag/ActionQueueModel.h"
#include "diag/ClickablePicture.h"
#include "diag/LightTest.h"
#include "diag/PanelPictures.h"

namespace qv {

namespace {

struct IndicatorPlace {
  const char* name;
  int left;
  int top;
};

constexpr std::array<IndicatorPlace, 18> kIndicatorPlaces{{
    {"sspmag1", 23, 62},
    {"sspmag2", 36, 47},
    {"sspmag3", 54, 43},
    {"sspmag4", 76, 46},
    {"sspmag5", 87, 59},
    {"sspbtsw1red", 133, 42},
    {"sspbtsw2red", 154, 42},
    {"sspbtsw1blk", 187, 42},
    {"sspbtsw2blk", 213, 42},
    {"sspbtsw3blk", 240, 42},
    {"sspbtsw4blk", 263, 42},
    {"sspbbsw1", 96, 107},
    {"sspbbsw2", 136, 107},
    {"sspbbsw3", 161, 107},
    {"sspbbsw4", 187, 107},
    {"sspbbsw5", 213, 107},
    {"sspbbsw6", 239, 107},
    {"sspbbsw7", 265, 107},
}};

constexpr std::array<const char*, 4> kLightItems{"Off", "Green", "Red", "Amber"};

QFrame* makeLightCopy(QWidget* parent, const char* name, int left, int top) {
  auto* copy = new QFrame(parent);
  copy->setObjectName(name);
  copy->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  copy->setGeometry(left, top, 18, 17);
  copy->setAutoFillBackground(true);
  return copy;
}

}  // namespace

TestPage::TestPage(QWidget* parent) : QWidget(parent) {
  setObjectName("Test");
  buildSwitchPanel();
  buildLightTest();
  buildKeyTest();
}

void TestPage::buildSwitchPanel() {
  auto* panel = new QFrame(this);
  panel->setObjectName("SwitchPanelPanel");
  panel->setFrameShape(QFrame::NoFrame);
  panel->setGeometry(11, 16, 413, 171);

  auto* picture = new ClickablePicture(panel);
  picture->setObjectName("saitekswitchpanelimage");
  picture->setGeometry(1, 0, 409, 161);
  picture->setScaledContents(true);
  picture->setPixmap(drawSwitchPanelPicture());
  picture->setClickHandler([this] { saitekswitchpanelimageClick(); });

  QFont star = font();
  star.setPixelSize(24);
  star.setBold(true);
  QPalette yellow = palette();
  yellow.setColor(QPalette::WindowText, Qt::yellow);
  for (const IndicatorPlace& place : kIndicatorPlaces) {
    auto* mark = new QLabel("*", panel);
    mark->setObjectName(place.name);
    mark->setGeometry(place.left, place.top, 12, 29);
    mark->setFont(star);
    mark->setPalette(yellow);
    mark->setAttribute(Qt::WA_TranslucentBackground);
    indicators_.emplace(place.name, mark);
  }

  auto* gearUp = new QLabel(panel);
  gearUp->setObjectName("gearupimage");
  gearUp->setGeometry(338, 57, 49, 78);
  gearUp->setPixmap(drawGearUpPicture());
  gearUp->hide();
  gearupimage_ = gearUp;
  indicators_.emplace("gearupimage", gearUp);
}

QButtonGroup* TestPage::addLightGroup(const char* name, const QString& caption, int left) {
  auto* box = new QGroupBox(caption, this);
  box->setObjectName(name);
  box->setGeometry(left, 216, 82, 95);
  auto* group = new QButtonGroup(box);
  for (int i = 0; i < static_cast<int>(kLightItems.size()); ++i) {
    auto* item = new QRadioButton(kLightItems.at(static_cast<size_t>(i)), box);
    item->setGeometry(6, 18 + i * 18, 72, 18);
    group->addButton(item, i);
  }
  return group;
}

void TestPage::buildLightTest() {
  auto* button = new QPushButton("Test Lights", this);
  button->setObjectName("sswptestSpeedButton1");
  button->setGeometry(11, 173, 90, 22);
  connect(button, &QPushButton::clicked, this, [this] { sswptestSpeedButton1Click(); });

  nose_ = addLightGroup("RadioGroup1", "Nose", 10);
  right_ = addLightGroup("RadioGroup2", "Rigth", 98);
  left_ = addLightGroup("RadioGroup3", "Left", 186);

  // Laid over the picture's gear lights, so they sit above the panel.
  lln_ = makeLightCopy(this, "LLN", 314, 82);
  llr_ = makeLightCopy(this, "LLR", 296, 114);
  lll_ = makeLightCopy(this, "LLL", 330, 114);
}

void TestPage::buildKeyTest() {
  auto* memo = new QPlainTextEdit(this);
  memo->setObjectName("Memo1");
  memo->setGeometry(433, 16, 320, 60);

  auto* hint = new QLabel(
      "Click in the box with the mouse to test key assignments by pressing switches on the "
      "device.",
      this);
  hint->setObjectName("Label38");
  hint->setGeometry(430, 82, 323, 32);
  hint->setWordWrap(true);

  queueModel_ = new ActionQueueModel(this);
  auto* grid = new QTableView(this);
  grid->setObjectName("DBGrid1");
  grid->setGeometry(434, 137, 319, 112);
  grid->setModel(queueModel_);
  grid->hide();

  auto* log = new QPlainTextEdit(this);
  log->setObjectName("LogMemo");
  log->setGeometry(186, 228, 438, 129);
  log->hide();
}

void TestPage::setIndicatorVisible(std::string_view indicator, bool visible) {
  const auto found = indicators_.find(indicator);
  if (found != indicators_.end()) {
    found->second->setVisible(visible);
  }
}

void TestPage::setGearLightCopies(uint32_t windowsColour) {
  const QColor colour(static_cast<int>(windowsColour & 0xFFU),
                      static_cast<int>((windowsColour >> 8) & 0xFFU),
                      static_cast<int>((windowsColour >> 16) & 0xFFU));
  for (QFrame* copy : {lln_, llr_, lll_}) {
    QPalette p = copy->palette();
    p.setColor(QPalette::Window, colour);
    copy->setPalette(p);
    copy->update();
  }
}

void TestPage::setLightTestTarget(PanelFeaturePort* panel, HistoryLog* history,
                                  const QLineEdit* dvrEdit3) {
  panel_ = panel;
  history_ = history;
  dvrEdit3_ = dvrEdit3;
}

void TestPage::setActionQueue(ActionQueue* queue) {
  queueModel_->setQueue(queue);
}

void TestPage::sswptestSpeedButton1Click() {
  const uint8_t lightByte =
      lightTestByte(nose_->checkedId(), right_->checkedId(), left_->checkedId());
  // dvrEdit3 holds "0" and nothing changes it; a text that is no number counts as 0.
  const uint8_t byte2 =
      dvrEdit3_ != nullptr ? static_cast<uint8_t>(dvrEdit3_->text().trimmed().toInt()) : 0;
  runLightTest(panel_, history_, lightByte, byte2);
}

void TestPage::saitekswitchpanelimageClick() {
  gearupimage_->setVisible(gearupimage_->isHidden());
}

}  // namespace qv
