// Drawing the first chart's two axes, as the chart does for every full
// rendering: ticks, labels, captions and base lines on a 660 x 395 image,
// through the helper scales and through the plain axis unit; and the
// value -> pixel conversion that the renderers call for every point.
#include <benchmark/benchmark.h>

#include "controls/scale/PLX_AxisDraw.h"
#include "controls/scale/PLX_Scale.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"

namespace {

void makeHelper(TScale& s, TBitmap& image) {
  s.SetIsHelperComponent(true);
  s.SetTransparent(true);
  s.SetBounds(0, 0, image.Width(), image.Height());
}

void BM_FirstChartAxes(benchmark::State& state) {
  TBitmap image(660, 395);
  TScale x;
  TScale y;
  makeHelper(x, image);
  makeHelper(y, image);
  x.SetScaleType(sctXT);
  x.SetMarginLeft(50);
  x.SetMarginRight(19);
  x.SetMarginTop(355);
  x.SetRange(0.0, 40.0);
  x.SetCaption(u"Feeder length in meters (x - current max point)");
  x.SetCaptionPosX(0);
  x.SetCaptionPosY(22);
  x.SetCaptionAnchor(uaSclCenter);
  y.SetScaleType(sctYR);
  y.SetMarginTop(20);
  y.SetMarginBottom(39);
  y.SetMarginRight(609);
  y.SetRange(1.5, 30.0);
  y.SetCaption(u"Frequency (MHz)");
  y.SetCaptionPosX(-40);
  y.SetCaptionPosY(-16);
  y.SetCaptionAlignment(taLeftJustify);
  for (auto _ : state) {
    x.ForcePaint(image.Canvas(), 0, 0);
    y.ForcePaint(image.Canvas(), 0, 0);
    benchmark::DoNotOptimize(image.ScanLine(355)[50]);
  }
  state.counters["ticks"] = x.NumTicks() + y.NumTicks();
}
BENCHMARK(BM_FirstChartAxes)->Unit(benchmark::kMicrosecond);

// The same two axes drawn by the axis unit straight from their settings.
void BM_FirstChartAxesUnit(benchmark::State& state) {
  TBitmap image(660, 395);
  TCanvas& cv = image.Canvas();
  TScaleGeometry gx;
  gx.ScaleType = sctXT;
  gx.Width = 660;
  gx.Height = 395;
  gx.MarginLeft = 50;
  gx.MarginRight = 19;
  gx.MarginTop = 355;
  gx.RangeHigh = 40.0;
  TScaleGeometry gy = gx;
  gy.ScaleType = sctYR;
  gy.MarginTop = 20;
  gy.MarginBottom = 39;
  gy.MarginRight = 609;
  gy.RangeLow = 1.5;
  gy.RangeHigh = 30.0;
  TAxisMap mx;
  TAxisMap my;
  AdjustScalePars(gx, mx);
  AdjustScalePars(gy, my);
  TAxisStyle sx;
  sx.Transparent = true;
  sx.Caption = u"Feeder length in meters (x - current max point)";
  sx.CaptionPosX = 0;
  sx.CaptionPosY = 22;
  sx.CaptionAnchor = uaSclCenter;
  TAxisStyle sy;
  sy.Transparent = true;
  sy.Caption = u"Frequency (MHz)";
  sy.CaptionPosX = -40;
  sy.CaptionPosY = -16;
  sy.CaptionAlignment = taLeftJustify;
  int ticks = 0;
  for (auto _ : state) {
    ticks = DrawAxis(cv, gx, mx, sx, {}, 0, 0).NumTicks();
    ticks += DrawAxis(cv, gy, my, sy, {}, 0, 0).NumTicks();
    benchmark::DoNotOptimize(image.ScanLine(355)[50]);
  }
  state.counters["ticks"] = ticks;
}
BENCHMARK(BM_FirstChartAxesUnit)->Unit(benchmark::kMicrosecond);

// One million conversions through the scale's cached mapping.
void BM_ValueToPixel1e6(benchmark::State& state) {
  TScale x;
  x.SetIsHelperComponent(true);
  x.SetBounds(0, 0, 660, 395);
  x.SetScaleType(sctXT);
  x.SetMarginLeft(50);
  x.SetMarginRight(19);
  x.SetRange(0.0, 40.0);
  for (auto _ : state) {
    long long sum = 0;
    for (int i = 0; i < 1000000; ++i) sum += x.ConvertToPixelCoords(i * 4e-5);
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_ValueToPixel1e6)->Unit(benchmark::kMicrosecond);

// A stand-alone opaque scale: background, axis, frame and the copy to its
// window surface.
void BM_OpaqueStandAloneScale(benchmark::State& state) {
  TScale s;
  s.SetBounds(0, 0, 400, 60);
  s.SetMarginBottom(30);
  s.SetCaption(u"Hz");
  for (auto _ : state) {
    s.ForcePaint();
    benchmark::DoNotOptimize(s.Surface().ScanLine(0)[0]);
  }
}
BENCHMARK(BM_OpaqueStandAloneScale)->Unit(benchmark::kMicrosecond);

}  // namespace
