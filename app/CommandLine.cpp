#include "app/CommandLine.h"

#include <cstdio>
#include <string_view>

namespace qv {

namespace {

constexpr std::string_view kUsage =
    "usage: quorvane [--help | --version]\n"
    "Maps a Saitek Pro Flight Switch Panel to keystrokes and simulator events.\n"
    "Loads profile.psv from the current folder; quorvane-launcher starts it in\n"
    "the user's own folder instead, as the menu does.\n"
    "  --help     show this text and exit\n"
    "  --version  show the version and exit\n";

}  // namespace

std::optional<int> answerCommandLine(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view option = argv[i];
    if (option == "--help" || option == "-h") {
      std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
      return 0;
    }
    if (option == "--version") {
      std::puts("Quorvane " QV_VERSION);
      return 0;
    }
  }
  return std::nullopt;
}

}  // namespace qv
