#pragma once

#include <string>

namespace qv::standin {

// Creates `folder` with mode 0700, or accepts it when it already is a real
// folder of this user that nobody else may enter; false with the reason
// otherwise, leaving whatever is there as it is.
bool makePrivateFolder(const std::string& folder, std::string& error);

// Readies `path` for a new socket: nothing there, or a stale socket of this
// user, which is removed. False with the reason when a simulator answers
// there or when anything else lies there, which is left untouched.
bool clearSocketPath(const std::string& path, std::string& error);

}  // namespace qv::standin
