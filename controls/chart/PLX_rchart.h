// The chart control. Drawing commands only store items (PLX_ChartStore); the
// picture is built in off-screen bitmaps in a fixed order (background, rim,
// caption, axes, data-area background, grid, items, frame, crosshairs) and
// then copied onto the window. Sixteen layers share the data area, each with
// its own axis properties, scale helpers and mapping.
//
// TCustomRChart holds the state and logic; its implementation is split by
// responsibility:
//   PLX_rchart.cpp        construction, standard layouts, loading, copying
//   PLX_rchartLayers.cpp  axis properties, scale helpers, mapping, ticks
//   PLX_rchartRanges.cpp  range application, joined layers, isometric mode,
//                         confinement and the zoom history
//   PLX_rchartAutoRange.cpp  ranges fitted to the items
//   PLX_rchartPaint.cpp   the rendering pipeline, size and margins
//   PLX_rchartData.cpp    the data pass over the item store
//   PLX_rchartGrid.cpp    the grid
//   PLX_rchartCrossHairs.cpp  crosshair drawing and their cheap repaints
//   PLX_ChartPresentation.h   what the window and the kept bitmaps hold, and
//                             which way the next presentation takes
//   PLX_rchartMouse.cpp   crosshair settings, mouse modes, cursor, read-outs
//   PLX_rchartExport.cpp  export to the clipboard and to bitmaps
//
// The rules it applies that need no window (the item store, the mapping, the
// grid, ranges, layouts, mouse gestures, the zoom history) stand apart in
// rules/.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/base/PLX_CrossHair.h"
#include "controls/chart/PLX_BakGndImg.h"
#include "controls/chart/PLX_ChartPresentation.h"
#include "controls/chart/PLX_JointLayers.h"
#include "controls/chart/PLX_ScaleProps.h"
#include "controls/chart/PLX_rchartSettings.h"
#include "controls/chart/rules/PLX_ChartGrid.h"
#include "controls/chart/rules/PLX_ChartLayouts.h"
#include "controls/chart/rules/PLX_ChartMap.h"
#include "controls/chart/rules/PLX_ChartRanges.h"
#include "controls/chart/rules/PLX_ChartStore.h"
#include "controls/chart/rules/PLX_ZoomHistory.h"
#include "controls/chart/rules/PLX_rchartTypes.h"
#include "controls/scale/PLX_Scale.h"
#include "platform/Bitmap.h"
#include "platform/Controls.h"

using TMouseMoveInChartEvent = std::function<void(TObject* Sender, bool InChart, TShiftState Shift,
                                                  double rMousePosX, double rMousePosY)>;
using TCrossHairMoveEvent = std::function<void(TObject* Sender, TCrossHair* WhichCH)>;
// A control pixel (x, y) of the mapping lies at (x - dx, y - dy) on Canvas.
using TRenderEvent = std::function<void(TObject* Sender, TCanvas& Canvas, int dx, int dy)>;

class TCustomRChart : public TControl {
 public:
  explicit TCustomRChart(TComponent* AOwner = nullptr);
  ~TCustomRChart() override;

  // ---- Drawing commands: each appends one item; ShowGraf presents them.
  void MarkAt(double x, double y, uint8_t mk) { FStore.MarkAt(x, y, mk); }
  void MarkErrorBar(double x, double y, double dlower, double dupper, TOrientation Dir,
                    uint8_t mk) {
    FStore.MarkErrorBar(x, y, dlower, dupper, Dir, mk);
  }
  void Text(double x, double y, int size, const std::u16string& txt) {
    FStore.Text(x, y, size, txt);
  }
  void Text(double x, double y, int size, const std::u16string& txt, int dx, int dy,
            TAlignment Alignment) {
    FStore.Text(x, y, size, txt, dx, dy, Alignment);
  }
  void MoveTo(double x, double y) { FStore.MoveTo(x, y); }
  void DrawTo(double x, double y) { FStore.DrawTo(x, y); }
  void MoveToRelPix(int dx, int dy) { FStore.MoveToRelPix(dx, dy); }
  void DrawToRelPix(int dx, int dy) { FStore.DrawToRelPix(dx, dy); }
  void Line(double x1, double y1, double x2, double y2) { FStore.Line(x1, y1, x2, y2); }
  void Rectangle(double x1, double y1, double x2, double y2) { FStore.Rectangle(x1, y1, x2, y2); }
  void RectangleRelPix(double centx, double centy, int dx, int dy) {
    FStore.RectangleRelPix(centx, centy, dx, dy);
  }
  void Arrow(double x1, double y1, double x2, double y2, int HeadSize) {
    FStore.Arrow(x1, y1, x2, y2, HeadSize);
  }
  void RectFrame(double x1, double y1, double x2, double y2, TFrameStyle FrameStyle,
                 TColor ShadowColor, TColor HiLightColor) {
    FStore.RectFrame(x1, y1, x2, y2, FrameStyle, ShadowColor, HiLightColor);
  }
  void Bar3D(double llx, double lly, double urx, double ury, int Depth, int Angle) {
    FStore.Bar3D(llx, lly, urx, ury, Depth, Angle);
  }
  void Ellipse(double cx, double cy, double HorizAxLeng, double VertAxLeng) {
    FStore.Ellipse(cx, cy, HorizAxLeng, VertAxLeng);
  }

