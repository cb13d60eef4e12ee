#include "ui/AircraftFollower.h"

#include "engine/HistoryLog.h"
#include "engine/SwitchEngine.h"
#include "profile/AircraftProfiles.h"
#include "profile/ProfileFile.h"
#include "sim/SimulatorLink.h"
#include "ui/Controls.h"

namespace qv {

AircraftFollower::AircraftFollower(const Parts& parts, const std::string& startupProfile)
    : parts_(parts),
      startupProfile_(startupProfile),
      profileFolder_(aircraftProfileFolder(startupProfile)),
      settingsFile_(settingsFileBeside(startupProfile)),
      settings_(readSettings(settingsFile_)) {
  parts_.controls.setChecked(kSyncCheckBox, settings_.syncAircraftToPanel);
}

void AircraftFollower::aircraftReady(const std::string& title) {
  waitingTitle_ = title;
  if (busy_) {
    return;
  }
  busy_ = true;
  while (waitingTitle_) {
    const std::string next = *waitingTitle_;
    waitingTitle_.reset();
    followProfile(next);
    // The sync reads the rows of the profile now loaded.
    syncDue_ = true;
    toldWaiting_ = false;
  }
  busy_ = false;
  syncIfDue();
}

void AircraftFollower::followProfile(const std::string& title) {
  const std::optional<std::string> own = aircraftProfileFor(profileFolder_, title);
  const std::string& current = parts_.profile.currentfile();
  // Without a profile of its own the aircraft returns to the start-up
  // profile, but only from an aircraft's: a profile the user loaded stays.
  if (!own && (aircraftProfile_.empty() || current != aircraftProfile_)) {
    return;
  }
  const std::string wanted = own.value_or(startupProfile_);
  if (wanted == current) {
    return;
  }
  if (parts_.profile.unsavedChanges() &&
      !parts_.toolkit.askYesNo("The pages hold changes not saved in " + current + ". Load " +
                               wanted + " for \"" + title + "\" and lose them?")) {
    return;
  }
  std::string problem;
  if (!parts_.profile.switchTo(wanted, problem)) {
    if (failedTitles_.insert(title).second) {
      parts_.toolkit.showMessage(std::string(kLoadFailedMessage) + wanted +
                                 (problem.empty() ? "" : "\n" + problem));
    }
    return;
  }
  aircraftProfile_ = own ? wanted : std::string();
}

void AircraftFollower::tick() {
  const bool wanted = parts_.controls.checked(kSyncCheckBox);
  if (wanted != settings_.syncAircraftToPanel) {
    settings_.syncAircraftToPanel = wanted;
    if (!writeSettings(parts_.storage, settingsFile_, settings_)) {
      parts_.history.appendLine("The settings could not be saved in " + settingsFile_);
    }
  }
  if (!busy_) {
    syncIfDue();
  }
}

void AircraftFollower::syncIfDue() {
  if (!syncDue_) {
    return;
  }
  if (!parts_.controls.checked(kSyncCheckBox)) {
    syncDue_ = false;
    return;
  }
  // Until the panel's first report the positions of its switches are not
  // known; the sync waits for it rather than guess.
  if (!parts_.engine.panelinit) {
    if (!toldWaiting_) {
      parts_.history.appendLine(kSyncWaitsLine);
      toldWaiting_ = true;
    }
    return;
  }
  syncDue_ = false;
  for (const std::string& line : parts_.simulator.syncToPanel(parts_.engine.switchkeys)) {
    parts_.history.appendLine(line);
  }
}

}  // namespace qv
