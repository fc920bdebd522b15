// The axis scale control. It stands on a window by itself and shows one axis
// (ticks, labels, caption, base line), or serves as a helper that draws its
// axis onto a surface its owner gives it (the chart's axes).
//
// The axis itself is drawn by the plain axis unit (PLX_AxisDraw.h); the scale
// holds its settings and its mapping and decides when and where to draw.
//
// Setters that change what is shown repaint by one rule (TriggerPaint): a
// transparent stand-alone scale asks for a later repaint so that whatever lies
// behind it is drawn first; every other scale paints at once. Painting stays
// suppressed until a stand-alone scale's window exists. A helper never gets a
// window: its owner makes it draw onto the owner's canvas, at the moment it
// chooses, with ForcePaint(Canvas, x, y).
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "controls/base/PLX_DTLabel.h"
#include "controls/base/PLX_plxbase.h"
#include "controls/scale/PLX_AxisDraw.h"
#include "controls/scale/PLX_AxisMap.h"
#include "controls/scale/PLX_ScaleMap.h"
#include "controls/scale/PLX_ScaleText.h"
#include "controls/scale/PLX_ScaleTicks.h"
#include "controls/scale/PLX_ScaleTypes.h"
#include "platform/Controls.h"
#include "platform/Errors.h"

class TScale : public TWinControl {
 public:
  explicit TScale(TComponent* AOwner = nullptr);
  ~TScale() override;

