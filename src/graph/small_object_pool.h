#pragma once
// A process-wide pool for the small objects a search makes and drops by the
// million (nodes, units, links, pair records, pair links): each size class
// (multiples of 16 bytes up to 256) keeps a free list carved from 64 KiB
// slabs, so a branch clone or a rewrite costs a pointer pop per object
// instead of a general-purpose allocation, and no per-object header is
// spent. Freed objects go back to their list for the next branch; slabs are
// kept for the life of the process. Larger requests, and every request in
// AddressSanitizer builds (so that the address checks see each object), go
// to the global allocator. Single-threaded, like the search.

#include <cstddef>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define MUREX_POOL_DISABLED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MUREX_POOL_DISABLED 1
#endif
#endif

namespace murex {

namespace pool_detail {
struct Free_block {
  Free_block* next;
};
inline constexpr std::size_t granule = 16;
inline constexpr std::size_t largest = 256;
// Free list heads by size class (index: size in granules).
inline Free_block* free_lists[largest / granule + 1] = {};
// Carves a new block of size class `cls` from the current slab.
void* carve(std::size_t cls);
}  // namespace pool_detail

class Small_object_pool {
 public:
  static void* allocate(std::size_t size) {
#ifdef MUREX_POOL_DISABLED
    return ::operator new(size);
#else
    if (size == 0 || size > pool_detail::largest) return ::operator new(size);
    const std::size_t cls = (size + pool_detail::granule - 1) / pool_detail::granule;
    if (pool_detail::Free_block* block = pool_detail::free_lists[cls]) {
      pool_detail::free_lists[cls] = block->next;
      return block;
    }
    return pool_detail::carve(cls);
#endif
  }

  static void release(void* pointer, std::size_t size) noexcept {
    if (pointer == nullptr) return;
#ifdef MUREX_POOL_DISABLED
    ::operator delete(pointer, size);
#else
    if (size == 0 || size > pool_detail::largest) {
      ::operator delete(pointer, size);
      return;
    }
    const std::size_t cls = (size + pool_detail::granule - 1) / pool_detail::granule;
    auto* block = static_cast<pool_detail::Free_block*>(pointer);
    block->next = pool_detail::free_lists[cls];
    pool_detail::free_lists[cls] = block;
#endif
  }
};

// Class-level operators that route a class (and the classes derived from
// it, through the sized delete of their virtual destructor) through the pool.
#define MUREX_POOLED_ALLOCATION                                                                       \
  static void* operator new(std::size_t size) { return ::murex::Small_object_pool::allocate(size); } \
  static void operator delete(void* pointer, std::size_t size) noexcept {                             \
    ::murex::Small_object_pool::release(pointer, size);                                               \
  }

}  // namespace murex
