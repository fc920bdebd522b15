#include "controls/numeric/PLX_NumIO.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "platform/Canvas.h"
#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "platform/KeyCodes.h"
#include "platform/Utf8.h"

namespace {

constexpr int kCaretTimerId = 1;
constexpr int kCaretIntervalMs = 500;
constexpr int kMinHeight = 18;
constexpr int kDefaultWidth = 160;
constexpr int kDefaultHeight = 28;

double clampToRange(double v, double low, double high) { return std::max(low, std::min(v, high)); }

TNumIOClipboard platformClipboard() {
  return {[] { return ClipboardHasText() ? ClipboardGetText() : std::u16string(); },
          [](const std::u16string& text) { ClipboardPutText(text); }};
}

}  // namespace

EPLXNumIO2Error::EPLXNumIO2Error(const std::u16string& componentName, const std::string& problem)
    : EPLXError("Component \"" + ToUtf8(componentName) + "\": " + problem) {}

// ---- lifetime ----

TNumIO2::TNumIO2(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, kDefaultWidth, kDefaultHeight);
  FButHeight = Height();
  // A new font moves every text: the next blink paints the whole field.
  Font().OnChange = [this] { FPictureCurrent = false; };
  FCaretTimer.OnTimer = [this](int id) { caretTick(id); };
  UpdateTimer();
}

TNumIO2::~TNumIO2() {
  FCaretTimer.KillTimer(kCaretTimerId);
  FCaretTimer.OnTimer = nullptr;
  Font().OnChange = nullptr;
}

void TNumIO2::CreateWnd() {
  TWinControl::CreateWnd();
  FSuppressPaint = false;
}

void TNumIO2::Assign(const TNumIO2& Source) {
  if (&Source == this) return;
  FLeftSpace = Source.FLeftSpace;
  FTextBoxWidth = Source.FTextBoxWidth;
  FLeftText = Source.FLeftText;
  FRightText = Source.FRightText;
  FFrameStyle = Source.FFrameStyle;
  FAlignment = Source.FAlignment;
  FLTAlignment = Source.FLTAlignment;
  FRTAlignment = Source.FRTAlignment;
  FColorBoxBG = Source.FColorBoxBG;
  FColorBoxText = Source.FColorBoxText;
  FColorOutBG = Source.FColorOutBG;
  FColorOutText = Source.FColorOutText;
  FLines = Source.FLines;
  FColorScheme = Source.FColorScheme;
  FCaretVisib = Source.FCaretVisib;
  FMouseAreaCode = Source.FMouseAreaCode;
  FColorWarnBG = Source.FColorWarnBG;
  FColorWarnTxt = Source.FColorWarnTxt;
  FHideSel = Source.FHideSel;
  FAutoSize = Source.FAutoSize;
  // Formats, text, caret, selection, separator, Shift and Ctrl, range, the
  // online check, Beep and ReadOnly.
  FModel = Source.FModel;
  repaint();
}

// ---- value and text ----

double TNumIO2::GetNioValue() const { return FModel.Value(); }

void TNumIO2::SetNioValue(double value) {
  FModel.SetValue(value);
  repaint();
}

const std::u16string& TNumIO2::Text() const { return FModel.Text(); }

void TNumIO2::SetNioText(const std::u16string& value) {
  if (value == FModel.Text()) return;
  if (FModel.SetText(value)) repaint();
}

int32_t TNumIO2::GetNioIntValue() const {
  const double v = GetNioValue();
  if (!(v >= -2147483648.0 && v <= 2147483647.0)) {
    throw EPLXNumIO2Error(Name(), "integer overflow");
  }
  return int32_t(std::nearbyint(v));
}

bool TNumIO2::OutOfRange() const { return FModel.OutOfRange(); }

bool TNumIO2::CheckValidity(const std::u16string& text) const { return FModel.CheckValidity(text); }

// ---- model settings ----

TInFormat TNumIO2::InputFormat() const { return FModel.InputFormat(); }
void TNumIO2::SetInputFormat(TInFormat value) {
  if (FModel.SetInputFormat(value)) repaint();
}

int TNumIO2::FixPointDecPlaces() const { return FModel.FixPointDecPlaces(); }
void TNumIO2::SetFixPointDecPlaces(int value) {
  if (FModel.SetFixPointDecPlaces(value)) repaint();
}

int TNumIO2::SignificantDigits() const { return FModel.SignificantDigits(); }
void TNumIO2::SetSignificantDigits(int value) {
  if (FModel.SetSignificantDigits(value)) repaint();
}

TDecPSep TNumIO2::DecPlaceSep() const { return FModel.DecPlaceSep(); }
void TNumIO2::SetDecPlaceSep(TDecPSep value) {
  if (FModel.SetDecPlaceSep(value)) repaint();
}

