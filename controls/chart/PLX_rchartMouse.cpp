// Crosshair settings and the mouse position in real units. Drawing and
// dragging the crosshairs are not done here yet.
#include <cassert>

#include "controls/chart/PLX_rchart.h"

TCrossHair& TCustomRChart::CrossHair(int chnum) {
  assert(chnum >= 1 && chnum <= 4);
  return *FCrossHair[size_t(chnum)];
}

void TCustomRChart::SetCrossHair(int chnum, const TCrossHair& value) {
  if (chnum < 1 || chnum > 4) return;
  TCrossHair& own = *FCrossHair[size_t(chnum)];
  const TNotifyEvent handler = own.OnChange;
  own.Assign(value);
  own.OnChange = handler;
  StyleChanged(this);
}

// Every move over the control is reported, inside the data area or not
// (ends included); outside, the position is extrapolated.
void TCustomRChart::MouseMove(TShiftState Shift, int X, int Y) {
  TControl::MouseMove(Shift, X, Y);
  double rx = 0;
  double ry = 0;
  M2R(ActiveLayer(), X, Y, rx, ry);
  const bool inside =
      X >= FFrame.L && X <= FFrame.Right() && Y >= FFrame.T && Y <= FFrame.Bottom();
  if (inside) {
    FMousePosX = rx;
    FMousePosY = ry;
  }
  if (OnMouseMoveInChart) OnMouseMoveInChart(this, inside, Shift, rx, ry);
}
