#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QValidator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/ui/support/KeyCodeCases.h"
#include "ui/qt/QtLook.h"
#include "ui/qt/QtWindow.h"

namespace qv {
namespace {

// Keeps what the controls report.
class RecordingEvents final : public FormEvents {
 public:
  void clicked(std::string_view name) override { heard.push_back("click " + std::string(name)); }
  void pageChanged(std::string_view name) override { heard.push_back("page " + std::string(name)); }
  void keyDown(std::string_view name, int virtualKey) override {
    heard.push_back("key " + std::string(name) + " " + std::to_string(virtualKey));
  }
  void shown() override { heard.emplace_back("shown"); }
  void activated() override {}
  void closing() override { heard.emplace_back("closing"); }
  std::vector<std::string> heard;
};

class QtBackend : public ::testing::Test {
 protected:
  void SetUp() override {
    app_.setStyleSheet(QString());
    ASSERT_TRUE(applyCyanDusk(app_).isEmpty());
  }
  void TearDown() override { app_.setStyleSheet(QString()); }

  QWidget* widget(std::string_view name) { return window_.controls().widget(name); }

  QApplication& app_ = *qobject_cast<QApplication*>(QCoreApplication::instance());
  QtWindow window_;
};

std::string parentName(QWidget* widget) {
  QWidget* parent = widget->parentWidget();
  // A page's controls sit on the page, whose parent is the page control's stack.
  return parent != nullptr ? parent->objectName().toStdString() : std::string();
}

TEST_F(QtBackend, EveryRowBecomesAWidgetWithItsNamePlaceFontAndFlags) {
  for (const Control& row : mainWindowForm()) {
    QWidget* w = widget(row.name);
    ASSERT_NE(w, nullptr) << row.name;
    EXPECT_EQ(w->objectName().toStdString(), row.name);
    if (row.kind == Kind::Window || row.kind == Kind::Page) {
      continue;
    }
    EXPECT_EQ(parentName(w), row.parent.empty() ? "MainForm" : std::string(row.parent)) << row.name;
    EXPECT_EQ(w->pos(), QPoint(row.x, row.y)) << row.name;
    if (row.has(flag::kAutoSize)) {
      EXPECT_GE(w->width(), row.width) << row.name;
    } else {
      EXPECT_EQ(w->size(), QSize(row.width, row.height)) << row.name;
    }
    if (!row.font.family.empty()) {
      EXPECT_EQ(w->font().family().toStdString(), row.font.family) << row.name;
      EXPECT_EQ(w->font().pixelSize(), row.font.pixels) << row.name;
      EXPECT_EQ(w->font().bold(), row.font.bold) << row.name;
      EXPECT_EQ(w->font().italic(), row.font.italic) << row.name;
      EXPECT_EQ(w->font().underline(), row.font.underline) << row.name;
    }
    EXPECT_EQ(w->isHidden(), row.has(flag::kHidden)) << row.name;
    EXPECT_EQ(w->isEnabledTo(w->parentWidget()), !row.has(flag::kDisabled)) << row.name;
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
      EXPECT_EQ(edit->text().toStdString(), row.text) << row.name;
      EXPECT_EQ(edit->isReadOnly(), row.has(flag::kReadOnly)) << row.name;
      EXPECT_EQ(edit->validator() != nullptr, row.has(flag::kDigitsOnly)) << row.name;
      if (row.colour) {
        const QColor painted = edit->grab().toImage().pixelColor(edit->width() / 2, 3);
        EXPECT_EQ(painted, QColor(row.colour->r, row.colour->g, row.colour->b)) << row.name;
      }
    }
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
      EXPECT_EQ(combo->count(), static_cast<int>(row.items.size())) << row.name;
      EXPECT_EQ(combo->currentText().toStdString(), row.text) << row.name;
      EXPECT_EQ(combo->isEditable(), row.has(flag::kEditable)) << row.name;
    }
  }
  auto* pages = qobject_cast<QTabWidget*>(widget("PageControl1"));
  ASSERT_NE(pages, nullptr);
  EXPECT_EQ(pages->count(), 7);
  EXPECT_EQ(pages->widget(4), widget("Test"));
  EXPECT_EQ(pages->tabText(4), "Test");
}

