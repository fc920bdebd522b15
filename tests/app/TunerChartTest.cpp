// The Tuner page's chart: the tuner's range as a band under the grid, a
// curve per band in its colour, the spans as bars along the bottom, the
// legend in the right margin, the crosshair at the feeder length.
#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>
#include <memory>

#include "app/TunerChart.h"
#include "platform/Bitmap.h"
#include "platform/Locale.h"

namespace {

constexpr TColor kRange = 0xD8F0D8;
constexpr TColor kSpan = 0x008000;

struct TunerChart : ::testing::Test {
  QWidget parent;
  std::unique_ptr<TTunerChart> chart;
  TBitmap picture;

  void SetUp() override {
    SetLocaleDecimalSeparator(u'.');
    parent.resize(660, 350);
    chart = std::make_unique<TTunerChart>(&parent, 0, 0, 648, 336);
    parent.show();
  }
  void TearDown() override { SetLocaleDecimalSeparator(0); }

  // 400 Ω on a line of Z0 400 Ω: |Z| about 400 Ω at every length; one span 10..20 m.
  static TTunerResult Result(TTuner tuner) {
    TTunerResult r;
    r.setup.tuner = tuner;
    r.setup.feederM = 30;
    r.bands = {5};
    TTunerRow row;
    row.frequencyMHz = 14.175;
    row.feedImpedance = 400;
    r.rows = {row};
    r.sweep = {{14.175, 400, 5}};
    r.finder.table = std::make_shared<const TFinderTable>(r.setup.line, tuner, r.sweep, 100);
    r.finder.spans = {{10, 20, 15, 1, 14.0, {}}};
    r.finder.groupsIncluded = r.finder.groupsSuited = 1;
    return r;
  }
  TColor At(double metres, double ohm) {
    int x = 0, y = 0;
    chart->Chart().R2M(1, metres, ohm, x, y);
    return picture.PixelColor(x, y) & 0xFFFFFF;
  }
  void Take() { chart->Chart().CopyToBitmap(&picture, false); }
};

TEST_F(TunerChart, TheTunersRangeTheCurveAndTheSpans) {
  chart->Show(Result({TTuner::External, 3, 100, 1000}));
  Take();
  EXPECT_EQ(At(33, 150), kRange);              // inside the range, off the grid
  EXPECT_EQ(At(33, 1500), TColor(clWhite));    // above it
  EXPECT_EQ(At(33, 50), TColor(clWhite));      // below it
  EXPECT_EQ(At(33, 400), TunerCurveColor(5));  // the curve at 400 Ω
  int x = 0, y = 0;
  chart->Chart().R2M(2, 15, 0.02, x, y);  // the span's bar along the bottom
  EXPECT_EQ(picture.PixelColor(x, y) & 0xFFFFFF, kSpan);
  chart->Chart().R2M(2, 25, 0.02, x, y);  // beyond it, none
  EXPECT_NE(picture.PixelColor(x, y) & 0xFFFFFF, kSpan);
  EXPECT_DOUBLE_EQ(chart->Feeder(), 30);
  chart->Chart().R2M(1, 30, 3000, x, y);  // the crosshair, on the window
  const QImage window = chart->Chart().Widget()->grab().toImage();
  EXPECT_EQ(window.pixelColor(x, y), QColor(Qt::black));
}

// The internal tuner's band is 50/S to 50·S; the curve is thick only where
// the SWR on 50 Ω is S or less (400 Ω is SWR 8: thin).
TEST_F(TunerChart, TheInternalTunersBandAndAThinCurveWhereItCannotMatch) {
  chart->Show(Result({TTuner::Internal, 10, 10, 1500}));
  Take();
  EXPECT_EQ(At(33, 6), kRange);
  EXPECT_EQ(At(33, 490), kRange);
  EXPECT_EQ(At(33, 4), TColor(clWhite));
  int x = 0, y = 0;
  chart->Chart().R2M(1, 33, 400, x, y);
  int thickness = 0;
  for (int dy = -3; dy <= 3; ++dy)
    thickness += (picture.PixelColor(x, y + dy) & 0xFFFFFF) == TunerCurveColor(5);
  EXPECT_EQ(thickness, 2);  // SWR 8 <= 10: matched, two pixels
  chart->Show(Result({TTuner::Internal, 3, 10, 1500}));
  Take();
  thickness = 0;
  for (int dy = -3; dy <= 3; ++dy)
    thickness += (picture.PixelColor(x, y + dy) & 0xFFFFFF) == TunerCurveColor(5);
  EXPECT_EQ(thickness, 1);
}

TEST_F(TunerChart, TheLegendStandsInTheRightMarginInTheCurvesColour) {
  chart->Show(Result({TTuner::External, 3, 100, 1000}));
  Take();
  const int left = chart->Chart().Width() - chart->Chart().MarginRight() + 10;
  const int y = chart->Chart().MarginTop() + 2 + 7;
  EXPECT_EQ(picture.PixelColor(left + 9, y) & 0xFFFFFF, TunerCurveColor(5));
  chart->Clear();
  Take();
  EXPECT_NE(picture.PixelColor(left + 9, y) & 0xFFFFFF,
            TunerCurveColor(5));  // nothing shown, no legend
}

TEST_F(TunerChart, DraggingReportsTheFeederLengthToTheCentimetre) {
  chart->Show(Result({TTuner::External, 3, 100, 1000}));
  double dragged = -1;
  chart->OnFeederDragged = [&dragged](double metres) { dragged = metres; };
  TRChart& c = chart->Chart();
  int x = 0, y = 0;
  c.R2M(1, 30, 100, x, y);
  c.MouseMove(ssLeft, x, y);
  c.MouseMove(ssLeft, x - 50, y);
  c.MouseMove(0, x - 50, y);
  EXPECT_GT(dragged, 0);
  EXPECT_LT(dragged, 30);
  EXPECT_DOUBLE_EQ(dragged, std::round(dragged * 100) / 100);
}

}  // namespace
