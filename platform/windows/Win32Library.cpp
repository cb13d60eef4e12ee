#include <windows.h>

#include <string>

#include "platform/DynamicLibrary.h"
#include "platform/windows/Win32Text.h"

namespace qv {

std::string libraryFileName(const std::string& baseName) {
  return baseName + ".dll";
}

LibraryHandle openLibrary(const std::string& fileName, std::string& error) {
  // The loader looks beside the executable first, and the program's manifest
  // may name a side-by-side assembly that supplies the library by this name,
  // so the name goes to LoadLibraryW as given.
  HMODULE library = LoadLibraryW(wide(fileName).c_str());
  if (library == nullptr) {
    error = systemMessage(GetLastError());
  }
  return static_cast<LibraryHandle>(library);
}

void* resolveLibrarySymbol(LibraryHandle library, const char* name, std::string& error) {
  const FARPROC symbol = GetProcAddress(static_cast<HMODULE>(library), name);
  if (symbol == nullptr) {
    error = systemMessage(GetLastError());
  }
  return reinterpret_cast<void*>(symbol);
}

void closeLibrary(LibraryHandle library) {
  static_cast<void>(FreeLibrary(static_cast<HMODULE>(library)));
}

}  // namespace qv
