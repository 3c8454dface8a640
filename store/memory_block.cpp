#include "memory_block.h"

#include <cstdlib>

#ifdef __linux__
#include <sys/mman.h>

#include <cstdint>
#include <cstring>

// A large block lies on whole huge pages where the system lends them on
// request. A new catalogue's megabytes are otherwise first touched 4 KiB at
// a time, and on a virtual machine each such touch costs 10 us or more:
// the most that filling the catalogue costs beyond listing the folders.
// Growing copies what the block holds, which is far cheaper than that. A
// list of a few thousand entries is large already: it then holds 2 MiB at
// least, and a catalogue has six lists.
void* ResizeBlock(void* block, std::size_t used, std::size_t& bytes) {
  constexpr std::size_t kHugePage = std::size_t{2} << 20;
  constexpr std::size_t kLarge = std::size_t{64} << 10;
  if (bytes < kLarge) return std::realloc(block, bytes);
  if (bytes > SIZE_MAX - kHugePage) return nullptr;
  std::size_t room = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  void* grown = std::aligned_alloc(kHugePage, room);
  if (!grown) return nullptr;
  madvise(grown, room, MADV_HUGEPAGE);
  if (used > 0) std::memcpy(grown, block, used);
  std::free(block);
  bytes = room;
  return grown;
}

#else

void* ResizeBlock(void* block, std::size_t, std::size_t& bytes) { return std::realloc(block, bytes); }

#endif
