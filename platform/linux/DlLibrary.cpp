#include <dlfcn.h>
#include <unistd.h>

#include <string>

#include "platform/DataFiles.h"
#include "platform/DynamicLibrary.h"

namespace qv {

namespace {

std::string dlErrorText() {
  const char* text = dlerror();
  return text != nullptr ? text : "";
}

LibraryHandle openPath(const std::string& path, std::string& error) {
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    error = dlErrorText();
  }
  return library;
}

}  // namespace

std::string libraryFileName(const std::string& baseName) {
  return "lib" + baseName + ".so";
}

LibraryHandle openLibrary(const std::string& fileName, std::string& error) {
  if (fileName.find('/') != std::string::npos) {
    return openPath(fileName, error);
  }
  // A library found next to the program is the one meant, even when it then
  // fails to load: its failure is the one reported.
  const std::string directory = executableDirectory();
  if (!directory.empty()) {
    const std::string besideExecutable = directory + fileName;
    if (access(besideExecutable.c_str(), F_OK) == 0) {
      return openPath(besideExecutable, error);
    }
  }
  return openPath(fileName, error);
}

void* resolveLibrarySymbol(LibraryHandle library, const char* name, std::string& error) {
  static_cast<void>(dlerror());
  void* symbol = dlsym(library, name);
  if (symbol == nullptr) {
    error = dlErrorText();
  }
  return symbol;
}

void closeLibrary(LibraryHandle library) {
  static_cast<void>(dlclose(library));
}

}  // namespace qv
