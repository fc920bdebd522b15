// The chart control: construction, standard layouts, layers and mapping,
// joined layers and loading.
#include "controls/chart/PLX_rchart.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "chart/FirstChart.h"
#include "platform/Bitmap.h"

namespace {

TEST(RChartConstruction, NewChartValues) {
  TRChart chart;
  EXPECT_EQ(chart.MarginLeft(), 50);
  EXPECT_EQ(chart.MarginRight(), 20);
  EXPECT_EQ(chart.MarginTop(), 20);
  EXPECT_EQ(chart.MarginBottom(), 40);
  EXPECT_EQ(chart.ShadowWidth(), 0);
  EXPECT_EQ(chart.CaptionPosX(), 0);
  EXPECT_EQ(chart.CaptionPosY(), -16);
  EXPECT_EQ(chart.CaptionAlignment(), taRightJustify);
  EXPECT_EQ(chart.StandardLayout(), rcl_X1Bottom_Y1Left);
  EXPECT_EQ(chart.Width(), 280);
  EXPECT_EQ(chart.Height(), 200);
  EXPECT_TRUE(chart.AutoRedraw());
  EXPECT_TRUE(chart.SuppressPaint());
  EXPECT_EQ(chart.ChartColor(), clWhite);
  EXPECT_EQ(chart.WindColor(), clBtnFace);
  EXPECT_EQ(chart.GridStyle(), gsNone);
  EXPECT_EQ(chart.GrafBmp().Width(), 280 - 50 - 20 + 1);
  EXPECT_EQ(chart.GrafBmp().Height(), 200 - 20 - 40 + 1);
  EXPECT_EQ(chart.AuxBmp().Width(), 10);
  EXPECT_TRUE(chart.MouseAffectsLayer(1));
  EXPECT_FALSE(chart.MouseAffectsLayer(2));
  for (int n = 1; n <= 4; ++n) {
    EXPECT_EQ(chart.CrossHair(n).Layer(), n);
    EXPECT_EQ(chart.CrossHair(n).Mode(), chOff);
  }
  EXPECT_EQ(chart.JointLayers().L07xControlledBy(), 7);
}

TEST(RChartConstruction, AxesOfANewChart) {
  TRChart chart;
  EXPECT_TRUE(chart.Scale1X().Visible());
  EXPECT_EQ(chart.Scale1X().ScaleType(), sctXT);
  EXPECT_EQ(chart.Scale1X().ScaleLocation(), slBottom);
  EXPECT_TRUE(chart.Scale1Y().Visible());
  EXPECT_EQ(chart.Scale1Y().ScaleType(), sctYR);
  for (int n = 2; n <= 16; ++n) {
    EXPECT_FALSE(chart.ScalePropsX(n).Visible()) << n;
    EXPECT_FALSE(chart.ScalePropsY(n).Visible()) << n;
  }
  EXPECT_EQ(chart.ScalePropsX(6).ScaleType(), sctXB);
  EXPECT_EQ(chart.ScalePropsX(6).ScalePos(), 60);
  EXPECT_EQ(chart.ScalePropsY(7).ScaleType(), sctYR);
  EXPECT_EQ(chart.ScalePropsY(7).ScalePos(), 150);
  EXPECT_EQ(chart.ScalePropsX(1).ColorScale(), clBlack);
  EXPECT_EQ(chart.ScalePropsX(2).ColorScale(), clMaroon);
  EXPECT_EQ(chart.ScalePropsX(3).ColorScale(), clGreen);
  EXPECT_EQ(chart.ScalePropsX(4).ColorScale(), clOlive);
  EXPECT_EQ(chart.ScalePropsX(16).ColorScale(), clWhite);
  EXPECT_EQ(&chart.ScalePropsX(0), &chart.ScalePropsX(1));
  EXPECT_EQ(&chart.ScalePropsY(17), &chart.ScalePropsY(1));
  EXPECT_EQ(chart.ScaleX(3).Name(), u"RC_FScale_X_3");
}

TEST(RChartConstruction, ScaleHelpersSpanTheChartWithTheDataAreaMargins) {
  TRChart chart;
  chart.SetBounds(0, 0, 660, 395);
  TScale& x = chart.ScaleX(1);
  EXPECT_EQ(x.Width(), 660);
  EXPECT_EQ(x.MarginLeft(), 50);
  EXPECT_EQ(x.MarginRight(), 19);
  EXPECT_EQ(x.MarginTop(), 355);  // the base line on the data area's bottom row
  TScale& y = chart.ScaleY(1);
  EXPECT_EQ(y.MarginTop(), 20);
  EXPECT_EQ(y.MarginBottom(), 39);
  EXPECT_EQ(y.MarginRight(), 609);  // the base line on column 50
  EXPECT_TRUE(x.IsHelperComponent());
  EXPECT_TRUE(x.Transparent());
}

TEST(RChartLayout, TwoLeftAxes) {
  TRChart chart;
  chart.SetStandardLayout(rcl_X1Bottom_Y2Left);
  EXPECT_EQ(chart.MarginLeft(), 100);
  EXPECT_EQ(chart.MarginTop(), 24);
  EXPECT_TRUE(chart.ScalePropsY(2).Visible());
  EXPECT_EQ(chart.ScalePropsY(2).ScalePos(), 50);
  EXPECT_EQ(chart.StandardLayout(), rcl_X1Bottom_Y2Left);
}

TEST(RChartLayout, AxesOnAllFourSides) {
  TRChart chart;
  chart.SetStandardLayout(rcl_X2Both_Y2Both);
  EXPECT_EQ(chart.ScalePropsX(2).ScaleLocation(), slTop);
  EXPECT_EQ(chart.ScalePropsX(2).ScaleType(), sctXB);
  EXPECT_EQ(chart.ScalePropsY(2).ScaleLocation(), slRight);
  EXPECT_EQ(chart.ScalePropsY(2).ScaleType(), sctYL);
  EXPECT_EQ(chart.MarginLeft(), 50);
  EXPECT_EQ(chart.MarginRight(), 50);
  EXPECT_EQ(chart.MarginTop(), 48);
  EXPECT_EQ(chart.MarginBottom(), 40);
  EXPECT_EQ(chart.CaptionPosY(), -46);
  EXPECT_EQ(chart.CaptionAlignment(), taCenter);
  EXPECT_EQ(chart.CaptionAnchorHoriz(), cahChartCenter);
  EXPECT_FALSE(chart.ScalePropsY(3).Visible());
}

// The message of the chart's error a call raises, or "no error".
std::string errorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const EPLXRChartError& e) {
    return e.what();
  }
  return "no error";
}

