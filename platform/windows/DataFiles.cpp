#include "platform/DataFiles.h"

#include <windows.h>

#include <array>
#include <cstdlib>

#include "platform/windows/Win32Text.h"

namespace qv {

std::vector<std::string> simulatorMappingFiles() {
  std::array<wchar_t, MAX_PATH> path{};
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), MAX_PATH);
  std::string program = narrow(std::wstring_view(path.data(), length));
  program = program.substr(0, program.find_last_of("\\/") + 1);
  std::vector<std::string> files{program + "simulators.json"};
  if (const char* appData = std::getenv("APPDATA"); appData != nullptr && *appData != 0) {
    files.push_back(std::string(appData) + "\\Quorvane\\simulators.json");
  }
  return files;
}

}  // namespace qv
