#include "engine/NamedTexts.h"

namespace qv {

std::string NamedTextMap::text(std::string_view name) const {
  const auto it = texts_.find(name);
  return it == texts_.end() ? std::string{} : it->second;
}

void NamedTextMap::setText(std::string_view name, const std::string& value) {
  texts_.insert_or_assign(std::string(name), value);
}

}  // namespace qv
