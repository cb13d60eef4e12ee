#pragma once

#include <functional>

namespace qv {

// The platform's "device nodes changed" notifications.
class DeviceChangeSource {
 public:
  virtual ~DeviceChangeSource() = default;
  // Consumes every pending notification; true when HID device nodes came or went.
  virtual bool drainChanges() = 0;
  // Runs `changed` on the main thread whenever a notification arrives; an
  // empty function stops the calls. A source that could not be set up never
  // calls.
  virtual void setChangedCallback(std::function<void()> changed) = 0;
};

}  // namespace qv
