#include "profile/ProfileReader.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "engine/KeyTable.h"
#include "engine/NamedTexts.h"
#include "profile/ProfileLayout.h"
#include "profile/ProfileLineFormat.h"
#include "profile/Utf8Path.h"
#include "profile/Windows1252.h"

namespace qv {

namespace {

bool applyLine(std::string_view line, NamedTexts& texts) {
  const std::vector<std::string> fields = splitProfileLine(line, kProfileFieldCount);
  if (fields.size() < kProfileFieldCount) {
    return false;
  }
  int32_t id = 0;
  try {
    id = StrToInt(fields[0]);
  } catch (const ConversionError&) {
    return false;
  }
  if (id < 1 || id > kProfileLineCount) {
    return true;
  }
  const ProfileLine& layout = profileLines()[static_cast<size_t>(id - 1)];
  for (size_t i = 0; i < layout.fields.size(); ++i) {
    const ProfileField& field = layout.fields[i];
    if (field.readBack) {
      texts.setText(field.control, windows1252ToUtf8(fields[i + 1]));
    }
  }
  return true;
}

}  // namespace

bool readProfile(const std::string& path, NamedTexts& texts) {
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
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (!applyLine(line, texts)) {
      return false;
    }
  }
  return !in.bad();
}

}  // namespace qv
