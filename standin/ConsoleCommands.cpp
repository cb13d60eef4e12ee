#include "standin/ConsoleCommands.h"

#include <poll.h>
#include <unistd.h>

#include <array>

#include "standin/Aircraft.h"

namespace qv::standin {

namespace {

constexpr std::string_view kTitleCommand = "title ";

void carryOut(std::string line, Aircraft& aircraft, std::ostream& out) {
  if (!line.empty() && line.back() == '\r') {
    line.pop_back();
  }
  if (line.starts_with(kTitleCommand) && line.size() > kTitleCommand.size()) {
    aircraft.setTitle(line.substr(kTitleCommand.size()));
    out << "title: \"" << aircraft.title() << "\"" << std::endl;
  } else if (!line.empty()) {
    out << "unknown command, ignored: " << line << std::endl;
  }
}

}  // namespace

void ConsoleCommands::serve(Aircraft& aircraft, std::ostream& out) {
  std::array<char, 512> chunk{};
  while (fd_ >= 0) {
    pollfd waiting{fd_, POLLIN, 0};
    if (poll(&waiting, 1, 0) != 1) {
      return;
    }
    const ssize_t got = read(fd_, chunk.data(), chunk.size());
    if (got <= 0) {
      fd_ = -1;  // the input ended or broke; the simulator goes on
      return;
    }
    partial_.append(chunk.data(), static_cast<size_t>(got));
    for (size_t end = partial_.find('\n'); end != std::string::npos; end = partial_.find('\n')) {
      carryOut(partial_.substr(0, end), aircraft, out);
      partial_.erase(0, end + 1);
    }
  }
}

}  // namespace qv::standin
