#pragma once

#include "engine/KeyTable.h"

namespace qv {

class KeyInjector;

// Emits the keys of one function record: 'D' keys down, 'U' keys up, 'P' a
// press (down batch, then up batch). Both batches list key1, key2, key3 in
// that order. Any other character emits nothing.
void sendkeys(char KS, const TKeyPressRec& rec, KeyInjector& injector);

}  // namespace qv
