#include "graph/small_object_pool.h"

#include <memory>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace murex::pool_detail {
namespace {

constexpr std::size_t slab_size = 64 * 1024;

struct Slabs {
  std::vector<std::unique_ptr<std::byte[]>> owned;
  std::byte* cursor = nullptr;  // unused rest of the newest slab
  std::size_t left = 0;
};

// The general heap follows the pool's policy: memory a dropped branch frees
// stays with the process for the next clone instead of going back to the
// system (top-of-heap trimming, large blocks mapped and unmapped one by one)
// only to be faulted in again page by page. The peak is unchanged.
void keep_freed_heap_memory() {
#if defined(__GLIBC__)
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
#endif
}

// Never destroyed: pooled objects may still be released while statics are torn down.
Slabs& slabs() {
  static Slabs* const state = [] {
    keep_freed_heap_memory();
    return new Slabs;
  }();
  return *state;
}

}  // namespace

void* carve(std::size_t cls) {
  Slabs& s = slabs();
  const std::size_t bytes = cls * granule;
  if (s.left < bytes) {
    s.owned.push_back(std::make_unique<std::byte[]>(slab_size));
    s.cursor = s.owned.back().get();
    s.left = slab_size;
  }
  void* block = s.cursor;
  s.cursor += bytes;
  s.left -= bytes;
  return block;
}

}  // namespace murex::pool_detail
