#pragma once

#include <Qt>
#include <cstdint>

namespace qv {

// The Windows virtual-key code of a Qt key event: the inverse of the key
// injector's code table, so a code read here injects the same key. The
// shifted symbols of the US layout give the code of their key; a key with
// no code gives 0.
uint16_t virtualKeyForQtKey(int qtKey, Qt::KeyboardModifiers modifiers);

}  // namespace qv
