#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <array>
#include <string>
#include <vector>

#include "tests/ui/WindowRig.h"
#include "ui/qt/QtLook.h"

namespace qv::test {
namespace {

// Where the window's layout puts a control, relative to its parent; -1: not given.
struct Place {
  const char* name;
  const char* parent;
  int x;
  int y;
  int width;
  int height = -1;
};

struct FontSpec {
  const char* name;
  const char* family;
  int pixels;
  bool bold = false;
  bool italic = false;
};

// The columns of one half-row of keystroke boxes on a mapping page.
struct Columns {
  int modifier;
  int modifierWidth;
  int code;
  int codeWidth;
  int presses;
  int pressesWidth;
  int hidden;
};

struct HalfRow {
  const char* modifier;
  const char* code;
  const char* presses;
  const char* hidden;
};

struct Heading {
  const char* text;
  int x;
  bool shown = true;
};

class WindowLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    app_.setStyleSheet(QString());
    ASSERT_TRUE(applyCyanDusk(app_).isEmpty());
    rig_ = std::make_unique<WindowRig>();
    rig_->form->show();
    QCoreApplication::processEvents();
    // Every page once, as a user would: a page's controls are made when it
    // is first shown.
    auto* pages = rig_->form->findChild<QTabWidget*>("PageControl1");
    ASSERT_NE(pages, nullptr);
    const int current = pages->currentIndex();
    for (int i = 0; i < pages->count(); ++i) {
      pages->setCurrentIndex(i);
    }
    pages->setCurrentIndex(current);
    QCoreApplication::processEvents();
  }
  void TearDown() override {
    rig_.reset();
    app_.setStyleSheet(QString());
  }

  QWidget* control(const char* name) {
    auto* widget = rig_->form->findChild<QWidget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  void expectPlace(const Place& p) {
    QWidget* widget = control(p.name);
    if (widget == nullptr) {
      return;
    }
    EXPECT_EQ(widget->parentWidget()->objectName().toStdString(), p.parent) << p.name;
    const QRect box = widget->geometry();
    if (p.x >= 0) {
      EXPECT_EQ(box.x(), p.x) << p.name;
    }
    if (p.y >= 0) {
      EXPECT_EQ(box.y(), p.y) << p.name;
    }
    if (p.width >= 0) {
      EXPECT_EQ(box.width(), p.width) << p.name;
    }
    if (p.height >= 0) {
      EXPECT_EQ(box.height(), p.height) << p.name;
    }
  }

  void expectHalfRow(const char* parent, int y, const Columns& c, const HalfRow& r) {
    expectPlace({r.modifier, parent, c.modifier, y, c.modifierWidth});
    expectPlace({r.code, parent, c.code, y, c.codeWidth});
    expectPlace({r.presses, parent, c.presses, y, c.pressesWidth});
    expectPlace({r.hidden, parent, c.hidden, y, -1});
    EXPECT_TRUE(control(r.hidden)->isHidden()) << r.hidden;
  }

  // Column headings: "Tahoma" 12 pixels, underlined, at their places.
  void expectHeadings(const char* panelName, int y, const std::vector<Heading>& headings) {
    QWidget* panel = control(panelName);
    for (const Heading& h : headings) {
      const QLabel* found = nullptr;
      for (const QLabel* label : panel->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->text() == h.text && label->x() == h.x) {
          found = label;
        }
      }
      ASSERT_NE(found, nullptr) << panelName << " " << h.text << " at " << h.x;
      EXPECT_EQ(found->y(), y) << h.text;
      EXPECT_EQ(found->isHidden(), !h.shown) << h.text;
      EXPECT_EQ(found->font().family(), "Tahoma") << h.text;
      EXPECT_EQ(found->font().pixelSize(), 12) << h.text;
      EXPECT_TRUE(found->font().underline()) << h.text;
    }
  }

  QApplication& app_ = *qobject_cast<QApplication*>(QCoreApplication::instance());
  std::unique_ptr<WindowRig> rig_;
};

