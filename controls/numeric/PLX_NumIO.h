// The numeric input field: a self-drawn single-line editor that accepts only
// text that can still become a number of its input format. From left to
// right: a caption, the value box, optional up/down buttons and a unit text;
// optionally a gauge below. The value lives in the text alone.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/base/PLX_Frames.h"
#include "controls/base/PLX_plxbase.h"
#include "controls/numeric/PLX_NumIOModel.h"
#include "controls/numeric/PLX_NumScan.h"
#include "platform/Bitmap.h"
#include "platform/Controls.h"
#include "platform/Timer.h"

class EPLXNumIO2Error : public EPLXError {
 public:
  using EPLXError::EPLXError;
  // 'Component "<name>": <problem>'.
  EPLXNumIO2Error(const std::u16string& componentName, const std::string& problem);
};

using TGaugeChangeEvent = std::function<void(TObject* Sender, TShiftState Shift, double Value)>;

class TNumIO2 : public TWinControl {
 public:
  explicit TNumIO2(TComponent* AOwner = nullptr);
  ~TNumIO2() override;
  TNumIO2(const TNumIO2&) = delete;
  TNumIO2& operator=(const TNumIO2&) = delete;

  // Copies the text, the formats, range, colours and texts; not the buttons,
  // the gauge, Enabled or the timer.
  void Assign(const TNumIO2& Source);
  void AssignTo(TNumIO2& Dest) const { Dest.Assign(*this); }

  // The number the text shows, computed on every read.
  double GetNioValue() const;
  // Reformats the text; no OnChange, no range check, caret and selection stay.
  void SetNioValue(double value);
  const std::u16string& Text() const;
  // An invalid non-empty text is ignored; no OnChange.
  void SetNioText(const std::u16string& value);
  // Raises EPLXNumIO2Error outside the 32-bit range.
  int32_t GetNioIntValue() const;

  TInFormat InputFormat() const;
  void SetInputFormat(TInFormat value);
  int FixPointDecPlaces() const;
  void SetFixPointDecPlaces(int value);
  int SignificantDigits() const;
  void SetSignificantDigits(int value);
  TDecPSep DecPlaceSep() const;
  void SetDecPlaceSep(TDecPSep value);
  double RangeLow() const;
  void SetRangeLow(double value);
  double RangeHigh() const;
  void SetRangeHigh(double value);
  bool ReadOnly() const;
  void SetReadOnly(bool value);
  bool Beep() const;
  void SetBeep(bool value);
  bool HideSelection() const { return FHideSel; }
  void SetHideSelection(bool value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);

