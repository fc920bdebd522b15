// The chart with a store under load: ten million items render, and a store
// that cannot grow leaves the chart as it was. A chart without margins whose
// data area maps one real unit to one pixel, (x, y) -> column x, row 20 - y.
#include <gtest/gtest.h>

#include <cstddef>
#include <new>
#include <vector>

#include "chart/PixelChart.h"
#include "controls/chart/PLX_rchart.h"
#include "support/PixelMask.h"

namespace {

void* failingRealloc(void*, std::size_t) { return nullptr; }

std::vector<uint32_t> pixelsOf(const TBitmap& bmp) {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < bmp.Height(); ++y)
    pixels.insert(pixels.end(), bmp.ScanLine(y), bmp.ScanLine(y) + bmp.Width());
  return pixels;
}

class RChartStoreLoad : public ::testing::Test {
 protected:
  void SetUp() override { MakePixelChart(chart); }
  TRChart chart;
};

// Ten million line points from column 2 to column 72 on row 10, most of them
// in the same pixel as their neighbour: the whole line shows, the last
// point's pixel excluded as for any line, and nothing beside it.
TEST_F(RChartStoreLoad, TenMillionLinePointsRender) {
  constexpr int kPoints = 10000000;
  chart.MoveTo(2, 10);
  for (int i = 1; i <= kPoints; ++i) chart.DrawTo(2 + 70.0 * i / kPoints, 10);
  ASSERT_EQ(chart.Store().NumItems(), kPoints + 1);
  EXPECT_EQ(chart.Store().ItemCount(tkLineto), kPoints);
  EXPECT_EQ(chart.Store().NumAllocated(), 10001000);  // whole steps of 1000

  chart.ShowGraf();
  EXPECT_EQ(
      MaskOf(chart.GrafBmp(), clRed, 0, 9, 76, 3),
      Rows({std::string(76, '.'), ".." + std::string(70, '#') + "....", std::string(76, '.')}));
}

// A command whose growth fails raises the out-of-memory error and adds
// nothing: the same items, the same capacity, the same picture; once memory
// is there again the chart goes on.
TEST_F(RChartStoreLoad, FailedGrowthLeavesTheChartAsItWas) {
  chart.Store().SetAllocSize(3);
  chart.MarkAt(10, 10, 0);
  chart.MoveTo(20, 5);
  chart.DrawTo(40, 5);
  chart.ShowGraf();
  const std::vector<uint32_t> before = pixelsOf(chart.GrafBmp());
  ASSERT_EQ(MaskOf(chart.GrafBmp(), clRed, 20, 15, 21, 1), std::string(20, '#') + ".\n");

  chart.Store().SetReallocForTesting(&failingRealloc);
  EXPECT_THROW(chart.DrawTo(60, 5), std::bad_alloc);
  EXPECT_THROW(chart.MarkAt(30, 12, 0), std::bad_alloc);
  EXPECT_EQ(chart.Store().NumItems(), 3);
  EXPECT_EQ(chart.Store().NumAllocated(), 3);
  EXPECT_EQ(chart.Store().ItemCount(tkLineto), 1);
  EXPECT_EQ(chart.Store().ItemCount(tkMarkAt), 1);
  EXPECT_EQ(chart.Store().TypeOfLastItem(), tkLineto);
  EXPECT_EQ(chart.Store().DataContainer(2).x, 40.0);
  chart.ShowGraf();
  EXPECT_EQ(pixelsOf(chart.GrafBmp()), before);

  chart.Store().SetReallocForTesting(nullptr);
  chart.DrawTo(60, 5);
  chart.ShowGraf();
  EXPECT_EQ(chart.Store().NumItems(), 4);
  EXPECT_EQ(MaskOf(chart.GrafBmp(), clRed, 20, 15, 41, 1), std::string(40, '#') + ".\n");
}

}  // namespace