TEST_F(QtBackend, TextSetFromTheProgramIsNeverCutByTheTypingLimit) {
  auto* presses = qobject_cast<QLineEdit*>(widget("Edit5"));
  ASSERT_NE(presses, nullptr);
  window_.controls().setText("Edit5", "123");
  EXPECT_EQ(window_.controls().text("Edit5"), "123");
  QString typed = "123";
  int position = 3;
  EXPECT_EQ(presses->validator()->validate(typed, position), QValidator::Invalid);
  typed = "7a";
  EXPECT_EQ(qobject_cast<QLineEdit*>(widget("Edit4"))->validator()->validate(typed, position),
            QValidator::Invalid);
  window_.controls().setText("ComboBox10", "C Control");
  EXPECT_EQ(qobject_cast<QComboBox*>(widget("ComboBox10"))->currentIndex(), 1);
  window_.controls().setText("ComboBox10", "typed");
  EXPECT_EQ(window_.controls().text("ComboBox10"), "typed");
}

// Each kind keeps its text where its widget shows it, for the program to read back.
TEST_F(QtBackend, EveryTextTheProgramSetsIsShownAndReadBack) {
  // Combo boxes select by text: see above.
  const std::set<Kind> untitled{Kind::Combo,   Kind::List,  Kind::Grid,
                                Kind::Picture, Kind::Pages, Kind::Page};
  for (const Control& row : mainWindowForm()) {
    QWidget* w = widget(row.name);
    if (untitled.count(row.kind) != 0 || (row.kind == Kind::Panel && row.text.empty())) {
      continue;
    }
    const std::string text = "Text of " + std::string(row.name);
    window_.controls().setText(row.name, text);
    EXPECT_EQ(window_.controls().text(row.name), text) << row.name;
    if (auto* group = qobject_cast<QGroupBox*>(w)) {
      EXPECT_EQ(group->title().toStdString(), text) << row.name;
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) {
      EXPECT_EQ(memo->toPlainText().toStdString(), text) << row.name;
    }
  }
}

// The console's thousand byte editors are hidden rows, nearly all never
// shown: they must cost no widget until one is.
TEST_F(QtBackend, HiddenRowsGetTheirWidgetOnlyWhenShownAndKeepWhatWasSetBefore) {
  QtControls& controls = window_.controls();
  const auto edits = [this] { return window_.findChildren<QLineEdit*>().size(); };
  const auto before = edits();
  Control row = *findRow(mainWindowForm(), "drEdit1");
  std::vector<std::string> names;
  for (int i = 0; i < 100; ++i) {
    names.push_back("Spare" + std::to_string(i));
  }
  for (const std::string& name : names) {
    row.name = name;
    controls.create(row);
  }
  EXPECT_EQ(edits(), before);

  controls.setText("Spare7", "7F");
  controls.setEnabled("Spare7", false);
  controls.setVisible("Spare7", false);
  EXPECT_EQ(controls.text("Spare7"), "7F");
  EXPECT_FALSE(controls.visible("Spare7"));
  EXPECT_EQ(edits(), before);

  controls.setVisible("Spare7", true);
  EXPECT_EQ(edits(), before + 1);
  EXPECT_TRUE(controls.visible("Spare7"));
  auto* edit = qobject_cast<QLineEdit*>(widget("Spare7"));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->text(), "7F");
  EXPECT_FALSE(edit->isEnabled());
  EXPECT_EQ(edit->objectName(), "Spare7");
  EXPECT_EQ(parentName(edit), std::string(row.parent));
  EXPECT_EQ(edit->geometry(), QRect(row.x, row.y, row.width, row.height));
  controls.setText("Spare7", "01");
  EXPECT_EQ(controls.text("Spare7"), "01");
}

