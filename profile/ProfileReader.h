#pragma once

#include <string>

namespace qv {

class NamedTexts;

// Reads the profile at the UTF-8 path into the controls, line by line in
// file order. False when the file is not a readable regular file or a line
// is empty, has fewer than seven fields or an id that is not a whole
// number; the lines before that one stay applied.
bool readProfile(const std::string& path, NamedTexts& texts);

}  // namespace qv
