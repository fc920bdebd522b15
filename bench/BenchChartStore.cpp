// Appending to the chart's item store: one million items per iteration, with
// the default growth step and with one step that holds them all, against
// two yardsticks of the same bytes: fresh malloc memory (one page fault per
// 4 KB) and fresh huge-page memory (one per 2 MB; the kernel zeroes each page
// on its first touch, which is the floor for any new store). On a machine
// shared with other work, read the CPU column.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "controls/chart/rules/PLX_ChartStore.h"
#include "controls/chart/rules/PLX_HugePages.h"

namespace {

constexpr int MillionItems = 1000000;

void appendMillion(benchmark::State& state) {
  const int allocSize = static_cast<int>(state.range(0));
  for (auto _ : state) {
    TrcItemStore store;
    store.SetAllocSize(allocSize);
    store.MoveTo(0, 0);
    for (int i = 1; i < MillionItems; ++i) store.DrawTo(i, i * 0.5);
    benchmark::DoNotOptimize(store.Items());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * MillionItems);
  state.counters["record_bytes"] = sizeof(TrcChartItem);
}

void appendMarksWithGrowthStepOne(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    TrcItemStore store;
    store.SetAllocSize(1);
    for (int i = 0; i < count; ++i) store.MarkAt(i, i, 24);
    benchmark::DoNotOptimize(store.Items());
  }
  state.SetItemsProcessed(state.iterations() * count);
}

// One million MarkAt items, the way the calculator stores its marks.
void appendMillionMarks(benchmark::State& state) {
  for (auto _ : state) {
    TrcItemStore store;
    for (int i = 0; i < MillionItems; ++i) store.MarkAt(i, i * 0.5, 24);
    benchmark::DoNotOptimize(store.Items());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * MillionItems);
}

// The yardstick: the same bytes written into fresh malloc memory.
void mallocMemsetMillionRecords(benchmark::State& state) {
  const std::size_t bytes = sizeof(TrcChartItem) * MillionItems;
  for (auto _ : state) {
    void* block = std::malloc(bytes);
    std::memset(block, 1, bytes);
    benchmark::DoNotOptimize(block);
    benchmark::ClobberMemory();
    std::free(block);
  }
  state.SetItemsProcessed(state.iterations() * MillionItems);
}

// The floor: the same bytes written into fresh memory of the store's own
// allocator, in one block.
void hugePageMemsetMillionRecords(benchmark::State& state) {
  const std::size_t bytes = sizeof(TrcChartItem) * MillionItems;
  for (auto _ : state) {
    void* block = HugePageRealloc(nullptr, bytes);
    std::memset(block, 1, bytes);
    benchmark::DoNotOptimize(block);
    benchmark::ClobberMemory();
    HugePageFree(block);
  }
  state.SetItemsProcessed(state.iterations() * MillionItems);
}

}  // namespace

BENCHMARK(appendMillionMarks)->Unit(benchmark::kMillisecond);
BENCHMARK(mallocMemsetMillionRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(hugePageMemsetMillionRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(appendMillion)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(appendMarksWithGrowthStepOne)->Arg(100000)->Unit(benchmark::kMillisecond);
