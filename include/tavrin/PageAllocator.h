// An allocator for the item storage: large blocks come straight from the system's pages and go
// back to it when freed. A list that grows by doubling would otherwise leave each outgrown block as
// a hole in the heap that still counts against the process.
#pragma once

#include <cstddef>
#include <new>

namespace tavrin {

void* allocateBlock(size_t bytes); // throws std::bad_alloc
void freeBlock(void* block, size_t bytes) noexcept;

template <class T> struct PageAllocator {
    using value_type = T;
    PageAllocator() noexcept = default;
    template <class U> PageAllocator(const PageAllocator<U>&) noexcept {} // NOLINT: rebinding
    T* allocate(size_t n) {
        if (n > static_cast<size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
        return static_cast<T*>(allocateBlock(n * sizeof(T)));
    }
    void deallocate(T* p, size_t n) noexcept { freeBlock(p, n * sizeof(T)); }
    template <class U> bool operator==(const PageAllocator<U>&) const noexcept { return true; }
};

} // namespace tavrin
