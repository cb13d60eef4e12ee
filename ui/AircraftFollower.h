#pragma once

#include <optional>
#include <set>
#include <string>

#include "profile/Settings.h"

namespace qv {

class Controls;
class HistoryLog;
class ProfileFile;
class ProfileStorage;
class SimulatorLink;
class SwitchEngine;
class Toolkit;

inline constexpr const char* kSyncCheckBox = "chkSyncAircraft";
inline constexpr const char* kSyncWaitsLine = "Sync: waiting for the panel's first report";

// The window following the simulator's aircraft: the aircraft's own profile
// when there is one, and, when the user asked for it, the aircraft's
// switches brought to the panel's once its data have arrived.
class AircraftFollower {
 public:
  struct Parts {
    ProfileFile& profile;
    SimulatorLink& simulator;
    const SwitchEngine& engine;
    Controls& controls;
    Toolkit& toolkit;
    HistoryLog& history;
    ProfileStorage& storage;
  };
  AircraftFollower(const Parts& parts, const std::string& startupProfile);

  // The aircraft's data have arrived after a connect or a change of title.
  void aircraftReady(const std::string& title);
  // Once per tick: keeps the settings file in step with the check box, and
  // runs a sync that waited for the panel.
  void tick();

 private:
  void followProfile(const std::string& title);
  void syncIfDue();

  Parts parts_;
  std::string startupProfile_;
  std::string profileFolder_;
  std::string settingsFile_;
  Settings settings_;
  std::string aircraftProfile_;  // the profile last loaded for an aircraft
  std::set<std::string> failedTitles_;
  // A question or message box of ours is open; ticks go on meanwhile, and
  // an aircraft that arrives then waits for it to close.
  bool busy_ = false;
  std::optional<std::string> waitingTitle_;
  bool syncDue_ = false;
  bool toldWaiting_ = false;
};

}  // namespace qv
