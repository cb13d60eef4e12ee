#include "tests/support/LiveAllocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

// A replaced operator new is necessarily program-wide, so the count is too:
// it is the only way to see every object the code under test keeps.
namespace {

std::atomic<int64_t>& counter() {
  static std::atomic<int64_t> live{0};
  return live;
}

void* allocate(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) {
    throw std::bad_alloc();
  }
  counter().fetch_add(1, std::memory_order_relaxed);
  return block;
}

void release(void* block) noexcept {
  if (block != nullptr) {
    counter().fetch_sub(1, std::memory_order_relaxed);
    std::free(block);
  }
}

}  // namespace

namespace qv::test {

int64_t liveAllocations() {
  return counter().load();
}

}  // namespace qv::test

void* operator new(std::size_t size) {
  return allocate(size);
}
void* operator new[](std::size_t size) {
  return allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t& /*tag*/) noexcept {
  try {
    return allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& /*tag*/) noexcept {
  try {
    return allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void operator delete(void* block) noexcept {
  release(block);
}
void operator delete[](void* block) noexcept {
  release(block);
}
void operator delete(void* block, std::size_t /*size*/) noexcept {
  release(block);
}
void operator delete[](void* block, std::size_t /*size*/) noexcept {
  release(block);
}
void operator delete(void* block, const std::nothrow_t& /*tag*/) noexcept {
  release(block);
}
void operator delete[](void* block, const std::nothrow_t& /*tag*/) noexcept {
  release(block);
}
