// One running copy per user on Linux: an flock on a file in the user's
// runtime folder. The kernel drops the lock when the process ends, however
// it ends, so a crashed copy never blocks the next start.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/SingleInstance.h"

namespace qv {

namespace {

// Reads errno first, before building the text may change it.
std::string systemText(const char* what, const std::string& path) {
  const int error = errno;
  return std::string(what) + " " + path + ": " + std::strerror(error);
}

// $XDG_RUNTIME_DIR belongs to the user alone. Without it, a folder of the
// user's own in /tmp, refused when someone else made it or may enter it.
std::string lockFolder(std::string& problem) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/') {
    return runtime;
  }
  std::string folder = "/tmp/quorvane-" + std::to_string(getuid());
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    problem = systemText("cannot make", folder);
    return {};
  }
  struct stat status {};
  if (lstat(folder.c_str(), &status) != 0) {
    problem = systemText("cannot examine", folder);
    return {};
  }
  if (!S_ISDIR(status.st_mode) || status.st_uid != getuid() || (status.st_mode & 077) != 0) {
    problem = folder + " is not a folder of this user's alone (mode 0700)";
    return {};
  }
  return folder;
}

}  // namespace

InstanceClaim claimSingleInstance() {
  InstanceClaim claim;
  const std::string folder = lockFolder(claim.problem);
  if (folder.empty()) {
    return claim;
  }
  const std::string path = folder + "/quorvane.lock";
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) {
    claim.problem = systemText("cannot open", path);
    return claim;
  }
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK) {
      claim.anotherRuns = true;
    } else {
      claim.problem = systemText("cannot lock", path);
    }
    static_cast<void>(close(fd));
    return claim;
  }
  claim.lock = std::make_unique<InstanceLock>([fd] { static_cast<void>(close(fd)); });
  return claim;
}

}  // namespace qv
