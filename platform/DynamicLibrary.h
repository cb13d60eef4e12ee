#pragma once

#include <string>

// The calling convention of a run-time library's exported C entry points:
// __stdcall on 32-bit Windows, the platform's default elsewhere.
#if defined(_WIN32) && !defined(_WIN64)
#define QV_LIBRARY_CALL __stdcall
#else
#define QV_LIBRARY_CALL
#endif

namespace qv {

// A library loaded at run time; nullptr while none is loaded.
using LibraryHandle = void*;

// The platform's file name of a library called `baseName`
// ("SimConnect" -> "SimConnect.dll" or "libSimConnect.so").
std::string libraryFileName(const std::string& baseName);

// Opens a library. A bare file name is looked for next to the executable
// first, then where the system looks for libraries; a path is opened as
// given. On failure nullptr, and `error` holds the system's own text.
LibraryHandle openLibrary(const std::string& fileName, std::string& error);

// The address of an exported entry point. On failure nullptr, and `error`
// holds the system's own text.
void* resolveLibrarySymbol(LibraryHandle library, const char* name, std::string& error);

void closeLibrary(LibraryHandle library);

}  // namespace qv
