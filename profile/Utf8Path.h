#pragma once

#include <filesystem>
#include <string_view>

namespace qv {

// File names travel as UTF-8; this keeps them intact where the native
// path encoding is not UTF-8.
std::filesystem::path utf8Path(std::string_view name);

}  // namespace qv
