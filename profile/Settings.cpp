#include "profile/Settings.h"

#include <fstream>
#include <memory>

#include "profile/ProfileStorage.h"
#include "profile/Utf8Path.h"

namespace qv {

namespace {
constexpr std::string_view kSyncKey = "SyncAircraftToPanel=";
}  // namespace

std::string settingsFileBeside(const std::string& startupProfile) {
  const std::u8string beside =
      (utf8Path(startupProfile).parent_path() / "quorvane-settings.ini").u8string();
  return {beside.begin(), beside.end()};
}

Settings readSettings(const std::string& path) {
  Settings settings;
  std::ifstream file(utf8Path(path), std::ios::binary);
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (line.starts_with(kSyncKey)) {
      settings.syncAircraftToPanel = line.substr(kSyncKey.size()) == "1";
    }
  }
  return settings;
}

bool writeSettings(ProfileStorage& storage, const std::string& path, const Settings& settings) {
  const std::unique_ptr<ReplacementFile> file = storage.replace(path);
  return file &&
         file->write(std::string(kSyncKey) + (settings.syncAircraftToPanel ? "1" : "0") + "\r\n") &&
         file->commit();
}

}  // namespace qv
