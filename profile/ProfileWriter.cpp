#include "profile/ProfileWriter.h"

#include <vector>

#include "engine/NamedTexts.h"
#include "profile/ProfileLayout.h"
#include "profile/ProfileLineFormat.h"
#include "profile/ProfileStorage.h"
#include "profile/Windows1252.h"

namespace qv {

bool writeProfile(ProfileStorage& storage, const std::string& path, const NamedTexts& texts) {
  const std::unique_ptr<ReplacementFile> file = storage.replace(path);
  if (!file) {
    return false;
  }
  for (const ProfileLine& line : profileLines()) {
    std::vector<std::string> values;
    values.reserve(line.fields.size());
    for (const ProfileField& field : line.fields) {
      values.push_back(field.control.empty() ? std::string(field.fixed)
                                             : texts.text(field.control));
    }
    const std::string bytes = utf8ToWindows1252(formatProfileLine(line.id, values)) + "\r\n";
    if (!file->write(bytes)) {
      return false;
    }
  }
  return file->commit();
}

}  // namespace qv
