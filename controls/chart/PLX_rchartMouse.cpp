// Crosshair settings and the mouse: the crosshair drag, the pan modes, the
// cursor and the position reports.
#include <cassert>

#include "controls/chart/PLX_rchart.h"
#include "controls/chart/rules/PLX_ChartMouse.h"
#include "platform/Screen.h"

namespace {

bool validCrossHair(int chnum) { return chnum >= 1 && chnum <= 4; }

}  // namespace

// ---------------------------------------------------------------------------
// Crosshair settings

TCrossHair& TCustomRChart::CrossHair(int chnum) {
  assert(validCrossHair(chnum));
  return *FCrossHair[size_t(chnum)];
}

void TCustomRChart::SetCrossHair(int chnum, const TCrossHair& value) {
  if (!validCrossHair(chnum)) return;
  TCrossHair& own = *FCrossHair[size_t(chnum)];
  const TNotifyEvent handler = own.OnChange;
  own.Assign(value);
  own.OnChange = handler;
  StyleChanged(this);
}

// The setters' repaints are held back: one repaint shows the result, as the
// last of the repaints one after the other would.
void TCustomRChart::CrossHairSetPos(int chnum, double x, double y) {
  if (!validCrossHair(chnum)) return;
  TCrossHair& ch = *FCrossHair[size_t(chnum)];
  FCrossHairsHeld = true;
  ch.SetPosX(x);
  ch.SetPosY(y);
  FCrossHairsHeld = false;
  if (FSettings.AutoRedraw) {
    repaintCrossHairs();
  } else if (ch.Mode() != chOff) {
    redrawCrossHairs();
  }
}

void TCustomRChart::CrossHairSetup(int ch, TColor chColor, TCrossHMode Mode, TPenStyle LineType,
                                   int LineWidth) {
  if (!validCrossHair(ch)) return;
  TCrossHair& c = *FCrossHair[size_t(ch)];
  FCrossHairsHeld = true;
  c.SetColor(chColor);
  c.SetMode(Mode);
  c.SetLineType(LineType);
  c.SetLineWid(LineWidth);
  FCrossHairsHeld = false;
  if (FSettings.AutoRedraw) {
    repaintCrossHairs();
  } else {
    redrawCrossHairs();
  }
}

double TCustomRChart::CrossHairPosX(int i) const {
  return validCrossHair(i) ? FCrossHair[size_t(i)]->PosX() : 0;
}

double TCustomRChart::CrossHairPosY(int i) const {
  return validCrossHair(i) ? FCrossHair[size_t(i)]->PosY() : 0;
}

void TCustomRChart::SetCrossHairPosX(int i, double value) {
  if (validCrossHair(i)) CrossHairSetPos(i, value, FCrossHair[size_t(i)]->PosY());
}

void TCustomRChart::SetCrossHairPosY(int i, double value) {
  if (validCrossHair(i)) CrossHairSetPos(i, FCrossHair[size_t(i)]->PosX(), value);
}

// ---------------------------------------------------------------------------
// Mouse moves

// Every move over the control is reported, inside the data area or not
// (ends included); outside, the position is extrapolated.
void TCustomRChart::MouseMove(TShiftState Shift, int X, int Y) {
  LastMouseX = X;
  LastMouseY = Y;
  TControl::MouseMove(Shift, X, Y);
  mouseAction(Shift, X, Y);
  double rx = 0;
  double ry = 0;
  M2R(ActiveLayer(), X, Y, rx, ry);
  const bool inside = X >= FFrame.L && X <= FFrame.Right() && Y >= FFrame.T && Y <= FFrame.Bottom();
  if (inside) {
    FMousePosX = rx;
    FMousePosY = ry;
  }
  SetScreenCursor(
      CursorForMouse(FSettings.MouseAction, inside, FSettings.MouseCursorFixed, ScreenCursor()));
  if (OnMouseMoveInChart) OnMouseMoveInChart(this, inside, Shift, rx, ry);
}

