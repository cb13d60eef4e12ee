#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Field 1 in decimal, every further value between double quotes with any
// double quote inside doubled, commas between; no line end.
std::string formatProfileLine(int id, const std::vector<std::string>& values);

// The fields of one line (line end removed). A field that begins with a
// double quote runs to the next double quote that is not doubled; characters
// after that quote up to the next comma form a field of their own. Any other
// field is taken verbatim up to the next comma. A trailing comma gives an
// empty last field; an empty line has no fields. Splitting stops after
// maxFields fields, so a line of a million commas costs nothing.
std::vector<std::string> splitProfileLine(std::string_view line, size_t maxFields);

}  // namespace qv
