// The numeric axis: tick lines, labels, the caption and the base line.
// Positions along the axis come from the mapping; the base-line coordinate
// from the geometry and the offset across the axis.
#include "controls/scale/PLX_AxisDraw.h"

#include <algorithm>
#include <string>

#include "controls/scale/PLX_ScaleText.h"
#include "platform/Canvas.h"

namespace {

constexpr int kMinorTick = 4;
constexpr int kMajorTickX = 7;
constexpr int kMajorTickY = 6;
// Labels of vertical axes keep this distance from the base line.
constexpr int kLabelGapY = 8;
// Labels of horizontal axes keep this distance from the scale's edges.
constexpr int kLabelEdge = 2;

// One drawing call: the inputs, and the tick list it fills.
class AxisPainter {
 public:
  AxisPainter(TCanvas& cv, const TScaleGeometry& g, const TAxisMap& map, const TAxisStyle& style,
              const TAxisEvents& events)
      : FCanvas(cv), FGeometry(g), FMap(map), FStyle(style), FEvents(events) {}

  void DrawXScale(int YPos);
  void DrawYScale(int XPos);
  void drawBaseLine(int BasePos);
  TScaleTickList& ticks() { return FTicks; }

 private:
  void NumLinXax(int YPos);
  void NumLinYax(int XPos);
  void NumLogXax(int YPos);
  void NumLogYax(int XPos);
  TScaleTickRequest tickRequest(bool logarithmic) const;
  TTickLabelStyle labelStyle() const;
  void drawTickLine(int x, int y, int length);
  void tickDrawn(long double value, int chartX, int chartY);
  void beforeTickLabel(long double value, std::u16string& label);
  void WriteLabel(int x, int y, std::u16string label, long double value);
  void writeVerticalLabel(int XPos, int y, int th, std::u16string label, long double value);
  void drawCaption(int BasePos);
  bool horizontal() const { return IsHorizontalScale(FGeometry.ScaleType); }

