#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "platform/HidPlatform.h"

namespace qv {

// Reads from `file`, opened with FILE_FLAG_OVERLAPPED, one overlapped read at
// a time; takes the handle over. Nothing when the read's event cannot be
// made: `error` then holds why and the handle is closed.
std::unique_ptr<HidInputChannel> makeOverlappedInputChannel(HANDLE file, uint32_t& error);

}  // namespace qv
