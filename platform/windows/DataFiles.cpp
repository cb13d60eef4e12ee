#include "platform/DataFiles.h"

#include <windows.h>

#include <array>
#include <cstdlib>

#include "platform/windows/Win32Text.h"

namespace qv {

std::string executableDirectory() {
  std::array<wchar_t, MAX_PATH> path{};
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), MAX_PATH);
  const std::string program = narrow(std::wstring_view(path.data(), length));
  return program.substr(0, program.find_last_of("\\/") + 1);
}

std::vector<std::string> simulatorMappingFiles() {
  std::vector<std::string> files{executableDirectory() + "simulators.json"};
  if (const char* appData = std::getenv("APPDATA"); appData != nullptr && *appData != 0) {
    files.push_back(std::string(appData) + "\\Quorvane\\simulators.json");
  }
  return files;
}

}  // namespace qv
