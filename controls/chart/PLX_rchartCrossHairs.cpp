// The crosshairs: drawn over the composed picture, never into the data
// bitmap, so moving one only needs the kept bitmaps composed again. What
// keeps those bitmaps current is tracked here.
#include <algorithm>

#include "controls/chart/PLX_rchart.h"
#include "platform/Canvas.h"

namespace {

constexpr int kBoxArm = 10;  // half the length of a box crosshair's cross

}  // namespace

// ---------------------------------------------------------------------------
// Drawing

// The surface's pixel (0, 0) stands for control pixel (xPos, yPos). The pen
// comes back as it was; the fill colour stays the chart colour. Tells whether
// a crosshair may have drawn outside the data area.
bool TCustomRChart::drawCrossHairs(TCanvas& cv, int xPos, int yPos) {
  const bool any = std::any_of(
      FCrossHair.begin() + 1, FCrossHair.end(), [](const auto& ch) { return ch->Mode() != chOff; });
  if (!any) return false;
  const TColor penColor = cv.Pen().Color();
  const int penWidth = cv.Pen().Width();
  const TPenStyle penStyle = cv.Pen().Style();
  bool trace = false;
  for (int n = 1; n <= 4; ++n) {
    const TCrossHair& ch = *FCrossHair[size_t(n)];
    if (ch.Mode() == chOff) continue;
    drawCrossHair(cv, ch, xPos, yPos);
    trace = trace || crossHairLeavesDataArea(ch);
  }
  cv.Pen().SetColor(penColor);
  cv.Pen().SetWidth(penWidth);
  cv.Pen().SetStyle(penStyle);
  return trace;
}

// Lines stop half the line width plus one pixel short of the data-area
// frame, so the frame stays visible; a line on or outside the frame is not
// drawn. The box is drawn wherever it falls.
void TCustomRChart::drawCrossHair(TCanvas& cv, const TCrossHair& ch, int xPos, int yPos) {
  const TChartFrame& f = FFrame;
  int cx = 0, cy = 0;
  R2M(ch.Layer(), ch.PosX(), ch.PosY(), cx, cy);
  cx = LimitPixel(cx);
  cy = LimitPixel(cy);
  cv.Pen().SetColor(ch.Color());
  cv.Pen().SetWidth(ch.LineWid());
  cv.Pen().SetStyle(ch.LineType());
  cv.Brush().SetColor(FSettings.ChartColor);  // the gaps of dashed lines, the box inside
  const int h = ch.LineWid() / 2;
  const auto line = [&](int x1, int y1, int x2, int y2) {
    cv.MoveTo(x1 - xPos, y1 - yPos);
    cv.LineTo(x2 - xPos, y2 - yPos);
  };
  const TCrossHMode mode = ch.Mode();
  if ((mode == chHoriz || mode == chBoth) && f.T + h < cy && cy < f.Bottom() - h)
    line(f.L + h + 1, cy, f.Right() - h, cy);
  if ((mode == chVert || mode == chBoth) && f.L + h < cx && cx < f.Right() - h)
    line(cx, f.T + h + 1, cx, f.Bottom() - h);
  if (mode == chBox) {
    line(cx - kBoxArm, cy, cx + kBoxArm, cy);
    line(cx, cy - kBoxArm, cx, cy + kBoxArm);
    cv.Rectangle(cx - 2 - xPos, cy - 2 - yPos, cx + 3 - xPos, cy + 3 - yPos);
  }
}

// Where the crosshairs may draw, generous by the pen width: for each line a
// band across the data area, for a box the square around it.
std::vector<TRect> TCustomRChart::crossHairReach() const {
  std::vector<TRect> reach;
  const TChartFrame& f = FFrame;
  for (int n = 1; n <= 4; ++n) {
    const TCrossHair& ch = *FCrossHair[size_t(n)];
    const TCrossHMode mode = ch.Mode();
    if (mode == chOff) continue;
    int cx = 0, cy = 0;
    R2M(ch.Layer(), ch.PosX(), ch.PosY(), cx, cy);
    cx = LimitPixel(cx);
    cy = LimitPixel(cy);
    const int w = std::max(ch.LineWid(), 1);
    if (mode == chHoriz || mode == chBoth)
      reach.push_back({f.L, cy - w, f.Right() + 1, cy + w + 1});
    if (mode == chVert || mode == chBoth)
      reach.push_back({cx - w, f.T, cx + w + 1, f.Bottom() + 1});
    if (mode == chBox) {
      const int r = kBoxArm + w;
      reach.push_back({cx - r, cy - r, cx + r + 1, cy + r + 1});
    }
  }
  return reach;
}

// Whether a crosshair may have drawn outside the data bitmap's part of the
// chart bitmap (only a box can); generous by the pen width.
bool TCustomRChart::crossHairLeavesDataArea(const TCrossHair& ch) const {
  if (ch.Mode() != chBox) return false;
  int cx = 0, cy = 0;
  R2M(ch.Layer(), ch.PosX(), ch.PosY(), cx, cy);
  cx = LimitPixel(cx);
  cy = LimitPixel(cy);
  const int reach = kBoxArm + std::max(ch.LineWid(), 1);
  const TChartFrame& f = FFrame;
  return cx - reach < f.L || cx + reach > f.Right() || cy - reach < f.T || cy + reach > f.Bottom();
}

// ---------------------------------------------------------------------------
// Repainting after crosshair changes

// The kept bitmaps show exactly what a full rendering would draw now, and
// no crosshair left a trace outside the data area of the chart bitmap.
bool TCustomRChart::renderingCurrent() const {
  const bool chartSize = FChartBmp.Width() == FFrame.W && FChartBmp.Height() == FFrame.H;
  return FPresentation.WhatCrossHairsNeed(FStore.Revision(), chartSize) ==
         TCrossHairRepaint::Recompose;
}

// The chart bitmap's margins, the data bitmap and the crosshairs make the
// window; a box's trace on the margins of the picture stays, as it is part of
// the chart bitmap.
void TCustomRChart::redrawCrossHairs() {
  if (!canPaint()) return;
  if (FPresentation.CrossHairTrace()) completeChartBmp();
  composeWindow();
}

// Crosshairs are in neither kept bitmap, so moving one never outdates them.
void TCustomRChart::repaintCrossHairs() {
  if (!canPaint()) return;
  if (renderingCurrent()) {
    redrawCrossHairs();
  } else {
    Paint();
  }
}

void TCustomRChart::crossHairChanged() {
  if (!FCrossHairsHeld && FSettings.AutoRedraw) repaintCrossHairs();
}