// A drag runs from the first move with the left button held to the first
// move without it; the modes without a drag of their own ignore it.
void TCustomRChart::mouseAction(TShiftState Shift, int X, int Y) {
  const bool dragMode = FSettings.MouseAction == maDragCrossH || FSettings.MouseAction == maPan ||
                        FSettings.MouseAction == maPanHoriz || FSettings.MouseAction == maPanVert;
  if (!dragMode) return;
  if (!(Shift & ssLeft)) {
    LButtonWasDown = false;
    return;
  }
  if (!LButtonWasDown) {
    startDrag(X, Y);
    LButtonWasDown = true;
    return;
  }
  if (FSettings.MouseAction == maDragCrossH) {
    dragCrossHair(X, Y);
  } else {
    pan(X, Y);
  }
}

// Records the pan anchors and picks the crosshair to drag; nothing moves.
void TCustomRChart::startDrag(int X, int Y) {
  FPanStartX = X;
  FPanStartY = Y;
  for (int n = 1; n <= MaxLayers; ++n) {
    FPanRangeX[size_t(n)] = rangeX(n);
    FPanRangeY[size_t(n)] = rangeY(n);
  }
  if (FSettings.MouseAction != maDragCrossH) return;
  std::array<TCrossHairSpot, 4> spots;
  for (int n = 1; n <= 4; ++n) {
    const TCrossHair& ch = *FCrossHair[size_t(n)];
    TCrossHairSpot& s = spots[size_t(n - 1)];
    s.Mode = ch.Mode();
    R2M(ch.Layer(), ch.PosX(), ch.PosY(), s.X, s.Y);
  }
  CHNext = NearestCrossHair(spots, X, Y);
}

// Both coordinates follow the pointer, whatever the crosshair's mode.
void TCustomRChart::dragCrossHair(int X, int Y) {
  TCrossHair& ch = *FCrossHair[size_t(CHNext)];
  double rx = 0;
  double ry = 0;
  M2R(ch.Layer(), X, Y, rx, ry);
  FCrossHairsHeld = true;
  ch.SetPosX(rx);
  ch.SetPosY(ry);
  FCrossHairsHeld = false;
  repaintCrossHairs();
  if (OnCrossHairMove) OnCrossHairMove(this, &ch);
}

// Every layer the mouse affects moves by the pointer's travel since the
// anchors, confined as range requests are.
void TCustomRChart::pan(int X, int Y) {
  const bool horizontal = FSettings.MouseAction != maPanVert;
  const bool vertical = FSettings.MouseAction != maPanHoriz;
  for (int n = 1; n <= MaxLayers; ++n) {
    if (!FSettings.MouseAffectsLayer[size_t(n)]) continue;
    const TAxisRange& ax = FPanRangeX[size_t(n)];
    const TAxisRange& ay = FPanRangeY[size_t(n)];
    const TAxisRange x = horizontal ? PannedRange(ax, X - FPanStartX, FFrame.DataWidth()) : ax;
    const TAxisRange y = vertical ? PannedRange(ay, FPanStartY - Y, FFrame.DataHeight()) : ay;
    ForceRange(n, x.Low, y.Low, x.High, y.High, false, true);
  }
}

// ---------------------------------------------------------------------------
// Buttons, double click, leaving

// The press that completes a double click is no button-down of its own.
void TCustomRChart::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FWasDblClk) {
    FWasDblClk = false;
    return;
  }
  TControl::MouseDown(Button, Shift, X, Y);
}

// A crosshair drag does not end here but at the next move without the
// left button.
void TCustomRChart::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FWasDblClk) {
    FWasDblClk = false;
    return;
  }
  TControl::MouseUp(Button, Shift, X, Y);
}

void TCustomRChart::DblClick() {
  FWasDblClk = true;
  TControl::DblClick();
}

// The cross cursor of the data area does not follow the pointer out of the
// chart.
void TCustomRChart::MouseLeave() {
  if (ScreenCursor() != crDefault) SetScreenCursor(crDefault);
  TControl::MouseLeave();
}