TEST(RChartLayout, ValuesBeyondTheSevenLayoutsAreRefused) {
  TRChart chart;
  chart.SetStandardLayout(rcl_X1Bottom_Y2Both);
  for (const int value : {7, 200, 255}) {
    EXPECT_EQ(errorOf([&] { chart.SetStandardLayout(TrcLayout(value)); }),
              "Standard layout " + std::to_string(value) + " is out of range");
    EXPECT_EQ(chart.StandardLayout(), rcl_X1Bottom_Y2Both);
    EXPECT_EQ(chart.MarginLeft(), 50);
    EXPECT_EQ(chart.MarginRight(), 50);
  }
}

// A layout or a size that fails part-way (here the mapping, with an axis
// made logarithmic over zero behind the setters' back) leaves painting as it
// was, suppressed or not.
TEST(RChartLayout, AFailurePartWayLeavesPaintingAsItWas) {
  TRChart chart;
  MakeFirstChart(chart);
  chart.Scale1X().SetRangeLow(1);
  chart.Scale1X().SetLogarithmic(true);
  const std::vector<std::pair<const char*, std::function<void()>>> calls = {
      {"SetStandardLayout", [&] { chart.SetStandardLayout(rcl_X2Both_Y2Both); }},
      {"SetBounds", [&] { chart.SetBounds(0, 0, 500, 300); }}};
  for (const auto& [name, call] : calls) {
    for (const bool suppressed : {false, true}) {
      chart.SetSuppressPaint(suppressed);
      chart.Scale1X().StoreRange(0, 40);
      EXPECT_EQ(errorOf(call), "Logarithmic axis must not be negative.") << name;
      EXPECT_EQ(chart.SuppressPaint(), suppressed) << name;
      chart.Scale1X().StoreRange(1, 40);
    }
  }
}

