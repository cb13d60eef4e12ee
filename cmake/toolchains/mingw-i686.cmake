# Cross-build for 32-bit Windows with mingw-w64: the build for the simulator's
# own 32-bit client library. Wine cannot run 32-bit programs here, so there is
# no emulator: this build is checked, not run.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(QV_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
