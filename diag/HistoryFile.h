#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qv {

// Writes the history lines to `path`, each line ended by CR LF. An existing
// file is replaced only once every line is written. Returns the error
// message when the file cannot be written, nothing on success.
std::optional<std::string> writeHistoryFile(const std::string& path,
                                            const std::vector<std::string>& lines);

}  // namespace qv