TEST(RChartMapping, FirstChart) {
  TRChart chart;
  MakeFirstChart(chart);
  int x = 0, y = 0;
  chart.R2M(1, 20, 14, x, y);
  EXPECT_EQ(x, 345);
  EXPECT_EQ(y, 208);
  chart.R2M(1, 0, 1.5, x, y);
  EXPECT_EQ(x, 50);
  EXPECT_EQ(y, 355);
  chart.R2M(1, 40, 30, x, y);
  EXPECT_EQ(x, 640);
  EXPECT_EQ(y, 20);
  double rx = 0, ry = 0;
  chart.M2R(1, 345, 208, rx, ry);
  EXPECT_DOUBLE_EQ(rx, 20.0);
  EXPECT_NEAR(ry, 14.00597, 1e-5);
  chart.R2M(1, 1e30, 1.5, x, y);
  EXPECT_EQ(x, 2147483647);
}

TEST(RChartMapping, LayerOutOfRangeIsClamped) {
  TRChart chart;
  MakeFirstChart(chart);
  chart.ScalePropsX(16).SetRangeHigh(10);
  int x = 0, y = 0;
  chart.R2M(0, 20, 14, x, y);
  EXPECT_EQ(x, 345);
  chart.R2M(99, 5, 0, x, y);
  EXPECT_EQ(x, 345);
  double rx = 0, ry = 0;
  chart.M2R(0, 345, 208, rx, ry);
  EXPECT_DOUBLE_EQ(rx, 20.0);
  chart.M2R(17, 345, 208, rx, ry);
  EXPECT_DOUBLE_EQ(rx, 5.0);
}

// A value without a logarithm goes to the edge on the side of the smallest
// values, as zero and negative values do.
TEST(RChartMapping, NotANumberOnALogarithmicAxisGoesToTheEdge) {
  TRChart chart;
  MakeFirstChart(chart);
  chart.Scale1X().SetRangeLow(1);
  chart.Scale1X().SetRangeHigh(1000);
  chart.Scale1Y().SetRangeLow(1);
  chart.Scale1Y().SetLogarithmic(true);
  chart.Scale1X().SetLogarithmic(true);
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  int x = 0, y = 0;
  chart.R2M(1, kNaN, kNaN, x, y);
  EXPECT_EQ(y, 395);
  chart.Scale1X().SetRangeLow(1000);  // reversed: the smallest values at the right
  chart.Scale1X().SetRangeHigh(1);
  chart.R2M(1, kNaN, 0, x, y);
  EXPECT_EQ(x, 660);
  chart.R2M(1, -5, 0, x, y);
  EXPECT_EQ(x, 660);
}

