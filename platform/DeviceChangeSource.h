#pragma once

#include <functional>

namespace qv {

// The platform's "device nodes changed" notifications. A source with a file
// descriptor is watched by the window, which lets the HID controller drain it
// when it is readable; a source without one calls back by itself.
class DeviceChangeSource {
 public:
  virtual ~DeviceChangeSource() = default;
  // -1 when the source has no descriptor: it could not be set up, or it
  // calls back instead.
  [[nodiscard]] virtual int fileDescriptor() const = 0;
  // Consumes every pending notification; true when HID device nodes came or went.
  virtual bool drainChanges() = 0;
  // A source without a descriptor runs `changed` on the main thread whenever
  // a notification arrives; an empty function stops the calls. Sources that
  // are watched, or that never report, ignore it.
  virtual void setChangedCallback(std::function<void()> changed) { static_cast<void>(changed); }
};

}  // namespace qv
