#pragma once

#include <string>

namespace qv {

class ProfileStorage;

// The window's own settings, kept in a small file beside the start-up
// profile so that the profile's format stays as it is.
struct Settings {
  bool syncAircraftToPanel = false;
};

// The settings file beside the start-up profile.
std::string settingsFileBeside(const std::string& startupProfile);

// Reads the settings at the UTF-8 path; a missing file or a line it does not
// know leaves the defaults.
Settings readSettings(const std::string& path);

// Writes the settings; false when the file could not be written, and then
// the old file is as it was.
bool writeSettings(ProfileStorage& storage, const std::string& path, const Settings& settings);

}  // namespace qv
