#pragma once

#include <string>

namespace qv {

class DeviceChangeSource;
class HidPlatform;
class KeyInjector;

// What the window needs of the machine, handed in so a test can run the
// window's logic on scripted devices and a recording injector.
struct PlatformServices {
  KeyInjector& injector;
  HidPlatform& hid;
  DeviceChangeSource* deviceChanges;  // none: no hot-plug notifications
  std::string simLibraryFile;         // the simulator client library to load
};

}  // namespace qv
