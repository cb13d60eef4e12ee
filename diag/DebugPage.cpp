#include "diag/DebugPage.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <array>
#include <string_view>

namespace qv {

namespace {

struct CheckPlace {
  const char* name;
  int top;
  const char* caption;
};

constexpr std::array<CheckPlace, 3> kChecks{{
    {"cbShowSimCEvents", 3, "Show Sim connect Events"},
    {"cbShowSimVersion", 26, "Show Sim connect Version"},
    {"cbDumpSimCData", 49, "Dump SimConnect PlaneData"},
}};

struct BoxPlace {
  const char* name;
  int left;
  int top;
  int width;
  const char* text;
};

constexpr std::array<BoxPlace, 15> kBoxes{{
    {"Edit113", 448, 88, 81, "Battery"},
    {"Edit114", 535, 88, 31, "0"},
    {"Edit115", 572, 88, 93, "No of Engines"},
    {"Edit116", 671, 88, 31, "0"},
    {"Edit117", 448, 118, 81, "L Taxi"},
    {"Edit160", 535, 118, 31, "0"},
    {"Edit162", 572, 118, 93, "L Panel"},
    {"Edit161", 671, 118, 31, "0"},
    {"Edit163", 448, 148, 81, "Gear Warn"},
    {"Edit164", 535, 148, 46, "0"},
    {"Edit165", 671, 148, 46, "0"},
    {"Edit169", 449, 178, 80, "LVAL"},
    {"Edit168", 535, 178, 46, "0"},
    {"Edit166", 642, 178, 46, "0"},
    {"Edit167", 694, 178, 46, "0"},
}};

}  // namespace

DebugPage::DebugPage(QWidget* parent) : QWidget(parent) {
  setObjectName("TabSheet6");
  setEnabled(false);

  auto* memo = new QPlainTextEdit(this);
  memo->setObjectName("Memo4");
  memo->setGeometry(3, 3, 430, 283);

  for (const CheckPlace& place : kChecks) {
    auto* check = new QCheckBox(place.caption, this);
    check->setObjectName(place.name);
    check->setGeometry(448, place.top, 225, 17);
  }
  for (const BoxPlace& place : kBoxes) {
    auto* box = new QLineEdit(place.text, this);
    box->setObjectName(place.name);
    box->setGeometry(place.left, place.top, place.width, 24);
    if (std::string_view(place.name) == "Edit168") {
      edit168_ = box;
    }
  }
}

void DebugPage::setLightByteText(const std::string& text) {
  edit168_->setText(QString::fromStdString(text));
}

}  // namespace qv
