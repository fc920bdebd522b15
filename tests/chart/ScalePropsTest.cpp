#include "controls/chart/PLX_ScaleProps.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <utility>
#include <vector>

namespace {

// Axis properties as a loaded chart holds them, counting notifications.
class ScalePropsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    props.SetNotYetLoaded(false);
    props.OnChange = [this](TObject*) { ++changes; };
  }
  TScalePropsHoriz props;
  int changes = 0;
};

TEST_F(ScalePropsTest, NewValues) {
  TScalePropsVert v;
  EXPECT_EQ(v.RangeLow(), 0.0);
  EXPECT_EQ(v.RangeHigh(), 1.0);
  EXPECT_EQ(v.MinRange(), 1e-10);
  EXPECT_EQ(v.DecPlaces(), -2);
  EXPECT_EQ(v.MinTicks(), 3);
  EXPECT_TRUE(v.ShortTicks());
  EXPECT_FALSE(v.Visible());
  EXPECT_EQ(v.LabelType(), ftNum);
  EXPECT_EQ(v.ScaleLocation(), slLeft);
  EXPECT_EQ(props.ScaleLocation(), slBottom);
  EXPECT_EQ(props.ScaleType(), sctXT);
  EXPECT_TRUE(v.NotYetLoaded());
}

TEST_F(ScalePropsTest, RangeEndsCloserThanMinRangeMoveTheOtherEnd) {
  props.SetRangeHigh(props.RangeLow() + 1e-11);
  EXPECT_EQ(props.RangeHigh(), 1e-11);
  EXPECT_EQ(props.RangeLow(), 1e-11 - 1e-10);
  props.SetRangeLow(props.RangeHigh());
  EXPECT_EQ(props.RangeHigh(), props.RangeLow() + 1e-10);
  EXPECT_EQ(changes, 2);
}

TEST_F(ScalePropsTest, ReversedRangeIsAccepted) {
  props.SetRangeLow(5);
  EXPECT_EQ(props.RangeLow(), 5);
  EXPECT_EQ(props.RangeHigh(), 1);
}

TEST_F(ScalePropsTest, LogarithmicAxisIgnoresEndsBelowTheSmallestPositive) {
  props.SetRangeLow(1);
  props.SetRangeHigh(1000);
  props.SetLogarithmic(true);
  ASSERT_TRUE(props.Logarithmic());
  props.SetRangeLow(0);
  EXPECT_EQ(props.RangeLow(), 1);
  props.SetRangeHigh(-5);
  EXPECT_EQ(props.RangeHigh(), 1000);
  EXPECT_EQ(changes, 5);  // notified whether taken or not
}

TEST_F(ScalePropsTest, MinRangeWidensANarrowRangeAboutItsCentre) {
  props.SetRangeHigh(2);
  props.SetRangeLow(1);
  changes = 0;
  props.SetMinRange(4);
  EXPECT_EQ(props.RangeLow(), -0.5);
  EXPECT_EQ(props.RangeHigh(), 3.5);
  EXPECT_EQ(changes, 1);
  props.SetMinRange(2);  // wide enough already: stored, not notified
  EXPECT_EQ(props.MinRange(), 2);
  EXPECT_EQ(changes, 1);
  props.SetMinRange(0);
  props.SetMinRange(1e-100);
  EXPECT_EQ(props.MinRange(), 2);
  EXPECT_EQ(changes, 1);
}

// A value that is not a finite number would reach the mapping: ignored,
// without notification.
TEST_F(ScalePropsTest, NonFiniteRangeValuesAreIgnored) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const std::vector<std::pair<const char*, std::function<void(TScaleProps&, double)>>> setters{
      {"RangeLow", [](TScaleProps& p, double v) { p.SetRangeLow(v); }},
      {"RangeHigh", [](TScaleProps& p, double v) { p.SetRangeHigh(v); }},
      {"MinRange", [](TScaleProps& p, double v) { p.SetMinRange(v); }}};
  for (const auto& [name, set] : setters) {
    for (const double v : {kNaN, kInf, -kInf}) {
      props.SetRangeLow(1);
      props.SetRangeHigh(2);
      changes = 0;
      set(props, v);
      EXPECT_EQ(props.RangeLow(), 1) << name << " := " << v;
      EXPECT_EQ(props.RangeHigh(), 2) << name << " := " << v;
      EXPECT_EQ(props.MinRange(), 1e-10) << name << " := " << v;
      EXPECT_EQ(changes, 0) << name << " := " << v;
    }
  }
}

