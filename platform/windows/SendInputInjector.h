#pragma once

#include <memory>

#include "platform/KeyInjector.h"

namespace qv {

// Injects key batches with SendInput: one call per batch, keyboard records
// carrying only the virtual-key code and the key-up flag.
std::unique_ptr<KeyInjector> makeSendInputInjector();

}  // namespace qv
