// Ranges fitted to the items: one layer on its own, or all layers together
// with the joined ones merged into their masters.
#include <algorithm>
#include <array>
#include <cassert>

#include "controls/chart/PLX_rchart.h"

void TCustomRChart::LLCalcExtents(int Layer, double Rim, double MinRng, long double& xLo,
                                  long double& yLo, long double& xHi, long double& yHi) {
  assert(ValidLayer(Layer));
  TLayerExtent e = LayerExtent(FStore.Items(), FStore.NumItems(), Layer);
  if (e.Found) {
    AddRim(e.X, FScalePropsX[size_t(Layer)]->Logarithmic(), Rim, false);
    AddRim(e.Y, FScalePropsY[size_t(Layer)]->Logarithmic(), Rim, false);
    ApplyMinimumRange(e.X, MinRng);
    ApplyMinimumRange(e.Y, MinRng);
  }
  xLo = e.X.Lo;
  xHi = e.X.Hi;
  yLo = e.Y.Lo;
  yHi = e.Y.Hi;
}

void TCustomRChart::AutoRange(int Layer, double Margin, double MinRange) {
  autoRange(Layer, Margin, MinRange, RangeAxes::Both);
}

void TCustomRChart::AutoRangeXOnly(int Layer, double Margin, double MinRange) {
  autoRange(Layer, Margin, MinRange, RangeAxes::XOnly);
}

void TCustomRChart::AutoRangeYOnly(int Layer, double Margin, double MinRange) {
  autoRange(Layer, Margin, MinRange, RangeAxes::YOnly);
}

void TCustomRChart::autoRange(int Layer, double Margin, double MinRange, RangeAxes axes) {
  if (Layer == 0) {
    autoRangeAll(Margin, MinRange, axes);
  } else {
    CheckLayer(Layer);
    autoRangeLayer(Layer, Margin, MinRange, axes);
  }
}

// ForceRange's repaint is the one the command ends with.
void TCustomRChart::autoRangeLayer(int Layer, double Margin, double MinRange, RangeAxes axes) {
  if (axes != RangeAxes::Both) FSettings.Isometric = false;
  TAxisSpan x;
  TAxisSpan y;
  LLCalcExtents(Layer, Margin, MinRange, x.Lo, y.Lo, x.Hi, y.Hi);
  WidenByOne(x);
  WidenByOne(y);
  if (FSettings.Isometric) y = isometricSpan((y.Lo + y.Hi) / 2, x.Hi - x.Lo);
  const TScaleProps& px = *FScalePropsX[size_t(Layer)];
  const TScaleProps& py = *FScalePropsY[size_t(Layer)];
  if (axes == RangeAxes::YOnly) x = {px.RangeLow(), px.RangeHigh()};
  if (axes == RangeAxes::XOnly) y = {py.RangeLow(), py.RangeHigh()};
  ForceRange(Layer, x.Lo, y.Lo, x.Hi, y.Hi, true, false);
}

// A visible joined layer widens its master's extent; a master counts with
// its own extent even without items. The margin and the minimum span apply
// only with a positive Margin; the result is confined and not entered into
// the history.
void TCustomRChart::autoRangeAll(double Margin, double MinRange, RangeAxes axes) {
  std::array<TLayerExtent, MaxLayers + 1> ext;
  for (int n = 1; n <= MaxLayers; ++n) {
    TLayerExtent& e = ext[size_t(n)];
    LLCalcExtents(n, 0, 0, e.X.Lo, e.Y.Lo, e.X.Hi, e.Y.Hi);
  }
  const TJointLayers& joint = *FJointLayers;
  for (int l = 1; l <= MaxLayers; ++l) {
    if (!LayerVisible(l)) continue;
    const TLayerExtent& e = ext[size_t(l)];
    TAxisSpan& mx = ext[size_t(joint.MasterX(l))].X;
    TAxisSpan& my = ext[size_t(joint.MasterY(l))].Y;
    if (joint.MasterX(l) != l) mx = {std::min(mx.Lo, e.X.Lo), std::max(mx.Hi, e.X.Hi)};
    if (joint.MasterY(l) != l) my = {std::min(my.Lo, e.Y.Lo), std::max(my.Hi, e.Y.Hi)};
  }
  for (int n = 1; n <= MaxLayers; ++n) {
    TLayerExtent& e = ext[size_t(n)];
    WidenByOne(e.X);
    WidenByOne(e.Y);
    if (Margin <= 0) continue;
    AddRim(e.X, FScalePropsX[size_t(n)]->Logarithmic(), Margin, true);
    AddRim(e.Y, FScalePropsY[size_t(n)]->Logarithmic(), Margin, true);
    ApplyMinimumRange(e.X, MinRange);
    ApplyMinimumRange(e.Y, MinRange);
  }
  for (int l = 1; l <= MaxLayers; ++l) {
    const TScaleProps& px = *FScalePropsX[size_t(l)];
    const TScaleProps& py = *FScalePropsY[size_t(l)];
    TAxisSpan x = ext[size_t(joint.MasterX(l))].X;
    TAxisSpan y = ext[size_t(joint.MasterY(l))].Y;
    if (axes == RangeAxes::YOnly) x = {px.RangeLow(), px.RangeHigh()};
    if (axes == RangeAxes::XOnly) y = {py.RangeLow(), py.RangeHigh()};
    ForceRngIntern(l, x.Lo, y.Lo, x.Hi, y.Hi, false, true);
  }
  StyleChanged(this);
}
