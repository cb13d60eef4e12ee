#include <gtest/gtest.h>

#include "tests/diag/support/QtPrinters.h"

#include <QFile>
#include <QTemporaryDir>

#include "diag/DeviceConsole.h"
#include "tests/diag/support/ScriptedSaveDialog.h"

namespace qv {
namespace {

QByteArray contentsOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class HistoryFileTest : public ::testing::Test {
 protected:
  HistoryFileTest() { console.setSaveDialog(&dialog); }

  QTemporaryDir dir;
  test::ScriptedSaveDialog dialog;
  DeviceConsole console;
};

TEST_F(HistoryFileTest, SavesEveryHistoryLineEndedByCrLf) {
  console.appendLine("R 00  00 04 8A ");
  console.appendLine("04138");
  console.appendLine("");
  dialog.answer = dir.filePath("history.txt");
  console.SaveBtnClick();
  EXPECT_EQ(contentsOf(*dialog.answer), QByteArray("R 00  00 04 8A \r\n04138\r\n\r\n"));
  EXPECT_TRUE(dialog.errors.isEmpty());
}

TEST_F(HistoryFileTest, ACancelledDialogWritesNothing) {
  console.appendLine("x");
  console.SaveBtnClick();
  EXPECT_EQ(dialog.asked, 1);
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(HistoryFileTest, AFileThatCannotBeWrittenIsReported) {
  console.appendLine("x");
  dialog.answer = dir.filePath("missing/history.txt");
  console.SaveBtnClick();
  ASSERT_EQ(dialog.errors.size(), 1);
  EXPECT_TRUE(dialog.errors[0].startsWith("Cannot create file \"" + *dialog.answer + "\". "))
      << dialog.errors[0].toStdString();
  EXPECT_FALSE(QFile::exists(*dialog.answer));
}

TEST_F(HistoryFileTest, KeepsNonAsciiTextAsUtf8) {
  console.appendLine("Gerät");
  dialog.answer = dir.filePath("h.txt");
  console.SaveBtnClick();
  EXPECT_EQ(contentsOf(*dialog.answer), QByteArray("Ger\xC3\xA4t\r\n"));
}

}  // namespace
}  // namespace qv
