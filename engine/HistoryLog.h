#pragma once

#include <string>

namespace qv {

// The raw device console's history list. Every line is added at the end and
// becomes the selected line.
class HistoryLog {
 public:
  virtual ~HistoryLog() = default;
  virtual void appendLine(const std::string& line) = 0;
  virtual void clear() = 0;
};

}  // namespace qv