// Where the other end at MinRange's distance rounds to the end itself, it
// moves to the next double instead: the ends never meet.
TEST_F(ScalePropsTest, EndsKeptApartWhereMinRangeIsBelowTheirPrecision) {
  props.SetRangeHigh(1e7);
  props.SetRangeLow(1e7);
  EXPECT_EQ(props.RangeLow(), 1e7);
  EXPECT_GT(props.RangeHigh(), 1e7);
  props.SetRangeLow(-1e7);
  props.SetRangeHigh(-1e7);
  EXPECT_EQ(props.RangeHigh(), -1e7);
  EXPECT_LT(props.RangeLow(), -1e7);
}

TEST_F(ScalePropsTest, LogarithmicIsRefusedForRangesReachingZeroOnceLoaded) {
  props.SetLogarithmic(true);  // range 0..1
  EXPECT_FALSE(props.Logarithmic());
  EXPECT_EQ(changes, 1);
  TScalePropsHoriz loading;
  loading.SetLogarithmic(true);
  EXPECT_TRUE(loading.Logarithmic());
  props.SetRangeHigh(10);
  props.SetRangeLow(1);
  props.SetLabelType(ftDateTime);
  props.SetLogarithmic(true);
  EXPECT_FALSE(props.Logarithmic());
}

TEST_F(ScalePropsTest, LabelTypeAdjustsLogarithmicAndDecimals) {
  props.SetRangeLow(1);
  props.SetRangeHigh(10);
  props.SetLogarithmic(true);
  props.SetLabelType(ftDateTime);
  EXPECT_FALSE(props.Logarithmic());
  props.SetLabelType(ftTime);
  EXPECT_EQ(props.DecPlaces(), 4);
}

TEST_F(ScalePropsTest, DecPlacesAreClamped) {
  props.SetDecPlaces(20);
  EXPECT_EQ(props.DecPlaces(), 12);
  props.SetDecPlaces(-7);
  EXPECT_EQ(props.DecPlaces(), -3);
}

TEST_F(ScalePropsTest, LocationSetsTheScaleTypeAndScalePosFollowsIt) {
  props.SetScaleLocation(slTop);
  EXPECT_EQ(props.ScaleType(), sctXB);
  props.SetScalePos(30);
  EXPECT_EQ(props.ScalePos(), 30);
  TScalePropsVert v;
  v.SetScaleLocation(slRight);
  EXPECT_EQ(v.ScaleType(), sctYL);
  v.SetScaleLocation(slLeft);
  EXPECT_EQ(v.ScaleType(), sctYR);
  v.SetScalePos(50);
  v.SetScaleType(sctXT);  // a horizontal type reads the other offset
  EXPECT_EQ(v.ScalePos(), 0);
}

TEST_F(ScalePropsTest, FontChangesNotify) {
  props.Font().SetHeight(-16);
  EXPECT_EQ(changes, 1);
}

TEST_F(ScalePropsTest, AssignCopiesValuesButNotLocationNorHandler) {
  TScalePropsHoriz source;
  source.SetCaption(u"Hz");
  source.SetRangeHigh(50);
  source.SetScaleLocation(slTop);
  source.Font().SetHeight(-20);
  source.DateFormat().SetYearLength(ylYY);
  props.Assign(source);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(props.Caption(), u"Hz");
  EXPECT_EQ(props.RangeHigh(), 50);
  EXPECT_EQ(props.ScaleType(), sctXB);
  EXPECT_EQ(props.ScaleLocation(), slBottom);
  EXPECT_EQ(props.Font().Height(), -20);
  EXPECT_EQ(props.DateFormat().YearLength(), ylYY);
  EXPECT_TRUE(props.NotYetLoaded());
  EXPECT_TRUE(props.OnChange);
}

}  // namespace
