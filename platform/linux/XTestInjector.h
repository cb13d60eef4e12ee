#pragma once

#include <memory>

#include "platform/KeyInjector.h"

namespace qv {

// Injects key batches into the X server of $DISPLAY through the XTest
// extension. Without a display or the extension the batches go nowhere.
std::unique_ptr<KeyInjector> makeXTestInjector();

}  // namespace qv