// The mapping pages' combo boxes are most of the window's memory: a page's
// controls are made when the page is first shown, with everything the
// program set on them before.
TEST_F(QtBackend, APageMakesItsControlsWhenFirstShownWithWhatWasSetBefore) {
  QtControls& controls = window_.controls();
  EXPECT_EQ(window_.findChild<QComboBox*>("ComboBox10"), nullptr);
  EXPECT_EQ(window_.findChild<QLineEdit*>("Edit5"), nullptr);

  controls.setText("ComboBox10", "C Control");
  controls.setText("ComboBox10", "typed");
  EXPECT_EQ(controls.text("ComboBox10"), "typed");
  EXPECT_EQ(controls.selected("ComboBox10"), 1) << "typing keeps the selection";
  EXPECT_FALSE(controls.items("ComboBox10").empty());
  controls.setText("Edit5", "123");
  controls.setEnabled("Edit5", false);
  controls.setVisible("Edit4", false);
  EXPECT_FALSE(controls.visible("Edit4"));
  EXPECT_TRUE(controls.visible("Edit5"));
  EXPECT_EQ(window_.findChild<QComboBox*>("ComboBox10"), nullptr);

  window_.show();
  auto* pages = qobject_cast<QTabWidget*>(widget("PageControl1"));
  ASSERT_NE(pages, nullptr);
  for (int i = 0; i < pages->count(); ++i) {
    pages->setCurrentIndex(i);
  }
  auto* combo = window_.findChild<QComboBox*>("ComboBox10");
  auto* presses = window_.findChild<QLineEdit*>("Edit5");
  ASSERT_NE(combo, nullptr);
  ASSERT_NE(presses, nullptr);
  EXPECT_EQ(combo->currentIndex(), 1);
  EXPECT_EQ(combo->currentText(), "typed");
  EXPECT_EQ(combo->count(), static_cast<int>(controls.items("ComboBox10").size()));
  EXPECT_EQ(presses->text(), "123");
  EXPECT_FALSE(presses->isEnabled());
  EXPECT_TRUE(window_.findChild<QLineEdit*>("Edit4")->isHidden());
  pages->setCurrentIndex(pages->indexOf(presses->parentWidget()->parentWidget()));
  EXPECT_TRUE(presses->isVisible()) << "a control made on a shown page is shown";
}

TEST_F(QtBackend, UserActionsReachTheLogicAndProgramChangesDoNot) {
  RecordingEvents events;
  window_.controls().setEvents(&events);
  window_.show();
  qobject_cast<QAbstractButton*>(widget("Button4"))->click();
  QTest::mouseClick(widget("saitekswitchpanelimage"), Qt::LeftButton);
  QTest::mouseClick(widget("saitekswitchpanelimage"), Qt::RightButton);
  window_.controls().select("PageControl1", 4);
  qobject_cast<QTabWidget*>(widget("PageControl1"))->setCurrentIndex(2);
  QTest::keyClick(widget("TxtKeyRead"), Qt::Key_G);
  window_.controls().setChecked("ReadBtn", true);
  EXPECT_TRUE(window_.controls().checked("ReadBtn"));
  window_.close();
  EXPECT_EQ(events.heard,
            (std::vector<std::string>{"shown", "click Button4", "click saitekswitchpanelimage",
                                      "page PageControl1", "key TxtKeyRead 71", "closing"}));
  window_.controls().setEvents(nullptr);
}

TEST_F(QtBackend, TheKeyCodeBoxReportsTheKeysOfTheSharedTable) {
  const std::map<uint16_t, std::pair<Qt::Key, Qt::KeyboardModifier>> qtKeys{
      {'G', {Qt::Key_G, Qt::NoModifier}},
      {0x10, {Qt::Key_Shift, Qt::ShiftModifier}},
      {0x11, {Qt::Key_Control, Qt::ControlModifier}},
      {0x12, {Qt::Key_Alt, Qt::AltModifier}},
      {0x74, {Qt::Key_F5, Qt::NoModifier}},
      {0x79, {Qt::Key_F10, Qt::NoModifier}}};
  RecordingEvents events;
  window_.controls().setEvents(&events);
  for (const test::KeyCodeCase& keys : test::keyCodeCases()) {
    Qt::KeyboardModifiers held;
    for (const uint16_t code : keys.pressed) {
      held |= qtKeys.at(code).second;
      QTest::simulateEvent(widget("TxtKeyRead"), true, qtKeys.at(code).first, held, {}, false);
    }
    EXPECT_EQ(events.heard.back(), "key TxtKeyRead " + std::to_string(keys.shown)) << keys.keys;
  }
  window_.controls().setEvents(nullptr);
}

TEST_F(QtBackend, PicturesAreDrawnByThePainterAtTheirSize) {
  int painted = 0;
  window_.controls().setPicture("gearupimage", 49, 78, [&painted](Canvas& canvas) {
    ++painted;
    canvas.rectangle({0, 0, 49, 78}, 0, Canvas::Fill{{255, 0, 0}}, std::nullopt);
  });
  window_.controls().repaint("gearupimage");
  EXPECT_EQ(painted, 2);
  QWidget* picture = widget("gearupimage");
  picture->show();
  EXPECT_EQ(picture->grab().toImage().pixelColor(24, 39), QColor(255, 0, 0));
}

}  // namespace
}  // namespace qv
