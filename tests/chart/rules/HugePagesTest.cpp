// The record array's memory: contents kept and added bytes zero across every
// path a block takes (malloc, the move into a mapping, growth of a mapping by
// remapping, shrinking back) and after a refused growth.
#include "controls/chart/rules/PLX_HugePages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr std::size_t kMB = std::size_t(1) << 20;

// Byte i of a block holds the low byte of i * 7 + 1 (never zero in a row).
void fill(void* block, std::size_t from, std::size_t to) {
  auto* bytes = static_cast<unsigned char*>(block);
  for (std::size_t i = from; i < to; ++i) bytes[i] = static_cast<unsigned char>(i * 7 + 1);
}

// The first byte that breaks the pattern below `filled` or is not zero from
// there to `size`; size when all hold.
std::size_t firstWrongByte(const void* block, std::size_t filled, std::size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(block);
  for (std::size_t i = 0; i < size; ++i) {
    const unsigned char want = i < filled ? static_cast<unsigned char>(i * 7 + 1) : 0;
    if (bytes[i] != want) return i;
  }
  return size;
}

}  // namespace

// Each step resizes the block to the next size; what was written stays, the
// bytes beyond the previous size read zero, and the whole block is written
// before the next step, so stale bytes would show.
TEST(HugePages, ResizingKeepsTheContentsAndZeroesWhatItAdds) {
  const std::vector<std::vector<std::size_t>> paths = {
      {100, 5000, 900 * 1024},                   // malloc only
      {500 * 1024, 3 * kMB, 9 * kMB, 40 * kMB},  // into a mapping, then remapped twice
      {1, 5 * kMB},                              // straight into a mapping
      {3 * kMB, 3 * kMB + 10, 4 * kMB - 64},     // growing inside the mapping
      {9 * kMB, 5 * kMB, 8 * kMB},               // shrinking a mapping, then growing again
      {9 * kMB, 3 * kMB + 5, 3 * kMB + 9000},    // shrinking inside the last huge page
      {5 * kMB, 64, 700},                        // back to malloc and growing there
  };
  for (const auto& sizes : paths) {
    void* block = nullptr;
    std::size_t filled = 0;
    for (std::size_t size : sizes) {
      block = HugePageRealloc(block, size);
      ASSERT_NE(block, nullptr) << size;
      EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % 16, 0u);
      filled = std::min(filled, size);
      EXPECT_EQ(firstWrongByte(block, filled, size), size) << "at size " << size;
      fill(block, filled, size);
      filled = size;
    }
    HugePageFree(block);
  }
}

TEST(HugePages, ImpossibleGrowthFailsAndKeepsTheBlock) {
  for (std::size_t start : {std::size_t(4096), 3 * kMB}) {
    void* block = HugePageRealloc(nullptr, start);
    ASSERT_NE(block, nullptr);
    fill(block, 0, start);
    // More than the address space can hold.
    EXPECT_EQ(HugePageRealloc(block, std::size_t(1) << 62), nullptr);
    EXPECT_EQ(firstWrongByte(block, start, start), start);
    HugePageFree(block);
  }
}

TEST(HugePages, FreeingNothingIsHarmless) { HugePageFree(nullptr); }