  // ---- The item store: queries, edits and the drawing attributes
  // (PLX_ChartStore.h). ClearGraf also blanks the data-area image.
  void ClearGraf();
  int NumItems() const { return FStore.NumItems(); }
  TrcItemStore& Store() { return FStore; }
  const TrcItemStore& Store() const { return FStore; }
  TColor DataColor() const { return FStore.DataColor(); }
  void SetDataColor(TColor value) { FStore.SetDataColor(value); }
  TColor FillColor() const { return FStore.FillColor(); }
  void SetFillColor(TColor value) { FStore.SetFillColor(value); }
  TPenStyle PenStyle() const { return FStore.PenStyle(); }
  void SetPenStyle(TPenStyle value) { FStore.SetPenStyle(value); }
  uint8_t LineWidth() const { return FStore.LineWidth(); }
  void SetLineWidth(uint8_t value) { FStore.SetLineWidth(value); }
  int ActiveLayer() const { return FStore.ActiveLayer(); }
  void SetActiveLayer(int value) { FStore.SetActiveLayer(value); }
  bool AvoidDuplicateMarks() const { return FStore.AvoidDuplicateMarks(); }
  void SetAvoidDuplicateMarks(bool value) { FStore.SetAvoidDuplicateMarks(value); }
  bool ClassVisible(uint8_t cnum) const { return FStore.ClassVisible(cnum); }
  void SetClassVisible(uint8_t cnum, bool value) { FStore.SetClassVisible(cnum, value); }
  bool LayerVisible(int Layer) const { return FStore.LayerVisible(Layer); }
  void SetLayerVisible(int Layer, bool value) { FStore.SetLayerVisible(Layer, value); }

  // ---- Layers, axis properties and mapping (PLX_rchartLayers.cpp). Calls
  // that take a layer raise EPLXRChartError "Layer n is out of range" for one
  // outside 1..16 unless they say otherwise.
  // Layers outside 1..16 read layer 1.
  TScalePropsHoriz& ScalePropsX(int Layer);
  TScalePropsVert& ScalePropsY(int Layer);
  TScalePropsHoriz& Scale1X() { return ScalePropsX(1); }
  TScalePropsVert& Scale1Y() { return ScalePropsY(1); }
  // Copies the values in; the picture catches up with the next change.
  // Layers outside 1..16 are ignored.
  void SetScalePropsX(int Layer, const TScaleProps& value);
  void SetScalePropsY(int Layer, const TScaleProps& value);
  // The scale helper that draws a layer's axis.
  TScale& ScaleX(int Layer);
  TScale& ScaleY(int Layer);
  TJointLayers& JointLayers() { return *FJointLayers; }
  void SetJointLayers(const TJointLayers& value);
  // Real coordinates of a layer (clamped into 1..16) to control pixels.
  void R2M(int Layer, double xin, double yin, int& xout, int& yout) const;
  // Control pixels to real coordinates; Layer clamped into 1..16 as in R2M.
  void M2R(int Layer, int xin, int yin, double& xout, double& yout) const;
  // Recomputes the mapping of all layers; raises EPLXRChartError "Logarithmic
  // axis must not be negative." for a logarithmic axis reaching zero.
  virtual void AdjustScaling();
  // Tick positions the active layer's axes recorded at their last drawing.
  int TickNumX() const;
  int TickNumY() const;
  double TickPosX(int ix) const;
  double TickPosY(int ix) const;
  // Layers outside 1..16 read false; setting them is ignored.
  bool MouseAffectsLayer(int Layer) const;
  void SetMouseAffectsLayer(int Layer, bool value);
  TScaleTickDrawnEvent OnScaleTickDrawn;
  TBeforeTickLabelEvent OnBeforeTickLabel;

