#include "app/ReportChart.h"

#include <algorithm>
#include <cmath>

#include "app/FeederCharts.h"
#include "app/TunerChart.h"
#include "controls/chart/PLX_rchart.h"
#include "platform/Canvas.h"
#include "platform/ScopeGuard.h"

namespace {

// The Tuner page's chart's size: the picture keeps its proportions and
// grows every pixel measure from it.
constexpr int kTunerChartWidth = 648;
constexpr int kTunerChartHeight = 336;

// The items' pen widths grow with the picture; a width stays in the
// records' range.
void scaleLineWidths(TrcItemStore& store, double scale) {
  for (int i = 0; i < store.NumItems(); ++i) {
    TrcChartItem item = store.DataContainer(i);
    item.LWid = int32_t(std::clamp(std::lround(item.LWid * scale), 1L, 255L));
    store.SetDataContainer(i, item);
  }
}

bool inRange(TCustomRChart& chart, const TrcChartItem& item) {
  const TScaleProps& x = chart.ScalePropsX(item.Layer);
  const TScaleProps& y = chart.ScalePropsY(item.Layer);
  return item.x >= std::min(x.RangeLow(), x.RangeHigh()) &&
         item.x <= std::max(x.RangeLow(), x.RangeHigh()) &&
         item.y >= std::min(y.RangeLow(), y.RangeHigh()) &&
         item.y <= std::max(y.RangeLow(), y.RangeHigh());
}

// The marks have a fixed size in pixels: the calculation's discs are drawn
// again over them, as many times larger as the picture is.
void drawScaledMarks(TCustomRChart& chart, TCanvas& cv, int dx, int dy, double scale) {
  TPen& pen = cv.Pen();
  TBrush& brush = cv.Brush();
  const TPen penBefore = pen;
  const TBrush brushBefore = brush;
  const TScopeGuard restore([&] {
    pen = penBefore;
    brush = brushBefore;
  });
  pen.SetWidth(1);
  pen.SetStyle(psSolid);
  brush.SetStyle(bsSolid);
  // The screen's disc is 7 pixels across: 3 either side of its centre.
  const int a = int(std::lround(3.5 * scale - 0.5));
  const TrcItemStore& store = chart.Store();
  for (int i = 0; i < store.NumItems(); ++i) {
    const TrcChartItem& item = store.Items()[i];
    if (item.ItemKind != tkMarkAt || item.MarkOrAlign != FeederMarkKind) continue;
    if (!store.LayerVisible(item.Layer) || !store.ClassVisible(item.ItemClass) ||
        !inRange(chart, item))
      continue;
    int x = 0, y = 0;
    chart.R2M(item.Layer, item.x, item.y, x, y);
    pen.SetColor(item.Color);
    brush.SetColor(item.Color);
    cv.Ellipse(x - dx - a, y - dy - a, x - dx + a + 1, y - dy + a + 1);
  }
}

}  // namespace

int ReportChartHeight(int widthPixels) {
  return int(std::lround(double(widthPixels) * FirstChartHeight / FirstChartWidth));
}

void RenderReportChart(const TReportChart& in, int widthPixels, TBitmap& picture) {
  const double scale = double(widthPixels) / FirstChartWidth;
  TCustomRChart chart;
  LoadFirstChart(chart, widthPixels, ReportChartHeight(widthPixels), scale);
  if (in.items) {
    chart.Store().Assign(*in.items);
    scaleLineWidths(chart.Store(), scale);
  }
  chart.SetRange(1, in.x.low, in.y.low, in.x.high, in.y.high);
  chart.OnDataRendered = [&chart, scale](TObject*, TCanvas& cv, int dx, int dy) {
    drawScaledMarks(chart, cv, dx, dy, scale);
  };
  chart.CopyToBitmap(&picture, false);
}

int ReportTunerChartHeight(int widthPixels) {
  return int(std::lround(double(widthPixels) * kTunerChartHeight / kTunerChartWidth));
}

void RenderReportTunerChart(const TTunerResult& result, int widthPixels, TBitmap& picture) {
  const double scale = double(widthPixels) / kTunerChartWidth;
  TTunerChart tuner(widthPixels, ReportTunerChartHeight(widthPixels), scale);
  tuner.Show(result);
  TRChart& chart = tuner.Chart();
  chart.SetActiveLayer(1);
  chart.SetDataColor(clBlack);
  chart.SetLineWidth(uint8_t(std::clamp(std::lround(scale), 1L, 255L)));
  const double feeder = std::clamp(result.setup.feederM, 0.0, TunerChartLongestM);
  chart.Line(feeder, TunerChartLowestOhm, feeder, TunerChartHighestOhm);
  chart.CopyToBitmap(&picture, false);
}
