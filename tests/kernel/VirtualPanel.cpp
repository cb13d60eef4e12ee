// A HID device made in the running kernel through /dev/uhid and driven by
// steps read line by line from standard input. Every request the kernel
// passes on to the device is written to standard output, one line each, so a
// test (or a person at a shell in the VM) sees what reached the "hardware".
//
// Steps:
//   create panel|other   creates the switch panel or a HID device of another
//                        maker whose reports are numbered
//   input XX XX ...      sends one input report, bytes as the device sends them
//   get-reply XX XX ...  the data later GET_REPORT requests are answered with
//   destroy              removes the device, as an unplug does
//   sync                 prints "sync" once every earlier step has been done
//   timed <step>         runs the step, then prints "at <ns>": the monotonic
//                        clock just before it
// Lines written:
//   created panel|other, destroyed, open, close
//   set-report <type> <id> XX XX ...   the request's bytes, answered with success
//   get-report <type> <id>
//   output XX XX ...
//   error <what>
#include <fcntl.h>
#include <linux/uhid.h>
#include <poll.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr uint16_t kBusUsb = 0x03;

struct Identity {
  const char* step;
  const char* name;
  uint32_t vendor;
  uint32_t product;
  std::vector<uint8_t> descriptor;
};

// 24 switch bits in, no report ids; a 4-byte feature report for the lights,
// longer than the light bytes so the padding shows.
const Identity kPanel{"panel",
                      "Saitek Pro Flight Switch Panel",
                      0x06A3,
                      0x0D67,
                      {
                          0x05, 0x01,              // Usage Page (Generic Desktop)
                          0x09, 0x00,              // Usage (Undefined)
                          0xA1, 0x01,              // Collection (Application)
                          0x05, 0x09,              //   Usage Page (Button)
                          0x19, 0x01, 0x29, 0x18,  //   Usage Minimum 1, Maximum 24
                          0x15, 0x00, 0x25, 0x01,  //   Logical 0..1
                          0x75, 0x01, 0x95, 0x18,  //   Report Size 1, Count 24
                          0x81, 0x02,              //   Input (Data, Var, Abs)
                          0x06, 0x00, 0xFF,        //   Usage Page (Vendor)
                          0x09, 0x01,              //   Usage (1)
                          0x26, 0xFF, 0x00,        //   Logical Maximum 255
                          0x75, 0x08, 0x95, 0x04,  //   Report Size 8, Count 4
                          0xB1, 0x02,              //   Feature (Data, Var, Abs)
                          0xC0,                    // End Collection
                      }};

// Another maker's vendor-defined device: report 1 in (4 bytes), report 2 as
// feature (2 bytes).
const Identity kOther{"other",
                      "Quorvane Test Gadget",
                      0x1209,
                      0x0001,
                      {
                          0x06, 0x00, 0xFF,        // Usage Page (Vendor)
                          0x09, 0x01,              // Usage (1)
                          0xA1, 0x01,              // Collection (Application)
                          0x15, 0x00, 0x26, 0xFF,  //   Logical 0..255
                          0x00, 0x75, 0x08,        //   Report Size 8
                          0x85, 0x01,              //   Report ID 1
                          0x09, 0x02, 0x95, 0x04,  //   Usage (2), Count 4
                          0x81, 0x02,              //   Input (Data, Var, Abs)
                          0x85, 0x02,              //   Report ID 2
                          0x09, 0x03, 0x95, 0x02,  //   Usage (3), Count 2
                          0xB1, 0x02,              //   Feature (Data, Var, Abs)
                          0xC0,                    // End Collection
                      }};