double TNumIO2::RangeLow() const { return FModel.RangeLow(); }
void TNumIO2::SetRangeLow(double value) {
  if (FModel.SetRangeLow(value)) repaint();
}

double TNumIO2::RangeHigh() const { return FModel.RangeHigh(); }
void TNumIO2::SetRangeHigh(double value) {
  if (FModel.SetRangeHigh(value)) repaint();
}

bool TNumIO2::ReadOnly() const { return FModel.ReadOnly(); }
void TNumIO2::SetReadOnly(bool value) {
  if (value == ReadOnly()) return;
  FModel.SetReadOnly(value);
  if (value) {
    stopTimer();
    repaint();
  } else {
    UpdateTimer();
  }
}

bool TNumIO2::Beep() const { return FModel.Beep(); }
void TNumIO2::SetBeep(bool value) { FModel.SetBeep(value); }

int TNumIO2::SelBegin() const { return FModel.SelBegin(); }
void TNumIO2::SetSelBegin(int value) {
  FModel.SetSelBegin(value);
  repaint();
}

int TNumIO2::SelEnd() const { return FModel.SelEnd(); }
void TNumIO2::SetSelEnd(int value) {
  FModel.SetSelEnd(value);
  repaint();
}

int TNumIO2::CaretPos() const { return FModel.CaretPos(); }

// ---- look and layout ----

template <class T>
void TNumIO2::setAndRepaint(T& field, T value) {
  ::SetAndRepaint(field, value, [this] { repaint(); });
}

void TNumIO2::SetHideSelection(bool value) { setAndRepaint(FHideSel, value); }
void TNumIO2::SetAutoSize(bool value) { setAndRepaint(FAutoSize, value); }
void TNumIO2::SetLeftText(const std::u16string& value) { setAndRepaint(FLeftText, value); }
void TNumIO2::SetRightText(const std::u16string& value) { setAndRepaint(FRightText, value); }

void TNumIO2::SetLeftSpace(int value) {
  if (value < 0) return;
  setAndRepaint(FLeftSpace, std::min(value, Width()));
}

void TNumIO2::SetTextBoxWidth(int value) { setAndRepaint(FTextBoxWidth, value); }
void TNumIO2::SetAlignment(TAlignment value) { setAndRepaint(FAlignment, value); }
void TNumIO2::SetLeftTextAlignment(TAlignment value) { setAndRepaint(FLTAlignment, value); }
void TNumIO2::SetRightTextAlignment(TAlignment value) { setAndRepaint(FRTAlignment, value); }
void TNumIO2::SetFrameStyle(TFrameStyle value) { setAndRepaint(FFrameStyle, value); }

void TNumIO2::SetColorScheme(TColorScheme value) {
  if (value == FColorScheme) return;
  FColorScheme = value;
  FLines = SchemeLines(value);
  repaint();
}

void TNumIO2::SetColorBoxBG(TColor value) { setAndRepaint(FColorBoxBG, value); }
void TNumIO2::SetColorBoxText(TColor value) { setAndRepaint(FColorBoxText, value); }
void TNumIO2::SetColorOutBG(TColor value) { setAndRepaint(FColorOutBG, value); }
void TNumIO2::SetColorOutText(TColor value) { setAndRepaint(FColorOutText, value); }

void TNumIO2::SetColorWarnBG(TColor value) {
  FColorWarnBG = value;
  repaint();
}

void TNumIO2::SetColorWarnText(TColor value) {
  FColorWarnTxt = value;
  repaint();
}

void TNumIO2::SetButVisible(bool value) { setAndRepaint(FButVisible, value); }
void TNumIO2::SetBut3D(bool value) { setAndRepaint(FBut3D, value); }
void TNumIO2::SetButWidth(int value) { setAndRepaint(FButWidth, std::clamp(value, 8, 50)); }

void TNumIO2::SetButHeight(int value) {
  setAndRepaint(FButHeight, std::min(std::max(value, kMinHeight), Height()));
}

void TNumIO2::SetButSpace(int value) { setAndRepaint(FButSpace, std::clamp(value, 0, 50)); }
void TNumIO2::SetButColor(TColor value) { setAndRepaint(FButColor, value); }
void TNumIO2::SetButIncrem(double value) { setAndRepaint(FButIncrem, value); }

void TNumIO2::SetGaugeVisible(bool value) { setAndRepaint(FGaugeVisib, value); }

void TNumIO2::SetGaugeHeight(int value) {
  value = std::min(value, Height() - FGaugeTopMarg - kMinHeight);
  setAndRepaint(FGaugeHeight, std::max(value, 3));
}

void TNumIO2::SetGaugeWidth(int value) {
  value = std::max(value, 10);
  setAndRepaint(FGaugeWidth, std::min(value, Width() - FGaugeLeftMarg));
}

