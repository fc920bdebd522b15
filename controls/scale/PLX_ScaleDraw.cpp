// The numeric axis of a scale: tick lines, labels, the caption. Positions
// along the axis come from the scale's mapping; the base-line coordinate
// comes from the paint operation.
#include <algorithm>

#include "controls/scale/PLX_Scale.h"
#include "controls/scale/PLX_ScaleText.h"
#include "platform/Canvas.h"

namespace {

constexpr int MinorTick = 4;
constexpr int MajorTickX = 7;
constexpr int MajorTickY = 6;
// Labels of vertical axes keep this distance from the base line.
constexpr int LabelGapY = 8;
// Labels of horizontal axes keep this distance from the scale's edges.
constexpr int LabelEdge = 2;

}  // namespace

// ---------------------------------------------------------------------------
// Order of one axis drawing

// A printer surface would get its font fitted to the printer's resolution
// first; the scale draws only on screen surfaces and bitmaps.
void TScale::DrawXScale(TCanvas& cv, int YPos) {
  cv.Brush().SetStyle(FTransparent ? bsClear : bsSolid);
  FScaleTickPos.Clear();
  // ftTime and ftDateTime are drawn as numbers until the time and date axes
  // take them over here; the time axis falls back to this when its range does
  // not suit its steps.
  if (FAxLog) {
    NumLogXax(cv, YPos);
  } else {
    NumLinXax(cv, YPos);
  }
  DrawCaption(cv, YPos);
}

void TScale::DrawYScale(TCanvas& cv, int XPos) {
  cv.Brush().SetStyle(FTransparent ? bsClear : bsSolid);
  FScaleTickPos.Clear();
  // As on horizontal axes, ftTime and ftDateTime draw numbers for now.
  if (FAxLog) {
    NumLogYax(cv, XPos);
  } else {
    NumLinYax(cv, XPos);
  }
  DrawCaption(cv, XPos);
}

TScaleTickRequest TScale::TickRequest(bool Logarithmic) const {
  TScaleTickRequest request;
  request.MinTicks = FNumTicks;
  request.RangeLow = FRangeLow;
  request.RangeHigh = FRangeHigh;
  request.ShortTicks = FShortTicks;
  request.Logarithmic = Logarithmic;
  request.Horizontal = IsHorizontalScale(FScaleType);
  return request;
}

// ---------------------------------------------------------------------------
// The four axis routines

void TScale::NumLinXax(TCanvas& cv, int YPos) {
  TScaleTickWalk walk(TickRequest(false));
  const TTickLabelStyle style = LabelStyle();
  const int m = CalcM(FDecPlaces, FRangeLow, FRangeHigh);
  TScaleTick tick;
  while (walk.Next(tick)) {
    if (tick.Recorded) FScaleTickPos.Record(static_cast<double>(tick.Value));
    const int x = R2M(tick.Value);
    DrawTickLine(cv, x, YPos, tick.Major ? MajorTickX : MinorTick);
    // The label may snap the value to zero; the event then sees the zero.
    long double value = tick.Value;
    if (tick.Major && FLabelType != ftNoFigs) {
      std::u16string label = LinearTickLabel(style, m, value, tick.Counter);
      WriteLabel(cv, x, YPos, std::move(label), value);
    }
    TickDrawn(cv, value, x, YPos);
  }
}

void TScale::NumLinYax(TCanvas& cv, int XPos) {
  TScaleTickWalk walk(TickRequest(false));
  const TTickLabelStyle style = LabelStyle();
  const int m = CalcM(FDecPlaces, FRangeLow, FRangeHigh);
  const int th = cv.TextHeight(u"0");
  TScaleTick tick;
  while (walk.Next(tick)) {
    if (tick.Recorded) FScaleTickPos.Record(static_cast<double>(tick.Value));
    const int y = R2M(tick.Value);
    DrawTickLine(cv, XPos, y, tick.Major ? MajorTickY : MinorTick);
    // Raised before the label, with the value before any snapping to zero.
    TickDrawn(cv, tick.Value, XPos, y);
    if (tick.Major && FLabelType != ftNoFigs) {
      long double value = tick.Value;
      std::u16string label = LinearTickLabel(style, m, value, tick.Counter);
      WriteVerticalLabel(cv, XPos, y, th, std::move(label), value);
    }
  }
}

// Minor ticks without ShortTicks draw no line, but their event is raised.
void TScale::NumLogXax(TCanvas& cv, int YPos) {
  TScaleTickWalk walk(TickRequest(true));
  if (walk.UsesLinearTicks()) return NumLinXax(cv, YPos);
  const TTickLabelStyle style = LabelStyle();
  const int m = CalcLogM(FDecPlaces, FRangeLow, FRangeHigh);
  TScaleTick tick;
  while (walk.Next(tick)) {
    if (tick.Recorded) FScaleTickPos.Record(static_cast<double>(tick.Value));
    const int x = R2M(tick.Value);
    if (tick.Major) {
      DrawTickLine(cv, x, YPos, MajorTickX);
    } else if (tick.LineDrawn) {
      DrawTickLine(cv, x, YPos, MinorTick);
    }
    TickDrawn(cv, tick.Value, x, YPos);
    if (tick.Major && FLabelType != ftNoFigs) {
      WriteLabel(cv, x, YPos, LogTickLabel(style, m, tick.Value, tick.MultiP, tick.Counter),
                 tick.Value);
    }
  }
}

