#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qv {

// One HID interface present on the machine.
struct HidInterface {
  // Identifies this appearance of the interface: a device plugged in again
  // gets a new one, even under the same path.
  uint32_t instanceId = 0;
  std::string path;
};

struct HidIds {
  uint16_t vendorId = 0;
  uint16_t productId = 0;
  uint16_t versionNumber = 0;
};

// Report lengths, each counting the report-id byte; 0 for a type the device
// does not have.
struct HidReportLengths {
  uint16_t input = 0;
  uint16_t output = 0;
  uint16_t feature = 0;
};

// A string as the device gives it: UTF-16 units in a 508-byte buffer, NUL
// terminated when shorter than the buffer.
using HidStringBuffer = std::array<char16_t, 254>;

enum class HidStringKind { Product, Manufacturer, Serial };

// The synchronous handle of an interface: identity, capabilities, strings
// and reports. A query-only handle answers the queries it can and fails
// every report.
class HidHandle {
 public:
  virtual ~HidHandle() = default;
  [[nodiscard]] virtual std::optional<HidIds> attributes() = 0;
  [[nodiscard]] virtual std::optional<HidReportLengths> reportLengths() = 0;
  // Fills `buffer` (left as the caller prepared it beyond the text).
  virtual bool getString(HidStringKind kind, HidStringBuffer& buffer) = 0;
  // String descriptor `index`; index 0 is the language-id table.
  virtual bool getIndexedString(uint8_t index, HidStringBuffer& buffer) = 0;
  virtual bool setFeature(const uint8_t* report, size_t size) = 0;
  // False also where the platform has no input-report request.
  virtual bool getInputReport(uint8_t* report, size_t size) = 0;
  // Bytes written, or nothing on failure.
  virtual std::optional<uint32_t> write(const uint8_t* report, size_t size) = 0;
};

struct HidReadOutcome {
  enum class Kind { Report, Timeout, Failed };
  Kind kind = Kind::Timeout;
  uint32_t bytes = 0;  // Report: bytes in the buffer, report-id byte included
  uint32_t error = 0;  // Failed: the platform's error code
};

// The read handle of an interface; used by one reader thread only.
class HidInputChannel {
 public:
  virtual ~HidInputChannel() = default;
  // Waits up to `timeoutMs` for one input report; the buffer starts with the
  // report id, 0 for a device that does not number its reports.
  virtual HidReadOutcome read(uint8_t* buffer, size_t size, int32_t timeoutMs) = 0;
};

enum class HidAccess { ReadWrite, QueryOnly };

// Everything the HID device controller needs of the operating system. Main
// thread only, except openInput() and the channels, which readers use.
class HidPlatform {
 public:
  virtual ~HidPlatform() = default;
  // False when the platform's HID services cannot be had at all.
  [[nodiscard]] virtual bool available() const = 0;
  // The interfaces present now, in the platform's enumeration order.
  virtual std::vector<HidInterface> presentInterfaces() = 0;
  // Nothing when the interface cannot be opened with that access.
  virtual std::unique_ptr<HidHandle> open(const std::string& path, HidAccess access) = 0;
  // Nothing when the read handle cannot be opened; `error` then holds why. A
  // path that now leads to another device instance counts as gone.
  virtual std::unique_ptr<HidInputChannel> openInput(const HidInterface& device,
                                                     uint32_t& error) = 0;
  // The error code a read on a closed handle fails with.
  [[nodiscard]] virtual uint32_t closedHandleError() const = 0;
  // True when a read failing with `error` means the device went away, or an
  // open failing with it means its node is not there (any more).
  [[nodiscard]] virtual bool deviceGone(uint32_t error) const = 0;
  // The system's message text for an error code.
  [[nodiscard]] virtual std::string errorText(uint32_t code) const = 0;
  // The system's display name of a language id, if it has one.
  [[nodiscard]] virtual std::optional<std::string> languageName(uint16_t languageId) const = 0;
};

}  // namespace qv