  // ---- Ranges (PLX_rchartRanges.cpp, PLX_rchartAutoRange.cpp). Each command
  // ends with one repaint unless painting is suppressed.
  // Sets one layer's ranges (Layer 1..16) or every layer's (0); equal ends
  // are widened, the isometric rule applies, the new states enter the zoom
  // history, and layers joined to a changed layer follow it.
  void SetRange(int Layer, long double xLo, long double yLo, long double xHi, long double yHi);
  // Gives every listed layer the union of their ranges; layer 0 in the set
  // raises.
  void SetEqualRange(const TLayerSet& Layers);
  void SetEqualRangeXOnly(const TLayerSet& Layers);
  void SetEqualRangeYOnly(const TLayerSet& Layers);
  // Fits one layer's ranges (Layer 1..16) to its items, Margin per cent
  // added at both ends and widened to MinRange per cent of the centre; Layer
  // 0 fits all layers together, joined ones with their masters, confined and
  // without entering the history.
  void AutoRange(int Layer, double Margin, double MinRange = 0);
  // One axis only; the single-layer form switches Isometric off.
  void AutoRangeXOnly(int Layer, double Margin, double MinRange = 0);
  void AutoRangeYOnly(int Layer, double Margin, double MinRange = 0);
  // The box that pans and zooms stay in; all zero switches it off.
  void ConfineZoomRange(double xLo, double yLo, double xHi, double yHi);
  // Empties the history; the current state becomes its only entry.
  void ClearZoomHistory();
  // Returns every layer to the state at history index -15..0 (0 the state
  // entered last); other indexes do nothing.
  void ZoomHistory(int Index);
  // A layer's (1..16) state at history index -15..0; zeros for other indexes.
  TRectDouble ZoomStack(int Layer, int StackIx) const { return GetZoomStackEntry(Layer, StackIx); }
  TRectDouble GetZoomStackEntry(int Layer, int StackIx) const;
  // Undo and redo through the history: back to the state before the current
  // one, or forward again to the state left by ZoomBack. A range change
  // after going back drops the states ahead. False, changing nothing, at
  // either end or when the history no longer holds the state.
  bool ZoomBack();
  bool ZoomForward();
  // Setting it on (also while it is on) gives every layer the vertical range
  // that shows equal units on both axes, around its centre, and enters the
  // state into the history.
  void SetIsometric(bool value);

  // ---- Construction and layouts (PLX_rchart.cpp)
  TrcLayout StandardLayout() const { return FStdLayout; }
  // Raises EPLXRChartError for a value beyond the seven layouts.
  void SetStandardLayout(TrcLayout value);
  void Loaded() override;
  // Copies a whole chart; the scale helpers keep drawing onto this chart.
  void Assign(const TCustomRChart& Source);
  void AssignTo(TCustomRChart& Dest) const { Dest.Assign(*this); }

  // ---- Rendering (PLX_rchartPaint.cpp)
  void Paint() override;
  // Presents the items after some were added or removed: with AutoRedraw
  // only the data area is rendered again.
  void ShowGraf();
  // Draws the store again over the current data image without erasing it.
  void ShowGrafNewOnly();
  // Sizes below the margins plus 80 x 20 pixels are raised; sizes beyond
  // 2^24 pixels are lowered. A size of more than TBitmap::MaxPixels pixels
  // raises EPLXRChartError and leaves the chart as it was.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  bool SuppressPaint() const { return FSuppressPaint; }
  // Setting it false paints at once.
  void SetSuppressPaint(bool value);
  bool AutoRedraw() const { return FSettings.AutoRedraw; }
  void SetAutoRedraw(bool value) { FSettings.AutoRedraw = value; }
  // Paints when AutoRedraw is on: the change handler of owned settings.
  void StyleChanged(TObject* Sender);
  // The composed picture; after a Paint or a crosshair redraw it is taken
  // from the window when first read.
  TBitmap& ChartBmp() {
    completeChartBmp();
    return FChartBmp;
  }
  // The data image; after a ShowGraf it is taken from the window when first
  // read.
  TBitmap& GrafBmp() {
    completeGrafBmp();
    return FGrafBmp;
  }
  TBitmap& AuxBmp() { return FAuxBmp; }
  // What the window and the two bitmaps hold, and how current it is.
  const TChartPresentation& Presentation() const { return FPresentation; }

