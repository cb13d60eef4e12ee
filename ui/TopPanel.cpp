#include "ui/TopPanel.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/ControlFactory.h"
#include "ui/Logo.h"

namespace qv {

namespace {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, int x, int y,
                        int width) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setGeometry(x, y, width, 36);
  return button;
}

}  // namespace

void buildTopPanel(QWidget* window) {
  auto* panel = new QFrame(window);
  panel->setObjectName("Panel4");
  panel->setGeometry(0, 0, 781, 98);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  panel->setAutoFillBackground(true);

  makeButton(panel, "Button4", "Load", 9, 9, 68);
  makeButton(panel, "Button5", "Save As", 8, 54, 68);
  // The caption wraps onto two lines.
  makeButton(panel, "Button2", "Apply\nChanges", 90, 54, 67);

  auto* group = new QGroupBox("Get Key Code", panel);
  group->setObjectName("GroupBox1");
  group->setGeometry(165, 41, 119, 50);
  makeEdit(group, "TxtKeyRead", QString(), 7, 21, 49);
  makeEdit(group, "TxtKeyCode", "0", 61, 21, 48, readOnlyBox(QColor(255, 255, 206)));

  QLabel* title = makeLabel(panel, "Label41", "Quorvane", 296, 3);
  // The colour first: setting a style sheet drops the mark of a font of its own.
  title->setStyleSheet("color: rgb(17, 111, 101);");
  title->setFont(pixelFont("Cambria", 29, true, true));
  title->adjustSize();
  QLabel* version = makeLabel(panel, "Label37", "Version b1.0", 391, 32);
  version->setFont(pixelFont("Calibri", 13));
  version->adjustSize();
  QLabel* simCaption = makeLabel(panel, "Label48", "Sim Connect : ", 306, 72);
  simCaption->setFont(pixelFont("Calibri", 15));
  simCaption->adjustSize();
  QLabel* status = makeLabel(panel, "lblSimConStatus", "Not Loaded", 394, 72);
  status->setStyleSheet("color: olive; background: transparent;");
  status->setFont(pixelFont("Calibri", 15, true));
  status->setMinimumWidth(120);
  status->adjustSize();

  auto* logo = new QLabel(panel);
  logo->setObjectName("Image2");
  logo->setGeometry(630, 9, 142, 59);
  logo->setPixmap(drawLogo(logo->size()));

  makeButton(window, "Button1", "Save", 90, 11, 68);
}

}  // namespace qv
