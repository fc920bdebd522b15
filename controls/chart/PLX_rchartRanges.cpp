// Range application: every range change of the chart goes through
// ForceRange, which follows the joint-layer links. This is the minimal form
// (the four values stored, the links followed, the helpers refreshed, the
// mapping recomputed); the zoom history and the confinement box are not kept
// yet.
#include "controls/chart/PLX_rchart.h"

#include <cmath>

void TCustomRChart::ForceRange(int Layer, long double xLo, long double yLo, long double xHi,
                               long double yHi, bool EnterToZoomStack, bool ConfineRange) {
  const bool suppressed = FSuppressPaint;
  FSuppressPaint = true;
  try {
    const TJointLayers& joint = *FJointLayers;
    // A controlled axis ignores requests; it follows its master below.
    if (joint.MasterX(Layer) != Layer) {
      xLo = FScalePropsX[size_t(Layer)]->RangeLow();
      xHi = FScalePropsX[size_t(Layer)]->RangeHigh();
    }
    if (joint.MasterY(Layer) != Layer) {
      yLo = FScalePropsY[size_t(Layer)]->RangeLow();
      yHi = FScalePropsY[size_t(Layer)]->RangeHigh();
    }
    ForceRngIntern(Layer, xLo, yLo, xHi, yHi, EnterToZoomStack, ConfineRange);
    for (int i = 1; i <= MaxLayers; ++i) {
      const int mx = joint.MasterX(i);
      const int my = joint.MasterY(i);
      if (i == Layer || (mx != Layer && my != Layer)) continue;
      const TScaleProps& px = *FScalePropsX[size_t(mx)];
      const TScaleProps& py = *FScalePropsY[size_t(my)];
      ForceRngIntern(i, px.RangeLow(), py.RangeLow(), px.RangeHigh(), py.RangeHigh(), true, false);
    }
  } catch (...) {
    FSuppressPaint = suppressed;
    throw;
  }
  SetSuppressPaint(suppressed);
}

// A span narrower than the axis's MinRange leaves the axis alone; on a
// logarithmic axis an end below 1e-100 keeps its value.
void TCustomRChart::applyAxisRange(TScaleProps& props, long double lo, long double hi) {
  if (std::fabs(lo - hi) < props.MinRange()) return;
  if (!props.Logarithmic()) {
    props.StoreRange(double(lo), double(hi));
    return;
  }
  props.StoreRange(lo >= SmallPosNum ? double(lo) : props.RangeLow(),
                   hi >= SmallPosNum ? double(hi) : props.RangeHigh());
}

void TCustomRChart::ForceRngIntern(int Layer, long double xLo, long double yLo, long double xHi,
                                   long double yHi, bool EnterToZoomStack, bool ConfineRange) {
  (void)EnterToZoomStack;
  (void)ConfineRange;
  const size_t n = size_t(Layer);
  applyAxisRange(*FScalePropsX[n], xLo, xHi);
  applyAxisRange(*FScalePropsY[n], yLo, yHi);
  setScaleProps(*FScalesX[n], *FScalePropsX[n]);
  setScaleProps(*FScalesY[n], *FScalePropsY[n]);
  AdjustScaling();
}

// A joined layer takes its master's range on the joined axis and keeps its
// own on the other.
void TCustomRChart::layerJoined(int Index, int Master, bool Horizontal) {
  const int mx = Horizontal ? Master : Index;
  const int my = Horizontal ? Index : Master;
  const TScaleProps& px = *FScalePropsX[size_t(mx)];
  const TScaleProps& py = *FScalePropsY[size_t(my)];
  ForceRngIntern(Index, px.RangeLow(), py.RangeLow(), px.RangeHigh(), py.RangeHigh(), false, false);
}

// Editing one axis property re-synchronises every layer, then repaints
// whatever AutoRedraw says.
void TCustomRChart::ScalePropsChanged(TObject*) {
  const bool suppressed = FSuppressPaint;
  FSuppressPaint = true;
  try {
    refreshAllScales();
    for (int n = 1; n <= MaxLayers; ++n) {
      const TScaleProps& x = *FScalePropsX[size_t(n)];
      const TScaleProps& y = *FScalePropsY[size_t(n)];
      ForceRange(n, x.RangeLow(), y.RangeLow(), x.RangeHigh(), y.RangeHigh(), false, false);
    }
  } catch (...) {
    FSuppressPaint = suppressed;
    throw;
  }
  FSuppressPaint = suppressed;
  Paint();
}
