// The numeric display label: properties, value text and painting.
#include "controls/numeric/PLX_NumLab.h"

#include <algorithm>
#include <cmath>

#include "platform/Canvas.h"
#include "platform/ScopeGuard.h"

namespace {

constexpr int kMaxPrecision = 15;

}  // namespace

TNumLab::TNumLab(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(Left(), Top(), 160, 28);
  Font().OnChange = [this] { Invalidate(); };
}

template <typename T>
void TNumLab::setAndPaint(T& field, const T& value) {
  SetAndRepaint(field, value, [this] { Paint(); });
}

void TNumLab::SetLabValue(double value) {
  // NaN never equals itself, but writing it twice is still no change.
  if (value == FLabValue || (std::isnan(value) && std::isnan(FLabValue))) return;
  FLabValue = value;
  Paint();
}

void TNumLab::SetDisplayType(TDisplay value) { setAndPaint(FDisplayType, value); }

void TNumLab::SetPrecision(int value) {
  if (value < 0) return;
  setAndPaint(FDecP, std::min(value, kMaxPrecision));
}

void TNumLab::SetComma(bool value) { setAndPaint(FComma, value); }
void TNumLab::SetForcePlusSign(bool value) { setAndPaint(FPlusSign, value); }
void TNumLab::SetEmpty(bool value) { setAndPaint(FEmpty, value); }
void TNumLab::SetOverflowIndicator(const std::u16string& value) {
  setAndPaint(FOverFlowIndi, value);
}
void TNumLab::SetStateText(const std::u16string& value) { setAndPaint(FStateText, value); }
void TNumLab::SetDTFormat(const std::u16string& value) { setAndPaint(FDtFormat, value); }
void TNumLab::SetLeftText(const std::u16string& value) { setAndPaint(FLeftText, value); }
void TNumLab::SetRightText(const std::u16string& value) { setAndPaint(FRightText, value); }

void TNumLab::SetLeftSpace(int value) {
  if (value < 0) return;
  setAndPaint(FLeftSpace, std::min(value, Width()));
}

void TNumLab::SetLabelWidth(int value) { setAndPaint(FLabWidth, value); }

void TNumLab::SetAlignment(TAlignment value) { setAndPaint(FAlignment, value); }
void TNumLab::SetLeftTextAlignment(TAlignment value) { setAndPaint(FLTAlignment, value); }
void TNumLab::SetRightTextAlignment(TAlignment value) { setAndPaint(FRTAlignment, value); }
void TNumLab::SetFrameStyle(TFrameStyle value) { setAndPaint(FFrameStyle, value); }

void TNumLab::SetColorScheme(TColorScheme value) {
  if (value == FColorScheme) return;
  FColorScheme = value;
  FFrameLines = SchemeLines(value);
  Paint();
}

void TNumLab::SetColorLabBakG(TColor value) { setAndPaint(FColorLabBakG, value); }
void TNumLab::SetColorLabText(TColor value) { setAndPaint(FColorLabText, value); }
void TNumLab::SetColorOutBakG(TColor value) { setAndPaint(FColorOutBakG, value); }
void TNumLab::SetColorOutText(TColor value) { setAndPaint(FColorOutText, value); }

void TNumLab::SetTransparent(bool value) {
  if (value == FTransParent) return;
  FTransParent = value;
  // What lies behind the label must be restored before it is combined with
  // it; an opaque label covers its whole area by itself.
  if (FTransParent) {
    Invalidate();
  } else {
    Paint();
  }
}

void TNumLab::SetEnabled(bool value) {
  if (value == Enabled()) return;
  TGraphicControl::SetEnabled(value);
  Paint();
}

void TNumLab::Assign(const TNumLab& Source) {
  if (&Source == this) return;
  FLeftSpace = Source.FLeftSpace;
  FEmpty = Source.FEmpty;
  FLabWidth = Source.FLabWidth;
  FDecP = Source.FDecP;
  FLeftText = Source.FLeftText;
  FRightText = Source.FRightText;
  FFrameStyle = Source.FFrameStyle;
  FAlignment = Source.FAlignment;
  FLTAlignment = Source.FLTAlignment;
  FRTAlignment = Source.FRTAlignment;
  FOverFlowIndi = Source.FOverFlowIndi;
  FLabValue = Source.FLabValue;
  FStateText = Source.FStateText;
  FTransParent = Source.FTransParent;
  FColorLabBakG = Source.FColorLabBakG;
  FColorLabText = Source.FColorLabText;
  FColorOutBakG = Source.FColorOutBakG;
  FColorOutText = Source.FColorOutText;
  FFrameLines = Source.FFrameLines;
  FColorScheme = Source.FColorScheme;
  FDisplayType = Source.FDisplayType;
  Paint();
}

