// Painting of the numeric input field: everything is drawn into an
// off-screen bitmap and copied onto the window in one step, so typing and the
// caret blink do not flicker.
#include <algorithm>
#include <cmath>

#include "controls/numeric/PLX_NumIO.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"

namespace {

// The tallest characters of the font decide where text lines sit.
const std::u16string kTallText = u"(8g]}\u00DC\u00C4\u00A7";
constexpr TColor kDisabledBox = clSilver;

// The share of the range the value covers, 0 .. 1; a full bar for an empty
// range.
double gaugeFraction(double value, double low, double high) {
  if (low == high) return 1.0;
  const double f = (value - low) / (high - low);
  if (!(f >= 0.0)) return 0.0;  // also not-a-number
  return std::min(f, 1.0);
}

}  // namespace

void TNumIO2::Paint() {
  FPictureCurrent = false;
  if (FSuppressPaint || !Visible()) return;
  if (FAutoSize) {
    // The platform's plain height change: no minimum, ButHeight untouched.
    // The resize asks for another paint, in which the new height holds.
    TCanvas& measure = Canvas();
    measure.Font().Assign(Font());
    const int h = measure.TextHeight(u"E0") + 6;
    if (h != Height()) TWinControl::SetBounds(Left(), Top(), Width(), h);
  }
  const int W = Width();
  const int H = Height();
  FPicture.SetSize(W, H);
  TCanvas& cv = FPicture.Canvas();
  cv.Font().Assign(Font());
  cv.Pen().SetColor(FColorOutBG);
  cv.Brush().SetColor(FColorOutBG);
  cv.Rectangle(0, 0, W, H);

  const int ty = (H - gaugeReserve() - cv.TextHeight(kTallText)) / 2;
  paintCaptions(cv, ty);
  if (FGaugeVisib) paintGauge(cv);
  paintValueBox(cv);
  paintValueText(cv, ty);
  paintSelection(cv);

  TCanvas& window = Canvas();
  window.SetCopyMode(cmSrcCopy);
  window.Draw(0, 0, FPicture);
  FPictureCurrent = true;
  paintCaret();
}

// Left text, the buttons between box and right text, and the right text.
void TNumIO2::paintCaptions(TCanvas& cv, int ty) {
  const int W = Width();
  const int LS = FLeftSpace;
  const int TB = FTextBoxWidth;
  const int B = FButVisible ? FButWidth + FButSpace : 0;

  const int lx = LeftTextX(FLTAlignment, LS, cv.TextWidth(FLeftText));
  DrawCaptionText(cv, lx, ty, FLeftText, Enabled(), FColorOutText, 1);

  if (FButVisible) paintButtons(cv);

  const int rx = RightTextX(FRTAlignment, LS + B + TB, W, cv.TextWidth(FRightText));
  cv.Brush().SetColor(FColorOutBG);
  DrawCaptionText(cv, rx, ty, FRightText, Enabled(), FColorOutText, 1);
}

void TNumIO2::paintButtons(TCanvas& cv) {
  const int x0 = FLeftSpace + FTextBoxWidth + FButSpace;
  const int bw = FButWidth;
  const int hb = FButHeight / 2;
  cv.Pen().SetColor(clGray);
  cv.Brush().SetColor(FButColor);
  cv.Rectangle(x0, 0, x0 + bw + 1, 2 * hb - 1);
  cv.MoveTo(x0, hb - 1);
  cv.LineTo(x0 + bw, hb - 1);
  if (FBut3D) {
    cv.Pen().SetColor(clWhite);
    cv.MoveTo(x0 + 1, 2 * hb - 3);
    cv.LineTo(x0 + 1, hb);
    cv.LineTo(x0 + bw, hb);
    cv.MoveTo(x0 + 1, hb - 2);
    cv.LineTo(x0 + 1, 1);
    cv.LineTo(x0 + bw, 1);
    cv.Pen().SetColor(clBlack);
    cv.MoveTo(x0 + 1, 2 * hb - 1);
    cv.LineTo(x0 + bw + 1, 2 * hb - 1);
    cv.LineTo(x0 + bw + 1, 1);
  }
  // Arrows of 2, 4 and 6 pixels, pointing away from the divider.
  cv.Pen().SetColor(Enabled() ? clBlack : clGray);
  const int cx = x0 + 1 + bw / 2;
  const int e = hb / 2;
  const int d = hb + hb / 2;
  for (int i = 0; i < 3; ++i) {
    cv.MoveTo(cx - 1 - i, e - 1 + i);
    cv.LineTo(cx + 1 + i, e - 1 + i);
    cv.MoveTo(cx - 1 - i, d - i);
    cv.LineTo(cx + 1 + i, d - i);
  }
}

