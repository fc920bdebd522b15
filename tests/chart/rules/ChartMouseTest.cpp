// The mouse rules that need no window: the crosshair a drag picks up, the
// cursor of each mouse mode and the pan arithmetic.
#include "controls/chart/rules/PLX_ChartMouse.h"

#include <gtest/gtest.h>

namespace {

struct NearestCase {
  const char* what;
  std::array<TCrossHairSpot, 4> spots;
  int X, Y;
  int expected;
};

class NearestCrossHairTest : public ::testing::TestWithParam<NearestCase> {};

TEST_P(NearestCrossHairTest, PicksTheNearestLine) {
  const NearestCase& c = GetParam();
  EXPECT_EQ(NearestCrossHair(c.spots, c.X, c.Y), c.expected) << c.what;
}

const TCrossHairSpot kOff{chOff, 0, 0};

INSTANTIATE_TEST_SUITE_P(
    Cases, NearestCrossHairTest,
    ::testing::Values(
        NearestCase{"same place: the lower number",
                    {{{chBoth, 100, 100}, {chVert, 100, 100}, kOff, kOff}},
                    130,
                    170,
                    1},
        NearestCase{"on crosshair 1's horizontal line",
                    {{{chBoth, 100, 100}, {chVert, 110, 100}, kOff, kOff}},
                    108,
                    100,
                    1},
        NearestCase{"nearer crosshair 2's vertical line",
                    {{{chBoth, 100, 100}, {chVert, 110, 100}, kOff, kOff}},
                    108,
                    150,
                    2},
        NearestCase{"nearer crosshair 1's vertical line",
                    {{{chBoth, 100, 100}, {chVert, 110, 100}, kOff, kOff}},
                    104,
                    150,
                    1},
        NearestCase{"equal distances: the lower number",
                    {{{chBoth, 100, 100}, {chVert, 110, 100}, kOff, kOff}},
                    105,
                    150,
                    1},
        NearestCase{"a horizontal line competes by y only",
                    {{{chVert, 100, 0}, kOff, {chHoriz, 0, 200}, kOff}},
                    300,
                    199,
                    3},
        NearestCase{
            "boxes are never chosen", {{kOff, {chBox, 50, 50}, {chVert, 400, 0}, kOff}}, 50, 50, 3},
        NearestCase{
            "no line at all: crosshair 1", {{kOff, {chBox, 50, 50}, kOff, kOff}}, 50, 50, 1},
        NearestCase{"no distance limit", {{kOff, kOff, kOff, {chHoriz, 0, -5000}}}, 10, 300, 4}));

struct CursorCase {
  TMouseActMode mode;
  bool inside;
  bool fixed;
  TCursor expected;
};

class CursorForMouseTest : public ::testing::TestWithParam<CursorCase> {};

constexpr TCursor kCurrent = 77;  // whatever the override showed before

TEST_P(CursorForMouseTest, FollowsTheMode) {
  const CursorCase& c = GetParam();
  EXPECT_EQ(CursorForMouse(c.mode, c.inside, c.fixed, kCurrent), c.expected)
      << int(c.mode) << " inside " << c.inside << " fixed " << c.fixed;
}

INSTANTIATE_TEST_SUITE_P(Cases, CursorForMouseTest,
                         ::testing::Values(CursorCase{maNone, false, false, crDefault},
                                           CursorCase{maNone, true, true, crDefault},
                                           CursorCase{maZoomWind, true, true, crDefault},
                                           CursorCase{maNone, true, false, crCross},
                                           CursorCase{maPan, true, false, crChartHand},
                                           CursorCase{maPanHoriz, true, false, crChartHand},
                                           CursorCase{maPanVert, true, false, crChartHand},
                                           CursorCase{maRubberBand, true, false, crDefault},
                                           CursorCase{maDragCrossH, true, false, crDefault},
                                           CursorCase{maDragLabel, true, false, crDefault},
                                           CursorCase{maZoomWind, true, false, crChartZoomWind},
                                           CursorCase{
                                               maZoomWindPos, true, false, crChartZoomWindPos},
                                           CursorCase{maZoomDrag, true, false, crChartZoomDrag},
                                           CursorCase{maZoom, true, false, kCurrent},
                                           CursorCase{maRotXY, true, false, kCurrent},
                                           CursorCase{maRotAbsXZ, true, false, kCurrent}));

TEST(PannedRange, ShiftsALinearAxisAgainstTheTravel) {
  const TAxisRange r = PannedRange({0, 40, false}, 59, 590);
  EXPECT_DOUBLE_EQ(r.Low, -4);
  EXPECT_DOUBLE_EQ(r.High, 36);
  const TAxisRange back = PannedRange({1.5, 30, false}, -335, 335);
  EXPECT_DOUBLE_EQ(back.Low, 30);
  EXPECT_DOUBLE_EQ(back.High, 58.5);
}

TEST(PannedRange, MultipliesALogarithmicAxis) {
  const TAxisRange r = PannedRange({1, 1000, true}, 100, 300);  // one decade
  EXPECT_NEAR(r.Low, 0.1, 1e-12);
  EXPECT_NEAR(r.High, 100, 1e-9);
  EXPECT_TRUE(r.Log);
}

TEST(PannedRange, NoTravelOrNoExtentKeepsTheRange) {
  for (const auto& [travel, extent] : {std::pair{0, 100}, {10, 0}, {10, -3}}) {
    const TAxisRange r = PannedRange({2, 5, false}, travel, extent);
    EXPECT_EQ(r.Low, 2);
    EXPECT_EQ(r.High, 5);
  }
}

}  // namespace
