#include "StandInChart.h"

#include <cmath>

#include "platform/Canvas.h"
#include "platform/Clipboard.h"

namespace {

constexpr int kLimit = 30000;  // pixel positions are clamped before drawing
int Clamp(int v) { return v < -kLimit ? -kLimit : v > kLimit ? kLimit : v; }

}  // namespace

TRChart::TRChart(TComponent* AOwner)
    : TControl(AOwner), FScaleX(std::make_unique<TScale>(this)), FScaleY(std::make_unique<TScale>(this)) {
  for (TScale* scale : {FScaleX.get(), FScaleY.get()}) {
    scale->SetIsHelperComponent(true);
    scale->SetTransparent(true);
    scale->SetFrameStyle(fsNone);
  }
  FScaleX->SetScaleType(sctXT);
  FScaleY->SetScaleType(sctYR);
  SetBounds(0, 0, 280, 200);
}

TRChart::~TRChart() = default;

void TRChart::SetMargins(int Left, int Right, int Top, int Bottom) {
  FMarginLeft = Left;
  FMarginRight = Right;
  FMarginTop = Top;
  FMarginBottom = Bottom;
  PlaceScales();
}

void TRChart::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  PlaceScales();
}

void TRChart::Loaded() {
  TControl::Loaded();
  PlaceScales();
  Paint();
}

// The axes lie on the data area's bottom row and left column.
void TRChart::PlaceScales() {
  const int w = Width();
  const int h = Height();
  FScaleX->SetBounds(0, 0, w, h);
  FScaleX->SetMarginLeft(FMarginLeft);
  FScaleX->SetMarginRight(FMarginRight - 1);
  FScaleX->SetMarginTop(h - FMarginBottom);
  FScaleY->SetBounds(0, 0, w, h);
  FScaleY->SetMarginTop(FMarginTop);
  FScaleY->SetMarginBottom(FMarginBottom - 1);
  FScaleY->SetMarginRight(w - FMarginLeft - 1);
}

void TRChart::R2M(double x, double y, int& px, int& py) const {
  px = FScaleX->ConvertToPixelCoords(x);
  py = FScaleY->ConvertToPixelCoords(y);
}

void TRChart::M2R(int px, int py, double& x, double& y) const {
  x = FScaleX->ConvertPixelToScale(px);
  y = FScaleY->ConvertPixelToScale(py);
}

bool TRChart::InDataArea(int X, int Y) const {
  return X >= FMarginLeft && X <= Width() - FMarginRight && Y >= FMarginTop &&
         Y <= Height() - FMarginBottom;
}

void TRChart::ClearGraf() { FStore.Clear(); }

void TRChart::ShowGraf() {
  if (Visible()) Paint();
}

void TRChart::Paint() {
  // Nothing is painted before the window exists.
  if (!Visible() || !HandleAllocated() || IsLoading()) return;
  Render(FChartBmp, false);
  Canvas().Draw(0, 0, FChartBmp);
}

void TRChart::CopyToClipboard(bool BlkWhite) {
  TBitmap picture;
  Render(picture, BlkWhite);
  ClipboardPutBitmap(picture);
}

void TRChart::Render(TBitmap& target, bool blackAndWhite) {
  target.SetSize(Width(), Height());
  TCanvas& cv = target.Canvas();
  cv.Pen().SetColor(blackAndWhite ? clWhite : clBtnFace);
  cv.Brush().SetColor(blackAndWhite ? clWhite : clBtnFace);
  cv.Rectangle(0, 0, Width(), Height());
  const TColor scaleColor = FScaleX->ColorScale();
  if (blackAndWhite) {
    FScaleX->SetColorScale(clBlack);
    FScaleY->SetColorScale(clBlack);
  }
  FScaleX->ForcePaint(cv, 0, 0);
  FScaleY->ForcePaint(cv, 0, 0);
  FScaleX->SetColorScale(scaleColor);
  FScaleY->SetColorScale(scaleColor);
  // The data area is drawn apart, so that nothing spills over the axes.
  TBitmap data(Width() - FMarginLeft - FMarginRight + 1, Height() - FMarginTop - FMarginBottom + 1);
  TCanvas& dv = data.Canvas();
  dv.Pen().SetColor(blackAndWhite ? clWhite : FChartColor);
  dv.Brush().SetColor(blackAndWhite ? clWhite : FChartColor);
  dv.Rectangle(0, 0, data.Width(), data.Height());
  RenderGrid(dv);
  RenderItems(dv, blackAndWhite);
  dv.Pen().SetColor(clBlack);
  dv.Brush().SetStyle(bsClear);
  dv.Rectangle(0, 0, data.Width(), data.Height());
  cv.Draw(FMarginLeft, FMarginTop, data);
}

TRChart::Extent TRChart::Ranges() const {
  return {std::min(FScaleX->RangeLow(), FScaleX->RangeHigh()),
          std::max(FScaleX->RangeLow(), FScaleX->RangeHigh()),
          std::min(FScaleY->RangeLow(), FScaleY->RangeHigh()),
          std::max(FScaleY->RangeLow(), FScaleY->RangeHigh())};
}

// Positions on the data-area bitmap.
void TRChart::DataPos(double x, double y, int& px, int& py) const {
  R2M(x, y, px, py);
  px = Clamp(px) - FMarginLeft;
  py = Clamp(py) - FMarginTop;
}

void TRChart::RenderGrid(TCanvas& cv) {
  cv.Pen().SetColor(FGridColor);
  const auto [xlo, xhi, ylo, yhi] = Ranges();
  const int bottom = Height() - FMarginTop - FMarginBottom;
  const int right = Width() - FMarginLeft - FMarginRight;
  int px = 0;
  int py = 0;
  for (int i = int(std::ceil(xlo / FGridDx)); FGridDx > 0 && i * FGridDx < xhi && i < 1000; ++i) {
    DataPos(i * FGridDx, ylo, px, py);
    cv.MoveTo(px, bottom);
    cv.LineTo(px, 0);
  }
  for (int i = int(std::ceil(ylo / FGridDy)); FGridDy > 0 && i * FGridDy < yhi && i < 1000; ++i) {
    DataPos(xlo, i * FGridDy, px, py);
    cv.MoveTo(0, py);
    cv.LineTo(right, py);
  }
}

void TRChart::RenderItems(TCanvas& cv, bool blackAndWhite) {
  const auto [xlo, xhi, ylo, yhi] = Ranges();
  cv.MoveTo(0, 0);
  for (int i = 0; i < FStore.NumItems(); ++i) {
    const TrcChartItem& item = FStore.Items()[i];
    const TColor color = blackAndWhite ? clBlack : item.Color;
    int px = 0;
    int py = 0;
    DataPos(item.x, item.y, px, py);
    if (item.ItemKind == tkMoveTo) {
      cv.MoveTo(px, py);
    } else if (item.ItemKind == tkLineto) {
      cv.Pen().SetColor(color);
      cv.LineTo(px, py);
    } else if (item.ItemKind == tkMarkAt && item.x >= xlo && item.x <= xhi && item.y >= ylo &&
               item.y <= yhi) {
      cv.Pen().SetColor(color);
      cv.Brush().SetColor(color);
      cv.Ellipse(px - 3, py - 3, px + 4, py + 4);
    }
  }
}

void TRChart::MouseMove(TShiftState Shift, int X, int Y) {
  TControl::MouseMove(Shift, X, Y);
  double x = 0;
  double y = 0;
  M2R(X, Y, x, y);
  if (OnMouseMoveInChart) OnMouseMoveInChart(this, InDataArea(X, Y), Shift, x, y);
}
