#include "profile/LinkTarget.h"

#include <system_error>

namespace qv {

namespace fs = std::filesystem;

namespace {

// As many links as the system itself follows before it calls it a loop.
constexpr int kMostLinks = 40;

}  // namespace

std::optional<fs::path> linkTarget(const fs::path& path) {
  fs::path current = path;
  for (int followed = 0; followed <= kMostLinks; ++followed) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(current, error))) {
      return current;
    }
    const fs::path next = fs::read_symlink(current, error);
    if (error) {
      return std::nullopt;
    }
    current = next.is_absolute() ? next : current.parent_path() / next;
  }
  return std::nullopt;
}

}  // namespace qv