  TCanvas& FCanvas;
  const TScaleGeometry& FGeometry;
  const TAxisMap& FMap;
  const TAxisStyle& FStyle;
  const TAxisEvents& FEvents;
  TScaleTickList FTicks;
};

// ---------------------------------------------------------------------------
// Order of one axis drawing

// A printer surface would get its font fitted to the printer's resolution
// first; axes are drawn only on screen surfaces and bitmaps.
void AxisPainter::DrawXScale(int YPos) {
  FCanvas.Brush().SetStyle(FStyle.Transparent ? bsClear : bsSolid);
  FTicks.Clear();
  // ftTime and ftDateTime are drawn as numbers until the time and date axes
  // take them over here; the time axis falls back to this when its range does
  // not suit its steps.
  if (FGeometry.Logarithmic) {
    NumLogXax(YPos);
  } else {
    NumLinXax(YPos);
  }
  drawCaption(YPos);
}

void AxisPainter::DrawYScale(int XPos) {
  FCanvas.Brush().SetStyle(FStyle.Transparent ? bsClear : bsSolid);
  FTicks.Clear();
  // As on horizontal axes, ftTime and ftDateTime draw numbers for now.
  if (FGeometry.Logarithmic) {
    NumLogYax(XPos);
  } else {
    NumLinYax(XPos);
  }
  drawCaption(XPos);
}

TScaleTickRequest AxisPainter::tickRequest(bool logarithmic) const {
  TScaleTickRequest request;
  request.MinTicks = FStyle.MinTicks;
  request.RangeLow = FGeometry.RangeLow;
  request.RangeHigh = FGeometry.RangeHigh;
  request.ShortTicks = FStyle.ShortTicks;
  request.Logarithmic = logarithmic;
  request.Horizontal = horizontal();
  return request;
}

TTickLabelStyle AxisPainter::labelStyle() const {
  TTickLabelStyle style;
  style.RangeLow = FGeometry.RangeLow;
  style.RangeHigh = FGeometry.RangeHigh;
  style.DecPlaces = FStyle.DecPlaces;
  style.LabelType = FStyle.LabelType;
  style.UserTickText = FStyle.UserTickText;
  style.ScaleInscript = FStyle.ScaleInscript;
  return style;
}

// ---------------------------------------------------------------------------
// The four axis routines

void AxisPainter::NumLinXax(int YPos) {
  TScaleTickWalk walk(tickRequest(false));
  const TTickLabelStyle style = labelStyle();
  const int m = CalcM(FStyle.DecPlaces, FGeometry.RangeLow, FGeometry.RangeHigh);
  TScaleTick tick;
  while (walk.Next(tick)) {
    if (tick.Recorded) FTicks.Record(static_cast<double>(tick.Value));
    const int x = FMap.ToPixel(static_cast<double>(tick.Value));
    drawTickLine(x, YPos, tick.Major ? kMajorTickX : kMinorTick);
    // The label may snap the value to zero; the event then sees the zero.
    long double value = tick.Value;
    if (tick.Major && FStyle.LabelType != ftNoFigs) {
      std::u16string label = LinearTickLabel(style, m, value, tick.Counter);
      WriteLabel(x, YPos, std::move(label), value);
    }
    tickDrawn(value, x, YPos);
  }
}

void AxisPainter::NumLinYax(int XPos) {
  TScaleTickWalk walk(tickRequest(false));
  const TTickLabelStyle style = labelStyle();
  const int m = CalcM(FStyle.DecPlaces, FGeometry.RangeLow, FGeometry.RangeHigh);
  // Measured after the minor ticks, whose events may change the font.
  int th = 0;
  bool measured = false;
  TScaleTick tick;
  while (walk.Next(tick)) {
    if (tick.Major && !measured) {
      th = FCanvas.TextHeight(u"0");
      measured = true;
    }
    if (tick.Recorded) FTicks.Record(static_cast<double>(tick.Value));
    const int y = FMap.ToPixel(static_cast<double>(tick.Value));
    drawTickLine(XPos, y, tick.Major ? kMajorTickY : kMinorTick);
    // Raised before the label, with the value before any snapping to zero.
    tickDrawn(tick.Value, XPos, y);
    if (tick.Major && FStyle.LabelType != ftNoFigs) {
      long double value = tick.Value;
      std::u16string label = LinearTickLabel(style, m, value, tick.Counter);
      writeVerticalLabel(XPos, y, th, std::move(label), value);
    }
  }
}

// Minor ticks without ShortTicks draw no line, but their event is raised.
void AxisPainter::NumLogXax(int YPos) {
  TScaleTickWalk walk(tickRequest(true));
  if (walk.UsesLinearTicks()) return NumLinXax(YPos);
  const TTickLabelStyle style = labelStyle();
  const int m = CalcLogM(FStyle.DecPlaces, FGeometry.RangeLow, FGeometry.RangeHigh);
  TScaleTick tick;
  while (walk.Next(tick)) {
    if (tick.Recorded) FTicks.Record(static_cast<double>(tick.Value));
    const int x = FMap.ToPixel(static_cast<double>(tick.Value));
    if (tick.Major) {
      drawTickLine(x, YPos, kMajorTickX);
    } else if (tick.LineDrawn) {
      drawTickLine(x, YPos, kMinorTick);
    }
    tickDrawn(tick.Value, x, YPos);
    if (tick.Major && FStyle.LabelType != ftNoFigs) {
      WriteLabel(x, YPos, LogTickLabel(style, m, tick.Value, tick.MultiP, tick.Counter),
                 tick.Value);
    }
  }
}

// Every tick of a vertical logarithmic axis is 6 pixels long.
void AxisPainter::NumLogYax(int XPos) {
  TScaleTickWalk walk(tickRequest(true));
  if (walk.UsesLinearTicks()) return NumLinYax(XPos);
  const TTickLabelStyle style = labelStyle();
  const int m = CalcLogM(FStyle.DecPlaces, FGeometry.RangeLow, FGeometry.RangeHigh);
  const int th = FCanvas.TextHeight(u"0");
  TScaleTick tick;
  while (walk.Next(tick)) {
    if (tick.Recorded) FTicks.Record(static_cast<double>(tick.Value));
    const int y = FMap.ToPixel(static_cast<double>(tick.Value));
    drawTickLine(XPos, y, kMajorTickY);
    tickDrawn(tick.Value, XPos, y);
    if (tick.Major && FStyle.LabelType != ftNoFigs) {
      writeVerticalLabel(XPos, y, th, LogTickLabel(style, m, tick.Value, tick.MultiP, tick.Counter),
                         tick.Value);
    }
  }
}

// ---------------------------------------------------------------------------
// Ticks and label placement

// The line leaves out its end pixel, so a tick of Length covers Length pixels
// from the base line on.
void AxisPainter::drawTickLine(int x, int y, int length) {
  FCanvas.MoveTo(x, y);
  switch (FGeometry.ScaleType) {
    case sctXB:
      FCanvas.LineTo(x, ClampPixel(static_cast<long long>(y) - length));
      break;
    case sctXT:
      FCanvas.LineTo(x, ClampPixel(static_cast<long long>(y) + length));
      break;
    case sctYL:
      FCanvas.LineTo(ClampPixel(static_cast<long long>(x) + length), y);
      break;
    case sctYR:
      FCanvas.LineTo(ClampPixel(static_cast<long long>(x) - length), y);
      break;
  }
}

void AxisPainter::tickDrawn(long double value, int chartX, int chartY) {
  const TScaleTickDrawnEvent* event = FEvents.OnScaleTickDrawn;
  if (event && *event) {
    (*event)(FEvents.Sender, FCanvas, FGeometry.ScaleType, static_cast<double>(value), chartX,
             chartY);
  }
}

void AxisPainter::beforeTickLabel(long double value, std::u16string& label) {
  const TBeforeTickLabelEvent* event = FEvents.OnBeforeTickLabel;
  if (event && *event) (*event)(FEvents.Sender, FGeometry.ScaleType, static_cast<double>(value), label);
}

// Centred on the tick, but kept inside the scale's width, at least 2 pixels
// from either edge. Sums in 64 bits: a tick far off the axis lies near the
// end of the int range.
void AxisPainter::WriteLabel(int x, int y, std::u16string label, long double value) {
  beforeTickLabel(value, label);
  const long long width = FGeometry.Width;
  const long long hw = FCanvas.TextWidth(label) / 2;
  const long long th = FCanvas.TextHeight(label);
  long long left = 0;
  if (x + hw >= width - kLabelEdge) {
    left = width - 2 * hw - kLabelEdge;
  } else {
    left = std::max<long long>(x - hw, kLabelEdge);
  }
  const long long top = FGeometry.ScaleType == sctXT ? y + kMajorTickX : y - kMajorTickX - th;
  FCanvas.TextOut(ClampPixel(left), ClampPixel(top), label);
}

// Right-aligned before the ticks of sctYR, after them on sctYL, vertically
// centred on the tick with th, the height of "0".
void AxisPainter::writeVerticalLabel(int XPos, int y, int th, std::u16string label,
                                     long double value) {
  beforeTickLabel(value, label);
  const long long tw = FCanvas.TextWidth(label);
  const long long left = FGeometry.ScaleType == sctYR ? XPos - kMajorTickY - tw - 2
                                                      : static_cast<long long>(XPos) + kLabelGapY;
  FCanvas.TextOut(ClampPixel(left), ClampPixel(static_cast<long long>(y) - th / 2), label);
}

// The anchor moves the caption along the axis; across it the caption is
// measured from the base line.
void AxisPainter::drawCaption(int BasePos) {
  if (FStyle.Caption.empty()) return;
  const TScaleGeometry& g = FGeometry;
  long long px = FStyle.CaptionPosX;
  long long py = FStyle.CaptionPosY;
  const long long width = g.Width;
  const long long height = g.Height;
  if (horizontal()) {
    py += BasePos;
    switch (FStyle.CaptionAnchor) {
      case uaSclTopLft:
        px += g.MarginLeft;
        break;
      case uaSclCenter:
        px += g.MarginLeft + (width - g.MarginLeft - g.MarginRight) / 2;
        break;
      case uaSclBotRgt:
        px += width - g.MarginRight;
        break;
    }
  } else {
    px += BasePos;
    switch (FStyle.CaptionAnchor) {
      case uaSclTopLft:
        py += g.MarginTop;
        break;
      case uaSclCenter:
        py += g.MarginTop + (height - g.MarginTop - g.MarginBottom) / 2;
        break;
      case uaSclBotRgt:
        py += height - g.MarginBottom;
        break;
    }
  }
  const std::u16string caption(FStyle.Caption);
  const long long tw = FCanvas.TextWidth(caption);
  if (FStyle.CaptionAlignment == taRightJustify) px -= tw;
  if (FStyle.CaptionAlignment == taCenter) px -= tw / 2;
  FCanvas.TextOut(ClampPixel(px), ClampPixel(py), caption);
}

void AxisPainter::drawBaseLine(int BasePos) {
  const TScaleGeometry& g = FGeometry;
  if (horizontal()) {
    FCanvas.MoveTo(g.MarginLeft, BasePos);
    FCanvas.LineTo(ClampPixel(static_cast<long long>(g.Width) - g.MarginRight - 1), BasePos);
  } else {
    FCanvas.MoveTo(BasePos, g.MarginTop);
    FCanvas.LineTo(BasePos, ClampPixel(static_cast<long long>(g.Height) - g.MarginBottom - 1));
  }
}

}  // namespace

