#pragma once

#include <filesystem>
#include <optional>

namespace qv {

// The file a write to the path changes: the end of its chain of symbolic
// links, which need not exist yet; the path itself when it is no link.
// Nothing when the chain cannot be read or does not end.
std::optional<std::filesystem::path> linkTarget(const std::filesystem::path& path);

}  // namespace qv
