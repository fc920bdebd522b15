#include "controls/scale/PLX_Scale.h"

#include <algorithm>

#include "controls/base/PLX_Frames.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"

namespace {

constexpr int MinDecPlaces = -3;
constexpr int MaxDecPlaces = 12;
constexpr int DefaultSize = 400;

}  // namespace

TScale::TScale(TComponent* AOwner) : TWinControl(AOwner), FDTFormat(std::make_unique<TDTLabel>()) {
  FDTFormat->OnChange = [this](TObject*) { TriggerPaint(); };
  Font().OnChange = [this] { TriggerPaint(); };
  SetBounds(Left(), Top(), DefaultSize, DefaultSize);  // remaps
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

TScaleGeometry TScale::Geometry() const {
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

void TScale::AdjustScalePars() {
  if (IsLoading()) return;
  ::AdjustScalePars(Geometry(), FTransf);
}

int TScale::R2M(long double Value) const {
  return ::R2M(Geometry(), FTransf, static_cast<double>(Value));
}

int TScale::ConvertToPixelCoords(double Value) const { return R2M(Value); }

double TScale::ConvertPixelToScale(int PixelCoord) const {
  return ::M2R(FTransf, FAxLog, PixelCoord);
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
  FDecPlaces = std::clamp(value, MinDecPlaces, MaxDecPlaces);
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
  if (value == FRangeHigh) FRangeHigh = value + 1;
  AdjustScalePars();
  TriggerPaint();
}

// Equal ends reverse the range: the high end keeps the new value.
void TScale::SetRangeHigh(double value) {
  FRangeHigh = value;
  if (value == FRangeLow) FRangeLow = value + 1;
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetRange(double LowVal, double HighVal) {
  FRangeLow = LowVal;
  FRangeHigh = LowVal == HighVal ? LowVal + 1 : HighVal;
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

void TScale::SetForeignCanvasPosX(int value) {
  FForCvPosX = value;
  TriggerPaint();
}

void TScale::SetForeignCanvasPosY(int value) {
  FForCvPosY = value;
  TriggerPaint();
}

void TScale::SetSuppressPaint(bool value) {
  if (value == FSuppressPaint) return;
  FSuppressPaint = value;
  if (!value) TriggerPaint();
}

void TScale::UseForeignCanvas(TCanvas* Canvas, int x, int y) {
  FForeignCv = Canvas;
  FForCvPosX = x;
  FForCvPosY = y;
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
  try {
    Paint();
  } catch (...) {
    FSuppressPaint = suppressed;
    throw;
  }
  FSuppressPaint = suppressed;
}

void TScale::Paint() {
  if (!Visible() || IsLoading() || FSuppressPaint) return;
  TCanvas& target = FForeignCv ? *FForeignCv : Canvas();
  const int ox = FForeignCv ? FForCvPosX : 0;
  const int oy = FForeignCv ? FForCvPosY : 0;
  target.Font().Assign(Font());
  if (OnBeforeScaleRendered) OnBeforeScaleRendered(this, target);
  if (FTransparent) {
    PaintTransparent(target, ox, oy);
  } else {
    PaintOpaque(target, ox, oy);
  }
}

void TScale::PaintTransparent(TCanvas& target, int ox, int oy) {
  target.Pen().SetColor(FColorFG);
  DrawAxis(target, ox, oy);
  if (OnAfterScaleRendered) OnAfterScaleRendered(this, target);
}

void TScale::PaintOpaque(TCanvas& target, int ox, int oy) {
  TBitmap image(Width(), Height());
  TCanvas& cv = image.Canvas();
  cv.Font().Assign(Font());
  cv.Pen().SetColor(FColorBG);
  cv.Brush().SetColor(FColorBG);
  cv.Rectangle(0, 0, Width(), Height());
  cv.Pen().SetColor(FColorFG);
  DrawAxis(cv, 0, 0);
  if (OnAfterScaleRendered) OnAfterScaleRendered(this, cv);
  DrawFrame(cv, FFrameStyle, 0, 0, Width() - 1, Height() - 1, FColWhiteLine, clSilver,
            FColGrayLine, FColBlackLine, FColBlackLine);
  target.Draw(ox, oy, image);
}

// The offset across the axis moves the base line; positions along the axis
// come from the mapping alone.
void TScale::DrawAxis(TCanvas& cv, int ox, int oy) {
  long long basePos = 0;
  switch (FScaleType) {
    case sctXB:
      basePos = static_cast<long long>(oy) + Height() - FMarginBottom - 1;
      break;
    case sctXT:
      basePos = static_cast<long long>(oy) + FMarginTop;
      break;
    case sctYL:
      basePos = static_cast<long long>(ox) + FMarginLeft;
      break;
    case sctYR:
      basePos = static_cast<long long>(ox) + Width() - FMarginRight - 1;
      break;
  }
  const int base = ClampPixel(basePos);
  if (IsHorizontalScale(FScaleType)) {
    DrawXScale(cv, base);
  } else {
    DrawYScale(cv, base);
  }
  if (FDrawBaseLine) DrawBaseLine(cv, base);
}

void TScale::DrawBaseLine(TCanvas& cv, int BasePos) {
  if (IsHorizontalScale(FScaleType)) {
    cv.MoveTo(FMarginLeft, BasePos);
    cv.LineTo(Width() - FMarginRight - 1, BasePos);
  } else {
    cv.MoveTo(BasePos, FMarginTop);
    cv.LineTo(BasePos, Height() - FMarginBottom - 1);
  }
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
  FTransf = Source.FTransf;
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
  FForeignCv = Source.FForeignCv;
  FForCvPosX = Source.FForCvPosX;
  FForCvPosY = Source.FForCvPosY;
  FScaleType = Source.FScaleType;
  FSuppressPaint = Source.FSuppressPaint;
  TriggerPaint();
}

void TScale::Assign(const TObject& Source) {
  const auto* scale = dynamic_cast<const TScale*>(&Source);
  if (!scale) throw EConvertError("Cannot assign this object to a TScale");
  Assign(*scale);
}
