#pragma once

#include <optional>

namespace qv {

// --help and --version are answered on standard output without a window;
// the program then ends with the status returned. Anything else is left to
// Qt's own options and the program starts.
std::optional<int> answerCommandLine(int argc, const char* const* argv);

}  // namespace qv