  const std::u16string& LeftText() const { return FLeftText; }
  void SetLeftText(const std::u16string& value);
  const std::u16string& RightText() const { return FRightText; }
  void SetRightText(const std::u16string& value);
  int LeftSpace() const { return FLeftSpace; }
  void SetLeftSpace(int value);
  int TextBoxWidth() const { return FTextBoxWidth; }
  void SetTextBoxWidth(int value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  TAlignment LeftTextAlignment() const { return FLTAlignment; }
  void SetLeftTextAlignment(TAlignment value);
  TAlignment RightTextAlignment() const { return FRTAlignment; }
  void SetRightTextAlignment(TAlignment value);
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle value);
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme value);

  TColor ColorBoxBG() const { return FColorBoxBG; }
  void SetColorBoxBG(TColor value);
  TColor ColorBoxText() const { return FColorBoxText; }
  void SetColorBoxText(TColor value);
  TColor ColorOutBG() const { return FColorOutBG; }
  void SetColorOutBG(TColor value);
  TColor ColorOutText() const { return FColorOutText; }
  void SetColorOutText(TColor value);
  TColor ColorWarnBG() const { return FColorWarnBG; }
  // Stores and repaints even when unchanged.
  void SetColorWarnBG(TColor value);
  TColor ColorWarnText() const { return FColorWarnTxt; }
  void SetColorWarnText(TColor value);

  bool ButVisible() const { return FButVisible; }
  void SetButVisible(bool value);
  bool But3D() const { return FBut3D; }
  void SetBut3D(bool value);
  int ButWidth() const { return FButWidth; }
  void SetButWidth(int value);
  int ButHeight() const { return FButHeight; }
  void SetButHeight(int value);
  int ButSpace() const { return FButSpace; }
  void SetButSpace(int value);
  TColor ButColor() const { return FButColor; }
  void SetButColor(TColor value);
  double ButIncrem() const { return FButIncrem; }
  void SetButIncrem(double value);

  bool GaugeVisible() const { return FGaugeVisib; }
  void SetGaugeVisible(bool value);
  int GaugeHeight() const { return FGaugeHeight; }
  void SetGaugeHeight(int value);
  int GaugeWidth() const { return FGaugeWidth; }
  void SetGaugeWidth(int value);
  int GaugeLeftMargin() const { return FGaugeLeftMarg; }
  void SetGaugeLeftMargin(int value);
  int GaugeTopMargin() const { return FGaugeTopMarg; }
  void SetGaugeTopMargin(int value);
  TColor GaugeColor() const { return FGaugeColor; }
  void SetGaugeColor(TColor value);
  TColor GaugeColorBg() const { return FGaugeColorBg; }
  void SetGaugeColorBg(TColor value);
  TColor GaugeColorFrame() const { return FGaugeColorFrm; }
  void SetGaugeColorFrame(TColor value);
  TFrameStyle GaugeFrameStyle() const { return FGaugeFrameSt; }
  void SetGaugeFrameStyle(TFrameStyle value);

  int SelBegin() const;
  void SetSelBegin(int value);
  int SelEnd() const;
  void SetSelEnd(int value);
  // The number of characters before the caret.
  int CaretPos() const;
  // The caret's blink phase.
  bool CaretVisible() const { return FCaretVisib; }
  // 0 left text, 1 value box, 2 right of the box: where the mouse last moved.
  int MouseAreaCode() const { return FMouseAreaCode; }
  bool OutOfRange() const;
  bool CheckValidity(const std::u16string& text) const;

  // The text position under pixel column x, by the average character width.
  int XCoordsToCharPos(int x);
  // The pixel column of text position p.
  int CharPosToXCoords(int p);

  // Optional allowed values for the up/down buttons and the gauge.
  std::vector<double> ButtonPivots;

  TNotifyEvent OnChange;
  TGaugeChangeEvent OnGaugeChange;

  // Height below 18 becomes 18, and ButHeight is cut to the new height.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetEnabled(bool value) override;
  void SetFocus() override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Click() override;
  // Key codes alone, as the classic desktop's US keyboard sends them.
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  // A typed character counts as that character on any keyboard layout.
  void TypedKeyDown(uint16_t& Key, TShiftState Shift, char16_t Typed) override;
  void KeyUp(uint16_t& Key, TShiftState Shift) override;
  void DoEnter() override;
  void DoExit() override;

 protected:
  void CreateWnd() override;
  // Fires OnChange.
  virtual void Changed();
  // The private window of the caret timer (identifier 1).
  TTimerWindow& CaretTimer() { return FCaretTimer; }

 private:
  // Stops a running caret timer, shows the caret and starts the timer again.
  void UpdateTimer();
  void stopTimer();
  void caretTick(int id);
  void repaint() { Paint(); }
  int gaugeReserve() const;
  int textWidth(const std::u16string& text);
  double gaugeValueAt(int x) const;
  void clickButtons(int X, int Y);
  double pivotStep(double v, bool up) const;
  template <class T>
  void setAndRepaint(T& field, T value);

  // Painting, in PLX_NumIOPaint.cpp.
  void paintCaptions(TCanvas& cv, int ty);
  void paintButtons(TCanvas& cv);
  void paintGauge(TCanvas& cv);
  void paintValueBox(TCanvas& cv);
  void paintValueText(TCanvas& cv, int ty);
  void paintSelection(TCanvas& cv);
  void paintCaret();

  TNumIOModel FModel;
  int FLeftSpace = 35;
  bool FSuppressPaint = true;
  int FTextBoxWidth = 80;
  bool FValueChanged = false;
  int FButWidth = 18;
  int FButSpace = 3;
  double FButIncrem = 1.0;
  bool FButVisible = false;
  bool FBut3D = true;
  int FButHeight = 28;
  TColor FButColor = clSilver;
  TTimerWindow FCaretTimer;
  bool FCaretVisib = false;
  bool FGaugeVisib = false;
  int FGaugeHeight = 8;
  int FGaugeWidth = 82;
  int FGaugeLeftMarg = 35;
  int FGaugeTopMarg = 3;
  TColor FGaugeColor = clNavy;
  TColor FGaugeColorBg = clSilver;
  TColor FGaugeColorFrm = clGray;
  TFrameStyle FGaugeFrameSt = fsLowered;
  std::u16string FLeftText;
  std::u16string FRightText;
  TFrameStyle FFrameStyle = fsLowered;
  TAlignment FAlignment = taCenter;
  TAlignment FLTAlignment = taRightJustify;
  TAlignment FRTAlignment = taLeftJustify;
  int FMouseAreaCode = 0;
  TColor FColorBoxBG = clWhite;
  TColor FColorBoxText = clBlack;
  TColor FColorOutBG = clBtnFace;
  TColor FColorOutText = clBlack;
  TFrameLines FLines;  // FColBlackLine, FColGrayLine, FColWhiteLine
  TColor FColorWarnBG = 0x6088FFF0;
  TColor FColorWarnTxt = clRed;
  TColorScheme FColorScheme = csBWG;
  bool FHideSel = true;
  bool FAutoSize = false;

  // The last picture without its caret, and where the caret goes in it: a
  // blink draws or clears that column alone while the picture is current.
  struct TCaretColumn {
    bool InBox = false;  // drawn only strictly inside the value box
    int X = 0;
    int Top = 0;
    int Bottom = 0;          // rows Top .. Bottom - 1
    TColor Color = clBlack;  // white where the selection inverts it
  };
  TBitmap FPicture;
  TCaretColumn FCaret;
  bool FPictureCurrent = false;
};