void TNumIO2::SetGaugeLeftMargin(int value) {
  value = std::min(value, Width() - FGaugeWidth);
  setAndRepaint(FGaugeLeftMarg, std::max(value, 0));
}

void TNumIO2::SetGaugeTopMargin(int value) {
  value = std::min(value, Height() - FGaugeHeight - kMinHeight);
  setAndRepaint(FGaugeTopMarg, std::max(value, 0));
}

void TNumIO2::SetGaugeColor(TColor value) { setAndRepaint(FGaugeColor, value); }
void TNumIO2::SetGaugeColorBg(TColor value) { setAndRepaint(FGaugeColorBg, value); }
void TNumIO2::SetGaugeColorFrame(TColor value) { setAndRepaint(FGaugeColorFrm, value); }
void TNumIO2::SetGaugeFrameStyle(TFrameStyle value) { setAndRepaint(FGaugeFrameSt, value); }

void TNumIO2::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  FPictureCurrent = false;
  TWinControl::SetBounds(ALeft, ATop, AWidth, std::max(AHeight, kMinHeight));
  FButHeight = std::min(FButHeight, Height());
}

void TNumIO2::SetEnabled(bool value) {
  if (value == Enabled()) return;
  TWinControl::SetEnabled(value);
  repaint();
}

int TNumIO2::gaugeReserve() const { return FGaugeVisib ? FGaugeHeight + FGaugeTopMarg + 1 : 0; }

// ---- focus and the caret timer ----

void TNumIO2::SetFocus() {
  TWinControl::SetFocus();
  if (!ReadOnly()) UpdateTimer();
}

void TNumIO2::DoEnter() {
  TWinControl::DoEnter();
  if (!ReadOnly()) UpdateTimer();
}

// A Shift or Ctrl released elsewhere must not stay held here.
void TNumIO2::DoExit() {
  FModel.ReleaseModifiers();
  TWinControl::DoExit();
}

void TNumIO2::Click() {
  TWinControl::SetFocus();
  TWinControl::Click();
  if (!ReadOnly()) UpdateTimer();
}

void TNumIO2::UpdateTimer() {
  FCaretTimer.KillTimer(kCaretTimerId);
  FCaretVisib = true;
  if (!FCaretTimer.SetTimer(kCaretTimerId, kCaretIntervalMs)) {
    throw EPLXNumIO2Error(Name(), "no timer available");
  }
  repaint();
}

void TNumIO2::stopTimer() {
  FCaretTimer.KillTimer(kCaretTimerId);
  FCaretVisib = false;
}

// The caret blinks while the field has the focus and goes at the first tick
// after the focus has left, with a full repaint then (an unfocused field may
// hide its selection). A blink itself only redraws the caret's column, so a
// long text is neither measured nor drawn again while the field sits idle.
void TNumIO2::caretTick(int id) {
  if (id != kCaretTimerId) return;
  if (!Focused()) {
    stopTimer();
    repaint();
    return;
  }
  FCaretVisib = !FCaretVisib;
  if (FPictureCurrent) {
    paintCaret();
  } else {
    repaint();
  }
}

void TNumIO2::Changed() {
  if (OnChange) OnChange(this);
}

// ---- keys ----

void TNumIO2::KeyDown(uint16_t& Key, TShiftState Shift) { TypedKeyDown(Key, Shift, 0); }

void TNumIO2::TypedKeyDown(uint16_t& Key, TShiftState Shift, char16_t Typed) {
  const TNumIOKeyResult result = FModel.KeyDown(Key, Shift, platformClipboard(), Typed);
  // The field decides what Tab does: only a plain Tab or Shift+Tab in an
  // editable field asks for the next control; Ctrl+Tab and any Tab in a
  // read-only field stay here, so the platform must not move the focus.
  if (Key == VK_TAB) Key = 0;
  if (!result.Handled) return;
  if (result.NextControl) SelectNextControl(true);
  if (result.Beep) MessageBeep();
  FCaretVisib = true;
  if (result.Changed) Changed();
  repaint();
}

void TNumIO2::KeyUp(uint16_t& Key, TShiftState Shift) {
  (void)Shift;
  FModel.KeyUp(Key);
}

// ---- mouse ----

int TNumIO2::textWidth(const std::u16string& text) {
  TCanvas& cv = Canvas();
  cv.Font().Assign(Font());
  return cv.TextWidth(text);
}

