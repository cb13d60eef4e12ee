#pragma once

namespace qv {

// The platform's "device nodes changed" notifications. The window watches
// fileDescriptor() and, when it is readable, lets the HID controller drain it.
class DeviceChangeSource {
 public:
  virtual ~DeviceChangeSource() = default;
  // -1 when the source could not be set up; nothing will ever be reported.
  [[nodiscard]] virtual int fileDescriptor() const = 0;
  // Consumes every pending notification; true when HID device nodes came or went.
  virtual bool drainChanges() = 0;
};

}  // namespace qv
