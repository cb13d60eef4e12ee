#pragma once

#include <sys/un.h>

#include <optional>
#include <string>

namespace qv::net {

// Creates `folder` with mode 0700, or accepts it when it already is a real
// folder of this user that nobody else may enter; false with the reason
// otherwise, leaving whatever is there as it is.
// The address of the local socket at `path`; false when the path is too long.
bool localAddress(const std::string& path, sockaddr_un& address);

// A non-blocking packet socket connected to the local socket at `path`; -1
// with errno set when there is none. The connect never waits: a listener that
// takes no connections (stopped, queue full) gives EAGAIN.
int connectLocalSocket(const std::string& path);

// The user of the process at the other end of a connected local socket,
// none when the system cannot tell. Both sides talk only to their own user:
// a socket in a shared folder may belong to anyone.
std::optional<unsigned> peerUser(int fd);

bool makePrivateFolder(const std::string& folder, std::string& error);

// Readies `path` for a new socket: nothing there, or a stale socket of this
// user, which is removed. False with the reason when a simulator answers
// there or when anything else lies there, which is left untouched.
bool clearSocketPath(const std::string& path, std::string& error);

}  // namespace qv::net
