#include "controls/scale/PLX_Scale.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "controls/base/PLX_Frames.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/ScopeGuard.h"

namespace {

constexpr int kMinDecPlaces = -3;
constexpr int kMaxDecPlaces = 12;
constexpr int kDefaultSize = 400;

// Field by field, so that a NaN end never counts as unchanged.
bool sameGeometry(const TScaleGeometry& a, const TScaleGeometry& b) {
  return a.ScaleType == b.ScaleType && a.Width == b.Width && a.Height == b.Height &&
         a.MarginLeft == b.MarginLeft && a.MarginRight == b.MarginRight &&
         a.MarginTop == b.MarginTop && a.MarginBottom == b.MarginBottom &&
         a.RangeLow == b.RangeLow && a.RangeHigh == b.RangeHigh && a.Logarithmic == b.Logarithmic;
}

// The other end of a range whose two ends came out equal: one above, or the
// next value above where adding 1 would not change it (beyond 2^53).
double aboveEnd(double value) {
  const double next = value + 1;
  return next != value ? next : std::nextafter(value, std::numeric_limits<double>::infinity());
}

}  // namespace

TScale::TScale(TComponent* AOwner) : TWinControl(AOwner), FDTFormat(std::make_unique<TDTLabel>()) {
  FDTFormat->OnChange = [this](TObject*) { TriggerPaint(); };
  Font().OnChange = [this] { TriggerPaint(); };
  SetBounds(Left(), Top(), kDefaultSize, kDefaultSize);  // remaps
}

TScale::~TScale() { Font().OnChange = nullptr; }

void TScale::CreateWnd() {
  TWinControl::CreateWnd();
  FSuppressPaint = false;
}

void TScale::Loaded() {
  TWinControl::Loaded();
  AdjustScalePars();
  FNotYetLoaded = false;
  TriggerPaint();
}

void TScale::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  AdjustScalePars();
  TriggerPaint();
}

// ---------------------------------------------------------------------------
// Mapping

TScaleGeometry TScale::geometry() const {
  TScaleGeometry g;
  g.ScaleType = FScaleType;
  g.Width = Width();
  g.Height = Height();
  g.MarginLeft = FMarginLeft;
  g.MarginRight = FMarginRight;
  g.MarginTop = FMarginTop;
  g.MarginBottom = FMarginBottom;
  g.RangeLow = FRangeLow;
  g.RangeHigh = FRangeHigh;
  g.Logarithmic = FAxLog;
  return g;
}

// While the scale is being loaded its coefficients wait for Loaded(); the
// mode already follows, as the conversions read it. The chart's helpers get
// many setter calls that change nothing: those skip the computation.
void TScale::AdjustScalePars() {
  const TScaleGeometry g = geometry();
  const bool loading = IsLoading();
  if (FMapFresh && loading == FMappedWhileLoading && sameGeometry(g, FMappedGeometry)) return;
  if (loading) {
    ::AdjustScaleMode(g, FMap);
  } else {
    ::AdjustScalePars(g, FMap);
  }
  FMappedGeometry = g;
  FMappedWhileLoading = loading;
  FMapFresh = true;
  ++FMapComputations;
}

// ---------------------------------------------------------------------------
// Setters

void TScale::SetCaption(const std::u16string& value) {
  FUnitLabel = value;
  TriggerPaint();
}

void TScale::SetCaptionPosX(int value) {
  FLblPosX = value;
  TriggerPaint();
}

void TScale::SetCaptionPosY(int value) {
  FLblPosY = value;
  TriggerPaint();
}

void TScale::SetCaptionAlignment(TAlignment value) {
  FLblAlign = value;
  TriggerPaint();
}

void TScale::SetCaptionAnchor(TScaleUnitAnchor value) {
  FLblAnchor = value;
  TriggerPaint();
}

void TScale::SetColorBackGnd(TColor value) {
  if (value == FColorBG) return;
  FColorBG = value;
  TriggerPaint();
}

void TScale::SetColorScale(TColor value) {
  if (value == FColorFG) return;
  FColorFG = value;
  TriggerPaint();
}

void TScale::SetColorScheme(TColorScheme value) {
  if (value == FColorScheme) return;
  FColorScheme = value;
  const TFrameLines lines = SchemeLines(value);
  FColGrayLine = lines.Gray;
  FColWhiteLine = lines.White;
  TriggerPaint();
}

