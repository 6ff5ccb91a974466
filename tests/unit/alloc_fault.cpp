#include "tests/unit/alloc_fault.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

std::atomic<bool> gArmed{false};
std::atomic<bool> gFired{false};
std::atomic<std::size_t> gSize{0};
std::atomic<int> gSkip{0};
std::atomic<std::size_t> gBlocks{0};
std::atomic<std::size_t> gBytes{0};

void* Counted(void* block) {
    if (block) {
        gBlocks.fetch_add(1, std::memory_order_relaxed);
        gBytes.fetch_add(malloc_usable_size(block), std::memory_order_relaxed);
    }
    return block;
}

void Release(void* block) {
    if (!block) return;
    gBlocks.fetch_sub(1, std::memory_order_relaxed);
    gBytes.fetch_sub(malloc_usable_size(block), std::memory_order_relaxed);
    std::free(block);
}

bool ShouldFail(std::size_t size) {
    if (!gArmed.load(std::memory_order_relaxed) || size != gSize.load()) return false;
    if (gSkip.fetch_sub(1) > 0) return false;
    gArmed = false;
    gFired = true;
    return true;
}

}  // namespace

// Replaces the global allocator for the whole test binary; unarmed it is plain malloc/free.
void* operator new(std::size_t size) {
    if (ShouldFail(size)) throw std::bad_alloc();
    if (void* block = Counted(std::malloc(size == 0 ? 1 : size))) return block;
    throw std::bad_alloc();
}

// Every form of new and delete goes through the same malloc/free pair, so no library path (the
// nothrow new of std::stable_sort's buffer, arrays) mixes this allocator with another one.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (ShouldFail(size)) return nullptr;
    return Counted(std::malloc(size == 0 ? 1 : size));
}

void* operator new[](std::size_t size) { return operator new(size); }

void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}

void operator delete(void* block) noexcept { Release(block); }

void operator delete(void* block, std::size_t) noexcept { Release(block); }

void operator delete(void* block, const std::nothrow_t&) noexcept { Release(block); }

void operator delete[](void* block) noexcept { Release(block); }

void operator delete[](void* block, std::size_t) noexcept { Release(block); }

void operator delete[](void* block, const std::nothrow_t&) noexcept { Release(block); }

namespace tonedeck::test {

ScopedAllocFault::ScopedAllocFault(std::size_t size, int skip) {
    gSize = size;
    gSkip = skip;
    gFired = false;
    gArmed = true;
}

ScopedAllocFault::~ScopedAllocFault() { gArmed = false; }

bool ScopedAllocFault::Fired() const { return gFired; }

HeapInUse CurrentHeapInUse() { return {gBlocks.load(), gBytes.load()}; }

}  // namespace tonedeck::test
