#include <gtest/gtest.h>

#include "tests/diag/support/QtPrinters.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "diag/DebugPage.h"

namespace qv {
namespace {

TEST(DebugPageTest, KeepsItsDesignTextsAndShowsTheLightByte) {
  DebugPage page;
  EXPECT_EQ(page.objectName(), "TabSheet6");
  EXPECT_FALSE(page.isEnabled());
  EXPECT_TRUE(page.findChild<QPlainTextEdit*>("Memo4")->toPlainText().isEmpty());
  auto* dump = page.findChild<QCheckBox*>("cbDumpSimCData");
  EXPECT_EQ(dump->text(), "Dump SimConnect PlaneData");
  EXPECT_FALSE(dump->isChecked());
  EXPECT_EQ(page.findChild<QLineEdit*>("Edit115")->text(), "No of Engines");
  EXPECT_EQ(page.findChild<QLineEdit*>("Edit168")->text(), "0");

  page.setLightByteText("6");
  EXPECT_EQ(page.findChild<QLineEdit*>("Edit168")->text(), "6");
  EXPECT_EQ(page.findChild<QLineEdit*>("Edit166")->text(), "0");
  EXPECT_EQ(page.findChild<QLineEdit*>("Edit169")->text(), "LVAL");
}

}  // namespace
}  // namespace qv