  // Margins are clamped into -32767..32767.
  int MarginLeft() const { return FFrame.L; }
  void SetMarginLeft(int value);
  int MarginRight() const { return FFrame.R; }
  void SetMarginRight(int value);
  int MarginTop() const { return FFrame.T; }
  void SetMarginTop(int value);
  int MarginBottom() const { return FFrame.B; }
  void SetMarginBottom(int value);
  // Clamped into 0..32.
  int ShadowWidth() const { return FFrame.S; }
  void SetShadowWidth(int value);
  TShadowStyle ShadowStyle() const { return FSettings.ShadowStyle; }
  void SetShadowStyle(TShadowStyle value);
  TColor ShadowColor() const { return FSettings.ShadowColor; }
  void SetShadowColor(TColor value);
  TColor ShadowBakColor() const { return FSettings.ShadowBakColor; }
  void SetShadowBakColor(TColor value);
  TColor ChartColor() const { return FSettings.ChartColor; }
  void SetChartColor(TColor value);
  TColor WindColor() const { return FSettings.WindColor; }
  void SetWindColor(TColor value);
  TColor ChartFrameColor() const { return FSettings.ChartFrameColor; }
  void SetChartFrameColor(TColor value);
  const std::u16string& Caption() const { return FSettings.Caption; }
  void SetCaption(const std::u16string& value);
  int CaptionPosX() const { return FSettings.CaptionPosX; }
  void SetCaptionPosX(int value);
  int CaptionPosY() const { return FSettings.CaptionPosY; }
  void SetCaptionPosY(int value);
  TAlignment CaptionAlignment() const { return FSettings.CaptionAlignment; }
  void SetCaptionAlignment(TAlignment value);
  TCaptionAnchorHoriz CaptionAnchorHoriz() const { return FSettings.CaptionAnchorHoriz; }
  void SetCaptionAnchorHoriz(TCaptionAnchorHoriz value);
  TCaptionAnchorVert CaptionAnchorVert() const { return FSettings.CaptionAnchorVert; }
  void SetCaptionAnchorVert(TCaptionAnchorVert value);
  TBakGndImg& BackGroundImg() { return *FBackGroundImg; }
  void SetBackGroundImg(const TBakGndImg& value);
  TRenderEvent OnScalesRendered;
  TRenderEvent OnBeforeRenderData;
  TRenderEvent OnDataRendered;

  // ---- Grid (PLX_rchartGrid.cpp)
  GridStyleType GridStyle() const { return FSettings.GridStyle; }
  void SetGridStyle(GridStyleType value);
  TColor GridColor() const { return FSettings.GridColor; }
  void SetGridColor(TColor value);
  // Values below -3 are ignored.
  double GridDx() const { return FSettings.GridDx; }
  void SetGridDx(double value);
  double GridDy() const { return FSettings.GridDy; }
  void SetGridDy(double value);

  // ---- Crosshairs, mouse (PLX_rchartMouse.cpp)
  // Crosshair numbers outside 1..4 are ignored (reads give 0).
  void CrossHairSetPos(int chnum, double x, double y);
  void CrossHairSetup(int ch, TColor chColor, TCrossHMode Mode, TPenStyle LineType, int LineWidth);
  double CrossHairPosX(int i) const;
  void SetCrossHairPosX(int i, double value);
  double CrossHairPosY(int i) const;
  void SetCrossHairPosY(int i, double value);
  TCrossHair& CrossHair(int chnum);
  TCrossHair& CrossHair1() { return CrossHair(1); }
  TCrossHair& CrossHair2() { return CrossHair(2); }
  TCrossHair& CrossHair3() { return CrossHair(3); }
  TCrossHair& CrossHair4() { return CrossHair(4); }
  // Copies the values into the chart's own crosshair chnum (1..4).
  void SetCrossHair(int chnum, const TCrossHair& value);
  TMouseActMode MouseAction() const { return FSettings.MouseAction; }
  void SetMouseAction(TMouseActMode value) { FSettings.MouseAction = value; }
  bool MouseCursorFixed() const { return FSettings.MouseCursorFixed; }
  void SetMouseCursorFixed(bool value) { FSettings.MouseCursorFixed = value; }
  bool Isometric() const { return FSettings.Isometric; }
  // The last mouse position inside the data area, in the active layer.
  double MousePosX() const { return FMousePosX; }
  double MousePosY() const { return FMousePosY; }
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DblClick() override;
  void MouseLeave() override;
  TMouseMoveInChartEvent OnMouseMoveInChart;
  TCrossHairMoveEvent OnCrossHairMove;

