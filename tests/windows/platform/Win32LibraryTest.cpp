#include <gtest/gtest.h>
#include <windows.h>

#include "platform/DynamicLibrary.h"
#include "platform/windows/Win32Text.h"

namespace qv {
namespace {

// Wine's message texts differ from Windows', so each failure is checked
// against the system's own text for the code Windows gives.
TEST(Win32Library, FailuresCarryTheSystemsTextOfTheirCode) {
  EXPECT_EQ(libraryFileName("SimConnect"), "SimConnect.dll");
  const std::string missingModule = systemMessage(ERROR_MOD_NOT_FOUND);
  const std::string missingExport = systemMessage(ERROR_PROC_NOT_FOUND);
  ASSERT_FALSE(missingModule.empty());
  ASSERT_FALSE(missingExport.empty());
  ASSERT_NE(missingModule, missingExport);
  EXPECT_EQ(missingModule.back() == '\n' || missingModule.back() == '\r', false);

  std::string error;
  EXPECT_EQ(openLibrary("QvNoSuchLibrary.dll", error), nullptr);
  EXPECT_EQ(error, missingModule);

  error.clear();
  const LibraryHandle kernel = openLibrary("kernel32.dll", error);
  ASSERT_NE(kernel, nullptr);
  EXPECT_TRUE(error.empty());
  EXPECT_EQ(resolveLibrarySymbol(kernel, "QvNoSuchEntryPoint", error), nullptr);
  EXPECT_EQ(error, missingExport);
  error.clear();
  EXPECT_EQ(
      resolveLibrarySymbol(kernel, "GetTickCount", error),
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetTickCount")));
  EXPECT_TRUE(error.empty());
  closeLibrary(kernel);
}

}  // namespace
}  // namespace qv
