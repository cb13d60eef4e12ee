#include "platform/linux/SocketFile.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Sockets.h"

namespace qv::net {

namespace {

// 0 when a process listens at `path`, else the error of the connect.
int probe(const std::string& path) {
  const int fd = connectLocalSocket(path);
  if (fd < 0) {
    return errno;
  }
  close(fd);
  return 0;
}

}  // namespace

bool localAddress(const std::string& path, sockaddr_un& address) {
  address = sockaddr_un{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) {
    return false;
  }
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

int connectLocalSocket(const std::string& path) {
  sockaddr_un address{};
  if (!localAddress(path, address)) {
    errno = ENAMETOOLONG;
    return -1;
  }
  const int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0 || connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
    return fd;
  }
  const int failure = errno;
  close(fd);
  errno = failure;
  return -1;
}

bool makePrivateFolder(const std::string& folder, std::string& error) {
  if (mkdir(folder.c_str(), 0700) == 0) {
    // The umask may have taken bits away; the folder must be usable.
    if (chmod(folder.c_str(), 0700) != 0) {
      error = "cannot set the mode of " + folder + ": " + lastErrorText();
      return false;
    }
    return true;
  }
  if (errno != EEXIST) {
    error = "cannot create " + folder + ": " + lastErrorText();
    return false;
  }
  struct stat found {};
  if (lstat(folder.c_str(), &found) != 0 || !S_ISDIR(found.st_mode) || found.st_uid != geteuid() ||
      (found.st_mode & 077) != 0) {
    error = folder + " is not a private folder of this user (mode 0700); not used";
    return false;
  }
  return true;
}

bool clearSocketPath(const std::string& path, std::string& error) {
  struct stat found {};
  if (lstat(path.c_str(), &found) != 0) {
    if (errno == ENOENT) {
      return true;
    }
    error = "cannot check " + path + ": " + lastErrorText();
    return false;
  }
  if (!S_ISSOCK(found.st_mode)) {
    error = path + " is not a socket; left untouched";
    return false;
  }
  if (found.st_uid != geteuid()) {
    error = path + " belongs to another user; left untouched";
    return false;
  }
  const int probed = probe(path);
  if (probed == 0 || probed == EAGAIN) {
    error = "a stand-in simulator already runs on " + path;
    return false;
  }
  if (probed != ECONNREFUSED) {
    error = "cannot check " + path + ": " + std::strerror(probed);
    return false;
  }
  // The socket of a stand-in of this user that was killed.
  if (unlink(path.c_str()) != 0) {
    error = "cannot remove the stale socket " + path + ": " + lastErrorText();
    return false;
  }
  return true;
}

}  // namespace qv::net