TEST_F(WindowLayout, TopPanelPlacesAndFonts) {
  for (const Place& p : std::vector<Place>{
           {"Panel4", "MainForm", 0, 0, 781, 98},
           {"Button4", "Panel4", 9, 9, 68, 36},
           {"Button1", "MainForm", 90, 11, 68, 36},
           {"Button5", "Panel4", 8, 54, 68, 36},
           {"Button2", "Panel4", 90, 54, 67, 36},
           {"GroupBox1", "Panel4", 165, 41, 119, 50},
           {"TxtKeyRead", "GroupBox1", 7, 21, 49},
           {"TxtKeyCode", "GroupBox1", 61, 21, 48},
           {"Label41", "Panel4", 296, 3, -1},
           {"Label37", "Panel4", 391, 32, -1},
           {"Label48", "Panel4", 306, 72, -1},
           {"lblSimConStatus", "Panel4", 394, 72, -1},
           {"Image2", "Panel4", 630, 9, 142, 59},
           {"PageControl1", "MainForm", 0, 98, 781, 332},
       }) {
    expectPlace(p);
  }
  for (const FontSpec& f : std::vector<FontSpec>{{"Label41", "Cambria", 29, true, true},
                                                 {"Label37", "Calibri", 13},
                                                 {"Label48", "Calibri", 15},
                                                 {"lblSimConStatus", "Calibri", 15, true}}) {
    const QFont font = control(f.name)->font();
    EXPECT_EQ(font.family(), f.family) << f.name;
    EXPECT_EQ(font.pixelSize(), f.pixels) << f.name;
    EXPECT_EQ(font.bold(), f.bold) << f.name;
    EXPECT_EQ(font.italic(), f.italic) << f.name;
  }
  // The metric-compatible faces that keep the texts within their places.
  EXPECT_EQ(QFontInfo(control("Label37")->font()).family(), "Carlito");
  EXPECT_EQ(QFontInfo(control("Label41")->font()).family(), "Caladea");
}

TEST_F(WindowLayout, TopPanelLabelsDoNotOverlapWithTheFontsInUse) {
  // The status at its widest: the texts the connection can show.
  auto* status = qobject_cast<QLabel*>(control("lblSimConStatus"));
  for (const char* text : {"Not Loaded", "Loaded", "Connected", "Quit", "Complete"}) {
    rig_->form->setSimConStatus(text);
    // Where each label's glyphs land: its text's ink from the baseline.
    std::vector<std::pair<const char*, QRect>> inked;
    for (const char* name : {"Label41", "Label37", "Label48", "lblSimConStatus"}) {
      auto* label = qobject_cast<QLabel*>(control(name));
      const QFontMetrics metrics(label->font());
      const QPoint baseline = label->pos() + QPoint(0, metrics.ascent());
      inked.emplace_back(name, metrics.tightBoundingRect(label->text()).translated(baseline));
    }
    for (size_t i = 0; i < inked.size(); ++i) {
      for (size_t j = i + 1; j < inked.size(); ++j) {
        EXPECT_FALSE(inked[i].second.intersects(inked[j].second))
            << inked[i].first << " and " << inked[j].first << " with status " << text;
      }
    }
    EXPECT_EQ(status->text(), text);
  }
}

TEST_F(WindowLayout, EveryButtonAndBoxUsesTheFontOfItsPanel) {
  rig_->form->FormActivate();  // builds the console's byte editors
  QWidget* console = control("Panel7");
  EXPECT_EQ(console->font().family(), "Calibri");
  for (QWidget* widget : rig_->form->findChildren<QWidget*>()) {
    if (qobject_cast<QPushButton*>(widget) == nullptr &&
        qobject_cast<QLineEdit*>(widget) == nullptr &&
        qobject_cast<QComboBox*>(widget) == nullptr) {
      continue;
    }
    // The console has a font of its own; everything else has the window's.
    const QFontInfo wanted(console->isAncestorOf(widget) ? console->font() : rig_->form->font());
    const QFontInfo used(widget->font());
    const std::string name = widget->objectName().toStdString() + " in " +
                             widget->parentWidget()->objectName().toStdString();
    EXPECT_EQ(used.family().toStdString(), wanted.family().toStdString()) << name;
    EXPECT_EQ(used.pixelSize(), 13) << name;
  }
}

