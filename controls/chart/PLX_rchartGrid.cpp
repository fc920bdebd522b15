// The grid: lines or dots across the data area at the positions of
// PLX_ChartGrid, on the active layer, below all items.
#include <vector>

#include "controls/chart/PLX_rchart.h"
#include "platform/Canvas.h"

namespace {

constexpr double kMinGridSpacing = -3;

}  // namespace

void TCustomRChart::SetGridDx(double value) {
  if (value < kMinGridSpacing) return;
  FSettings.GridDx = value;
  StyleChanged(this);
}

void TCustomRChart::SetGridDy(double value) {
  if (value < kMinGridSpacing) return;
  FSettings.GridDy = value;
  StyleChanged(this);
}

TGridAxis TCustomRChart::gridAxis(bool horizontal) const {
  const size_t n = size_t(ActiveLayer());
  const TScaleProps& props = horizontal ? static_cast<const TScaleProps&>(*FScalePropsX[n])
                                        : static_cast<const TScaleProps&>(*FScalePropsY[n]);
  const TScale& scale = horizontal ? *FScalesX[n] : *FScalesY[n];
  TGridAxis axis;
  axis.Log = props.Logarithmic();
  axis.Spacing = horizontal ? FSettings.GridDx : FSettings.GridDy;
  axis.RangeLow = props.RangeLow();
  axis.RangeHigh = props.RangeHigh();
  for (int i = 1; i <= scale.NumTicks(); ++i) axis.Ticks.Record(scale.TickPos(i));
  return axis;
}

// The vertical grid lines, in the order drawn: the columns of the grid
// positions, from the bottom of the active layer's range to its top.
std::vector<TVerticalRule> TCustomRChart::verticalGridRules(int PosX, int PosY) const {
  std::vector<TVerticalRule> rules;
  const int layer = ActiveLayer();
  const TGridAxis ay = gridAxis(false);
  const int ox = PosX - FFrame.L;
  const int oy = PosY - FFrame.T;
  ForEachGridPosition(gridAxis(true), [&](double x) {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    R2M(layer, x, ay.RangeLow, x1, y1);
    R2M(layer, x, ay.RangeHigh, x2, y2);
    rules.push_back({x1 + ox, y1 + oy, y2 + oy});
  });
  return rules;
}

void TCustomRChart::ConstructGrid(TCanvas& cv, int PosX, int PosY) {
  constructGrid(cv, PosX, PosY, true);
}

void TCustomRChart::constructGrid(TCanvas& cv, int PosX, int PosY, bool withVertical) {
  // The gaps of dotted lines show the chart colour.
  cv.Brush().SetColor(FSettings.ChartColor);
  cv.Pen().SetColor(FSettings.GridColor);
  const int layer = ActiveLayer();
  const TGridAxis ax = gridAxis(true);
  const TGridAxis ay = gridAxis(false);
  const int ox = PosX - FFrame.L;
  const int oy = PosY - FFrame.T;
  const auto horizontal = [&](double y) {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    R2M(layer, ax.RangeLow, y, x1, y1);
    R2M(layer, ax.RangeHigh, y, x2, y2);
    cv.MoveTo(x1 + ox, y1 + oy);
    cv.LineTo(x2 + ox, y2 + oy);
  };
  const bool dotted = FSettings.GridStyle >= gsHorizDotLines;
  const bool drawVertical = FSettings.GridStyle == gsVertLines || FSettings.GridStyle == gsLines ||
                            FSettings.GridStyle == gsVertDotLines ||
                            FSettings.GridStyle == gsDotLines;
  const bool drawHorizontal =
      FSettings.GridStyle == gsHorizLines || FSettings.GridStyle == gsLines ||
      FSettings.GridStyle == gsHorizDotLines || FSettings.GridStyle == gsDotLines;
  if (FSettings.GridStyle == gsPoints) {
    int n = 0;
    ForEachGridPoint(ax, ay, n, [&](double x, double y) {
      int px = 0, py = 0;
      R2M(layer, x, y, px, py);
      cv.SetPixel(px + ox, py + oy, FSettings.GridColor);
    });
    return;
  }
  cv.Pen().SetStyle(dotted ? psDot : psSolid);
  if (drawVertical && withVertical) {
    for (const TVerticalRule& v : verticalGridRules(PosX, PosY)) {
      cv.MoveTo(v.x, v.y0);
      cv.LineTo(v.x, v.y1);
    }
  }
  if (drawHorizontal) ForEachGridPosition(ay, horizontal);
  cv.Pen().SetStyle(psSolid);
}

// Whether the grid's vertical lines may be drawn with the data-area
// background: solid lines in the pen's one-pixel width, with nothing drawn
// between the background and the grid.
bool TCustomRChart::verticalGridWithBackground(const TCanvas& cv) const {
  return (FSettings.GridStyle == gsLines || FSettings.GridStyle == gsVertLines) &&
         FBackGroundImg->Name().empty() && FBackGroundImg->AreaMode() == bamNone &&
         !OnBeforeRenderData && cv.Pen().Width() == 1;
}