int TNumIO2::XCoordsToCharPos(int x) {
  const std::u16string& text = Text();
  const int length = int(text.size());
  if (length == 0) return 0;
  const int w = textWidth(text);
  const int a = std::max(w / length, 1);
  int d;
  switch (FAlignment) {
    case taLeftJustify:
      d = x - FLeftSpace - 3;
      break;
    case taRightJustify:
      d = x - FLeftSpace - FTextBoxWidth + 3 + w;
      break;
    default:
      d = x - FLeftSpace - 1 - (FTextBoxWidth - w) / 2;
      break;
  }
  d = std::clamp(d, 0, w);
  // Narrow characters can make the average overshoot the last position.
  return std::min((d + a / 2) / a, length);
}

int TNumIO2::CharPosToXCoords(int p) {
  const std::u16string& text = Text();
  p = std::clamp(p, 0, int(text.size()));
  const int w = textWidth(text);
  const int wp = textWidth(text.substr(0, size_t(p)));
  switch (FAlignment) {
    case taLeftJustify:
      return wp + FLeftSpace + 4;
    case taRightJustify:
      return wp + FLeftSpace + FTextBoxWidth - w - 2;
    default:
      return wp + FLeftSpace + (FTextBoxWidth - w) / 2 + 2;
  }
}

// The value of gauge column x: a share of the range, or the nearest pivot.
double TNumIO2::gaugeValueAt(int x) const {
  const double f = double(x - FGaugeLeftMarg) / FGaugeWidth;
  const double low = RangeLow();
  const double high = RangeHigh();
  double v;
  if (ButtonPivots.empty()) {
    v = low + f * (high - low);
  } else if (ButtonPivots.size() == 1) {
    v = ButtonPivots[0];
  } else {
    // A drag may run a pixel beyond the gauge: keep the index on the list.
    const double last = double(ButtonPivots.size() - 1);
    const double index = std::clamp(std::nearbyint(f * last), 0.0, last);
    v = ButtonPivots[size_t(index)];
  }
  return clampToRange(v, low, high);
}

// The pivot one step up or down from v.
double TNumIO2::pivotStep(double v, bool up) const {
  const std::vector<double>& p = ButtonPivots;
  const double e = std::pow(10.0, -FixPointDecPlaces());
  size_t k = 0;
  for (size_t i = 1; i < p.size(); ++i) {
    if (std::fabs(p[i] - v) < std::fabs(p[k] - v)) k = i;
  }
  if (up) return (v >= p[k] - e && k + 1 < p.size()) ? p[k + 1] : p[k];
  return (v <= p[k] + e && k > 0) ? p[k - 1] : p[k];
}

void TNumIO2::clickButtons(int X, int Y) {
  const int x0 = FLeftSpace + FTextBoxWidth + FButSpace;
  if (!FButVisible || X <= x0 || X >= x0 + FButWidth || Y <= 0 || Y >= FButHeight) return;
  const bool up = Y <= FButHeight / 2;
  const double v = GetNioValue();
  if (ButtonPivots.empty()) {
    SetNioValue(clampToRange(up ? v + FButIncrem : v - FButIncrem, RangeLow(), RangeHigh()));
  } else {
    SetNioValue(pivotStep(v, up));
  }
  Changed();
}

void TNumIO2::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const int reserve = gaugeReserve();
  if (!ReadOnly()) FCaretVisib = true;
  if (Y > 0 && Y < Height() - reserve) {
    FModel.PlaceCaret(XCoordsToCharPos(X));
    repaint();
  }
  if (FGaugeVisib && Y > Height() - reserve && X >= FGaugeLeftMarg &&
      X <= FGaugeLeftMarg + FGaugeWidth) {
    SetNioValue(gaugeValueAt(X));
    FValueChanged = true;
  }
  clickButtons(X, Y);
  TWinControl::MouseDown(Button, Shift, X, Y);
}

void TNumIO2::MouseMove(TShiftState Shift, int X, int Y) {
  FMouseAreaCode = 0;
  if (X > FLeftSpace) FMouseAreaCode = 1;
  if (X > FLeftSpace + FTextBoxWidth) FMouseAreaCode = 2;
  if (Shift & ssLeft) {
    const int reserve = gaugeReserve();
    if (Y > 0 && Y < Height() - reserve) {
      // The end the drag is not moving stays put.
      const int p = XCoordsToCharPos(X);
      if (p > SelBegin()) {
        SetSelEnd(p);
      } else {
        SetSelBegin(p);
      }
    }
    if (FGaugeVisib && Y > Height() - reserve && X >= FGaugeLeftMarg - 1 &&
        X <= FGaugeLeftMarg + FGaugeWidth + 1) {
      const double v = gaugeValueAt(X);
      SetNioValue(v);
      FValueChanged = true;
      if (OnGaugeChange) OnGaugeChange(this, Shift, v);
    }
  }
  TWinControl::MouseMove(Shift, X, Y);
}

void TNumIO2::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FValueChanged) {
    FValueChanged = false;
    Changed();
  }
  TWinControl::MouseUp(Button, Shift, X, Y);
}
