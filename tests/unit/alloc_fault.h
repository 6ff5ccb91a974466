#pragma once
// Makes one chosen heap allocation of the test binary fail with std::bad_alloc, and counts what
// the heap holds.

#include <cstddef>

namespace tonedeck::test {

// The heap as the replaced allocator sees it: blocks handed out by new and not yet deleted, and
// their usable bytes.
struct HeapInUse {
    std::size_t blocks = 0;
    std::size_t bytes = 0;
};
HeapInUse CurrentHeapInUse();

// While alive, the allocation of exactly `size` bytes that comes after `skip` others of that
// size throws std::bad_alloc; later ones succeed again.
class ScopedAllocFault {
  public:
    ScopedAllocFault(std::size_t size, int skip = 0);
    ~ScopedAllocFault();
    ScopedAllocFault(const ScopedAllocFault&) = delete;
    ScopedAllocFault& operator=(const ScopedAllocFault&) = delete;

    // So a test can tell that the fault was reached at all.
    bool Fired() const;
};

}  // namespace tonedeck::test