  const std::u16string& Caption() const { return FUnitLabel; }
  void SetCaption(const std::u16string& value);
  int CaptionPosX() const { return FLblPosX; }
  void SetCaptionPosX(int value);
  int CaptionPosY() const { return FLblPosY; }
  void SetCaptionPosY(int value);
  TAlignment CaptionAlignment() const { return FLblAlign; }
  void SetCaptionAlignment(TAlignment value);
  TScaleUnitAnchor CaptionAnchor() const { return FLblAnchor; }
  void SetCaptionAnchor(TScaleUnitAnchor value);
  TColor ColorBackGnd() const { return FColorBG; }
  void SetColorBackGnd(TColor value);
  TColor ColorScale() const { return FColorFG; }
  void SetColorScale(TColor value);
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme value);
  TDTLabel& DateFormat() { return *FDTFormat; }
  const TDTLabel& DateFormat() const { return *FDTFormat; }
  void SetDateFormat(const TDTLabel& value);
  // -3..12; negative values choose automatic label formats.
  int DecPlaces() const { return FDecPlaces; }
  void SetDecPlaces(int value);
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle value);
  TFigType LabelType() const { return FLabelType; }
  void SetLabelType(TFigType value);
  bool Logarithmic() const { return FAxLog; }
  void SetLogarithmic(bool value);
  int MarginTop() const { return FMarginTop; }
  void SetMarginTop(int value);
  int MarginBottom() const { return FMarginBottom; }
  void SetMarginBottom(int value);
  int MarginLeft() const { return FMarginLeft; }
  void SetMarginLeft(int value);
  int MarginRight() const { return FMarginRight; }
  void SetMarginRight(int value);
  // Minimum number of major intervals: 0 (a step of one unit) or 2..10.
  int MinTicks() const { return FNumTicks; }
  void SetMinTicks(int value);
  // Tick positions recorded during the last rendering.
  int NumTicks() const { return FScaleTickPos.NumTicks(); }
  double RangeLow() const { return FRangeLow; }
  void SetRangeLow(double value);
  double RangeHigh() const { return FRangeHigh; }
  void SetRangeHigh(double value);
  bool ShortTicks() const { return FShortTicks; }
  void SetShortTicks(bool value);
  bool ShowBaseLine() const { return FDrawBaseLine; }
  void SetShowBaseLine(bool value);
  // Template around every label; "&" stands for the label.
  const std::u16string& ScaleInscript() const { return FScaleInscript; }
  void SetScaleInscript(const std::u16string& value);
  TScaleType ScaleType() const { return FScaleType; }
  void SetScaleType(TScaleType value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  // Label texts separated by "|", used with LabelType ftUserText.
  const std::u16string& UserTickText() const { return FUserTicktext; }
  void SetUserTickText(const std::u16string& value);
  bool IsHelperComponent() const { return FIsHelper; }
  void SetIsHelperComponent(bool value);
  bool SuppressPaint() const { return FSuppressPaint; }
  void SetSuppressPaint(bool value);

  // Sets both ends at once; equal ends become low .. low + 1 (or the next
  // value above low where + 1 would not change it).
  void SetRange(double LowVal, double HighVal);
  int ConvertToPixelCoords(double Value) const { return FMap.ToPixel(Value); }
  // Raises EZeroDivide when the axis has no extent.
  double ConvertPixelToScale(int PixelCoord) const { return FMap.ToValue(PixelCoord); }
  // The mapping, kept up to date by every setter that remaps.
  const TAxisMap& Mapping() const { return FMap; }
  // How often the mapping was actually computed: a setter that leaves the
  // geometry as it was does not compute it again.
  int MappingComputations() const { return FMapComputations; }
  double Center() const { return (FRangeLow + FRangeHigh) / 2; }
  // 1-based; 0.0 outside 1..NumTicks().
  double TickPos(int ix) const { return FScaleTickPos.TickPos(ix); }
  // Paints once on the own window even while painting is suppressed.
  void ForcePaint();
  // Paints once onto Canvas, with the scale's area at (x, y), even while
  // painting is suppressed: how an owner has its helpers draw on its own
  // image. Nothing refers to Canvas after the call. An opaque scale is drawn
  // whole (background, axis, frame) at (x, y); a transparent one moves only
  // across its axis, by y for a horizontal and by x for a vertical scale.
  void ForcePaint(TCanvas& Canvas, int x, int y);

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Paint() override;
  void Loaded() override;

  // Copies the axis settings, colours, tick events, mapping, tick list and
  // SuppressPaint; not size, position, font, visibility, helper mode, the
  // loading state or the render events. Then repaints.
  void Assign(const TScale& Source);
  // Raises EConvertError unless Source is a TScale.
  void Assign(const TObject& Source);
  void AssignTo(TScale& Dest) const { Dest.Assign(*this); }

  TScaleTickDrawnEvent OnScaleTickDrawn;
  TBeforeTickLabelEvent OnBeforeTickLabel;
  TScaleRenderedEvent OnBeforeScaleRendered;
  TScaleRenderedEvent OnAfterScaleRendered;

 protected:
  void CreateWnd() override;

 private:
  void AdjustScalePars();
  TScaleGeometry geometry() const;
  TAxisStyle axisStyle() const;
  void TriggerPaint();
  void paintOn(TCanvas& target, int ox, int oy);
  void paintTransparent(TCanvas& target, int ox, int oy);
  void paintOpaque(TCanvas& target, int ox, int oy);
  void drawAxis(TCanvas& cv, int ox, int oy);

  TFrameStyle FFrameStyle = fsLowered;
  TColor FColorFG = clBlack;
  TColor FColorBG = clBtnFace;
  TColor FColBlackLine = clBlack;
  TColor FColGrayLine = clGray;
  TColor FColWhiteLine = clWhite;
  TColorScheme FColorScheme = csBWG;
  bool FAxLog = false;
  TAxisMap FMap;  // k and d
  // What FMap was last computed from; computing again from the same gives
  // the same mapping.
  TScaleGeometry FMappedGeometry;
  bool FMappedWhileLoading = false;
  bool FMapFresh = false;
  int FMapComputations = 0;
  double FRangeHigh = 100.0;
  double FRangeLow = 0.0;
  bool FShortTicks = true;
  int FNumTicks = 3;  // MinTicks
  int FDecPlaces = -2;
  // Set from creation until loading from a window layout ends; a scale made
  // in code keeps it, which lets it turn logarithmic before its range is set.
  bool FNotYetLoaded = true;
  bool FDrawBaseLine = true;
  bool FTransparent = false;
  TFigType FLabelType = ftNum;
  std::unique_ptr<TDTLabel> FDTFormat;
  int FMarginTop = 20;
  int FMarginBottom = 20;
  int FMarginRight = 20;
  int FMarginLeft = 20;
  bool FIsHelper = false;
  int FLblPosX = 4;
  int FLblPosY = 4;
  TAlignment FLblAlign = taCenter;
  TScaleUnitAnchor FLblAnchor = uaSclTopLft;
  std::u16string FUserTicktext;
  std::u16string FScaleInscript;
  TScaleTickList FScaleTickPos;
  std::u16string FUnitLabel;
  TScaleType FScaleType = sctXB;
  bool FSuppressPaint = true;
};

// Texts of time and date axes (PLX_ScaleDateText.cpp).

// A time of Time seconds as " hh:mm:ss" (hours may exceed 99), "-" in front
// of negative times, with Showmsec followed by ".zzz". The time is rounded to
// whole milliseconds first. Raises EInvalidArgument for a non-finite Time.
std::u16string TimeString(double Time, bool Showmsec);
// An axis value (days since 30 December 1899, negative before it, counted
// linearly) written with a date-time pattern of the platform. Values within
// 1e-8 of 0 count as 0. Raises EInvalidArgument for a value the platform
// cannot write (not finite, or beyond its calendar).
std::u16string FormatDateTimePLX(const std::u16string& fmt, double DT);
// The date of DT: day, month (the locale's short name with MonthName, else
// two digits) and year (by YearLength) in DateOrder, joined by DateSeparator.
std::u16string FormatDateStr(double DT, bool MonthName, TYearLength YearLength,
                             TDateOrder DateOrder, char16_t DateSeparator);
