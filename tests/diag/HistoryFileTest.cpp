#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/diag/support/ConsoleRig.h"
#include "tests/support/TempFolder.h"

namespace qv {
namespace {

std::string contentsOf(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class HistoryFileTest : public ::testing::Test {
 protected:
  HistoryFileTest() : dir(test::makeTempFolder("qv-history-")) {}
  ~HistoryFileTest() override {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }
  // The dialog answers in UTF-8.
  void answer(const std::filesystem::path& path) {
    rig.toolkit.historyAnswer = reinterpret_cast<const char*>(path.u8string().c_str());
  }

  std::filesystem::path dir;
  test::ConsoleRig rig;
};

TEST_F(HistoryFileTest, SavesEveryHistoryLineEndedByCrLf) {
  rig.console.appendLine("R 00  00 04 8A ");
  rig.console.appendLine("04138");
  rig.console.appendLine("");
  answer(dir / "history.txt");
  rig.console.SaveBtnClick();
  EXPECT_EQ(contentsOf(dir / "history.txt"), "R 00  00 04 8A \r\n04138\r\n\r\n");
  EXPECT_TRUE(rig.toolkit.shown.empty());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
}

TEST_F(HistoryFileTest, ACancelledDialogWritesNothing) {
  rig.console.appendLine("x");
  rig.console.SaveBtnClick();
  EXPECT_EQ(rig.toolkit.historyAsked, 1);
  EXPECT_TRUE(std::filesystem::is_empty(dir));
}

TEST_F(HistoryFileTest, AFileThatCannotBeWrittenIsReported) {
  rig.console.appendLine("x");
  const std::filesystem::path path = dir / "missing" / "history.txt";
  answer(path);
  rig.console.SaveBtnClick();
  ASSERT_EQ(rig.toolkit.shown.size(), 1U);
  EXPECT_EQ(rig.toolkit.shown[0],
            "Cannot create file \"" + path.string() + "\". No such file or directory");
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(HistoryFileTest, ReplacesAnOldFileInAFolderNamedOutsideAsciiAndKeepsNonAsciiText) {
  const std::filesystem::path folder = dir / u8"J\u00F6rg \u0141\u00F3d\u017A \u65E5\u672C";
  std::filesystem::create_directory(folder);
  std::ofstream(folder / "h.txt") << "old lines\r\n";
  rig.console.appendLine("Ger\xC3\xA4t");
  answer(folder / "h.txt");
  rig.console.SaveBtnClick();
  EXPECT_EQ(contentsOf(folder / "h.txt"), "Ger\xC3\xA4t\r\n");
}

}  // namespace
}  // namespace qv
