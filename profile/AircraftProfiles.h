#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qv {

// The folder of the aircraft's own profiles, beside the start-up profile.
std::string aircraftProfileFolder(const std::string& startupProfile);

// The aircraft title as a file name: characters that a file name cannot hold
// on either platform become '_'.
std::string fileNameOfTitle(std::string_view title);

// The profile in `folder` (UTF-8) for the aircraft `title`: the ".psv" file
// whose name, without the extension, is the longest that the title's file
// name starts with, so that one profile serves every variant of an aircraft.
// Letters match in either case, as file names do on Windows. Nothing when no
// file fits or the folder cannot be read.
std::optional<std::string> aircraftProfileFor(const std::string& folder, std::string_view title);

}  // namespace qv
