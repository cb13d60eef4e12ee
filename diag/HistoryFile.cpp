#include "diag/HistoryFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "profile/Utf8Path.h"

namespace qv {

namespace {

std::string failure(const char* what, const std::string& path, int error) {
  return std::string(what) + " \"" + path + "\". " + std::strerror(error);
}

}  // namespace

std::optional<std::string> writeHistoryFile(const std::string& path,
                                            const std::vector<std::string>& lines) {
  // Every call takes the name as a path made from UTF-8: a narrow name would
  // be read in the ANSI code page on Windows and miss any folder named
  // outside it.
  const std::filesystem::path target = utf8Path(path);
  // Written beside the file and renamed over it: a failed write leaves an
  // existing file as it was.
  std::filesystem::path part = target;
  part += ".part";
  std::error_code ignored;
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
    static_cast<void>(std::filesystem::remove(part, ignored));
    return failure("Cannot write file", path, error);
  }
  // std::filesystem::rename replaces an existing file on every platform;
  // C's rename refuses to on Windows.
  std::error_code renamed;
  std::filesystem::rename(part, target, renamed);
  if (renamed) {
    static_cast<void>(std::filesystem::remove(part, ignored));
    return failure("Cannot write file", path, renamed.value());
  }
  return std::nullopt;
}

}  // namespace qv