// Every tick of a vertical logarithmic axis is 6 pixels long.
void TScale::NumLogYax(TCanvas& cv, int XPos) {
  TScaleTickWalk walk(TickRequest(true));
  if (walk.UsesLinearTicks()) return NumLinYax(cv, XPos);
  const TTickLabelStyle style = LabelStyle();
  const int m = CalcLogM(FDecPlaces, FRangeLow, FRangeHigh);
  const int th = cv.TextHeight(u"0");
  TScaleTick tick;
  while (walk.Next(tick)) {
    if (tick.Recorded) FScaleTickPos.Record(static_cast<double>(tick.Value));
    const int y = R2M(tick.Value);
    DrawTickLine(cv, XPos, y, MajorTickY);
    TickDrawn(cv, tick.Value, XPos, y);
    if (tick.Major && FLabelType != ftNoFigs) {
      WriteVerticalLabel(cv, XPos, y, th,
                         LogTickLabel(style, m, tick.Value, tick.MultiP, tick.Counter),
                         tick.Value);
    }
  }
}

// ---------------------------------------------------------------------------
// Label texts

TTickLabelStyle TScale::LabelStyle() const {
  TTickLabelStyle style;
  style.RangeLow = FRangeLow;
  style.RangeHigh = FRangeHigh;
  style.DecPlaces = FDecPlaces;
  style.LabelType = FLabelType;
  style.UserTickText = FUserTicktext;
  style.ScaleInscript = FScaleInscript;
  return style;
}

// ---------------------------------------------------------------------------
// Ticks and label placement

// The line leaves out its end pixel, so a tick of Length covers Length pixels
// from the base line on.
void TScale::DrawTickLine(TCanvas& cv, int x, int y, int Length) const {
  cv.MoveTo(x, y);
  switch (FScaleType) {
    case sctXB:
      cv.LineTo(x, ClampPixel(static_cast<long long>(y) - Length));
      break;
    case sctXT:
      cv.LineTo(x, ClampPixel(static_cast<long long>(y) + Length));
      break;
    case sctYL:
      cv.LineTo(ClampPixel(static_cast<long long>(x) + Length), y);
      break;
    case sctYR:
      cv.LineTo(ClampPixel(static_cast<long long>(x) - Length), y);
      break;
  }
}

void TScale::TickDrawn(TCanvas& cv, long double Value, int ChartX, int ChartY) {
  if (OnScaleTickDrawn) {
    OnScaleTickDrawn(this, cv, FScaleType, static_cast<double>(Value), ChartX, ChartY);
  }
}

// Centred on the tick, but kept inside the scale's width, at least 2 pixels
// from either edge. Sums in 64 bits: a tick far off the axis lies near the
// end of the int range.
void TScale::WriteLabel(TCanvas& cv, int x, int y, std::u16string Label, long double Value) {
  if (OnBeforeTickLabel) OnBeforeTickLabel(this, FScaleType, static_cast<double>(Value), Label);
  const long long hw = cv.TextWidth(Label) / 2;
  const long long th = cv.TextHeight(Label);
  long long left = 0;
  if (x + hw >= Width() - LabelEdge) {
    left = Width() - 2 * hw - LabelEdge;
  } else {
    left = std::max<long long>(x - hw, LabelEdge);
  }
  const long long top = FScaleType == sctXT ? y + MajorTickX : y - MajorTickX - th;
  cv.TextOut(ClampPixel(left), ClampPixel(top), Label);
}

// Right-aligned before the ticks of sctYR, after them on sctYL, vertically
// centred on the tick with th, the height of "0".
void TScale::WriteVerticalLabel(TCanvas& cv, int XPos, int y, int th, std::u16string Label,
                                long double Value) {
  if (OnBeforeTickLabel) OnBeforeTickLabel(this, FScaleType, static_cast<double>(Value), Label);
  const long long tw = cv.TextWidth(Label);
  const long long left =
      FScaleType == sctYR ? XPos - MajorTickY - tw - 2 : static_cast<long long>(XPos) + LabelGapY;
  cv.TextOut(ClampPixel(left), ClampPixel(static_cast<long long>(y) - th / 2), Label);
}

// The anchor moves the caption along the axis; across it the caption is
// measured from the base line.
void TScale::DrawCaption(TCanvas& cv, int BasePos) {
  if (FUnitLabel.empty()) return;
  long long px = FLblPosX;
  long long py = FLblPosY;
  const long long width = Width();
  const long long height = Height();
  if (IsHorizontalScale(FScaleType)) {
    py += BasePos;
    switch (FLblAnchor) {
      case uaSclTopLft:
        px += FMarginLeft;
        break;
      case uaSclCenter:
        px += FMarginLeft + (width - FMarginLeft - FMarginRight) / 2;
        break;
      case uaSclBotRgt:
        px += width - FMarginRight;
        break;
    }
  } else {
    px += BasePos;
    switch (FLblAnchor) {
      case uaSclTopLft:
        py += FMarginTop;
        break;
      case uaSclCenter:
        py += FMarginTop + (height - FMarginTop - FMarginBottom) / 2;
        break;
      case uaSclBotRgt:
        py += height - FMarginBottom;
        break;
    }
  }
  const long long tw = cv.TextWidth(FUnitLabel);
  if (FLblAlign == taRightJustify) px -= tw;
  if (FLblAlign == taCenter) px -= tw / 2;
  cv.TextOut(ClampPixel(px), ClampPixel(py), FUnitLabel);
}
