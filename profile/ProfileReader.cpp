#include "profile/ProfileReader.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "engine/KeyTable.h"
#include "engine/NamedTexts.h"
#include "profile/ProfileLayout.h"
#include "profile/ProfileLineFormat.h"
#include "profile/Utf8Path.h"
#include "profile/Windows1252.h"

namespace qv {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Why the line cannot be applied; none when it was.
std::optional<std::string> applyLine(std::string_view line, bool utf8, NamedTexts& texts) {
  const std::vector<std::string> fields = splitProfileLine(line, kProfileFieldCount);
  if (fields.size() < kProfileFieldCount) {
    return std::to_string(fields.size()) + " fields where " + std::to_string(kProfileFieldCount) +
           " are expected";
  }
  int32_t id = 0;
  try {
    id = StrToInt(fields[0]);
  } catch (const ConversionError&) {
    return "the id \"" + fields[0] + "\" is not a whole number";
  }
  if (id < 1 || id > kProfileLineCount) {
    return std::nullopt;
  }
  const ProfileLine& layout = profileLines()[static_cast<size_t>(id - 1)];
  for (size_t i = 0; i < layout.fields.size(); ++i) {
    const ProfileField& field = layout.fields[i];
    if (field.readBack) {
      const std::string& value = fields[i + 1];
      texts.setText(field.control, utf8 ? value : windows1252ToUtf8(value));
    }
  }
  return std::nullopt;
}

}  // namespace

bool readProfile(const std::string& path, NamedTexts& texts, std::string& problem) {
  problem.clear();
  const std::filesystem::path file = utf8Path(path);
  std::error_code error;
  // Only a regular file: a device or a pipe could stream forever.
  if (!std::filesystem::is_regular_file(file, error)) {
    return false;
  }
  std::ifstream in(file, std::ios::binary);
  if (!in.is_open()) {
    return false;
  }
  std::string line;
  size_t number = 0;
  size_t profileLines = 0;
  // Editors leave blank lines at the end; one before a further line is an
  // error in the file.
  size_t firstBlank = 0;
  bool utf8 = false;
  while (std::getline(in, line)) {
    ++number;
    if (number == 1 && line.starts_with(kUtf8Mark)) {
      utf8 = true;
      line.erase(0, kUtf8Mark.size());
    }
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (line.empty()) {
      firstBlank = firstBlank == 0 ? number : firstBlank;
      continue;
    }
    if (firstBlank != 0) {
      problem = "line " + std::to_string(firstBlank) + ": the line is empty";
      return false;
    }
    if (const std::optional<std::string> wrong = applyLine(line, utf8, texts)) {
      problem = "line " + std::to_string(number) + ": " + *wrong;
      return false;
    }
    ++profileLines;
  }
  if (in.bad()) {
    return false;
  }
  if (profileLines == 0) {
    problem = "the file holds no profile line";
    return false;
  }
  return true;
}

}  // namespace qv
