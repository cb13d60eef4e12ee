#pragma once

#include <string>

namespace qv {

class NamedTexts;

// Reads the profile at the UTF-8 path into the controls, line by line in
// file order. False when the file is not a readable regular file, holds no
// profile line, or a line is empty (blank lines at the end excepted), has
// fewer than seven fields or an id that is not a whole number; the lines
// before that one stay applied, and `problem` says which line is wrong and
// why (it stays empty when the file itself cannot be read). A leading UTF-8
// byte-order mark is taken to mean the rest is UTF-8, not the code page.
bool readProfile(const std::string& path, NamedTexts& texts, std::string& problem);

}  // namespace qv