void TNumIO2::paintGauge(TCanvas& cv) {
  const int x1 = FGaugeLeftMarg;
  const int x2 = x1 + FGaugeWidth;
  const int y1 = Height() - gaugeReserve() + FGaugeTopMarg;
  const int y2 = y1 + FGaugeHeight;
  DrawGaugeBackground(cv, FGaugeFrameSt, x1, y1, x2, y2, FGaugeColorFrm, FGaugeColorBg);
  const double f = gaugeFraction(GetNioValue(), RangeLow(), RangeHigh());
  const TColor bar = Enabled() ? FGaugeColor : clGray;
  cv.Pen().SetColor(bar);
  cv.Brush().SetColor(bar);
  cv.Rectangle(x1, y1, x1 + int(std::nearbyint(FGaugeWidth * f)), y2);
  DrawGaugeFrame(cv, FGaugeFrameSt, x1, y1, x2, y2, FGaugeColorFrm, FLines);
}

void TNumIO2::paintValueBox(TCanvas& cv) {
  const bool enabled = Enabled();
  TColor outline = ValueBoxOutline(FFrameStyle, enabled ? FColorBoxBG : kDisabledBox, FLines);
  TColor background = FColorBoxBG;
  if (OutOfRange()) {
    background = FColorWarnBG;
    if (FFrameStyle == fsNone && enabled) outline = FColorWarnBG;
  }
  // A disabled field never shows the warning colours.
  if (!enabled) background = kDisabledBox;
  DrawValueBox(cv,
               FFrameStyle,
               FLeftSpace,
               FLeftSpace + FTextBoxWidth + 2,
               Height() - gaugeReserve(),
               outline,
               background,
               FLines);
}

// The text clipped to the box, and where the caret goes (paintCaret).
void TNumIO2::paintValueText(TCanvas& cv, int ty) {
  const int LS = FLeftSpace;
  const int TB = FTextBoxWidth;
  const int bottom = Height() - gaugeReserve();
  const std::u16string& text = Text();
  const int tw = cv.TextWidth(text);
  const int wc = cv.TextWidth(text.substr(0, size_t(FModel.CaretClamped())));
  const int x = ValueTextX(FAlignment, LS, TB, tw);
  // The caret stands one pixel left of the character it precedes.
  const int c = x - LS + wc - 1;
  const bool warn = OutOfRange();
  TColor color = warn ? FColorWarnTxt : FColorBoxText;
  if (!Enabled()) color = clGray;
  cv.Font().SetColor(color);
  cv.Brush().SetColor(!Enabled() ? kDisabledBox : (warn ? FColorWarnBG : FColorBoxBG));
  cv.TextRect({LS + 3, 2, LS + TB - 1, bottom - 3}, x, ty, text);
  FCaret = {c > 0 && c < TB, LS + c, 3, bottom - 3, clBlack};
}

// The selection is shown inverted, while focused or with HideSelection off.
void TNumIO2::paintSelection(TCanvas& cv) {
  const int begin = FModel.SelStartClamped();
  const int end = FModel.SelEndClamped();
  if (begin >= end || (FHideSel && !Focused())) return;
  const int lo = FLeftSpace;
  const int hi = FLeftSpace + FTextBoxWidth;
  const TRect r{std::clamp(CharPosToXCoords(begin), lo, hi),
                3,
                std::clamp(CharPosToXCoords(end), lo, hi),
                Height() - gaugeReserve() - 3};
  cv.SetCopyMode(cmNotSrcCopy);
  cv.CopyRect(r, cv.Target(), r);
  cv.SetCopyMode(cmSrcCopy);
  // The caret comes before the selection: inverted with it, black turns white.
  if (FCaret.X >= r.Left && FCaret.X < r.Right) FCaret.Color = clWhite;
}

// The caret is a one-pixel line over the text; it is left out where it would
// fall on the box's edges or outside. Hidden, its column shows the picture.
void TNumIO2::paintCaret() {
  if (!FCaret.InBox) return;
  TCanvas& window = Canvas();
  if (FCaretVisib) {
    window.Pen().SetColor(FCaret.Color);
    window.MoveTo(FCaret.X, FCaret.Top);
    window.LineTo(FCaret.X, FCaret.Bottom);
  } else {
    const TRect column{FCaret.X, FCaret.Top, FCaret.X + 1, FCaret.Bottom};
    window.SetCopyMode(cmSrcCopy);
    window.CopyRect(column, FPicture, column);
  }
}
