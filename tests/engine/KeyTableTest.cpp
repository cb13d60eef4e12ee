#include <gtest/gtest.h>

#include <set>

#include "engine/KeyTable.h"
#include "engine/MappingRows.h"
#include "engine/NamedTexts.h"

namespace qv {
namespace {

struct ModifierCase {
  const char* modifier;
  uint16_t key1;
  uint16_t key2;
  uint16_t key3;
  int32_t keys;
};

class ModifierParsing : public ::testing::TestWithParam<ModifierCase> {};

TEST_P(ModifierParsing, GivesKeyCodesInOrder) {
  const ModifierCase& c = GetParam();
  KeyArray keys{};
  AddKeyToRec(keys, 9, c.modifier, "71", "1", "0");
  EXPECT_EQ(keys[9].keys, c.keys);
  EXPECT_EQ(keys[9].key1, c.key1);
  if (c.keys > 1) {
    EXPECT_EQ(keys[9].key2, c.key2);
  }
  if (c.keys > 2) {
    EXPECT_EQ(keys[9].key3, c.key3);
  }
}

INSTANTIATE_TEST_SUITE_P(
    ComboItemsAndHandTypedTexts, ModifierParsing,
    ::testing::Values(ModifierCase{"N None", 71, 0, 0, 1}, ModifierCase{"C Control", 17, 71, 0, 2},
                      ModifierCase{"S Shift", 16, 71, 0, 2}, ModifierCase{"A Alt", 18, 71, 0, 2},
                      ModifierCase{"G Alt Ground", 71, 0, 0, 1},
                      ModifierCase{"CS Control Shift", 17, 16, 71, 3},
                      ModifierCase{"CA Control Alt", 17, 18, 71, 3},
                      ModifierCase{"SC", 16, 17, 71, 3}, ModifierCase{"CSA typed", 17, 16, 71, 3},
                      ModifierCase{"", 71, 0, 0, 1}, ModifierCase{"xCy", 17, 71, 0, 2},
                      ModifierCase{" CS", 71, 0, 0, 1}));

TEST(AddKeyToRec, FillsTheKeystrokeFields) {
  KeyArray keys{};
  AddKeyToRec(keys, 13, "C Control", "0", "3", "4");
  const TKeyPressRec& r = keys[13];
  // Control with code 0 still has a key: it is a keystroke function.
  EXPECT_EQ(r.key1, kVkControl);
  EXPECT_EQ(r.key2, 0);
  EXPECT_EQ(r.keys, 2);
  EXPECT_EQ(r.functionid, 13);
  EXPECT_EQ(r.presses, 3);
  EXPECT_EQ(r.pressed, 3);
  EXPECT_EQ(r.pulses, 4);
  EXPECT_EQ(r.pulseno, 4);
  EXPECT_EQ(r.outtype, u'K');
  EXPECT_EQ(r.action, u'K');
}

TEST(AddKeyToRec, UnusedSlotsKeepWhatTheyHeld) {
  KeyArray keys{};
  AddKeyToRec(keys, 8, "CS", "65", "1", "0");
  AddKeyToRec(keys, 8, "N None", "66", "1", "0");
  EXPECT_EQ(keys[8].keys, 1);
  EXPECT_EQ(keys[8].key1, 66);
  EXPECT_EQ(keys[8].key2, kVkShift);
  EXPECT_EQ(keys[8].key3, 65);
}

TEST(StrToInt, AcceptsOnlyWholeDecimalNumbers) {
  EXPECT_EQ(StrToInt("0"), 0);
  EXPECT_EQ(StrToInt("-12"), -12);
  EXPECT_EQ(StrToInt("+7"), 7);
  EXPECT_EQ(StrToInt("2147483647"), INT32_MAX);
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
  for (const char* bad :
       {"", " 1", "1 ", "1.5", "0x10", "12a", "-", "2147483648", "99999999999999999999"}) {
    EXPECT_THROW(StrToInt(bad), ConversionError) << bad;
  }
}

TEST(StrToInt, FailureCarriesTheStandardMessage) {
  try {
    StrToInt("abc");
    FAIL() << "no error";
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
    EXPECT_EQ(e.offendingText(), "abc");
  }
  try {
    StrToInt("");
    FAIL() << "no error";
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'' is not a valid integer value");
  }
}

class Rebuild : public ::testing::Test {
 protected:
  Rebuild() { applyMappingDefaults(texts); }
  NamedTextMap texts;
  KeyArray keys{};
};

TEST_F(Rebuild, DefaultsBuildEveryUsedRecord) {
  populatekeyarray(keys, texts);
  EXPECT_EQ(keys[1].name, "Landing Gear Up");
  EXPECT_EQ(keys[2].name, "LG Up LED Seq 1");
  EXPECT_EQ(keys[3].name, "LG Up LED Seq 2");
  EXPECT_EQ(keys[4].name, "LG Up LED Close");
  EXPECT_EQ(keys[5].name, "Landing Gear Down");
  EXPECT_EQ(keys[6].name, "");
  EXPECT_EQ(keys[19].name, "COWL");
  EXPECT_EQ(keys[26].name, "Master Battery");
  for (int id : {1, 5, 8, 20, 38}) {
    EXPECT_EQ(keys[id].outtype, u'K') << id;
    EXPECT_EQ(keys[id].key1, 0) << id;
    EXPECT_EQ(keys[id].keys, 1) << id;
    EXPECT_EQ(keys[id].presses, 1) << id;
  }
  for (int id : {2, 3, 4, 6, 7}) {
    EXPECT_EQ(keys[id].outtype, u'F') << id;
    EXPECT_EQ(keys[id].action, u'G') << id;
    EXPECT_EQ(keys[id].deviceid, 1) << id;
    EXPECT_EQ(keys[id].value, "0") << id;
  }
  EXPECT_EQ(keys[39].outtype, 0);
}

TEST_F(Rebuild, ColourStepsTakeTheirPatternAndDelay) {
  texts.setText("ComboBox1", "Green");
  texts.setText("Edit36", "8");
  texts.setText("ComboBox3", "Red");
  texts.setText("Edit2", "4");
  texts.setText("ComboBox4", "Amber");
  texts.setText("Edit12", "2");
  texts.setText("ComboBox5", "None");
  texts.setText("Edit13", "3");
  populatekeyarray(keys, texts);
  EXPECT_EQ(keys[2].value, "7");
  EXPECT_EQ(keys[2].pulses, 8);
  EXPECT_EQ(keys[3].value, "56");
  EXPECT_EQ(keys[3].pulses, 4);
  // The closing step takes its delay from the second step's box.
  EXPECT_EQ(keys[4].value, "0");
  EXPECT_EQ(keys[4].pulses, 4);
  EXPECT_EQ(keys[6].value, "127");
  EXPECT_EQ(keys[6].pulses, 2);
  EXPECT_EQ(keys[7].value, "0");
  EXPECT_EQ(keys[7].pulses, 3);
}

TEST_F(Rebuild, UnknownColourTextLeavesThePattern) {
  texts.setText("ComboBox1", "Red");
  populatekeyarray(keys, texts);
  texts.setText("ComboBox1", "red");
  populatekeyarray(keys, texts);
  EXPECT_EQ(keys[2].value, "56");
  // A record never built keeps its empty pattern.
  KeyArray fresh{};
  populatekeyarray(fresh, texts);
  EXPECT_EQ(fresh[2].value, "");
}

TEST_F(Rebuild, BadBoxStopsTheRebuildThere) {
  texts.setText("Edit57", "71");  // record 9 code
  populatekeyarray(keys, texts);
  // Earlier rows change; the failing row and later rows keep their values, so
  // a new modifier never goes out with the old key count.
  texts.setText("Edit45", "70");     // record 8 code
  texts.setText("Edit48", "Mag L");  // record 9 name
  texts.setText("ComboBox6", "C");   // record 9 modifier
  texts.setText("Edit57", "x");      // record 9 code: fails
  texts.setText("Edit61", "72");     // record 10 code
  try {
    populatekeyarray(keys, texts);
    FAIL() << "no error";
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'x' is not a valid integer value");
  }
  EXPECT_EQ(keys[8].key1, 70);
  EXPECT_EQ(keys[9].key1, 71);
  EXPECT_EQ(keys[9].keys, 1);
  EXPECT_EQ(keys[9].name, "Magneto L");
  EXPECT_EQ(keys[10].key1, 0);

  // A failing duration after good modifier and code boxes changes nothing either.
  EXPECT_THROW(AddKeyToRec(keys, 9, "CS", "73", "1", ""), ConversionError);
  EXPECT_EQ(keys[9].key1, 71);
  EXPECT_EQ(keys[9].keys, 1);
}

TEST_F(Rebuild, BadDurationOfAColourStepNamesItsText) {
  texts.setText("Edit36", "x1");
  try {
    populatekeyarray(keys, texts);
    FAIL() << "no error";
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'x1' is not a valid integer value");
  }
  EXPECT_EQ(keys[1].outtype, u'K');
  EXPECT_EQ(keys[2].outtype, 0);
}

TEST(MappingDefaults, ListEachControlOnce) {
  const auto defaults = mappingDefaults();
  std::set<std::string_view> names;
  for (const NamedDefault& d : defaults) {
    EXPECT_TRUE(names.insert(d.name).second) << d.name;
  }
  NamedTextMap texts;
  applyMappingDefaults(texts);
  EXPECT_EQ(texts.text("Label6"), "Dur (30ms)");
  EXPECT_EQ(texts.text("Edit112"), "COWL");
  EXPECT_EQ(texts.text("ComboBox36"), "N None");
  EXPECT_EQ(texts.text("ComboBox5"), "None");
  EXPECT_EQ(texts.text("Edit158"), "1");
  EXPECT_EQ(texts.text("Edit159"), "0");
}

}  // namespace
}  // namespace qv