TEST_F(WindowLayout, LandingGearAndMagnetoPages) {
  expectPlace({"Panel1", "TabSheet1", 18, 12, 752, 185});
  expectHeadings("Panel1", 10,
                 {{"Saitek Switch Panel Control", 6},
                  {"Modifier Keys", 181},
                  {"Char  /  Code", 313},
                  {"Presses", 405},
                  {"Dur (30ms)", 451},
                  {"FSX", 531}});
  const Columns gear{181, 103, 313, 60, 405, 36, 531};
  expectPlace({"Edit1", "Panel1", -1, 30, 155});
  expectHalfRow("Panel1", 30, gear, {"ComboBoxF1", "Edit4", "Edit5", "Edit6"});
  expectPlace({"Edit7", "Panel1", -1, 94, 155});
  expectHalfRow("Panel1", 94, gear, {"ComboBoxF5", "Edit10", "Edit9", "Edit11"});
  struct Step {
    const char* label;
    const char* colour;
    const char* duration;
    int y;
  };
  for (const Step& s :
       {Step{"Label7", "ComboBox1", "Edit36", 51}, Step{"Label13", "ComboBox3", "Edit2", 72},
        Step{"Label14", "ComboBox4", "Edit12", 115}, Step{"Label15", "ComboBox5", "Edit13", 136}}) {
    expectPlace({s.label, "Panel1", 38, -1, -1});
    expectPlace({s.colour, "Panel1", 313, s.y, 60});
    expectPlace({s.duration, "Panel1", 451, s.y, 62});
  }

  expectPlace({"Panel2", "TabSheet2", 3, 11, 670, 174});
  expectHeadings("Panel2", 10,
                 {{"Saitek Control", 6},
                  {"Modifier Keys", 189},
                  {"Char  /  Code", 313},
                  {"Presses", 405},
                  {"FSX", 451, false}});
  const Columns magneto{189, 103, 351, 35, 405, 36, 451};
  struct Row {
    int y;
    const char* nameBox;
    HalfRow boxes;
  };
  for (const Row& r : {Row{31, "Edit43", {"ComboBox2", "Edit45", "Edit46", "Edit47"}},
                       Row{58, "Edit48", {"ComboBox6", "Edit57", "Edit58", "Edit59"}},
                       Row{85, "Edit49", {"ComboBox7", "Edit61", "Edit62", "Edit63"}},
                       Row{112, "Edit50", {"ComboBox8", "Edit65", "Edit66", "Edit67"}},
                       Row{139, "Edit51", {"ComboBox9", "Edit15", "Edit16", "Edit17"}}}) {
    expectPlace({r.nameBox, "Panel2", 6, r.y, 155});
    expectHalfRow("Panel2", r.y, magneto, r.boxes);
  }
}

struct TwoHalfRow {
  int y;
  const char* nameBox;
  HalfRow on;
  HalfRow off;
};

TEST_F(WindowLayout, PanelKeysPage) {
  expectPlace({"Panel5", "TabSheet3", 2, 3, 687, 209});
  expectHeadings("Panel5", 16,
                 {{"Saitek Control", 10},
                  {"Modifier Keys", 171},
                  {"Key Code", 249},
                  {"Presses", 312},
                  {"Modifier Keys", 427},
                  {"Key Code", 505},
                  {"Presses", 571},
                  {"FSX", 356, false},
                  {"FSX", 613, false}});
  const Columns on{167, 80, 274, 35, 311, 30, 356};
  const Columns off{423, 80, 530, 35, 567, 30, 613};
  const std::array<TwoHalfRow, 6> rows{{
      {34,
       "Edit3",
       {"ComboBox10", "Edit8", "Edit18", "Edit19"},
       {"ComboBox16", "Edit69", "Edit70", "Edit71"}},
      {61,
       "Edit20",
       {"ComboBox11", "Edit24", "Edit25", "Edit26"},
       {"ComboBox17", "Edit73", "Edit74", "Edit75"}},
      {88,
       "Edit21",
       {"ComboBox12", "Edit27", "Edit28", "Edit29"},
       {"ComboBox26", "Edit77", "Edit118", "Edit119"}},
      {116,
       "Edit22",
       {"ComboBox13", "Edit30", "Edit31", "Edit32"},
       {"ComboBox27", "Edit121", "Edit122", "Edit123"}},
      {143,
       "Edit23",
       {"ComboBox14", "Edit33", "Edit34", "Edit35"},
       {"ComboBox28", "Edit128", "Edit127", "Edit124"}},
      {171,
       "Edit42",
       {"ComboBox15", "Edit53", "Edit54", "Edit55"},
       {"ComboBox29", "Edit129", "Edit126", "Edit125"}},
  }};
  for (const TwoHalfRow& r : rows) {
    expectPlace({r.nameBox, "Panel5", 6, r.y, 155});
    expectHalfRow("Panel5", r.y, on, r.on);
    expectHalfRow("Panel5", r.y, off, r.off);
  }
}

