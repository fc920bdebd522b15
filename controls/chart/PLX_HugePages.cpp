#include "controls/chart/PLX_HugePages.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;
// Below this a block comes from malloc: a mapping would waste more than it saves.
constexpr std::size_t kMappedFrom = std::size_t(1) << 20;
// The header keeps the records 64-byte aligned.
constexpr std::size_t kHeader = 64;

// In front of every block.
struct THeader {
  std::size_t Size;    // bytes the caller asked for
  std::size_t Mapped;  // bytes of the mapping, header included; 0 for malloc
};

THeader* headerOf(void* block) {
  return reinterpret_cast<THeader*>(static_cast<char*>(block) - kHeader);
}

void* dataOf(void* base) { return static_cast<char*>(base) + kHeader; }

std::size_t roundUp(std::size_t n, std::size_t step) { return (n + step - 1) / step * step; }

// A mapping of Bytes (a multiple of 2 MB) that starts on a 2 MB boundary:
// map 2 MB more and give back the ends.
void* mapAligned(std::size_t bytes) {
  const std::size_t over = bytes + kHugePage;
  void* raw = mmap(nullptr, over, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) return nullptr;
  const auto start = reinterpret_cast<std::uintptr_t>(raw);
  const std::uintptr_t aligned = roundUp(start, kHugePage);
  if (aligned > start) munmap(raw, aligned - start);
  const std::uintptr_t end = start + over;
  if (end > aligned + bytes) munmap(reinterpret_cast<void*>(aligned + bytes), end - aligned - bytes);
  void* base = reinterpret_cast<void*>(aligned);
  // Refused (no THP in this kernel): the mapping serves as plain memory.
  (void)madvise(base, bytes, MADV_HUGEPAGE);
  return base;
}

void releaseBase(THeader* h) {
  if (h->Mapped != 0) {
    munmap(h, h->Mapped);
  } else {
    std::free(h);
  }
}

void* allocSmall(void* old, std::size_t oldSize, std::size_t size) {
  void* base = std::malloc(kHeader + size);
  if (base == nullptr) return nullptr;
  void* data = dataOf(base);
  const std::size_t kept = std::min(oldSize, size);
  if (kept > 0) std::memcpy(data, old, kept);
  if (size > kept) std::memset(static_cast<char*>(data) + kept, 0, size - kept);
  *static_cast<THeader*>(base) = THeader{size, 0};
  return data;
}

// Linear growth in small steps would copy the array again and again: the
// mapping doubles, and untouched pages of it cost nothing. Fresh pages are
// zero, and the caller never writes beyond Size, so the room beyond stays zero.
void* allocMapped(void* old, std::size_t oldSize, std::size_t oldMapped, std::size_t size) {
  const std::size_t room = size > oldSize ? 2 * oldMapped : 0;
  const std::size_t bytes = roundUp(std::max(kHeader + size, room), kHugePage);
  void* base = mapAligned(bytes);
  if (base == nullptr) return nullptr;
  void* data = dataOf(base);
  if (oldSize > 0) std::memcpy(data, old, std::min(oldSize, size));
  *static_cast<THeader*>(base) = THeader{size, bytes};
  return data;
}

}  // namespace

void* HugePageRealloc(void* Block, std::size_t Size) {
  THeader* h = Block != nullptr ? headerOf(Block) : nullptr;
  const std::size_t oldSize = h != nullptr ? h->Size : 0;
  const std::size_t oldMapped = h != nullptr ? h->Mapped : 0;
  if (h != nullptr && oldMapped != 0 && Size >= oldSize && kHeader + Size <= oldMapped) {
    h->Size = Size;  // grows inside the mapping
    return Block;
  }
  void* grown = Size < kMappedFrom ? allocSmall(Block, oldSize, Size)
                                   : allocMapped(Block, oldSize, oldMapped, Size);
  if (grown != nullptr && h != nullptr) releaseBase(h);
  return grown;
}

void HugePageFree(void* Block) {
  if (Block != nullptr) releaseBase(headerOf(Block));
}