void TNumLab::MouseMove(TShiftState Shift, int X, int Y) {
  if (X > FLeftSpace + FLabWidth) {
    FMouseAreaCode = 2;
  } else if (X > FLeftSpace) {
    FMouseAreaCode = 1;
  } else {
    FMouseAreaCode = 0;
  }
  TGraphicControl::MouseMove(Shift, X, Y);
}

TNumLabFormat TNumLab::textFormat() const {
  TNumLabFormat format;
  format.Precision = FDecP;
  format.Comma = FComma;
  format.ForcePlusSign = FPlusSign;
  format.StateText = FStateText;
  format.DTFormat = FDtFormat;
  format.OverflowIndicator = FOverFlowIndi;
  return format;
}

// ---------------------------------------------------------------------------
// Painting

void TNumLab::Paint() {
  if (!Visible()) return;
  const int W = Width();
  const int H = Height();
  if (W <= 0 || H <= 0) return;
  FBitmap.SetSize(W, H);
  TCanvas& cv = FBitmap.Canvas();
  cv.Font().Assign(Font());
  // Every text of the label is placed by the font's cell height, which
  // TextHeight gives whatever the text.
  const int y = (H - cv.TextHeight(u"0")) / 2;
  paintBackground(cv, W, H);
  paintLeftText(cv, y);
  paintRightText(cv, W, y);
  DrawValueBox(cv,
               FFrameStyle,
               FLeftSpace,
               FLeftSpace + FLabWidth + 2,
               H,
               ValueBoxOutline(FFrameStyle, FColorLabBakG, FFrameLines),
               FColorLabBakG,
               FFrameLines);
  if (!FEmpty) paintValueText(cv, y, H);
  copyToSurface(H);
}

void TNumLab::paintBackground(TCanvas& cv, int W, int H) {
  // White is the neutral colour of the AND combination.
  const TColor background = FTransParent ? clWhite : FColorOutBakG;
  cv.Pen().SetColor(background);
  cv.Brush().SetColor(background);
  cv.Rectangle(0, 0, W, H);
}

void TNumLab::paintLeftText(TCanvas& cv, int y) {
  const int x = LeftTextX(FLTAlignment, FLeftSpace, cv.TextWidth(FLeftText));
  DrawCaptionText(cv, x, y, FLeftText, Enabled(), FColorOutText, 1);
}

void TNumLab::paintRightText(TCanvas& cv, int W, int y) {
  const int x = RightTextX(FRTAlignment, FLeftSpace + FLabWidth, W, cv.TextWidth(FRightText));
  // The right-justified caption's white copy lies to the left.
  DrawCaptionText(
      cv, x, y, FRightText, Enabled(), FColorOutText, FRTAlignment == taRightJustify ? -1 : 1);
}

void TNumLab::paintValueText(TCanvas& cv, int y, int H) {
  std::u16string text = NumLabValueText(FDisplayType, FLabValue, textFormat());
  if (OnBeforeDisplay) OnBeforeDisplay(this, text);
  int tw = cv.TextWidth(text);
  // A state text is shown as far as the box lets it; anything else must fit.
  if (tw > FLabWidth - 6 && FDisplayType != dtState) {
    text = FOverFlowIndi;
    tw = cv.TextWidth(text);
  }
  const int x = ValueTextX(FAlignment, FLeftSpace, FLabWidth, tw);
  cv.Font().SetColor(Enabled() ? FColorLabText : clGray);
  cv.TextRect({FLeftSpace + 3, 2, FLeftSpace + FLabWidth - 1, H - 3}, x, y, text);
}

void TNumLab::copyToSurface(int H) {
  TCanvas& surface = Canvas();
  const TCopyMode savedMode = surface.CopyMode();
  const TScopeGuard modeBack([&] { surface.SetCopyMode(savedMode); });
  if (FTransParent) {
    surface.Brush().SetColor(FColorLabText != clBlack ? clWhite : FColorLabBakG);
    surface.FillRect({FLeftSpace + 2, 2, FLeftSpace + FLabWidth, H - 2});
    surface.SetCopyMode(cmSrcAnd);
  } else {
    surface.SetCopyMode(cmSrcCopy);
  }
  surface.Draw(0, 0, FBitmap);
}
