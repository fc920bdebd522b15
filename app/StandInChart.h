// Until the chart control comes: a plain chart with the interface the main
// window uses. It keeps its items in the chart's item store, draws the axes
// of layer 1 with two scale helpers, its grid, its lines and its marks (as
// filled circles) simply, and reports the mouse position in chart units.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "controls/chart/PLX_ChartStore.h"
#include "controls/scale/PLX_Scale.h"
#include "platform/Bitmap.h"
#include "platform/Controls.h"

using TMouseMoveInChartEvent = std::function<void(TObject* Sender, bool InChart, TShiftState Shift,
                                                  double rMousePosX, double rMousePosY)>;

class TRChart : public TControl {
 public:
  explicit TRChart(TComponent* AOwner = nullptr);
  ~TRChart() override;

  // Drawing commands: each stores one item; ShowGraf presents them.
  void MoveTo(double x, double y) { FStore.MoveTo(x, y); }
  void DrawTo(double x, double y) { FStore.DrawTo(x, y); }
  void MarkAt(double x, double y, uint8_t mk) { FStore.MarkAt(x, y, mk); }
  TColor DataColor() const { return FStore.DataColor(); }
  void SetDataColor(TColor color) { FStore.SetDataColor(color); }
  void ClearGraf();
  void ShowGraf();
  // The whole chart as a picture on the clipboard, in black and white when
  // asked.
  void CopyToClipboard(bool BlkWhite);
  const TrcItemStore& Store() const { return FStore; }

  // Layout.
  void SetMargins(int Left, int Right, int Top, int Bottom);
  void SetChartColor(TColor color) { FChartColor = color; }
  void SetGridColor(TColor color) { FGridColor = color; }
  void SetGridDx(double dx) { FGridDx = dx; }
  void SetGridDy(double dy) { FGridDy = dy; }
  // The axis helpers of layer 1: their ranges are the chart's ranges.
  TScale& ScaleX() { return *FScaleX; }
  TScale& ScaleY() { return *FScaleY; }
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Loaded() override;

  // Pixel <-> chart units of layer 1.
  void R2M(double x, double y, int& px, int& py) const;
  void M2R(int px, int py, double& x, double& y) const;
  // The chart pixels in which items are drawn: columns MarginLeft ..
  // Width - MarginRight and rows MarginTop .. Height - MarginBottom, both
  // ends included (Right and Bottom of the rectangle lie one beyond).
  TRect DataArea() const;

  TMouseMoveInChartEvent OnMouseMoveInChart;

  void Paint() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

 private:
  void Render(TBitmap& target, bool blackAndWhite);
  void RenderAxes(TCanvas& cv, bool blackAndWhite);
  void RenderGrid(TCanvas& cv);
  void RenderItems(TCanvas& cv, bool blackAndWhite);
  // Layer 1's ranges with their ends in ascending order.
  struct Extent {
    double xlo, xhi, ylo, yhi;
  };
  Extent Ranges() const;
  void PlaceScales();
  bool InDataArea(int X, int Y) const;

  TrcItemStore FStore;
  std::unique_ptr<TScale> FScaleX;
  std::unique_ptr<TScale> FScaleY;
  TBitmap FChartBmp;
  int FMarginLeft = 50;
  int FMarginRight = 20;
  int FMarginTop = 20;
  int FMarginBottom = 40;
  TColor FChartColor = clWhite;
  TColor FGridColor = clBlack;
  double FGridDx = 0;
  double FGridDy = 0;
};