// Every public call that takes a layer number: those without a rule of their
// own for numbers outside 1..16 raise the chart's error naming the layer and
// change nothing; 0 stands for all layers where a call says so.
TEST(RChartLayers, NumbersOutsideTheLayersAreRefused) {
  TRChart chart;
  MakeFirstChart(chart);
  chart.MarkAt(10, 10, 24);
  struct Call {
    const char* name;
    bool zeroMeansAll;
    std::function<void(TRChart&, int)> call;
  };
  const std::vector<Call> calls{
      {"SetRange", true, [](TRChart& c, int n) { c.SetRange(n, 1, 2, 3, 4); }},
      {"AutoRange", true, [](TRChart& c, int n) { c.AutoRange(n, 10); }},
      {"AutoRangeXOnly", true, [](TRChart& c, int n) { c.AutoRangeXOnly(n, 10, 5); }},
      {"AutoRangeYOnly", true, [](TRChart& c, int n) { c.AutoRangeYOnly(n, 10); }},
      {"ZoomStack", false, [](TRChart& c, int n) { c.ZoomStack(n, 0); }},
      {"GetZoomStackEntry", false, [](TRChart& c, int n) { c.GetZoomStackEntry(n, -3); }},
      {"ScaleX", false, [](TRChart& c, int n) { c.ScaleX(n); }},
      {"ScaleY", false, [](TRChart& c, int n) { c.ScaleY(n); }},
      {"SetEqualRange",
       false,
       [](TRChart& c, int n) { c.SetEqualRange(n == 0 ? TLayerSet(0b11) : TLayerSet()); }},
      {"SetEqualRangeXOnly",
       false,
       [](TRChart& c, int n) { c.SetEqualRangeXOnly(n == 0 ? TLayerSet(0b101) : TLayerSet()); }},
      {"SetEqualRangeYOnly",
       false,
       [](TRChart& c, int n) { c.SetEqualRangeYOnly(n == 0 ? TLayerSet(0b1) : TLayerSet()); }},
  };
  for (const Call& c : calls) {
    const bool takesSets = std::string(c.name).starts_with("SetEqualRange");
    const std::vector<int> numbers =
        takesSets ? std::vector<int>{0} : std::vector<int>{0, -1, 17, 100000, INT_MIN};
    for (const int n : numbers) {
      if (n == 0 && c.zeroMeansAll) continue;
      EXPECT_EQ(errorOf([&] { c.call(chart, n); }),
                "Layer " + std::to_string(n) + " is out of range")
          << c.name << "(" << n << ")";
      EXPECT_EQ(chart.Scale1X().RangeHigh(), 40) << c.name << "(" << n << ")";
      EXPECT_EQ(chart.Scale1Y().RangeLow(), 1.5) << c.name << "(" << n << ")";
      EXPECT_TRUE(chart.ZoomStack(1, -1).IsZero()) << c.name << "(" << n << ")";
    }
  }
  for (const Call& c : calls) EXPECT_EQ(errorOf([&] { c.call(chart, 16); }), "no error") << c.name;
}

// Calls whose numbers outside 1..16 have a rule of their own keep it.
TEST(RChartLayers, CallsWithTheirOwnRuleForOtherNumbersKeepIt) {
  TRChart chart;
  MakeFirstChart(chart);
  for (const int n : {0, 17, INT_MIN, INT_MAX}) {
    int x = 0, y = 0;
    double rx = 0, ry = 0;
    EXPECT_NO_THROW(chart.R2M(n, 1, 1, x, y));
    EXPECT_NO_THROW(chart.M2R(n, 1, 1, rx, ry));
    EXPECT_EQ(&chart.ScalePropsX(n), &chart.Scale1X());
    EXPECT_EQ(&chart.ScalePropsY(n), &chart.Scale1Y());
    EXPECT_NO_THROW(chart.SetScalePropsX(n, chart.ScalePropsX(2)));
    EXPECT_NO_THROW(chart.SetScalePropsY(n, chart.ScalePropsY(2)));
    EXPECT_FALSE(chart.MouseAffectsLayer(n));
    EXPECT_NO_THROW(chart.SetMouseAffectsLayer(n, true));
    EXPECT_FALSE(chart.LayerVisible(n));
    EXPECT_NO_THROW(chart.SetLayerVisible(n, true));
    EXPECT_NO_THROW(chart.SetActiveLayer(n));
    EXPECT_EQ(chart.Store().RemoveItemsByLayer(n), 0);
  }
  EXPECT_EQ(chart.Scale1X().RangeHigh(), 40);
  EXPECT_EQ(chart.ActiveLayer(), 1);
}

TEST(RChartMapping, MarginsSizeAndRimRemap) {
  TRChart chart;
  MakeFirstChart(chart);
  chart.SetShadowWidth(10);
  int x = 0, y = 0;
  chart.R2M(1, 40, 1.5, x, y);
  EXPECT_EQ(x, 630);
  EXPECT_EQ(y, 345);
  chart.SetMarginLeft(100);
  chart.R2M(1, 0, 1.5, x, y);
  EXPECT_EQ(x, 100);
  EXPECT_EQ(chart.GrafBmp().Width(), 660 - 100 - 20 - 10 + 1);
}

