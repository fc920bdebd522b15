// The presentation cache's rules: why ShowGraf cannot draw straight onto the
// window, and what a crosshair move needs. The pictures each way gives are
// compared in RChartPaintTest (TwoWaysOfShowGraf).
#include "controls/chart/PLX_ChartPresentation.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

// A data area of 591 x 336 at (50, 20) of a 660 x 395 chart, all in order.
TDataAreaFacts facts() {
  TDataAreaFacts f;
  f.DataArea = {50, 20, 641, 356};
  f.DataBmp = {0, 0, 591, 336};
  f.DataBmpClip = f.DataBmp;
  f.WindowSize = {660, 395};
  f.ChartSize = {660, 395};
  return f;
}

struct OffWindowCase {
  const char* name;
  std::function<void(TDataAreaFacts&)> change;
  TOffWindow expected;
};

std::ostream& operator<<(std::ostream& os, const OffWindowCase& c) { return os << c.name; }

class OntoWindow : public ::testing::TestWithParam<OffWindowCase> {};

TEST_P(OntoWindow, NamesTheReasonAgainstIt) {
  TDataAreaFacts f = facts();
  GetParam().change(f);
  EXPECT_EQ(WhyNotOntoWindow(f), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    ChartPresentation, OntoWindow,
    ::testing::Values(
        OffWindowCase{"AllInOrder", [](TDataAreaFacts&) {}, TOffWindow::None},
        OffWindowCase{"Watched",
                      [](TDataAreaFacts& f) { f.RenderingWatched = true; },
                      TOffWindow::RenderingWatched},
        OffWindowCase{"Image",
                      [](TDataAreaFacts& f) { f.BackgroundImage = true; },
                      TOffWindow::BackgroundImage},
        OffWindowCase{"MarkMap", [](TDataAreaFacts& f) { f.MarkMap = true; }, TOffWindow::MarkMap},
        OffWindowCase{"NarrowerBitmap",
                      [](TDataAreaFacts& f) { f.DataBmp.Right = 590; },
                      TOffWindow::DataBmpResized},
        OffWindowCase{"LowerBitmap",
                      [](TDataAreaFacts& f) { f.DataBmp.Bottom = 337; },
                      TOffWindow::DataBmpResized},
        OffWindowCase{"Clipped",
                      [](TDataAreaFacts& f) {
                        f.DataBmpClip = {0, 0, 100, 80};
                      },
                      TOffWindow::DataBmpClipped},
        OffWindowCase{"SmallerWindow",
                      [](TDataAreaFacts& f) {
                        f.WindowSize = {600, 395};
                      },
                      TOffWindow::WindowResized},
        OffWindowCase{"LeftOfTheWindow",
                      [](TDataAreaFacts& f) {
                        f.DataArea = {-1, 20, 590, 356};
                      },
                      TOffWindow::DataAreaOffWindow},
        OffWindowCase{"BelowTheWindow",
                      [](TDataAreaFacts& f) {
                        f.DataArea = {50, 60, 641, 396};
                      },
                      TOffWindow::DataAreaOffWindow}),
    [](const ::testing::TestParamInfo<OffWindowCase>& test) {
      return std::string(test.param.name);
    });

TEST(ChartPresentation, WhatACrossHairMoveNeeds) {
  TChartPresentation p;
  EXPECT_EQ(p.WhatCrossHairsNeed(0, true), TCrossHairRepaint::SettingsChanged);
  p.Rendered(4);
  EXPECT_EQ(p.WhatCrossHairsNeed(4, true), TCrossHairRepaint::Recompose);
  EXPECT_EQ(p.WhatCrossHairsNeed(5, true), TCrossHairRepaint::ItemsChanged);
  EXPECT_EQ(p.WhatCrossHairsNeed(4, false), TCrossHairRepaint::Resized);
  p.CrossHairsDrawn(true);
  EXPECT_EQ(p.WhatCrossHairsNeed(4, true), TCrossHairRepaint::TraceOnChart);
  p.CrossHairsDrawn(false);
  p.DataBmpDrawing();
  EXPECT_EQ(p.WhatCrossHairsNeed(4, true), TCrossHairRepaint::SettingsChanged);
  p.DataRendered(6);
  EXPECT_EQ(p.WhatCrossHairsNeed(6, true), TCrossHairRepaint::Recompose);
  p.ChartBmpDrawing();
  EXPECT_EQ(p.WhatCrossHairsNeed(6, true), TCrossHairRepaint::SettingsChanged);
  p.Rendered(6);
  p.Outdated();
  EXPECT_EQ(p.WhatCrossHairsNeed(6, true), TCrossHairRepaint::SettingsChanged);
}

// The data bitmap taken from the window is the window's data area with the
// pixels under the crosshairs as they were before the crosshairs were drawn.
TEST(ChartPresentation, TheDataBitmapTakesItsPictureWithoutTheCrossHairs) {
  TBitmap window;
  window.SetSize(8, 6);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 8; ++x) window.ScanLine(y)[x] = uint32_t(0xFF000000u | (y * 16 + x));
  }
  TChartPresentation p;
  const TRect place{2, 1, 6, 5};
  const TRect reach[] = {{0, 2, 8, 3}, {7, 0, 8, 6}};  // a line across, one beside
  p.DataBmpDrawnOnWindow(window, place, reach);
  EXPECT_EQ(p.Kept(), TKeptPictures::DataBmpOnWindow);
  for (int x = 0; x < 8; ++x) window.ScanLine(2)[x] = 0xFFFFFFFFu;  // the crosshair
  TBitmap data;
  data.SetSize(4, 4);
  EXPECT_TRUE(p.TakeDataBmp(window, data));
  EXPECT_EQ(p.Kept(), TKeptPictures::InBitmaps);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(data.ScanLine(y)[x], uint32_t(0xFF000000u | ((y + 1) * 16 + x + 2)))
          << x << "," << y;
    }
  }
  EXPECT_FALSE(p.TakeDataBmp(window, data)) << "taken once";
}

}  // namespace