  // ---- Export (PLX_rchartExport.cpp): rendered afresh from the item store,
  // without crosshairs; the window is not repainted and the data image is not
  // touched. ChartBmp keeps the exported whole-chart picture until the next
  // Paint. The DAOnly variants give the data area alone.
  void CopyToClipboard(bool BlkWhite);
  void CopyToClipboardDAOnly(bool BlkWhite);
  // Writes the whole chart to the file BmpFileName(FName), overwriting it.
  // Throws EFileError naming that file when it cannot be written; the chart
  // is then as it was before the call.
  void CopyToBMP(const std::u16string& FName, bool BlkWhite);
  // Make ABitmap a copy of the picture; nothing happens when it is null.
  void CopyToBitmap(TBitmap* ABitmap, bool BlkWhite);
  void CopyToBitmapDAOnly(TBitmap* ABitmap, bool BlkWhite);
  // The directory part kept, the file part cut at its first dot, ".bmp"
  // appended: "out/my.plot.old" gives "out/my.bmp".
  static std::u16string BmpFileName(const std::u16string& FName);

 protected:
  // The parts of a rendering (PLX_rchartPaint.cpp, PLX_rchartData.cpp).
  void ConstructChartBmp(TCanvas& cv);
  void InitGraf(TCanvas& cv, int PosX, int PosY);
  void ConstructDataBmp(TCanvas& cv, int PosX, int PosY, bool BlkWhite, int FirstItem);
  void DrawFinish(int xPos, int yPos, TBitmap& SrcBmp, TCanvas& DestCv);
  void ConstructGrid(TCanvas& cv, int PosX, int PosY);
  // Black-and-white export (PLX_rchartExport.cpp): the chart's own colours
  // and those of every axis saved and replaced, and put back; written
  // directly, without the repaint rule.
  void BackupColorsAndMakeBW();
  void ReloadBackupColors();

  // Range application (PLX_rchartRanges.cpp): SetRangeIntern widens equal
  // ends and applies the isometric rule; ForceRange honours the joint-layer
  // links; ForceRngIntern confines, writes and maps one layer.
  void SetRangeIntern(int Layer, long double xLo, long double yLo, long double xHi, long double yHi,
                      bool EnterToZoomStack, bool ConfineRange);
  void ForceRange(int Layer, long double xLo, long double yLo, long double xHi, long double yHi,
                  bool EnterToZoomStack, bool ConfineRange);
  void ForceRngIntern(int Layer, long double xLo, long double yLo, long double xHi, long double yHi,
                      bool EnterToZoomStack, bool ConfineRange);
  // The change handler of every axis property set.
  void ScalePropsChanged(TObject* Sender);
  // Enters every layer's current ranges into the history.
  void ZoomStateOnStack();
  // The extent of a layer's items with Rim per cent added and widened to
  // MinRng per cent of the centre; 0..0 for a layer without items.
  void LLCalcExtents(int Layer, double Rim, double MinRng, long double& xLo, long double& yLo,
                     long double& xHi, long double& yHi);

  // Suppressed painting from construction until the window exists.
  bool FSuppressPaint = true;

 private:
  struct DataPass;
  // The colours a black-and-white export replaces.
  struct ColorBackup {
    TColor Window, Frame, Chart, Font, Shadow, ShadowBgnd;
    std::array<TColor, MaxLayers + 1> ScalesX, ScalesY, SclFontX, SclFontY;  // 0 unused
  };
  using PictureSink = std::function<void(const TBitmap& picture)>;

  // PLX_rchart.cpp
  void createLayer(int n);
  void setUpLayerAxis(TScaleProps& props, int n, TScaleType type, int pos);
  void applyLayoutAxes(const TLytData& row);

