#pragma once

#include <stdexcept>

namespace qv {

// A device record could not be created ("Device cannot be opened",
// "Device cannot be identified").
class HidDeviceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace qv