void TScale::SetDateFormat(const TDTLabel& value) {
  FDTFormat->Assign(value);
  TriggerPaint();
}

void TScale::SetDecPlaces(int value) {
  FDecPlaces = std::clamp(value, kMinDecPlaces, kMaxDecPlaces);
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetFrameStyle(TFrameStyle value) {
  if (value == FFrameStyle) return;
  FFrameStyle = value;
  TriggerPaint();
}

void TScale::SetLabelType(TFigType value) {
  FLabelType = value;
  if (value == ftDateTime) {
    FAxLog = false;
    AdjustScalePars();
  } else if (value == ftTime) {
    FDecPlaces = 4;  // the numeric fallback of a time axis
  }
  TriggerPaint();
}

void TScale::SetLogarithmic(bool value) {
  if (!value || FNotYetLoaded) {
    FAxLog = value;
  } else {
    FAxLog = FRangeLow >= SmallPosNum && FRangeHigh >= SmallPosNum && FLabelType != ftDateTime;
  }
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetMarginTop(int value) {
  FMarginTop = std::max(value, 0);
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetMarginBottom(int value) {
  FMarginBottom = std::max(value, 0);
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetMarginLeft(int value) {
  FMarginLeft = std::max(value, 0);
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetMarginRight(int value) {
  FMarginRight = std::max(value, 0);
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetMinTicks(int value) {
  FNumTicks = value == 0 ? 0 : std::clamp(value, 2, 10);
  TriggerPaint();
}

void TScale::SetRangeLow(double value) {
  FRangeLow = value;
  if (value == FRangeHigh) FRangeHigh = aboveEnd(value);
  AdjustScalePars();
  TriggerPaint();
}

// Equal ends reverse the range: the high end keeps the new value.
void TScale::SetRangeHigh(double value) {
  FRangeHigh = value;
  if (value == FRangeLow) FRangeLow = aboveEnd(value);
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetRange(double LowVal, double HighVal) {
  FRangeLow = LowVal;
  FRangeHigh = LowVal == HighVal ? aboveEnd(LowVal) : HighVal;
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetShortTicks(bool value) {
  if (value == FShortTicks) return;
  FShortTicks = value;
  TriggerPaint();
}

void TScale::SetShowBaseLine(bool value) {
  FDrawBaseLine = value;
  TriggerPaint();
}

void TScale::SetScaleInscript(const std::u16string& value) {
  FScaleInscript = value;
  TriggerPaint();
}

void TScale::SetScaleType(TScaleType value) {
  if (value == FScaleType) return;
  FScaleType = value;
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetTransparent(bool value) {
  FTransparent = value;
  TriggerPaint();
}

void TScale::SetUserTickText(const std::u16string& value) {
  FUserTicktext = value;
  TriggerPaint();
}

void TScale::SetIsHelperComponent(bool value) {
  if (value == FIsHelper) return;
  FIsHelper = value;
  TriggerPaint();
}

void TScale::SetSuppressPaint(bool value) {
  if (value == FSuppressPaint) return;
  FSuppressPaint = value;
  if (!value) TriggerPaint();
}

// ---------------------------------------------------------------------------
// Painting

void TScale::TriggerPaint() {
  // A transparent scale on its own window needs whatever lies behind it
  // drawn first, so it waits for the window's repaint.
  if (FTransparent && !FIsHelper) {
    Invalidate();
  } else {
    Paint();
  }
}

// Paints directly: a deferred repaint would arrive after SuppressPaint is
// back and draw nothing. A handler that raises leaves the flag as it was.
void TScale::ForcePaint() {
  const bool suppressed = FSuppressPaint;
  FSuppressPaint = false;
  const TScopeGuard asBefore([&] { FSuppressPaint = suppressed; });
  Paint();
}

void TScale::ForcePaint(TCanvas& Canvas, int x, int y) {
  if (!Visible() || IsLoading()) return;
  paintOn(Canvas, x, y);
}

void TScale::Paint() {
  if (!Visible() || IsLoading() || FSuppressPaint) return;
  paintOn(Canvas(), 0, 0);
}

void TScale::paintOn(TCanvas& target, int ox, int oy) {
  target.Font().Assign(Font());
  if (OnBeforeScaleRendered) OnBeforeScaleRendered(this, target);
  if (FTransparent) {
    paintTransparent(target, ox, oy);
  } else {
    paintOpaque(target, ox, oy);
  }
}

void TScale::paintTransparent(TCanvas& target, int ox, int oy) {
  target.Pen().SetColor(FColorFG);
  drawAxis(target, ox, oy);
  if (OnAfterScaleRendered) OnAfterScaleRendered(this, target);
}

void TScale::paintOpaque(TCanvas& target, int ox, int oy) {
  TBitmap image(Width(), Height());
  TCanvas& cv = image.Canvas();
  cv.Font().Assign(Font());
  cv.Pen().SetColor(FColorBG);
  cv.Brush().SetColor(FColorBG);
  cv.Rectangle(0, 0, Width(), Height());
  cv.Pen().SetColor(FColorFG);
  drawAxis(cv, 0, 0);
  if (OnAfterScaleRendered) OnAfterScaleRendered(this, cv);
  DrawFrame(cv, FFrameStyle, 0, 0, Width() - 1, Height() - 1, FColWhiteLine, clSilver,
            FColGrayLine, FColBlackLine, FColBlackLine);
  target.Draw(ox, oy, image);
}

TAxisStyle TScale::axisStyle() const {
  TAxisStyle style;
  style.MinTicks = FNumTicks;
  style.DecPlaces = FDecPlaces;
  style.ShortTicks = FShortTicks;
  style.LabelType = FLabelType;
  style.UserTickText = FUserTicktext;
  style.ScaleInscript = FScaleInscript;
  style.Caption = FUnitLabel;
  style.CaptionPosX = FLblPosX;
  style.CaptionPosY = FLblPosY;
  style.CaptionAlignment = FLblAlign;
  style.CaptionAnchor = FLblAnchor;
  style.ShowBaseLine = FDrawBaseLine;
  style.Transparent = FTransparent;
  style.DateFormat = FDTFormat.get();
  return style;
}

void TScale::drawAxis(TCanvas& cv, int ox, int oy) {
  const TAxisEvents events{this, &OnScaleTickDrawn, &OnBeforeTickLabel};
  FScaleTickPos = DrawAxis(cv, geometry(), FMap, axisStyle(), events, ox, oy);
}

// ---------------------------------------------------------------------------
// Copying

void TScale::Assign(const TScale& Source) {
  if (&Source == this) return;
  FFrameStyle = Source.FFrameStyle;
  FColorFG = Source.FColorFG;
  FColorBG = Source.FColorBG;
  FColBlackLine = Source.FColBlackLine;
  FColGrayLine = Source.FColGrayLine;
  FColWhiteLine = Source.FColWhiteLine;
  FColorScheme = Source.FColorScheme;
  OnScaleTickDrawn = Source.OnScaleTickDrawn;
  OnBeforeTickLabel = Source.OnBeforeTickLabel;
  FAxLog = Source.FAxLog;
  FMap = Source.FMap;
  FMapFresh = false;  // the copied mapping came from the source's geometry
  FRangeLow = Source.FRangeLow;
  FRangeHigh = Source.FRangeHigh;
  FShortTicks = Source.FShortTicks;
  FNumTicks = Source.FNumTicks;
  FDecPlaces = Source.FDecPlaces;
  FDrawBaseLine = Source.FDrawBaseLine;
  FTransparent = Source.FTransparent;
  FLabelType = Source.FLabelType;
  FDTFormat->Assign(*Source.FDTFormat);
  FMarginTop = Source.FMarginTop;
  FMarginBottom = Source.FMarginBottom;
  FMarginLeft = Source.FMarginLeft;
  FMarginRight = Source.FMarginRight;
  FLblPosX = Source.FLblPosX;
  FLblPosY = Source.FLblPosY;
  FUserTicktext = Source.FUserTicktext;
  FScaleInscript = Source.FScaleInscript;
  FScaleTickPos = Source.FScaleTickPos;  // the tick count comes with the list
  FUnitLabel = Source.FUnitLabel;
  FLblAnchor = Source.FLblAnchor;
  FLblAlign = Source.FLblAlign;
  FScaleType = Source.FScaleType;
  FSuppressPaint = Source.FSuppressPaint;
  TriggerPaint();
}

void TScale::Assign(const TObject& Source) {
  const auto* scale = dynamic_cast<const TScale*>(&Source);
  if (!scale) throw EConvertError("Cannot assign this object to a TScale");
  Assign(*scale);
}
