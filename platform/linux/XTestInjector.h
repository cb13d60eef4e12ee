#pragma once

#include <memory>

#include "platform/KeyInjector.h"

namespace qv {

// Injects key batches into the X server of $DISPLAY through the XTest
// extension. Without a display or the extension the batches go nowhere.
std::unique_ptr<KeyInjector> makeXTestInjector();
// The same, but nullptr without a display or the extension.
std::unique_ptr<KeyInjector> openXTestInjector();

}  // namespace qv
