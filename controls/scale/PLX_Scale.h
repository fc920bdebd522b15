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
#include "controls/scale/PLX_ScaleDateText.h"
#include "controls/scale/PLX_ScaleMap.h"
#include "controls/scale/PLX_ScaleSettings.h"
#include "controls/scale/PLX_ScaleText.h"
#include "controls/scale/PLX_ScaleTicks.h"
#include "controls/scale/PLX_ScaleTypes.h"
#include "platform/Controls.h"
#include "platform/Errors.h"

class TScale : public TWinControl {
 public:
  explicit TScale(TComponent* AOwner = nullptr);
  ~TScale() override;

  const std::u16string& Caption() const { return FAxis.Caption; }
  void SetCaption(const std::u16string& value);
  int CaptionPosX() const { return FAxis.CaptionPosX; }
  void SetCaptionPosX(int value);
  int CaptionPosY() const { return FAxis.CaptionPosY; }
  void SetCaptionPosY(int value);
  TAlignment CaptionAlignment() const { return FAxis.CaptionAlignment; }
  void SetCaptionAlignment(TAlignment value);
  TScaleUnitAnchor CaptionAnchor() const { return FAxis.CaptionAnchor; }
  void SetCaptionAnchor(TScaleUnitAnchor value);
  TColor ColorBackGnd() const { return FArea.ColorBackGnd; }
  void SetColorBackGnd(TColor value);
  TColor ColorScale() const { return FAxis.ColorScale; }
  void SetColorScale(TColor value);
  TColorScheme ColorScheme() const { return FArea.ColorScheme; }
  void SetColorScheme(TColorScheme value);
  TDTLabel& DateFormat() { return *FDTFormat; }
  const TDTLabel& DateFormat() const { return *FDTFormat; }
  void SetDateFormat(const TDTLabel& value);
  // -3..12; negative values choose automatic label formats.
  int DecPlaces() const { return FAxis.DecPlaces; }
  void SetDecPlaces(int value);
  TFrameStyle FrameStyle() const { return FArea.FrameStyle; }
  void SetFrameStyle(TFrameStyle value);
  TFigType LabelType() const { return FAxis.LabelType; }
  void SetLabelType(TFigType value);
  bool Logarithmic() const { return FAxis.Logarithmic; }
  void SetLogarithmic(bool value);
  int MarginTop() const { return FArea.MarginTop; }
  void SetMarginTop(int value);
  int MarginBottom() const { return FArea.MarginBottom; }
  void SetMarginBottom(int value);
  int MarginLeft() const { return FArea.MarginLeft; }
  void SetMarginLeft(int value);
  int MarginRight() const { return FArea.MarginRight; }
  void SetMarginRight(int value);
  // Minimum number of major intervals: 0 (a step of one unit) or 2..10.
  int MinTicks() const { return FAxis.MinTicks; }
  void SetMinTicks(int value);
  // Tick positions recorded during the last rendering.
  int NumTicks() const { return FScaleTickPos.NumTicks(); }
  double RangeLow() const { return FAxis.RangeLow; }
  void SetRangeLow(double value);
  double RangeHigh() const { return FAxis.RangeHigh; }
  void SetRangeHigh(double value);
  bool ShortTicks() const { return FAxis.ShortTicks; }
  void SetShortTicks(bool value);
  bool ShowBaseLine() const { return FArea.ShowBaseLine; }
  void SetShowBaseLine(bool value);
  // Template around every label; "&" stands for the label.
  const std::u16string& ScaleInscript() const { return FAxis.ScaleInscript; }
  void SetScaleInscript(const std::u16string& value);
  TScaleType ScaleType() const { return FArea.ScaleType; }
  void SetScaleType(TScaleType value);
  bool Transparent() const { return FArea.Transparent; }
  void SetTransparent(bool value);
  // Label texts separated by "|", used with LabelType ftUserText.
  const std::u16string& UserTickText() const { return FAxis.UserTickText; }
  void SetUserTickText(const std::u16string& value);
  bool IsHelperComponent() const { return FIsHelper; }
  void SetIsHelperComponent(bool value);
  bool SuppressPaint() const { return FSuppressPaint; }
  void SetSuppressPaint(bool value);

  // Sets both ends at once; equal ends become low .. low + 1 (or the next
  // value above low where + 1 would not change it).
  void SetRange(double LowVal, double HighVal);
  // The axis settings as one value. Setting them ends where the setters,
  // called one by one, would end (equal ends moved apart, decimal places and
  // ticks clamped, a time axis with 4 decimal places, no logarithmic date
  // axis, after loading logarithmic only over a positive range), and repaints
  // once.
  const TScaleSettings& AxisSettings() const { return FAxis; }
  void SetAxisSettings(const TScaleSettings& value);
  int ConvertToPixelCoords(double Value) const { return FMap.ToPixel(Value); }
  // Raises EZeroDivide when the axis has no extent.
  double ConvertPixelToScale(int PixelCoord) const { return FMap.ToValue(PixelCoord); }
  // The mapping, kept up to date by every setter that remaps.
  const TAxisMap& Mapping() const { return FMap; }
  // How often the mapping was actually computed: a setter that leaves the
  // geometry as it was does not compute it again.
  int MappingComputations() const { return FMapComputations; }
  double Center() const { return (FAxis.RangeLow + FAxis.RangeHigh) / 2; }
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
  bool logarithmicAllowed(TFigType labelType) const;
  void followLabelType();
  TScaleGeometry geometry() const;
  TAxisStyle axisStyle() const;
  void TriggerPaint();
  void paintOn(TCanvas& target, int ox, int oy);
  void paintTransparent(TCanvas& target, int ox, int oy);
  void paintOpaque(TCanvas& target, int ox, int oy);
  void drawAxis(TCanvas& cv, int ox, int oy);

  // What a copy takes over besides the axis settings: the scale's own area
  // and where the axis lies in it.
  struct TAreaSettings {
    TFrameStyle FrameStyle = fsLowered;
    TColor ColorBackGnd = clBtnFace;
    TColorScheme ColorScheme = csBWG;
    TColor BlackLine = clBlack;  // the frame's lines, by the colour scheme
    TColor GrayLine = clGray;
    TColor WhiteLine = clWhite;
    bool ShowBaseLine = true;
    bool Transparent = false;
    int MarginTop = 20;
    int MarginBottom = 20;
    int MarginRight = 20;
    int MarginLeft = 20;
    TScaleType ScaleType = sctXB;
  };

  TScaleSettings FAxis;
  TAreaSettings FArea;
  std::unique_ptr<TDTLabel> FDTFormat;
  TAxisMap FMap;  // k and d
  // What FMap was last computed from; computing again from the same gives
  // the same mapping.
  TScaleGeometry FMappedGeometry;
  bool FMappedWhileLoading = false;
  bool FMapFresh = false;
  int FMapComputations = 0;
  // Set from creation until loading from a window layout ends; a scale made
  // in code keeps it, which lets it turn logarithmic before its range is set.
  bool FNotYetLoaded = true;
  bool FIsHelper = false;
  TScaleTickList FScaleTickPos;
  bool FSuppressPaint = true;
};
