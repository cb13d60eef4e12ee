#pragma once

#include <string>

namespace qv {

class DeviceChangeSource;
class HidPlatform;
class KeyInjector;
class MessageBoxes;
class ProfileDialogs;

// What the window needs of the machine, handed in so a test can build the
// real window on scripted devices and a recording injector.
struct PlatformServices {
  KeyInjector& injector;
  HidPlatform& hid;
  DeviceChangeSource* deviceChanges;  // none: no hot-plug notifications
  MessageBoxes& messages;
  ProfileDialogs& dialogs;
  std::string simLibraryFile;  // the simulator client library to load
};

}  // namespace qv