  // PLX_rchartLayers.cpp
  void setScaleProps(TScale& scale, const TScaleProps& props);
  void placeScaleHelper(TScale& scale, bool horizontal);
  void refreshAllScales();
  void drawAxes(TCanvas& cv);
  TAxisRange rangeX(int Layer) const;
  TAxisRange rangeY(int Layer) const;

  // PLX_rchartRanges.cpp
  enum class RangeAxes : uint8_t { Both, XOnly, YOnly };
  bool applyAxisRange(TScaleProps& props, long double lo, long double hi);
  void layerJoined(int Index, int Master, bool Horizontal);
  // Runs apply with painting suppressed; restores it without painting.
  void withoutPaint(const std::function<void()>& apply);
  // The same, then one paint unless painting was suppressed before: it
  // stands for the repaints of every range application inside.
  void paintOnceAfter(const std::function<void()>& apply);
  void equalRange(const TLayerSet& Layers, RangeAxes axes);
  // The vertical range around Centre that shows the horizontal span Dx in
  // equal units.
  TAxisSpan isometricSpan(long double Centre, long double Dx) const;
  // Every layer's vertical range by the isometric rule, through the property
  // setters; the caller has painting suppressed.
  void applyIsometricRule();
  bool confinementOn() const;
  void restoreHistory(int Index);

  // PLX_rchartData.cpp, PLX_rchartGrid.cpp
  void constructDataBmp(TCanvas& cv, int PosX, int PosY, bool BlkWhite, int FirstItem,
                        bool verticalGridDrawn);
  void constructGrid(TCanvas& cv, int PosX, int PosY, bool withVertical);
  std::vector<TVerticalRule> verticalGridRules(int PosX, int PosY) const;
  bool verticalGridWithBackground(const TCanvas& cv) const;

  // PLX_rchartAutoRange.cpp
  void autoRange(int Layer, double Margin, double MinRange, RangeAxes axes);
  void autoRangeLayer(int Layer, double Margin, double MinRange, RangeAxes axes);
  void autoRangeAll(double Margin, double MinRange, RangeAxes axes);

  // PLX_rchartPaint.cpp
  void renderDataArea(TCanvas& cv, int PosX, int PosY, bool BlkWhite);
  TDataAreaFacts dataAreaFacts();
  void renderOntoWindow();
  void completeGrafBmp();
  void dataBmpRenderedAfresh();
  std::vector<TRect> crossHairReach() const;
  void initGraf(TCanvas& cv, int PosX, int PosY, std::span<const TVerticalRule> gridRules);
  void sizeGrafBmp();
  TRect dataBitmapRect() const;
  void constructChartBmp(TCanvas& cv, bool onWindow);
  std::array<TRect, 4> bandsAround(const TRect& hole) const;
  void marginsChanged(bool isometricHook);
  void drawRim(TCanvas& cv);
  void drawCaption(TCanvas& cv);
  void drawBackgroundImage(TCanvas& cv, int PosX, int PosY, int GW, int GH);
  void drawBand(TCanvas& cv, int PosX, int PosY, int GW, int GH);
  bool drawCrossHairs(TCanvas& cv, int xPos, int yPos);
  void drawCrossHair(TCanvas& cv, const TCrossHair& ch, int xPos, int yPos);
  bool crossHairLeavesDataArea(const TCrossHair& ch) const;
  void presentDataArea();
  void composeWindow();
  void completeChartBmp();
  bool renderingCurrent() const;
  bool canPaint() const;
  // The crosshairs over the last rendering: the chart bitmap's margins, the
  // data bitmap and the crosshairs composed on the window.
  void redrawCrossHairs();
  // After crosshair changes alone: the picture of a full Paint, from the
  // kept bitmaps while they are current.
  void repaintCrossHairs();
  void crossHairChanged();

  // PLX_rchartMouse.cpp
  void mouseAction(TShiftState Shift, int X, int Y);
  void startDrag(int X, int Y);
  void dragCrossHair(int X, int Y);
  void pan(int X, int Y);