void say(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

std::string hexBytes(const uint8_t* data, size_t size) {
  std::string text;
  std::array<char, 4> byte{};
  for (size_t i = 0; i < size; ++i) {
    std::snprintf(byte.data(), byte.size(), " %.2X", data[i]);
    text += byte.data();
  }
  return text;
}

std::vector<uint8_t> parseBytes(std::istringstream& words) {
  std::vector<uint8_t> bytes;
  std::string word;
  while (words >> word) {
    bytes.push_back(static_cast<uint8_t>(std::stoul(word, nullptr, 16)));
  }
  return bytes;
}

bool send(int fd, const uhid_event& event) {
  if (write(fd, &event, sizeof event) != static_cast<ssize_t>(sizeof event)) {
    say(std::string("error write: ") + std::strerror(errno));
    return false;
  }
  return true;
}

class Device {
 public:
  explicit Device(int fd) : fd_(fd) {}

  void create(const Identity& identity) {
    uhid_event event{};
    event.type = UHID_CREATE2;
    auto& create = event.u.create2;
    std::snprintf(reinterpret_cast<char*>(create.name), sizeof create.name, "%s", identity.name);
    std::snprintf(reinterpret_cast<char*>(create.phys), sizeof create.phys, "qv-virtual/%s",
                  identity.step);
    std::snprintf(reinterpret_cast<char*>(create.uniq), sizeof create.uniq, "QV-%s", identity.step);
    create.rd_size = static_cast<uint16_t>(identity.descriptor.size());
    create.bus = kBusUsb;
    create.vendor = identity.vendor;
    create.product = identity.product;
    create.version = 0x0100;
    std::copy(identity.descriptor.begin(), identity.descriptor.end(), create.rd_data);
    if (send(fd_, event)) {
      say(std::string("created ") + identity.step);
    }
  }

  void input(const std::vector<uint8_t>& bytes) {
    uhid_event event{};
    event.type = UHID_INPUT2;
    event.u.input2.size = static_cast<uint16_t>(std::min<size_t>(bytes.size(), UHID_DATA_MAX));
    std::copy_n(bytes.begin(), event.u.input2.size, event.u.input2.data);
    static_cast<void>(send(fd_, event));
  }

  void destroy() {
    uhid_event event{};
    event.type = UHID_DESTROY;
    if (send(fd_, event)) {
      say("destroyed");
    }
  }

  void setGetReply(std::vector<uint8_t> bytes) { getReply_ = std::move(bytes); }

  // Answers one request of the kernel.
  void serve() {
    uhid_event event{};
    if (read(fd_, &event, sizeof event) <= 0) {
      say(std::string("error read: ") + std::strerror(errno));
      return;
    }
    switch (event.type) {
      case UHID_OPEN:
        say("open");
        break;
      case UHID_CLOSE:
        say("close");
        break;
      case UHID_OUTPUT:
        say("output" + hexBytes(event.u.output.data, event.u.output.size));
        break;
      case UHID_SET_REPORT: {
        const auto request = event.u.set_report;
        say("set-report " + std::to_string(request.rtype) + " " + std::to_string(request.rnum) +
            hexBytes(request.data, request.size));
        uhid_event reply{};
        reply.type = UHID_SET_REPORT_REPLY;
        reply.u.set_report_reply.id = request.id;
        static_cast<void>(send(fd_, reply));
        break;
      }
      case UHID_GET_REPORT: {
        const auto request = event.u.get_report;
        say("get-report " + std::to_string(request.rtype) + " " + std::to_string(request.rnum));
        uhid_event reply{};
        reply.type = UHID_GET_REPORT_REPLY;
        reply.u.get_report_reply.id = request.id;
        reply.u.get_report_reply.size = static_cast<uint16_t>(getReply_.size());
        std::copy(getReply_.begin(), getReply_.end(), reply.u.get_report_reply.data);
        static_cast<void>(send(fd_, reply));
        break;
      }
      default:
        break;  // start and stop need no answer
    }
  }

 private:
  const int fd_;
  std::vector<uint8_t> getReply_{0, 0, 0, 0};
};

bool runKnownStep(Device& device, const std::string& line) {
  std::istringstream words(line);
  std::string step;
  words >> step;
  if (step.empty()) {
    return true;
  }
  if (step == "timed") {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::string rest;
    std::getline(words, rest);
    const bool known = runKnownStep(device, rest);
    say("at " + std::to_string(static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec));
    return known;
  }
  if (step == "create") {
    std::string which;
    words >> which;
    if (which != kPanel.step && which != kOther.step) {
      return false;
    }
    device.create(which == kPanel.step ? kPanel : kOther);
  } else if (step == "input") {
    device.input(parseBytes(words));
  } else if (step == "get-reply") {
    device.setGetReply(parseBytes(words));
  } else if (step == "destroy") {
    device.destroy();
  } else if (step == "sync") {
    say("sync");
  } else {
    return false;
  }
  return true;
}

// Runs one step; false at a step it does not know or cannot read.
bool runStep(Device& device, const std::string& line) {
  try {
    return runKnownStep(device, line);
  } catch (const std::logic_error&) {
    return false;  // a byte that is not hexadecimal
  }
}

}  // namespace

int main() {
  const int fd = open("/dev/uhid", O_RDWR | O_CLOEXEC);
  if (fd < 0) {
    say(std::string("error open /dev/uhid: ") + std::strerror(errno));
    return 1;
  }
  Device device(fd);
  std::string pending;
  std::array<pollfd, 2> watched{{{STDIN_FILENO, POLLIN, 0}, {fd, POLLIN, 0}}};
  for (;;) {
    if (poll(watched.data(), watched.size(), -1) < 0) {
      if (errno == EINTR) {
        continue;
      }
      return 1;
    }
    if ((watched[1].revents & POLLIN) != 0) {
      device.serve();
    }
    if ((watched[0].revents & (POLLIN | POLLHUP)) != 0) {
      std::array<char, 4096> chunk{};
      const ssize_t got = read(STDIN_FILENO, chunk.data(), chunk.size());
      if (got <= 0) {
        break;  // the driver has gone: closing /dev/uhid removes the device
      }
      pending.append(chunk.data(), static_cast<size_t>(got));
      for (size_t end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
        const std::string line = pending.substr(0, end);
        pending.erase(0, end + 1);
        if (!runStep(device, line)) {
          say("error step: " + line);
        }
      }
    }
  }
  close(fd);
  return 0;
}
