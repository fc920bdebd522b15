// Drawing the first chart's two axes with their helper scales, as the chart
// does for every full rendering: ticks, labels, captions and base lines on
// a 660 x 395 image.
#include <benchmark/benchmark.h>

#include "controls/scale/PLX_Scale.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"

namespace {

void makeHelper(TScale& s, TBitmap& image) {
  s.SetIsHelperComponent(true);
  s.SetTransparent(true);
  s.UseForeignCanvas(&image.Canvas(), 0, 0);
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
    x.ForcePaint();
    y.ForcePaint();
    benchmark::DoNotOptimize(image.ScanLine(355)[50]);
  }
  state.counters["ticks"] = x.NumTicks() + y.NumTicks();
}
BENCHMARK(BM_FirstChartAxes)->Unit(benchmark::kMicrosecond);

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
