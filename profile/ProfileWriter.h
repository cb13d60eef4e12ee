#pragma once

#include <string>

namespace qv {

class NamedTexts;
class ProfileStorage;

// Writes the 38 lines of the profile from the current control texts, in
// Windows-1252 with CR LF after every line. False when the file could not be
// started, a write failed or the file could not be put in place; the old
// file is then as it was.
bool writeProfile(ProfileStorage& storage, const std::string& path, const NamedTexts& texts);

}  // namespace qv
