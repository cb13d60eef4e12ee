#pragma once

#include <string>
#include <vector>

#include "engine/HistoryLog.h"

namespace qv::test {

class RecordingHistory final : public HistoryLog {
 public:
  void appendLine(const std::string& line) override { lines.push_back(line); }
  void clear() override { lines.clear(); }
  std::vector<std::string> lines;
};

}  // namespace qv::test