int BaseLinePos(const TScaleGeometry& g, int OffsetX, int OffsetY) {
  switch (g.ScaleType) {
    case sctXB:
      return ClampPixel(static_cast<long long>(OffsetY) + g.Height - g.MarginBottom - 1);
    case sctXT:
      return ClampPixel(static_cast<long long>(OffsetY) + g.MarginTop);
    case sctYL:
      return ClampPixel(static_cast<long long>(OffsetX) + g.MarginLeft);
    case sctYR:
      break;
  }
  return ClampPixel(static_cast<long long>(OffsetX) + g.Width - g.MarginRight - 1);
}

TScaleTickList DrawAxis(TCanvas& Canvas, const TScaleGeometry& Geometry, const TAxisMap& Map,
                        const TAxisStyle& Style, const TAxisEvents& Events, int OffsetX,
                        int OffsetY) {
  AxisPainter painter(Canvas, Geometry, Map, Style, Events);
  const int base = BaseLinePos(Geometry, OffsetX, OffsetY);
  if (IsHorizontalScale(Geometry.ScaleType)) {
    painter.DrawXScale(base);
  } else {
    painter.DrawYScale(base);
  }
  if (Style.ShowBaseLine) painter.drawBaseLine(base);
  return std::move(painter.ticks());
}
