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

int clampedDecPlaces(int value) { return std::clamp(value, kMinDecPlaces, kMaxDecPlaces); }

int clampedMinTicks(int value) { return value == 0 ? 0 : std::clamp(value, 2, 10); }

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
  g.ScaleType = FArea.ScaleType;
  g.Width = Width();
  g.Height = Height();
  g.MarginLeft = FArea.MarginLeft;
  g.MarginRight = FArea.MarginRight;
  g.MarginTop = FArea.MarginTop;
  g.MarginBottom = FArea.MarginBottom;
  g.RangeLow = FAxis.RangeLow;
  g.RangeHigh = FAxis.RangeHigh;
  g.Logarithmic = FAxis.Logarithmic;
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
  FAxis.Caption = value;
  TriggerPaint();
}

void TScale::SetCaptionPosX(int value) {
  FAxis.CaptionPosX = value;
  TriggerPaint();
}

void TScale::SetCaptionPosY(int value) {
  FAxis.CaptionPosY = value;
  TriggerPaint();
}

void TScale::SetCaptionAlignment(TAlignment value) {
  FAxis.CaptionAlignment = value;
  TriggerPaint();
}

void TScale::SetCaptionAnchor(TScaleUnitAnchor value) {
  FAxis.CaptionAnchor = value;
  TriggerPaint();
}

void TScale::SetColorBackGnd(TColor value) {
  if (value == FArea.ColorBackGnd) return;
  FArea.ColorBackGnd = value;
  TriggerPaint();
}

void TScale::SetColorScale(TColor value) {
  if (value == FAxis.ColorScale) return;
  FAxis.ColorScale = value;
  TriggerPaint();
}

void TScale::SetColorScheme(TColorScheme value) {
  if (value == FArea.ColorScheme) return;
  FArea.ColorScheme = value;
  const TFrameLines lines = SchemeLines(value);
  FArea.GrayLine = lines.Gray;
  FArea.WhiteLine = lines.White;
  TriggerPaint();
}

void TScale::SetDateFormat(const TDTLabel& value) {
  FDTFormat->Assign(value);
  TriggerPaint();
}