TEST_F(WindowLayout, BottomPanelKeysPage) {
  expectPlace({"Panel6", "TabSheet5", 3, 3, 734, 238});
  expectHeadings("Panel6", 10,
                 {{"Saitek Control", 6},
                  {"Modifier Keys", 167},
                  {"Key Code", 249},
                  {"Presses", 311},
                  {"Modifier Keys", 435},
                  {"Key Code", 513},
                  {"Presses", 579},
                  {"FSX", 354, false},
                  {"FSX", 624, false}});
  const Columns on{165, 80, 275, 35, 312, 30, 354};
  const Columns off{431, 80, 538, 35, 575, 30, 624};
  const std::array<TwoHalfRow, 7> rows{{
      {30,
       "Edit112",
       {"ComboBox24", "Edit110", "Edit109", "Edit108"},
       {"ComboBox30", "Edit133", "Edit134", "Edit135"}},
      {56,
       "Edit78",
       {"ComboBox20", "Edit79", "Edit80", "Edit81"},
       {"ComboBox31", "Edit138", "Edit137", "Edit136"}},
      {83,
       "Edit82",
       {"ComboBox19", "Edit86", "Edit87", "Edit88"},
       {"ComboBox32", "Edit141", "Edit142", "Edit143"}},
      {110,
       "Edit83",
       {"ComboBox18", "Edit89", "Edit90", "Edit91"},
       {"ComboBox33", "Edit146", "Edit145", "Edit144"}},
      {137,
       "Edit84",
       {"ComboBox21", "Edit92", "Edit93", "Edit94"},
       {"ComboBox34", "Edit150", "Edit153", "Edit154"}},
      {164,
       "Edit85",
       {"ComboBox22", "Edit95", "Edit96", "Edit97"},
       {"ComboBox35", "Edit151", "Edit152", "Edit155"}},
      {191,
       "Edit103",
       {"ComboBox23", "Edit105", "Edit106", "Edit107"},
       {"ComboBox36", "Edit157", "Edit158", "Edit159"}},
  }};
  QWidget* panel = control("Panel6");
  for (const TwoHalfRow& r : rows) {
    expectPlace({r.nameBox, "Panel6", 7, r.y, 155});
    expectHalfRow("Panel6", r.y, on, r.on);
    if (r.y != 191) {
      expectHalfRow("Panel6", r.y, off, r.off);
      continue;
    }
    // The last OFF half lies on the page at y 196, level with the panel's columns.
    for (const auto& [name, x] :
         {std::pair{r.off.modifier, off.modifier}, std::pair{r.off.code, off.code},
          std::pair{r.off.presses, off.presses}}) {
      QWidget* box = control(name);
      EXPECT_EQ(box->parentWidget()->objectName(), "TabSheet5") << name;
      EXPECT_EQ(box->y(), 196) << name;
      EXPECT_EQ(box->mapTo(rig_->form.get(), QPoint()).x(),
                panel->mapTo(rig_->form.get(), QPoint(x, 0)).x())
          << name;
    }
  }
}

TEST_F(WindowLayout, InfoNotesFitTheirBox) {
  auto* notes = control("Memo2");
  auto* text = qobject_cast<QPlainTextEdit*>(notes);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(notes->geometry(), QRect(35, 0, 680, 157));
  EXPECT_EQ(notes->font().family(), "Calibri");
  EXPECT_EQ(notes->font().pixelSize(), 15);
  // Every note is visible without scrolling.
  EXPECT_EQ(text->verticalScrollBar()->maximum(), 0);
}

}  // namespace
}  // namespace qv::test
