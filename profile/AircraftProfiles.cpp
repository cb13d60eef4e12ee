#include "profile/AircraftProfiles.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "profile/Utf8Path.h"

namespace qv {

namespace {

constexpr std::string_view kProfileExtension = ".psv";

bool sameLetter(char a, char b) {
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  return lower(a) == lower(b);
}

bool startsWith(std::string_view text, std::string_view prefix) {
  return prefix.size() <= text.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), sameLetter);
}

std::string utf8Text(const std::filesystem::path& path) {
  const std::u8string u8 = path.u8string();
  return {u8.begin(), u8.end()};
}

}  // namespace

std::string aircraftProfileFolder(const std::string& startupProfile) {
  const std::filesystem::path beside = utf8Path(startupProfile).parent_path();
  return utf8Text(beside / "profiles");
}

std::string fileNameOfTitle(std::string_view title) {
  constexpr std::string_view kNotInFileNames = "<>:\"/\\|?*";
  std::string name;
  name.reserve(title.size());
  for (const char c : title) {
    const bool control = static_cast<unsigned char>(c) < 0x20;
    name += control || kNotInFileNames.find(c) != std::string_view::npos ? '_' : c;
  }
  return name;
}

std::optional<std::string> aircraftProfileFor(const std::string& folder, std::string_view title) {
  const std::string wanted = fileNameOfTitle(title);
  std::optional<std::string> best;
  size_t bestLength = 0;
  std::error_code error;
  for (std::filesystem::directory_iterator entry(utf8Path(folder), error), end;
       !error && entry != end; entry.increment(error)) {
    const std::string name = utf8Text(entry->path().filename());
    if (name.size() <= kProfileExtension.size() ||
        !startsWith(name.substr(name.size() - kProfileExtension.size()), kProfileExtension)) {
      continue;
    }
    const std::string_view stem =
        std::string_view(name).substr(0, name.size() - kProfileExtension.size());
    if (stem.size() > bestLength && startsWith(wanted, stem) && entry->is_regular_file(error)) {
      best = utf8Text(entry->path());
      bestLength = stem.size();
    }
  }
  return best;
}

}  // namespace qv