TEST(RChartMapping, LogarithmicAxisWithNonPositiveRangeRaises) {
  TRChart chart;
  chart.BeginLoading();
  chart.Scale1X().SetLogarithmic(true);
  chart.Scale1X().SetRangeHigh(1000);
  chart.Scale1X().SetRangeLow(1);
  EXPECT_NO_THROW(chart.Loaded());
  EXPECT_TRUE(chart.Scale1X().Logarithmic());

  TRChart zero;
  zero.BeginLoading();
  zero.Scale1X().SetLogarithmic(true);
  zero.Scale1X().SetRangeHigh(1000);
  try {
    zero.Loaded();
    FAIL() << "no error";
  } catch (const EPLXRChartError& e) {
    EXPECT_STREQ(e.what(), "Logarithmic axis must not be negative.");
  }
}

TEST(RChartMapping, LogarithmicIsRefusedAfterLoading) {
  TRChart chart;
  MakeFirstChart(chart);
  chart.Scale1X().SetLogarithmic(true);  // range 0..40
  EXPECT_FALSE(chart.Scale1X().Logarithmic());
}

TEST(RChartMapping, AxisPropertyChangesReachTheHelpersAndTheMapping) {
  TRChart chart;
  MakeFirstChart(chart);
  chart.Scale1X().SetRangeHigh(80);
  EXPECT_EQ(chart.ScaleX(1).RangeHigh(), 80);
  int x = 0, y = 0;
  chart.R2M(1, 40, 0, x, y);
  EXPECT_EQ(x, 345);
  chart.Scale1X().SetCaption(u"m");
  EXPECT_EQ(chart.ScaleX(1).Caption(), u"m");
}

TEST(RChartJointLayers, MessagesInOrderAndTheJoinedRange) {
  TRChart chart;
  MakeFirstChart(chart);
  TJointLayers& joint = chart.JointLayers();
  chart.ScalePropsY(2).SetRangeHigh(7);
  joint.SetL02xControlledBy(1);
  EXPECT_EQ(joint.L02xControlledBy(), 1);
  EXPECT_EQ(chart.ScalePropsX(2).RangeHigh(), 40);
  EXPECT_EQ(chart.ScalePropsY(2).RangeHigh(), 7);
  const auto message = [&](auto write) -> std::string {
    try {
      write();
    } catch (const EPLXRChartError& e) {
      return e.what();
    }
    return "no error";
  };
  EXPECT_EQ(message([&] { joint.SetL03xControlledBy(2); }),
            "Destination layer 2 is already joined");
  EXPECT_EQ(message([&] { joint.SetL01xControlledBy(3); }),
            "Layer 1 is joined by other layers (2)");
  EXPECT_EQ(message([&] { joint.SetL02xControlledBy(17); }),
            "Destination layer 17 is out of range");
  joint.SetL04xControlledBy(1);
  EXPECT_EQ(message([&] { joint.SetL01xControlledBy(5); }),
            "Layer 1 is joined by other layers (2, 4)");
  joint.SetL02xControlledBy(2);
  EXPECT_EQ(joint.L02xControlledBy(), 2);
}

