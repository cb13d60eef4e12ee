#include <gmock/gmock.h>

#include <map>

#include "ProfileTestSupport.h"
#include "profile/ProfileLayout.h"
#include "profile/Windows1252.h"

namespace qv::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using ProfileLoad = ProfileFileTest;

constexpr char kLoadMessage[] = "There was a problem loading the profile.  Please check the file. ";

std::string line(int id, const std::string& name, const std::string& code = "0",
                 const std::string& presses = "1") {
  return std::to_string(id) + ",\"" + name + "\",\"K\",\"N None\",\"" + code + "\",\"" + presses +
         "\",\"0\"\r\n";
}

TEST_F(ProfileLoad, EveryControlTheReaderSetsSurvivesSaveAndLoad) {
  // A distinct value per control; numbers where the rebuild needs them.
  std::map<std::string, std::string> written;
  int n = 0;
  for (const NamedDefault& d : mappingDefaults()) {
    const bool number = d.text == "0" || d.text == "1";
    const std::string value =
        number ? std::to_string(++n) : std::string(d.text) + " ,\"" + std::to_string(++n) + "é";
    texts.setText(d.name, value);
    written[std::string(d.name)] = value;
  }
  const std::string file = path("all.psv");
  profile.SavePFile(file);
  ASSERT_THAT(view.messages, IsEmpty());

  NamedTextMap before = texts;
  for (const auto& [name, value] : written) {
    texts.setText(name, "changed");
  }
  profile.LoadFile(file);
  ASSERT_THAT(view.messages, IsEmpty());

  int checked = 0;
  for (const ProfileLine& l : profileLines()) {
    for (const ProfileField& f : l.fields) {
      if (f.readBack) {
        EXPECT_EQ(texts.text(f.control), before.text(f.control)) << f.control;
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 150);
  // The gear-down row keeps its own presses and hidden value.
  EXPECT_EQ(texts.text("Edit9"), written["Edit9"]);
  EXPECT_EQ(texts.text("Edit11"), written["Edit11"]);
  EXPECT_NE(texts.text("Edit9"), texts.text("Edit5"));
  // Never carried by the profile: the gear-lever names, the COWL name and
  // the "LG LED Down Seq 01" label.
  for (const char* name : {"Edit1", "Edit7", "Edit112", "Label7"}) {
    EXPECT_EQ(texts.text(name), "changed") << name;
  }
  EXPECT_EQ(profile.currentfile(), file);
  EXPECT_EQ(view.captions.back(), "Quorvane - " + file);
  EXPECT_EQ(rebuilds, 2);
}

TEST_F(ProfileLoad, DefaultProfileLoadsAndBuildsTheTable) {
  const std::string file = path("profile.psv");
  writeBytes(file, defaultProfileBytes());
  const NamedTextMap before = texts;
  profile.LoadFile(file);
  EXPECT_THAT(view.messages, IsEmpty());
  EXPECT_EQ(texts.entries(), before.entries());
  EXPECT_EQ(keyarray[1].outtype, u'K');
  EXPECT_EQ(keyarray[4].value, "0");
  EXPECT_THAT(view.captions, ElementsAre("Quorvane - " + file));
}

TEST_F(ProfileLoad, QuirksOfParticularLines) {
  const std::string file = path("q.psv");
  writeBytes(file,
             "2,\"Heading\",\"F\",\"x\",\"Red\",\"y\",\"3\"\r\n"  // sets Label6, not Label7
             "6,\"Up one\",\"F\",\"N/A\",\"Green\",\"N/A\",\"4\"\r\n" +
                 line(19, "5") + line(32, "6") +  // Edit12: last wins
                 line(26, "Battery OFF") +        // name box again
                 line(1, "Not read", "65") + line(5, "Not read either", "66") +
                 "4,\"x\",\"F\",\"N/A\",\"\",\"9\",\"9\"\r\n");
  profile.LoadFile(file);
  EXPECT_THAT(view.messages, IsEmpty());
  EXPECT_EQ(texts.text("Label6"), "Heading");
  EXPECT_EQ(texts.text("Label7"), "LG LED Down Seq 01");
  EXPECT_EQ(texts.text("ComboBox1"), "Red");
  EXPECT_EQ(texts.text("Edit36"), "3");
  EXPECT_EQ(texts.text("Label14"), "Up one");
  EXPECT_EQ(texts.text("Edit12"), "6");
  EXPECT_EQ(texts.text("Edit112"), "COWL");
  EXPECT_EQ(texts.text("Edit3"), "Battery OFF");
  EXPECT_EQ(texts.text("Edit1"), "Landing Gear Up");
  EXPECT_EQ(texts.text("Edit4"), "65");
  EXPECT_EQ(texts.text("Edit7"), "Landing Gear Down");
  EXPECT_EQ(texts.text("Edit10"), "66");
  // Line 4 is not read: the gear-down presses and hidden value stay.
  EXPECT_EQ(texts.text("Edit9"), "1");
  EXPECT_EQ(texts.text("Edit11"), "0");
  EXPECT_EQ(keyarray[7].value, "0");
  EXPECT_EQ(keyarray[6].value, "7");
}

TEST_F(ProfileLoad, LinesApplyInFileOrderAndOnlyTheirControlsChange) {
  const std::string file = path("partial.psv");
  writeBytes(file, line(13, "First", "65") + line(8, "Mag") + line(13, "Second", "66"));
  NamedTextMap expected = texts;
  expected.setText("Edit3", "Second");
  expected.setText("Edit8", "66");
  expected.setText("Edit43", "Mag");
  profile.LoadFile(file);
  EXPECT_THAT(view.messages, IsEmpty());
  EXPECT_EQ(texts.entries(), expected.entries());
  EXPECT_EQ(keyarray[13].key1, 66);
}

TEST_F(ProfileLoad, IdsOutsideTheTableAreSkippedButMustHaveSevenFields) {
  const std::string file = path("ids.psv");
  writeBytes(file, line(0, "a", "x") + line(39, "b") + line(-1, "c") + line(4, "d", "", "") +
                       "13,\"Seven\",\"K\",\"N None\",\"65\",\"1\",\"0\",\"extra\",more\r\n");
  profile.LoadFile(file);
  EXPECT_THAT(view.messages, IsEmpty());
  EXPECT_EQ(texts.text("Edit3"), "Seven");
  EXPECT_EQ(texts.text("Edit19"), "0");

  writeBytes(file, "39,\"a\",\"K\",\"N None\",\"0\",\"1\"\r\n");
  profile.LoadFile(file);
  EXPECT_THAT(view.messages,
              ElementsAre(kLoadMessage + file + "\nline 1: 6 fields where 7 are expected"));
}

TEST_F(ProfileLoad, SpaceAfterACommaMakesAVerbatimField) {
  const std::string file = path("space.psv");
  writeBytes(file, "8, \"Mag, x\",\"K\",\"N None\",\"0\",\"1\",\"0\"\r\n");
  profile.LoadFile(file);
  // The value was cut at its comma, which shifted every later field by one.
  EXPECT_EQ(texts.text("Edit43"), " \"Mag");
  EXPECT_EQ(texts.text("ComboBox2"), "K");
  EXPECT_EQ(texts.text("Edit45"), "N None");
  EXPECT_EQ(texts.text("Edit47"), "1");
}

TEST_F(ProfileLoad, CommaAndQuoteInAComboReadBackWhole) {
  texts.setText("ComboBox10", "C, \"odd\" one");
  texts.setText("ComboBox1", "\"");
  const std::string file = path("combo.psv");
  profile.SavePFile(file);
  texts.setText("ComboBox10", "");
  texts.setText("ComboBox1", "");
  profile.LoadFile(file);
  EXPECT_EQ(texts.text("ComboBox10"), "C, \"odd\" one");
  EXPECT_EQ(texts.text("ComboBox1"), "\"");
}

TEST_F(ProfileLoad, Windows1252CharactersRoundTrip) {
  std::string all;
  for (int b = 0x20; b <= 0xFF; ++b) {
    if (b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D) {
      all += static_cast<char>(b);
    }
  }
  const std::string utf8 = windows1252ToUtf8(all);
  texts.setText("Edit43", utf8);
  const std::string file = path("ansi.psv");
  profile.SavePFile(file);
  std::string quoted;
  for (const char c : all) {
    quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  }
  EXPECT_NE(readBytes(file).find("\r\n8,\"" + quoted + "\","), std::string::npos);
  texts.setText("Edit43", "");
  profile.LoadFile(file);
  EXPECT_EQ(texts.text("Edit43"), utf8);
}

TEST_F(ProfileLoad, LfOnlyAndMissingFinalLineEndReadLikeCrLf) {
  const std::string file = path("lf.psv");
  writeBytes(file,
             "8,\"Mag\",\"K\",\"N None\",\"1\",\"1\",\"0\"\n"
             "9,\"Left\",\"K\",\"N None\",\"2\",\"1\",\"0\"");
  profile.LoadFile(file);
  EXPECT_THAT(view.messages, IsEmpty());
  EXPECT_EQ(texts.text("Edit43"), "Mag");
  EXPECT_EQ(texts.text("Edit47"), "0");
  EXPECT_EQ(texts.text("Edit48"), "Left");
  EXPECT_EQ(texts.text("Edit59"), "0");
}

// What editors leave: a UTF-8 mark, which also makes the rest UTF-8, and
// blank lines after the last line.
TEST_F(ProfileLoad, EditorsMarkAndBlankLinesAtTheEndAreAccepted) {
  const std::string file = path("edited.psv");
  writeBytes(file, "\xEF\xBB\xBF" + line(8, "Zündung") + line(9, "Left") + "\r\n\n");
  profile.LoadFile(file);
  EXPECT_THAT(view.messages, IsEmpty());
  EXPECT_EQ(texts.text("Edit43"), "Zündung");
  EXPECT_EQ(texts.text("Edit48"), "Left");
  EXPECT_EQ(profile.currentfile(), file);
}

// A failed load names the file, keeps the name and caption of the last
// success, does not rebuild, and keeps what the lines before it set.
class ProfileLoadFailure : public ProfileFileTest {
 protected:
  void SetUp() override {
    ProfileFileTest::SetUp();
    good = path("good.psv");
    writeBytes(good, line(8, "Good"));
    profile.LoadFile(good);
    ASSERT_EQ(rebuilds, 1);
  }
  void expectFailure(const std::string& file, int rebuildsAfter = 1,
                     const std::string& detail = "") {
    EXPECT_THAT(view.messages, ElementsAre(kLoadMessage + file + detail));
    EXPECT_EQ(profile.currentfile(), good);
    EXPECT_THAT(view.captions, ElementsAre("Quorvane - " + good));
    EXPECT_EQ(rebuilds, rebuildsAfter);
  }
  std::string good;
};

TEST_F(ProfileLoadFailure, MissingFileChangesNothing) {
  const NamedTextMap before = texts;
  const std::string file = path("nowhere.psv");
  profile.LoadFile(file);
  expectFailure(file);
  EXPECT_EQ(texts.entries(), before.entries());
}

TEST_F(ProfileLoadFailure, EmptyLineBeforeAFurtherLineStopsAfterEarlierLinesApplied) {
  const std::string file = path("extra.psv");
  writeBytes(file, line(9, "Before") + "\r\n" + line(10, "After"));
  profile.LoadFile(file);
  expectFailure(file, 1, "\nline 2: the line is empty");
  EXPECT_EQ(texts.text("Edit48"), "Before");
  EXPECT_EQ(texts.text("Edit49"), "Magneto R");
  EXPECT_EQ(keyarray[8].name, "Good");  // not rebuilt
}

// The message names the wrong line and says why, on a line of its own.
TEST_F(ProfileLoadFailure, BadLineStopsTheLoadThereAndIsNamed) {
  const std::map<std::string, std::string> detailOf{
      {line(9, "Before") + "x1,\"a\",\"K\",\"N None\",\"0\",\"1\",\"0\"\r\n" + line(10, "After"),
       "\nline 2: the id \"x1\" is not a whole number"},
      {line(9, "Before") + line(7, "x") + "10,\"After\",\"K\",\"N None\",\"0\",\"1\"\r\n",
       "\nline 3: 6 fields where 7 are expected"},
      {"", "\nthe file holds no profile line"},
      {"\xEF\xBB\xBF\r\n\r\n", "\nthe file holds no profile line"},
  };
  for (const auto& [bytes, detail] : detailOf) {
    SCOPED_TRACE(detail);
    view.messages.clear();
    texts.setText("Edit49", "Magneto R");
    const std::string file = path("bad.psv");
    writeBytes(file, bytes);
    profile.LoadFile(file);
    expectFailure(file, 1, detail);
    EXPECT_EQ(texts.text("Edit49"), "Magneto R");
  }
  EXPECT_EQ(texts.text("Edit48"), "Before");
}

TEST_F(ProfileLoadFailure, EmptyNumberFieldAppliesEveryLineThenFailsTheRebuild) {
  const std::string file = path("nopress.psv");
  writeBytes(file, line(9, "Before", "0", "") + line(10, "After"));
  profile.LoadFile(file);
  expectFailure(file, 2);
  EXPECT_EQ(texts.text("Edit58"), "");
  EXPECT_EQ(texts.text("Edit49"), "After");
}

TEST_F(ProfileLoadFailure, FolderIsNotAProfile) {
  profile.LoadFile(dir.string());
  expectFailure(dir.string());
}

}  // namespace
}  // namespace qv::test
