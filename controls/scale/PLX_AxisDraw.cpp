// Numeric, time and date axes: tick lines, labels, the caption and the base
// line. Positions along the axis come from the mapping; the base-line
// coordinate from the geometry and the offset across the axis. The ticks and
// labels of time and date axes come from their tick engine
// (PLX_ScaleDateTicks); this unit places and draws them.
#include "controls/scale/PLX_AxisDraw.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>

#include "controls/scale/PLX_ScaleDateTicks.h"
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
// The messages of a date axis keep this distance from a vertical base line.
constexpr int kMessageGapY = 2;

constexpr char16_t kInvalidRange[] = u"invalid DateTime scale";
constexpr char16_t kBelowOneSecond[] = u"DateTime range is below 1 second";
// The same messages beside a vertical axis, one line each.
constexpr std::u16string_view kInvalidRangeLines[] = {u"invalid", u"DateTime", u"scale"};
constexpr std::u16string_view kBelowOneSecondLines[] = {
    u"DateTime", u"range is", u"below 1", u"second"};

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
  bool TimeXax(int YPos);
  bool TimeYax(int XPos);
  void DateTimeXax(int YPos);
  void DateTimeYax(int XPos);
  void drawDateTimeTicksX(const TDateTimeTicks& ticks, int YPos);
  void drawDateTimeTicksY(const TDateTimeTicks& ticks, int XPos, bool timeAxis);
  void DisplayDateX(int x, int YPos, const std::u16string& date, long double value);
  void writeMessageX(int YPos, TDateTimeOutcome outcome);
  void writeMessageY(int XPos, TDateTimeOutcome outcome);
  TDateTimeTicks dateTimeTicks() const;
  TDateTimeRequest dateTimeRequest() const;
  int middlePixel() const;
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
// A time axis whose range does not suit its steps declines, and the numeric
// axis is drawn instead.
void AxisPainter::DrawXScale(int YPos) {
  FCanvas.Brush().SetStyle(FStyle.Transparent ? bsClear : bsSolid);
  FTicks.Clear();
  if (FStyle.LabelType == ftDateTime) {
    DateTimeXax(YPos);
  } else if (FStyle.LabelType != ftTime || !TimeXax(YPos)) {
    if (FGeometry.Logarithmic) {
      NumLogXax(YPos);
    } else {
      NumLinXax(YPos);
    }
  }
  drawCaption(YPos);
}

void AxisPainter::DrawYScale(int XPos) {
  FCanvas.Brush().SetStyle(FStyle.Transparent ? bsClear : bsSolid);
  FTicks.Clear();
  if (FStyle.LabelType == ftDateTime) {
    DateTimeYax(XPos);
  } else if (FStyle.LabelType != ftTime || !TimeYax(XPos)) {
    if (FGeometry.Logarithmic) {
      NumLogYax(XPos);
    } else {
      NumLinYax(XPos);
    }
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
      WriteLabel(
          x, YPos, LogTickLabel(style, m, tick.Value, tick.MultiP, tick.Counter), tick.Value);
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
      writeVerticalLabel(
          XPos, y, th, LogTickLabel(style, m, tick.Value, tick.MultiP, tick.Counter), tick.Value);
    }
  }
}

// ---------------------------------------------------------------------------
// Time and date axes: the tick line, the label and the date line of a major
// tick, then the tick event, on either orientation.

TDateTimeRequest AxisPainter::dateTimeRequest() const {
  TDateTimeRequest request;
  request.MinTicks = FStyle.MinTicks;
  request.RangeLow = FGeometry.RangeLow;
  request.RangeHigh = FGeometry.RangeHigh;
  request.ShortTicks = FStyle.ShortTicks;
  request.Horizontal = horizontal();
  return request;
}

TDateTimeTicks AxisPainter::dateTimeTicks() const {
  const TDTLabel defaults;
  const TDTLabel& format = FStyle.DateFormat ? *FStyle.DateFormat : defaults;
  return DateTimeAxisTicks(dateTimeRequest(), format, LocaleFormatSettings());
}

bool AxisPainter::TimeXax(int YPos) {
  const TDateTimeTicks ticks = TimeAxisTicks(dateTimeRequest());
  if (ticks.Outcome == aoDeclined) return false;
  drawDateTimeTicksX(ticks, YPos);
  return true;
}

bool AxisPainter::TimeYax(int XPos) {
  const TDateTimeTicks ticks = TimeAxisTicks(dateTimeRequest());
  if (ticks.Outcome == aoDeclined) return false;
  drawDateTimeTicksY(ticks, XPos, true);
  return true;
}

void AxisPainter::DateTimeXax(int YPos) {
  const TDateTimeTicks ticks = dateTimeTicks();
  if (ticks.Outcome == aoTicks) {
    drawDateTimeTicksX(ticks, YPos);
  } else {
    writeMessageX(YPos, ticks.Outcome);
  }
}

void AxisPainter::DateTimeYax(int XPos) {
  const TDateTimeTicks ticks = dateTimeTicks();
  if (ticks.Outcome == aoTicks) {
    drawDateTimeTicksY(ticks, XPos, false);
  } else {
    writeMessageY(XPos, ticks.Outcome);
  }
}