TEST(RChartJointLayers, LayersOutsideTheTableAreRefused) {
  TRChart chart;
  MakeFirstChart(chart);
  TJointLayers& joint = chart.JointLayers();
  struct Case {
    int index;
    int master;
    bool horizontal;
    std::string message;
  };
  const std::vector<Case> cases{{17, 1, true, "Layer 17 is out of range"},
                                {0, 2, false, "Layer 0 is out of range"},
                                {100000, 1, false, "Layer 100000 is out of range"},
                                {-3, 1, true, "Layer -3 is out of range"},
                                {INT_MIN, 1, true, "Layer -2147483648 is out of range"},
                                {17, 99, true, "Layer 17 is out of range"}};
  for (const Case& c : cases) {
    const auto write = [&] {
      if (c.horizontal) {
        joint.SetMasterX(c.index, c.master);
      } else {
        joint.SetMasterY(c.index, c.master);
      }
    };
    EXPECT_EQ(errorOf(write), c.message) << c.index;
    EXPECT_EQ(errorOf([&] { joint.MasterX(c.index); }), c.message) << c.index;
    EXPECT_EQ(errorOf([&] { joint.MasterY(c.index); }), c.message) << c.index;
  }
  for (int n = 1; n <= MaxLayers; ++n) {
    EXPECT_EQ(joint.MasterX(n), n);
    EXPECT_EQ(joint.MasterY(n), n);
  }
}

TEST(RChartJointLayers, MasterRangeChangesReachTheJoinedLayer) {
  TRChart chart;
  MakeFirstChart(chart);
  chart.JointLayers().SetL02yControlledBy(1);
  EXPECT_EQ(chart.ScalePropsY(2).RangeLow(), 1.5);
  chart.Scale1Y().SetRangeHigh(20);
  EXPECT_EQ(chart.ScalePropsY(2).RangeHigh(), 20);
  EXPECT_EQ(chart.ScalePropsX(2).RangeHigh(), 1);  // its own horizontal range
}

TEST(RChartJointLayers, ResetAndAssign) {
  TJointLayers a;
  a.SetL05yControlledBy(3);
  TJointLayers b;
  b.Assign(a);
  EXPECT_EQ(b.L05yControlledBy(), 3);
  b.Reset();
  EXPECT_EQ(b.L05yControlledBy(), 5);
}

TEST(RChartCrossHair, LayerIsClampedAndChangesRepaint) {
  TCrossHair ch;
  ch.SetLayer(0);
  EXPECT_EQ(ch.Layer(), 1);
  ch.SetLayer(20);
  EXPECT_EQ(ch.Layer(), 16);
  int changes = 0;
  ch.OnChange = [&](TObject*) { ++changes; };
  ch.SetPosX(3);
  TCrossHair copy;
  copy.Assign(ch);
  EXPECT_EQ(copy.PosX(), 3);
  EXPECT_EQ(copy.Layer(), 16);
  EXPECT_EQ(changes, 1);
  TScalePropsHoriz other;
  EXPECT_THROW(copy.Assign(static_cast<const TObject&>(other)), EConvertError);
}

TEST(RChartCopy, AssignCopiesItemsSettingsAndRanges) {
  TRChart source;
  MakeFirstChart(source);
  source.SetGridStyle(gsLines);
  source.SetMarginLeft(60);
  source.MarkAt(1, 2, 24);
  TRChart copy;
  copy.Assign(source);
  EXPECT_EQ(copy.NumItems(), 1);
  EXPECT_EQ(copy.GridStyle(), gsLines);
  EXPECT_EQ(copy.MarginLeft(), 60);
  EXPECT_EQ(copy.Scale1Y().RangeLow(), 1.5);
  EXPECT_EQ(copy.ScaleY(1).RangeLow(), 1.5);
  int x = 0, y = 0;
  copy.R2M(1, 0, 30, x, y);
  EXPECT_EQ(x, 60);
  EXPECT_EQ(y, 20);
}

}  // namespace

