// TNumLab: the numeric read-out. A window-less label with a caption on the
// left, a framed value box in the middle and a unit on the right; the value
// is shown in one of fifteen display types (PLX_NumLabText.h). A text too
// wide for the box gives way to the overflow indicator.
#pragma once

#include <functional>
#include <string>

#include "controls/base/PLX_Frames.h"
#include "controls/base/PLX_plxbase.h"
#include "controls/numeric/PLX_NumLabText.h"
#include "platform/Bitmap.h"
#include "platform/Controls.h"

// Called on every paint with the final value text; the handler may replace it.
using TBeforeDisplayEvent = std::function<void(TObject* Sender, std::u16string& Text)>;

class TNumLab : public TGraphicControl {
 public:
  explicit TNumLab(TComponent* AOwner = nullptr);

  // Repaints only when the value differs.
  double Value() const { return FLabValue; }
  void SetLabValue(double value);
  TDisplay DisplayType() const { return FDisplayType; }
  void SetDisplayType(TDisplay value);
  // Negative values are ignored; values above 15 become 15.
  int Precision() const { return FDecP; }
  void SetPrecision(int value);
  // Shows "," as the decimal separator instead of ".".
  bool Comma() const { return FComma; }
  void SetComma(bool value);
  bool ForcePlusSign() const { return FPlusSign; }
  void SetForcePlusSign(bool value);
  // Shows no value at all.
  bool Empty() const { return FEmpty; }
  void SetEmpty(bool value);
  const std::u16string& OverflowIndicator() const { return FOverFlowIndi; }
  void SetOverflowIndicator(const std::u16string& value);
  const std::u16string& StateText() const { return FStateText; }
  void SetStateText(const std::u16string& value);
  const std::u16string& DTFormat() const { return FDtFormat; }
  void SetDTFormat(const std::u16string& value);
  const std::u16string& LeftText() const { return FLeftText; }
  void SetLeftText(const std::u16string& value);
  const std::u16string& RightText() const { return FRightText; }
  void SetRightText(const std::u16string& value);
  // Width of the left text area; the value box starts here. Negative values
  // are ignored, values above Width() become Width().
  int LeftSpace() const { return FLeftSpace; }
  void SetLeftSpace(int value);
  // Inner width of the value box.
  int LabelWidth() const { return FLabWidth; }
  void SetLabelWidth(int value);
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
  // The value box's background and text.
  TColor ColorLabBakG() const { return FColorLabBakG; }
  void SetColorLabBakG(TColor value);
  TColor ColorLabText() const { return FColorLabText; }
  void SetColorLabText(TColor value);
  // The background and the texts outside the box.
  TColor ColorOutBakG() const { return FColorOutBakG; }
  void SetColorOutBakG(TColor value);
  TColor ColorOutText() const { return FColorOutText; }
  void SetColorOutText(TColor value);
  // Combines the label with what lies behind it by a bitwise AND: white
  // leaves the background visible. Switching it on asks the platform to
  // redraw the area; switching it off repaints at once.
  bool Transparent() const { return FTransParent; }
  void SetTransparent(bool value);
  void SetEnabled(bool value) override;

  // 0 while the mouse is over the left text, 1 over the value box, 2 right
  // of it; updated on every mouse move.
  int MouseAreaCode() const { return FMouseAreaCode; }
  // The frame line colours the colour scheme chose.
  const TFrameLines& FrameLines() const { return FFrameLines; }

  // Copies the label's own settings except Comma, ForcePlusSign, DTFormat and
  // Enabled (bounds, font and events stay too), then repaints.
  void Assign(const TNumLab& Source);
  void AssignTo(TNumLab& Dest) const { Dest.Assign(*this); }

  TBeforeDisplayEvent OnBeforeDisplay;

  void Paint() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

 private:
  template <typename T>
  void setAndPaint(T& field, const T& value);
  TNumLabFormat textFormat() const;
  void paintBackground(TCanvas& cv, int W, int H);
  void paintLeftText(TCanvas& cv, int y);
  void paintRightText(TCanvas& cv, int W, int y);
  void paintValueText(TCanvas& cv, int y, int H);
  void copyToSurface(int H);

  int FLeftSpace = 35;
  bool FEmpty = false;
  int FLabWidth = 80;
  int FDecP = 2;
  bool FComma = false;
  bool FPlusSign = false;
  bool FTransParent = false;
  std::u16string FLeftText;
  std::u16string FRightText;
  TFrameStyle FFrameStyle = fsLowered;
  std::u16string FStateText = u"undefined";
  TAlignment FAlignment = taCenter;
  TAlignment FLTAlignment = taRightJustify;
  TAlignment FRTAlignment = taLeftJustify;
  int FMouseAreaCode = 0;
  std::u16string FOverFlowIndi = u"*********";
  double FLabValue = 0.0;
  TColor FColorLabBakG = clBtnFace;
  TColor FColorLabText = clBlack;
  TColor FColorOutBakG = clBtnFace;
  TColor FColorOutText = clBlack;
  TFrameLines FFrameLines;
  TColorScheme FColorScheme = csBWG;
  TDisplay FDisplayType = dtFixP;
  std::u16string FDtFormat = u"mmm-dd, yyyy";
  TBitmap FBitmap;  // the off-screen picture each paint composes
};
