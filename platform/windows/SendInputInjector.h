#pragma once

#include <windows.h>

#include <memory>
#include <span>
#include <vector>

#include "platform/KeyInjector.h"

namespace qv {

// The keyboard records SendInput gets for one batch: each key with its
// virtual-key code as stored, the scan code the active layout gives it and
// the extended-key flag where the key is an extended one. Programs that read
// the keyboard through DirectInput or raw input see only the scan code.
std::vector<INPUT> keyboardRecords(std::span<const KeyEvent> batch);

// Injects key batches with SendInput, one call per batch. After each batch it
// knows whether Windows keeps keystrokes from the focused program.
std::unique_ptr<KeyInjector> makeSendInputInjector();

}  // namespace qv