void TScale::SetDecPlaces(int value) {
  FAxis.DecPlaces = clampedDecPlaces(value);
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetFrameStyle(TFrameStyle value) {
  if (value == FArea.FrameStyle) return;
  FArea.FrameStyle = value;
  TriggerPaint();
}

void TScale::SetLabelType(TFigType value) {
  FAxis.LabelType = value;
  followLabelType();
  if (value == ftDateTime) AdjustScalePars();
  TriggerPaint();
}

// A date axis is linear; a time axis falls back to numbers with 4 places.
void TScale::followLabelType() {
  if (FAxis.LabelType == ftDateTime) {
    FAxis.Logarithmic = false;
  } else if (FAxis.LabelType == ftTime) {
    FAxis.DecPlaces = 4;
  }
}

// Before loading ends, any mode: the range may still come.
bool TScale::logarithmicAllowed(TFigType labelType) const {
  return FNotYetLoaded || (FAxis.RangeLow >= SmallPosNum && FAxis.RangeHigh >= SmallPosNum &&
                           labelType != ftDateTime);
}

void TScale::SetLogarithmic(bool value) {
  FAxis.Logarithmic = value && logarithmicAllowed(FAxis.LabelType);
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetMarginTop(int value) {
  FArea.MarginTop = std::max(value, 0);
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetMarginBottom(int value) {
  FArea.MarginBottom = std::max(value, 0);
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetMarginLeft(int value) {
  FArea.MarginLeft = std::max(value, 0);
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetMarginRight(int value) {
  FArea.MarginRight = std::max(value, 0);
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetMinTicks(int value) {
  FAxis.MinTicks = clampedMinTicks(value);
  TriggerPaint();
}

void TScale::SetRangeLow(double value) {
  FAxis.RangeLow = value;
  if (value == FAxis.RangeHigh) FAxis.RangeHigh = aboveEnd(value);
  AdjustScalePars();
  TriggerPaint();
}

// Equal ends reverse the range: the high end keeps the new value.
void TScale::SetRangeHigh(double value) {
  FAxis.RangeHigh = value;
  if (value == FAxis.RangeLow) FAxis.RangeLow = aboveEnd(value);
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetRange(double LowVal, double HighVal) {
  FAxis.RangeLow = LowVal;
  FAxis.RangeHigh = LowVal == HighVal ? aboveEnd(LowVal) : HighVal;
  AdjustScalePars();
  TriggerPaint();
}

// As the setters would take the values one by one. The range is mapped first,
// under the mode the scale had: a logarithmic axis over a range that is not
// positive keeps the mapping it had before. The logarithmic mode is checked
// against the label type the scale had, and the label type then overrides
// the mode and the decimal places.
void TScale::SetAxisSettings(const TScaleSettings& value) {
  const bool wasLogarithmic = FAxis.Logarithmic;
  const TFigType hadLabelType = FAxis.LabelType;
  FAxis = value;
  if (value.RangeLow == value.RangeHigh) FAxis.RangeHigh = aboveEnd(value.RangeLow);
  FAxis.Logarithmic = wasLogarithmic;
  AdjustScalePars();
  FAxis.DecPlaces = clampedDecPlaces(value.DecPlaces);
  FAxis.MinTicks = clampedMinTicks(value.MinTicks);
  FAxis.Logarithmic = value.Logarithmic && logarithmicAllowed(hadLabelType);
  followLabelType();
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetShortTicks(bool value) {
  if (value == FAxis.ShortTicks) return;
  FAxis.ShortTicks = value;
  TriggerPaint();
}

void TScale::SetShowBaseLine(bool value) {
  FArea.ShowBaseLine = value;
  TriggerPaint();
}

void TScale::SetScaleInscript(const std::u16string& value) {
  FAxis.ScaleInscript = value;
  TriggerPaint();
}

void TScale::SetScaleType(TScaleType value) {
  if (value == FArea.ScaleType) return;
  FArea.ScaleType = value;
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetTransparent(bool value) {
  FArea.Transparent = value;
  TriggerPaint();
}

void TScale::SetUserTickText(const std::u16string& value) {
  FAxis.UserTickText = value;
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
  if (FArea.Transparent && !FIsHelper) {
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
  if (FArea.Transparent) {
    paintTransparent(target, ox, oy);
  } else {
    paintOpaque(target, ox, oy);
  }
}

void TScale::paintTransparent(TCanvas& target, int ox, int oy) {
  target.Pen().SetColor(FAxis.ColorScale);
  drawAxis(target, ox, oy);
  if (OnAfterScaleRendered) OnAfterScaleRendered(this, target);
}

void TScale::paintOpaque(TCanvas& target, int ox, int oy) {
  TBitmap image(Width(), Height());
  TCanvas& cv = image.Canvas();
  cv.Font().Assign(Font());
  cv.Pen().SetColor(FArea.ColorBackGnd);
  cv.Brush().SetColor(FArea.ColorBackGnd);
  cv.Rectangle(0, 0, Width(), Height());
  cv.Pen().SetColor(FAxis.ColorScale);
  drawAxis(cv, 0, 0);
  if (OnAfterScaleRendered) OnAfterScaleRendered(this, cv);
  DrawFrame(cv,
            FArea.FrameStyle,
            0,
            0,
            Width() - 1,
            Height() - 1,
            FArea.WhiteLine,
            clSilver,
            FArea.GrayLine,
            FArea.BlackLine,
            FArea.BlackLine);
  target.Draw(ox, oy, image);
}

TAxisStyle TScale::axisStyle() const {
  TAxisStyle style;
  style.MinTicks = FAxis.MinTicks;
  style.DecPlaces = FAxis.DecPlaces;
  style.ShortTicks = FAxis.ShortTicks;
  style.LabelType = FAxis.LabelType;
  style.UserTickText = FAxis.UserTickText;
  style.ScaleInscript = FAxis.ScaleInscript;
  style.Caption = FAxis.Caption;
  style.CaptionPosX = FAxis.CaptionPosX;
  style.CaptionPosY = FAxis.CaptionPosY;
  style.CaptionAlignment = FAxis.CaptionAlignment;
  style.CaptionAnchor = FAxis.CaptionAnchor;
  style.ShowBaseLine = FArea.ShowBaseLine;
  style.Transparent = FArea.Transparent;
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
  FAxis = Source.FAxis;
  FArea = Source.FArea;
  FDTFormat->Assign(*Source.FDTFormat);
  OnScaleTickDrawn = Source.OnScaleTickDrawn;
  OnBeforeTickLabel = Source.OnBeforeTickLabel;
  FMap = Source.FMap;
  FMapFresh = false;                     // the copied mapping came from the source's geometry
  FScaleTickPos = Source.FScaleTickPos;  // the tick count comes with the list
  FSuppressPaint = Source.FSuppressPaint;
  TriggerPaint();
}

void TScale::Assign(const TObject& Source) {
  const auto* scale = dynamic_cast<const TScale*>(&Source);
  if (!scale) throw EConvertError("Cannot assign this object to a TScale");
  Assign(*scale);
}
