#include "StandInChart.h"

#include <cmath>

#include "platform/Canvas.h"
#include "platform/Clipboard.h"

namespace {

// Grid lines drawn at most along one axis.
constexpr int kMaxGridLines = 1000;

// Calls draw(v) for the multiples v of step with lo <= v < hi, at most
// kMaxGridLines of them; nothing for a step that is not positive.
template <class Draw>
void forGridValues(double lo, double hi, double step, Draw&& draw) {
  if (!(step > 0)) return;
  const double first = std::ceil(lo / step);
  if (!std::isfinite(first)) return;
  for (int i = 0; i < kMaxGridLines; ++i) {
    const double v = (first + i) * step;
    if (!(v < hi)) return;
    draw(v);
  }
}

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

TRect TRChart::DataArea() const {
  return {FMarginLeft, FMarginTop, Width() - FMarginRight + 1, Height() - FMarginBottom + 1};
}

// The axes span the data area and lie on its bottom row and left column.
void TRChart::PlaceScales() {
  const TRect area = DataArea();
  const int w = Width();
  const int h = Height();
  FScaleX->SetBounds(0, 0, w, h);
  FScaleX->SetMarginLeft(area.Left);
  FScaleX->SetMarginRight(w - area.Right);
  FScaleX->SetMarginTop(area.Bottom - 1);
  FScaleY->SetBounds(0, 0, w, h);
  FScaleY->SetMarginTop(area.Top);
  FScaleY->SetMarginBottom(h - area.Bottom);
  FScaleY->SetMarginRight(w - area.Left - 1);
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
  const TRect area = DataArea();
  return X >= area.Left && X < area.Right && Y >= area.Top && Y < area.Bottom;
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
  cv.ResetClipRect();
  cv.Pen().SetColor(blackAndWhite ? clWhite : clBtnFace);
  cv.Brush().SetColor(blackAndWhite ? clWhite : clBtnFace);
  cv.Rectangle(0, 0, Width(), Height());
  RenderAxes(cv, blackAndWhite);
  // The data area is drawn inside its clip rectangle, so nothing spills over
  // the axes.
  const TRect area = DataArea();
  cv.SetClipRect(area);
  cv.Pen().SetColor(blackAndWhite ? clWhite : FChartColor);
  cv.Brush().SetColor(blackAndWhite ? clWhite : FChartColor);
  cv.Rectangle(area);
  RenderGrid(cv);
  RenderItems(cv, blackAndWhite);
  cv.Pen().SetColor(clBlack);
  cv.Brush().SetStyle(bsClear);
  cv.Rectangle(area);
  cv.ResetClipRect();
}

// A black-and-white picture draws both axes in black and gives each its own
// colour back afterwards.
void TRChart::RenderAxes(TCanvas& cv, bool blackAndWhite) {
  for (TScale* scale : {FScaleX.get(), FScaleY.get()}) {
    const TColor color = scale->ColorScale();
    if (blackAndWhite) scale->SetColorScale(clBlack);
    try {
      scale->ForcePaint(cv, 0, 0);
    } catch (...) {
      scale->SetColorScale(color);
      throw;
    }
    scale->SetColorScale(color);
  }
}

TRChart::Extent TRChart::Ranges() const {
  return {std::min(FScaleX->RangeLow(), FScaleX->RangeHigh()),
          std::max(FScaleX->RangeLow(), FScaleX->RangeHigh()),
          std::min(FScaleY->RangeLow(), FScaleY->RangeHigh()),
          std::max(FScaleY->RangeLow(), FScaleY->RangeHigh())};
}

void TRChart::RenderGrid(TCanvas& cv) {
  cv.Pen().SetColor(FGridColor);
  const auto [xlo, xhi, ylo, yhi] = Ranges();
  const TRect area = DataArea();
  forGridValues(xlo, xhi, FGridDx, [&](double x) {
    const int px = FScaleX->ConvertToPixelCoords(x);
    cv.MoveTo(px, area.Bottom - 1);
    cv.LineTo(px, area.Top);
  });
  forGridValues(ylo, yhi, FGridDy, [&](double y) {
    const int py = FScaleY->ConvertToPixelCoords(y);
    cv.MoveTo(area.Left, py);
    cv.LineTo(area.Right - 1, py);
  });
}

// Lines run to their exact end points however far away: the canvas clips
// them without bending them.
void TRChart::RenderItems(TCanvas& cv, bool blackAndWhite) {
  const auto [xlo, xhi, ylo, yhi] = Ranges();
  const TRect area = DataArea();
  cv.MoveTo(area.Left, area.Top);
  for (int i = 0; i < FStore.NumItems(); ++i) {
    const TrcChartItem& item = FStore.Items()[i];
    const TColor color = blackAndWhite ? clBlack : item.Color;
    int px = 0;
    int py = 0;
    R2M(item.x, item.y, px, py);
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

// An axis without extent has no value under the mouse: the event then
// reports the pointer outside the chart, at the middle of the ranges.
void TRChart::MouseMove(TShiftState Shift, int X, int Y) {
  TControl::MouseMove(Shift, X, Y);
  if (!OnMouseMoveInChart) return;
  if (!FScaleX->Mapping().HasExtent() || !FScaleY->Mapping().HasExtent()) {
    OnMouseMoveInChart(this, false, Shift, FScaleX->Center(), FScaleY->Center());
    return;
  }
  double x = 0;
  double y = 0;
  M2R(X, Y, x, y);
  OnMouseMoveInChart(this, InDataArea(X, Y), Shift, x, y);
}
