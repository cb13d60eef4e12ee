#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "engine/KeyTable.h"

namespace qv {

class KeyInjector;

// Emits the keys of one function record: 'D' keys down, 'U' keys up, 'P' a
// press (down batch, then up batch). Both batches list key1, key2, key3 in
// that order. Any other character emits nothing.
void sendkeys(char KS, const TKeyPressRec& rec, KeyInjector& injector);
// The same for a list of codes, sent in its order.
void sendkeys(char KS, std::span<const uint16_t> codes, KeyInjector& injector);

// The codes a record sends: the first `keys` of key1, key2, key3.
std::vector<uint16_t> keyCodes(const TKeyPressRec& rec);

}  // namespace qv
