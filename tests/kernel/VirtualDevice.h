#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>

namespace qv::test {

// The test's side of one VirtualPanel process: a HID device in the running
// kernel that appears, sends reports and goes when told, and tells what the
// kernel asked of it.
class VirtualDevice {
 public:
  // Starts the VirtualPanel program found next to this test program.
  VirtualDevice();
  // Ends the process, which removes its device if it still has one.
  ~VirtualDevice();
  VirtualDevice(const VirtualDevice&) = delete;
  VirtualDevice& operator=(const VirtualDevice&) = delete;

  // Sends one step ("create panel", "input 00 01 00", "destroy", ...).
  void step(const std::string& line);
  // The next line the device wrote, skipping none; nothing when no line comes
  // within `limit`.
  std::optional<std::string> nextLine(std::chrono::milliseconds limit = std::chrono::seconds(5));
  // Skips lines up to the first that starts with `prefix` and returns it.
  std::optional<std::string> awaitLine(const std::string& prefix,
                                       std::chrono::milliseconds limit = std::chrono::seconds(5));
  // Sends "sync" and returns the lines written before its answer.
  std::string drain();

 private:
  pid_t pid_ = -1;
  int toDevice_ = -1;
  int fromDevice_ = -1;
  std::string pending_;
};

}  // namespace qv::test
