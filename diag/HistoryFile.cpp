#include "diag/HistoryFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace qv {

namespace {

std::string failure(const char* what, const std::string& path, int error) {
  return std::string(what) + " \"" + path + "\". " + std::strerror(error);
}

}  // namespace

std::optional<std::string> writeHistoryFile(const std::string& path,
                                            const std::vector<std::string>& lines) {
  // Written beside the file and renamed over it: a failed write leaves an
  // existing file as it was.
  const std::string part = path + ".part";
  errno = 0;
  std::ofstream out(part, std::ios::binary | std::ios::trunc);
  if (!out) {
    return failure("Cannot create file", path, errno != 0 ? errno : EIO);
  }
  for (const std::string& line : lines) {
    out << line << "\r\n";
  }
  out.close();
  if (!out) {
    const int error = errno != 0 ? errno : EIO;
    static_cast<void>(std::remove(part.c_str()));
    return failure("Cannot write file", path, error);
  }
  // std::filesystem::rename replaces an existing file on every platform;
  // C's rename refuses to on Windows.
  std::error_code renamed;
  std::filesystem::rename(part, path, renamed);
  if (renamed) {
    static_cast<void>(std::remove(part.c_str()));
    return failure("Cannot write file", path, renamed.value());
  }
  return std::nullopt;
}

}  // namespace qv