  // PLX_rchartData.cpp: one pass and its item kinds.
  TPoint surfacePos(const DataPass& pass, int Layer, double x, double y, int dx = 0,
                    int dy = 0) const;
  // The same without the +-30000 limit, for the ends of straight lines:
  // limiting each coordinate on its own would turn a line towards a far
  // point, and the canvas clips lines exactly.
  TPoint linePos(const DataPass& pass, int Layer, double x, double y) const;
  void drawItem(DataPass& pass, const TrcChartItem& item);
  void drawLineto(DataPass& pass, const TrcChartItem& item);
  int drawLinetoRun(DataPass& pass, const TrcChartItem* items, int first, int count);
  void drawShapeItem(DataPass& pass, const TrcChartItem& item);
  void drawLineItem(DataPass& pass, const TrcChartItem& item);
  void drawRelPixItem(DataPass& pass, const TrcChartItem& item);
  void drawRectFrame(DataPass& pass, const TrcChartItem& item);
  void draw3DBar(DataPass& pass, const TrcChartItem& item);
  void drawArrow(DataPass& pass, const TrcChartItem& item);
  void drawTextItem(DataPass& pass, const TrcChartItem& item);
  void drawMarkItem(DataPass& pass, const TrcChartItem& item);
  void drawErrorBar(DataPass& pass, const TrcChartItem& item);
  bool markInRange(const TrcChartItem& item) const;
  void drawDataFrame(TCanvas& cv, int PosX, int PosY);

  // PLX_rchartGrid.cpp
  TGridAxis gridAxis(bool horizontal) const;

  // PLX_rchartExport.cpp
  void exportPicture(bool BlkWhite, bool wholeChart, const PictureSink& deliver);
  void renderExport(TBitmap& aux, bool BlkWhite, bool wholeChart);
  void setAxisColors(int Layer, TColor xScale, TColor yScale, TColor xFont, TColor yFont);

  TrcItemStore FStore;
  TChartFrame FFrame;  // size, margins and rim
  TBitmap FChartBmp;
  TBitmap FGrafBmp;
  TBitmap FAuxBmp;
  std::array<std::unique_ptr<TScalePropsHoriz>, MaxLayers + 1> FScalePropsX;  // 0 unused
  std::array<std::unique_ptr<TScalePropsVert>, MaxLayers + 1> FScalePropsY;
  std::array<std::unique_ptr<TScale>, MaxLayers + 1> FScalesX;
  std::array<std::unique_ptr<TScale>, MaxLayers + 1> FScalesY;
  std::array<TAxisMap, MaxLayers + 1> FMapX;
  std::array<TAxisMap, MaxLayers + 1> FMapY;
  std::array<std::unique_ptr<TCrossHair>, 5> FCrossHair;  // 0 unused
  std::unique_ptr<TJointLayers> FJointLayers;
  std::unique_ptr<TBakGndImg> FBackGroundImg;
  TZoomHistory FZoomHist;
  bool FRestoringHistory = false;
  std::vector<TPoint> FPpa;    // the polyline buffer of a data pass
  std::vector<TPoint> FShape;  // corner points of polygons
  std::vector<int> FPixMap;    // the marks' occupancy map
  ColorBackup FColBak{};

  TrcLayout FStdLayout = rcl_X1Bottom_Y1Left;
  TRChartSettings FSettings;  // what a copy takes over whole
  double FMousePosX = 0;
  double FMousePosY = 0;
  int LastMouseX = 0;
  int LastMouseY = 0;
  int CHNext = 1;
  bool LButtonWasDown = false;
  bool FWasDblClk = false;
  // Pan anchors: the pointer and every layer's ranges at the first move.
  int FPanStartX = 0;
  int FPanStartY = 0;
  std::array<TAxisRange, MaxLayers + 1> FPanRangeX;
  std::array<TAxisRange, MaxLayers + 1> FPanRangeY;
  TChartPresentation FPresentation;
  bool FCrossHairsHeld = false;  // a batch of crosshair settings repaints once
};

// Inline: the data pass maps every stored point through it.
inline void TCustomRChart::R2M(int Layer, double xin, double yin, int& xout, int& yout) const {
  const size_t n = size_t(Layer < 1 ? 1 : Layer > MaxLayers ? MaxLayers : Layer);
  xout = FMapX[n].ToPixel(xin);
  yout = FMapY[n].ToPixel(yin);
}

// The published chart: painting stays suppressed until its window exists.
class TRChart : public TCustomRChart {
 public:
  explicit TRChart(TComponent* AOwner = nullptr) : TCustomRChart(AOwner) {}

 protected:
  void CreateWnd() override;
};