namespace {

TEST(RChartMouse, MovesAreReportedWithTheInclusiveDataAreaTest) {
  TRChart chart;
  MakeFirstChart(chart);
  struct Report {
    bool in;
    double x;
    double y;
  };
  std::vector<Report> reports;
  chart.OnMouseMoveInChart = [&](TObject* sender, bool in, TShiftState, double x, double y) {
    EXPECT_EQ(sender, &chart);
    reports.push_back({in, x, y});
  };
  chart.MouseMove(0, 50, 208);
  chart.MouseMove(0, 640, 355);
  chart.MouseMove(0, 345, 208);
  chart.MouseMove(0, 49, 208);
  chart.MouseMove(0, 345, 356);
  ASSERT_EQ(reports.size(), 5u);
  EXPECT_TRUE(reports[0].in);
  EXPECT_TRUE(reports[1].in);
  EXPECT_TRUE(reports[2].in);
  EXPECT_FALSE(reports[3].in);
  EXPECT_FALSE(reports[4].in);
  EXPECT_DOUBLE_EQ(reports[0].x, 0.0);
  EXPECT_DOUBLE_EQ(reports[3].x, -1 / 14.75);  // extrapolated outside
  EXPECT_DOUBLE_EQ(chart.MousePosX(), 20.0);   // the last position inside
  EXPECT_NEAR(chart.MousePosY(), 14.00597, 1e-5);
}

}  // namespace

// With no pixel extent there is no value under the mouse: the move is still
// reported, with the middle of each range, instead of raising a division
// error.
TEST(RChartMouse, AxisWithoutExtentReportsTheMiddleOfItsRange) {
  TRChart chart;
  chart.Scale1X().SetRangeHigh(40);
  chart.Scale1Y().SetRangeLow(1.5);
  chart.Scale1Y().SetRangeHigh(30);
  chart.SetMarginLeft(260);  // 280 wide: the data area is column 260 alone
  int reports = 0;
  chart.OnMouseMoveInChart = [&](TObject*, bool, TShiftState, double x, double y) {
    ++reports;
    EXPECT_EQ(x, 20.0);
    EXPECT_NE(y, 15.75);  // the vertical axis still has its extent
  };
  EXPECT_NO_THROW(chart.MouseMove(0, 260, 60));
  EXPECT_EQ(reports, 1);
}

namespace {

int MappingComputations(TRChart& chart) {
  int sum = 0;
  for (int n = 1; n <= MaxLayers; ++n) {
    sum += chart.ScaleX(n).MappingComputations() + chart.ScaleY(n).MappingComputations();
  }
  return sum;
}

// Every axis property written re-synchronises all 32 axis helpers; only a
// helper whose geometry really changed computes its mapping again.
TEST(RChartScaleHelpers, RemapOnlyWhatChanged) {
  TRChart chart;
  const int before = MappingComputations(chart);
  chart.ScalePropsX(1).SetCaption(u"Length");
  chart.ScalePropsY(2).SetDecPlaces(3);
  EXPECT_EQ(MappingComputations(chart), before);
  chart.ScalePropsX(1).SetRangeHigh(50.0);
  EXPECT_EQ(MappingComputations(chart), before + 1);
  EXPECT_EQ(chart.ScaleX(1).RangeHigh(), 50.0);
}

// A layer's axis settings reach its helper whole, through the helper's own
// rules.
TEST(RChartScaleHelpers, DrawByTheLayersAxisSettings) {
  TRChart chart;
  TScalePropsHoriz& x = chart.ScalePropsX(3);
  x.SetCaption(u"Length");
  x.SetCaptionPosX(5);
  x.SetCaptionPosY(-3);
  x.SetCaptionAlignment(taLeftJustify);
  x.SetCaptionAnchor(uaSclCenter);
  x.SetColorScale(clTeal);
  x.SetDecPlaces(2);
  x.SetMinTicks(6);
  x.SetShortTicks(false);
  x.SetScaleInscript(u"<&>");
  x.SetUserTickText(u"a|b");
  x.SetLabelType(ftUserText);
  x.SetRangeLow(2);
  x.SetRangeHigh(50);
  x.SetLogarithmic(true);
  EXPECT_TRUE(chart.ScaleX(3).AxisSettings() == x.ScaleSettings());
  TScalePropsVert& y = chart.ScalePropsY(2);
  y.SetLabelType(ftTime);
  y.SetDecPlaces(7);
  y.SetMinTicks(12);
  EXPECT_EQ(chart.ScaleY(2).DecPlaces(), 4) << "a time axis falls back to 4 places";
  EXPECT_EQ(chart.ScaleY(2).MinTicks(), 10);
}

}  // namespace
