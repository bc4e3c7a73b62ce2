// Blocks of the item storage: small ones from the heap, large ones as whole pages of their own,
// mapped from the operating system where it offers that.
#include "tavrin/PageAllocator.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TAVRIN_CHECKED_HEAP 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define TAVRIN_CHECKED_HEAP 1
#endif

// Under the address checker every block stays on the heap, where overruns are caught.
#if (defined(__unix__) || defined(__APPLE__)) && !defined(TAVRIN_CHECKED_HEAP)
#include <sys/mman.h>
#define TAVRIN_HAVE_MMAP 1
#endif

namespace tavrin {

namespace {
constexpr size_t kPagedFrom = 64 * 1024; // below this the heap's own reuse is better
}

void* allocateBlock(size_t bytes) {
#ifdef TAVRIN_HAVE_MMAP
    if (bytes >= kPagedFrom) {
        void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (block == MAP_FAILED) throw std::bad_alloc();
        return block;
    }
#endif
    return ::operator new(bytes);
}

void freeBlock(void* block, size_t bytes) noexcept {
    if (!block) return;
#ifdef TAVRIN_HAVE_MMAP
    if (bytes >= kPagedFrom) {
        munmap(block, bytes);
        return;
    }
#endif
    ::operator delete(block); // the unsized form: not every compiler enables sized deallocation
}

} // namespace tavrin
