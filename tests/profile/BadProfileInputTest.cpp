#include <gmock/gmock.h>

#include "ProfileTestSupport.h"

namespace qv::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr char kLoadMessage[] = "There was a problem loading the profile.  Please check the file. ";

// Malformed files end in the load message or a successful load, and the
// two outcomes never mix.
class BadProfileInput : public ProfileFileTest {
 protected:
  bool load(const std::string& bytes) {
    const std::string file = path("bad.psv");
    writeBytes(file, bytes);
    view.messages.clear();
    view.captions.clear();
    profile.LoadFile(file);
    if (view.messages.empty()) {
      EXPECT_THAT(view.captions, ElementsAre("Quorvane - " + file));
      return true;
    }
    EXPECT_THAT(view.messages, ElementsAre(::testing::StartsWith(kLoadMessage + file + "\n")));
    EXPECT_THAT(view.captions, IsEmpty());
    return false;
  }
};

TEST_F(BadProfileInput, BinaryGarbage) {
  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round) {
    std::string bytes(4096, '\0');
    for (char& c : bytes) {
      c = static_cast<char>(random());
    }
    EXPECT_FALSE(load(bytes)) << round;
  }
}

TEST_F(BadProfileInput, HugeSingleLines) {
  const std::string big(10 * 1024 * 1024, 'x');
  EXPECT_FALSE(load(big));
  EXPECT_FALSE(load(std::string(10 * 1024 * 1024, ',')));
  EXPECT_TRUE(load("8,\"" + big + "\",\"K\",\"N None\",\"0\",\"1\",\"0\""));
  EXPECT_EQ(texts.text("Edit43"), big);
}

TEST_F(BadProfileInput, NulBytes) {
  EXPECT_FALSE(load(std::string(100, '\0')));
  const std::string name("Ma\0g", 4);
  EXPECT_TRUE(load("8,\"" + name + "\",\"K\",\"N None\",\"0\",\"1\",\"0\"\r\n"));
  EXPECT_EQ(texts.text("Edit43"), name);
  EXPECT_FALSE(load(std::string("8\0,\"a\",\"K\",\"N None\",\"0\",\"1\",\"0\"", 31)));
}

TEST_F(BadProfileInput, UnterminatedQuotes) {
  // The open quote swallows the rest of the line, leaving too few fields.
  EXPECT_FALSE(load("8,\"Mag,K,N None,0,1,0\r\n"));
  // A quote that seems to close early just starts a further field.
  EXPECT_TRUE(load("8,\"Mag,\"K\",\"N None\",\"0\",\"1\",\"0\"\r\n"));
  EXPECT_EQ(texts.text("Edit43"), "Mag,");
  EXPECT_FALSE(load("\""));
  EXPECT_TRUE(load("8,\"Mag\",\"K\",\"N None\",\"0\",\"1\",\"0\r\n"));
  EXPECT_EQ(texts.text("Edit47"), "0");
}

TEST_F(BadProfileInput, IdsThatAreNotWholeNumbers) {
  for (const char* id : {"12345678901234567890", "-12345678901234567890", "2147483648", "1.0",
                         "0x8", "", " 8", "8 "}) {
    EXPECT_FALSE(load(std::string(id) + ",\"a\",\"K\",\"N None\",\"0\",\"1\",\"0\"\r\n")) << id;
  }
  EXPECT_TRUE(load("2147483647,\"a\",\"K\",\"N None\",\"0\",\"1\",\"0\"\r\n"));
}

TEST_F(BadProfileInput, StrayLineEnds) {
  EXPECT_FALSE(load("\r\n"));
  EXPECT_FALSE(load("\n"));
  EXPECT_TRUE(load("8,\"Mag\",\"K\",\"N None\",\"0\",\"1\",\"0\"\r"));
  EXPECT_EQ(texts.text("Edit47"), "0");
}

}  // namespace
}  // namespace qv::test