void AxisPainter::drawDateTimeTicksX(const TDateTimeTicks& ticks, int YPos) {
  for (const TDateTimeTick& tick : ticks.Ticks) {
    if (tick.Recorded) FTicks.Record(static_cast<double>(tick.Value));
    const int x = FMap.ToPixel(static_cast<double>(tick.Value));
    drawTickLine(x, YPos, tick.Major ? kMajorTickX : kMinorTick);
    if (tick.Major) {
      WriteLabel(x, YPos, tick.Label, tick.Value);
      if (tick.HasDateLine) DisplayDateX(x, YPos, tick.DateLine, tick.Value);
    }
    tickDrawn(tick.Value, x, YPos);
  }
}

// The date line lies one line further from the axis than the label.
void AxisPainter::DisplayDateX(int x, int YPos, const std::u16string& date, long double value) {
  const long long th = FCanvas.TextHeight(date);
  const long long y = FGeometry.ScaleType == sctXT ? YPos + th : YPos - th;
  WriteLabel(x, ClampPixel(y), date, value);
}

// A time label is centred with the height of "0" (measured after the minor
// ticks, whose events may change the font), a date label with its own
// height; a date line stands with its top 3 * (height div 2) above the tick.
void AxisPainter::drawDateTimeTicksY(const TDateTimeTicks& ticks, int XPos, bool timeAxis) {
  int zeroHeight = -1;
  for (const TDateTimeTick& tick : ticks.Ticks) {
    if (tick.Recorded) FTicks.Record(static_cast<double>(tick.Value));
    const int y = FMap.ToPixel(static_cast<double>(tick.Value));
    drawTickLine(XPos, y, tick.Major ? kMajorTickY : kMinorTick);
    if (tick.Major) {
      if (timeAxis && zeroHeight < 0) zeroHeight = FCanvas.TextHeight(u"0");
      const int th = timeAxis ? zeroHeight : FCanvas.TextHeight(tick.Label);
      writeVerticalLabel(XPos, y, th, tick.Label, tick.Value);
      if (tick.HasDateLine) {
        const int dh = FCanvas.TextHeight(tick.DateLine);
        // writeVerticalLabel puts the top at y - dh / 2.
        writeVerticalLabel(XPos,
                           ClampPixel(static_cast<long long>(y) - 2 * (dh / 2)),
                           dh,
                           tick.DateLine,
                           tick.Value);
      }
    }
    tickDrawn(tick.Value, XPos, y);
  }
}

int AxisPainter::middlePixel() const {
  return FMap.ToPixel(static_cast<double>(
      (static_cast<long double>(FGeometry.RangeLow) + FGeometry.RangeHigh) / 2));
}

// One line, centred on the middle of the range, below the base line.
void AxisPainter::writeMessageX(int YPos, TDateTimeOutcome outcome) {
  const std::u16string text = outcome == aoInvalid ? kInvalidRange : kBelowOneSecond;
  const long long left = middlePixel() - FCanvas.TextWidth(text) / 2;
  FCanvas.TextOut(ClampPixel(left), ClampPixel(static_cast<long long>(YPos) + kMajorTickX), text);
}

// One line a word or two, the first one text height above the middle of the
// range, beside the base line on the side of the labels.
void AxisPainter::writeMessageY(int XPos, TDateTimeOutcome outcome) {
  const std::u16string_view* lines = kBelowOneSecondLines;
  size_t count = std::size(kBelowOneSecondLines);
  if (outcome == aoInvalid) {
    lines = kInvalidRangeLines;
    count = std::size(kInvalidRangeLines);
  }
  const long long th = FCanvas.TextHeight(u"T");
  long long top = middlePixel() - th;
  for (size_t i = 0; i < count; ++i, top += th) {
    const std::u16string line(lines[i]);
    const long long left = FGeometry.ScaleType == sctYR
                               ? XPos - kMessageGapY - FCanvas.TextWidth(line)
                               : static_cast<long long>(XPos) + kMessageGapY;
    FCanvas.TextOut(ClampPixel(left), ClampPixel(top), line);
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
    (*event)(
        FEvents.Sender, FCanvas, FGeometry.ScaleType, static_cast<double>(value), chartX, chartY);
  }
}

void AxisPainter::beforeTickLabel(long double value, std::u16string& label) {
  const TBeforeTickLabelEvent* event = FEvents.OnBeforeTickLabel;
  if (event && *event)
    (*event)(FEvents.Sender, FGeometry.ScaleType, static_cast<double>(value), label);
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
  const long long base = y;
  const long long top = FGeometry.ScaleType == sctXT ? base + kMajorTickX : base - kMajorTickX - th;
  FCanvas.TextOut(ClampPixel(left), ClampPixel(top), label);
}

// Right-aligned before the ticks of sctYR, after them on sctYL, vertically
// centred on the tick with th, the height of "0".
void AxisPainter::writeVerticalLabel(int XPos, int y, int th, std::u16string label,
                                     long double value) {
  beforeTickLabel(value, label);
  const long long tw = FCanvas.TextWidth(label);
  const long long base = XPos;
  const long long left =
      FGeometry.ScaleType == sctYR ? base - kMajorTickY - tw - 2 : base + kLabelGapY;
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
