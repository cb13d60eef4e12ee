#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

#include "ui/qt/QtToolkit.h"

namespace qv {
namespace {

// Types a name into whichever file dialog opens next and confirms it.
void answerNextDialog(const QString& name, QString* filter) {
  QTimer::singleShot(0, [name, filter] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    *filter = dialog->nameFilters().join(";");
    dialog->selectFile(name);
    QMetaObject::invokeMethod(dialog, "accept");
  });
}

TEST(ProfileDialogs, SaveAsAddsTheExtensionToANameWithoutOne) {
  QTemporaryDir folder;
  QtToolkit dialogs;
  QString filter;
  answerNextDialog(folder.filePath("flight"), &filter);
  const std::optional<std::string> chosen = dialogs.saveProfileAs();
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, folder.filePath("flight.psv").toStdString());
  EXPECT_EQ(filter, "Profile File (*.psv)");
}

TEST(ProfileDialogs, LoadTakesANameThatDoesNotExist) {
  QTemporaryDir folder;
  QtToolkit dialogs;
  QString filter;
  answerNextDialog(folder.filePath("missing.psv"), &filter);
  const std::optional<std::string> chosen = dialogs.openProfile();
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, folder.filePath("missing.psv").toStdString());
  EXPECT_EQ(filter, "Driver Profile (*.psv)");
}

TEST(ProfileDialogs, SaveHistoryAddsTheTextExtension) {
  QTemporaryDir folder;
  QtToolkit dialogs;
  QString filter;
  answerNextDialog(folder.filePath("history"), &filter);
  EXPECT_EQ(dialogs.saveHistory(), folder.filePath("history.txt").toStdString());
  EXPECT_EQ(filter, "Text Files *.txt (*.txt);All Files *.* (*)");
}

}  // namespace
}  // namespace qv
