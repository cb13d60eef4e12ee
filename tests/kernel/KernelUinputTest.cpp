// The uinput keyboard against the kernel's own input core, read back from
// its evdev node: runs in the test VM (scripts/kernel-vm).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/input.h>
#include <poll.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "engine/KeyTable.h"
#include "engine/SendKeys.h"
#include "platform/linux/UinputInjector.h"

namespace qv {
namespace {

using KeyChange = std::pair<int, int>;  // key code, 1 down / 0 up
using Frame = std::vector<KeyChange>;

// The virtual keyboard's event node, by its name; empty while there is none.
std::string eventNodeOf(const std::string& name) {
  for (const auto& entry : std::filesystem::directory_iterator("/sys/class/input")) {
    const std::string node = entry.path().filename().string();
    std::ifstream file(entry.path() / "device" / "name");
    std::string line;
    if (node.starts_with("event") && std::getline(file, line) && line == name &&
        std::filesystem::exists("/dev/input/" + node)) {
      return "/dev/input/" + node;
    }
  }
  return {};
}

// The kernel adds and removes the node a moment after the device changes.
bool withinTwoSeconds(const std::function<bool()>& condition) {
  for (int attempt = 0; attempt < 200; ++attempt) {
    if (condition()) {
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

class UinputKeyboard : public ::testing::Test {
 protected:
  void SetUp() override {
    injector_ = makeUinputInjector();
    ASSERT_NE(injector_, nullptr) << "/dev/uinput cannot make a keyboard";
    std::string node;
    ASSERT_TRUE(withinTwoSeconds([&] {
      return !(node = eventNodeOf(kUinputKeyboardName)).empty();
    })) << "no event node named "
        << kUinputKeyboardName;
    fd_ = open(node.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(fd_, 0) << node;
  }
  void TearDown() override {
    if (fd_ >= 0) {
      close(fd_);
    }
  }

  // Key changes grouped by the EV_SYN that closes each frame, until `count`
  // frames came or a second passed without one.
  std::vector<Frame> readFrames(size_t count) const {
    std::vector<Frame> frames;
    Frame current;
    while (frames.size() < count) {
      pollfd p{fd_, POLLIN, 0};
      if (poll(&p, 1, 1000) <= 0) {
        break;
      }
      input_event e{};
      while (read(fd_, &e, sizeof e) == static_cast<ssize_t>(sizeof e)) {
        if (e.type == EV_KEY) {
          current.emplace_back(e.code, e.value);
        } else if (e.type == EV_SYN && e.code == SYN_REPORT) {
          frames.push_back(current);
          current.clear();
        }
      }
    }
    return frames;
  }

  std::unique_ptr<KeyInjector> injector_;
  int fd_ = -1;
};

TEST_F(UinputKeyboard, APressIsADownFrameThenAnUpFrameModifiersFirst) {
  KeyArray keys{};
  AddKeyToRec(keys, 13, "CS Control Shift", "71", "1", "0");
  sendkeys('P', keys[13], *injector_);

  const std::vector<Frame> frames = readFrames(3);
  const Frame down{{KEY_LEFTCTRL, 1}, {KEY_LEFTSHIFT, 1}, {KEY_G, 1}};
  const Frame up{{KEY_LEFTCTRL, 0}, {KEY_LEFTSHIFT, 0}, {KEY_G, 0}};
  EXPECT_EQ(frames, (std::vector<Frame>{down, up}));
}

TEST_F(UinputKeyboard, EachBatchIsOneFrameInItsOrderCodesWithoutAKeySkipped) {
  const std::array<KeyEvent, 4> first{KeyEvent{0xA5}, KeyEvent{0x07}, KeyEvent{0x70},
                                      KeyEvent{0x60}};
  const std::array<KeyEvent, 1> nothing{KeyEvent{0x07}};
  const std::array<KeyEvent, 3> second{KeyEvent{0x60, true}, KeyEvent{0x70, true},
                                       KeyEvent{0xA5, true}};
  injector_->inject(first);
  injector_->inject(nothing);
  injector_->inject(second);

  const std::vector<Frame> frames = readFrames(3);
  EXPECT_EQ(frames, (std::vector<Frame>{{{KEY_RIGHTALT, 1}, {KEY_F1, 1}, {KEY_KP0, 1}},
                                        {{KEY_KP0, 0}, {KEY_F1, 0}, {KEY_RIGHTALT, 0}}}));
}

TEST(UinputKeyboardGone, TheKeyboardLeavesWithItsInjector) {
  auto injector = makeUinputInjector();
  ASSERT_NE(injector, nullptr);
  ASSERT_TRUE(withinTwoSeconds([] { return !eventNodeOf(kUinputKeyboardName).empty(); }));
  injector.reset();
  EXPECT_TRUE(withinTwoSeconds([] { return eventNodeOf(kUinputKeyboardName).empty(); }));
}

}  // namespace
}  // namespace qv
