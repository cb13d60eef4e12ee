#pragma once

#include <cstdint>

namespace qv::test {

// Objects allocated with operator new and not yet deleted, counted by the
// replacement operators in LiveAllocations.cpp; link that file into a test
// to use this. Other tests keep the library's own operators.
int64_t liveAllocations();

}  // namespace qv::test
