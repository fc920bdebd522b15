#include "controls/chart/rules/PLX_HugePages.h"

#include <sys/mman.h>

#include <algorithm>
#include <cassert>
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

void* blockOf(void* base, std::size_t size, std::size_t mapped) {
  *static_cast<THeader*>(base) = THeader{size, mapped};
  return dataOf(base);
}

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
  if (end > aligned + bytes)
    munmap(reinterpret_cast<void*>(aligned + bytes), end - aligned - bytes);
  void* base = reinterpret_cast<void*>(aligned);
  // Refused (no THP in this kernel): the mapping serves as plain memory.
  (void)madvise(base, bytes, MADV_HUGEPAGE);
  return base;
}

// Room for Size bytes and at least twice the old mapping, so that linear
// growth in small steps moves the pages only a few times.
std::size_t mappingFor(std::size_t size, std::size_t oldMapped) {
  return roundUp(std::max(kHeader + size, 2 * oldMapped), kHugePage);
}

void releaseBase(THeader* h) {
  if (h->Mapped != 0) {
    munmap(h, h->Mapped);
  } else {
    std::free(h);
  }
}

// A malloc block (or none) that stays one.
void* resizeSmall(THeader* h, std::size_t size) {
  const std::size_t oldSize = h != nullptr ? h->Size : 0;
  void* base = std::realloc(h, kHeader + size);
  if (base == nullptr) return nullptr;
  void* data = dataOf(base);
  if (size > oldSize) std::memset(static_cast<char*>(data) + oldSize, 0, size - oldSize);
  return blockOf(base, size, 0);
}

// A mapping that shrinks below kMappedFrom: its first bytes go to malloc.
void* mappedToSmall(THeader* h, std::size_t size) {
  assert(size < h->Size);
  void* base = std::malloc(kHeader + size);
  if (base == nullptr) return nullptr;
  std::memcpy(dataOf(base), dataOf(h), size);
  releaseBase(h);
  return blockOf(base, size, 0);
}

// A malloc block (at most kMappedFrom bytes) or none that becomes a mapping:
// the one copy a block ever needs. Fresh pages are zero.
void* smallToMapped(THeader* h, std::size_t size) {
  const std::size_t bytes = mappingFor(size, 0);
  void* base = mapAligned(bytes);
  if (base == nullptr) return nullptr;
  if (h != nullptr) {
    std::memcpy(dataOf(base), dataOf(h), std::min(h->Size, size));
    std::free(h);
  }
  return blockOf(base, size, bytes);
}

// A mapping that needs more room moves its pages to a larger aligned mapping
// by remapping them: nothing is copied, touched pages stay where they are in
// memory, huge pages whole. The added pages are fresh and so zero; the
// caller never writes beyond Size, so room inside the mapping stays zero too.
void* growMapped(THeader* h, std::size_t size) {
  if (kHeader + size <= h->Mapped) {
    h->Size = size;
    return dataOf(h);
  }
  const std::size_t bytes = mappingFor(size, h->Mapped);
  void* target = mapAligned(bytes);
  if (target == nullptr) return nullptr;
  void* moved = mremap(h, h->Mapped, bytes, MREMAP_MAYMOVE | MREMAP_FIXED, target);
  if (moved == MAP_FAILED) {
    munmap(target, bytes);
    return nullptr;
  }
  return blockOf(moved, size, bytes);
}

// A mapping that keeps at least kMappedFrom bytes gives back its whole
// spare huge pages and zeroes the rest of the dropped bytes, which growing
// again hands out.
void* shrinkMapped(THeader* h, std::size_t size) {
  const std::size_t bytes = roundUp(kHeader + size, kHugePage);
  if (bytes < h->Mapped) {
    if (mremap(h, h->Mapped, bytes, 0) == MAP_FAILED) return nullptr;
    h->Mapped = bytes;
  }
  const std::size_t dirtyEnd = std::min(h->Size, h->Mapped - kHeader);
  std::memset(static_cast<char*>(dataOf(h)) + size, 0, dirtyEnd - size);
  h->Size = size;
  return dataOf(h);
}

}  // namespace

void* HugePageRealloc(void* Block, std::size_t Size) {
  THeader* h = Block != nullptr ? headerOf(Block) : nullptr;
  const bool mapped = h != nullptr && h->Mapped != 0;
  if (Size < kMappedFrom) return mapped ? mappedToSmall(h, Size) : resizeSmall(h, Size);
  if (!mapped) return smallToMapped(h, Size);
  return Size >= h->Size ? growMapped(h, Size) : shrinkMapped(h, Size);
}

void HugePageFree(void* Block) {
  if (Block != nullptr) releaseBase(headerOf(Block));
}
