// Range application: every range change of the chart goes through
// ForceRange, which follows the joint-layer links, and ForceRngIntern, which
// confines, writes and maps one layer and enters the new state into the zoom
// history. The public range commands, the isometric mode and the history sit
// on top of them.
#include <cassert>
#include <cmath>

#include "controls/chart/PLX_rchart.h"
#include "platform/ScopeGuard.h"

namespace {

bool panHoriz(TMouseActMode m) { return m == maPan || m == maPanHoriz; }

bool panVert(TMouseActMode m) { return m == maPan || m == maPanVert; }

}  // namespace

// ---------------------------------------------------------------------------
// Painting around several range applications

void TCustomRChart::withoutPaint(const std::function<void()>& apply) {
  const bool suppressed = FSuppressPaint;
  FSuppressPaint = true;
  const TScopeGuard paintAsBefore([&] { FSuppressPaint = suppressed; });
  apply();
}

void TCustomRChart::paintOnceAfter(const std::function<void()>& apply) {
  const bool suppressed = FSuppressPaint;
  withoutPaint(apply);
  if (!suppressed) Paint();
}

// ---------------------------------------------------------------------------
// Range application

void TCustomRChart::SetRangeIntern(int Layer, long double xLo, long double yLo, long double xHi,
                                   long double yHi, bool EnterToZoomStack, bool ConfineRange) {
  assert(ValidLayer(Layer));
  const TScaleProps& px = *FScalePropsX[size_t(Layer)];
  const TScaleProps& py = *FScalePropsY[size_t(Layer)];
  TAxisSpan x{xLo, xHi};
  TAxisSpan y{yLo, yHi};
  WidenEqualEnds(x, px.Logarithmic(), px.MinRange());
  WidenEqualEnds(y, py.Logarithmic(), py.MinRange());
  if (FSettings.Isometric) y = isometricSpan((y.Lo + y.Hi) / 2, x.Hi - x.Lo);
  ForceRange(Layer, x.Lo, y.Lo, x.Hi, y.Hi, EnterToZoomStack, ConfineRange);
}

void TCustomRChart::ForceRange(int Layer, long double xLo, long double yLo, long double xHi,
                               long double yHi, bool EnterToZoomStack, bool ConfineRange) {
  assert(ValidLayer(Layer));
  paintOnceAfter([&] {
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
  });
}

// A span narrower than the axis's MinRange leaves the axis alone; on a
// logarithmic axis an end below 1e-100 keeps its value. An end that is not a
// finite double would break the mapping: such a request is ignored as well,
// and so is one whose ends, as doubles, would be closer than MinRange (a kept
// end may meet the other, and two ends apart in extended precision may round
// to one double). True when an end was written.
bool TCustomRChart::applyAxisRange(TScaleProps& props, long double lo, long double hi) {
  double low = double(lo);
  double high = double(hi);
  if (!std::isfinite(low) || !std::isfinite(high)) return false;
  if (!(std::fabs(lo - hi) >= props.MinRange())) return false;
  bool written = true;
  if (props.Logarithmic()) {
    const bool lowOk = lo >= SmallPosNum;
    const bool highOk = hi >= SmallPosNum;
    if (!lowOk) low = props.RangeLow();
    if (!highOk) high = props.RangeHigh();
    written = lowOk || highOk;
  }
  if (!(std::fabs(static_cast<long double>(high) - low) >= props.MinRange())) return false;
  props.StoreRange(low, high);
  return written;
}

bool TCustomRChart::confinementOn() const {
  for (long double v : FSettings.ZoomRange) {
    if (v != 0) return true;
  }
  return false;
}

void TCustomRChart::ForceRngIntern(int Layer, long double xLo, long double yLo, long double xHi,
                                   long double yHi, bool EnterToZoomStack, bool ConfineRange) {
  assert(ValidLayer(Layer));
  TAxisSpan x{xLo, xHi};
  TAxisSpan y{yLo, yHi};
  if (ConfineRange && confinementOn()) {
    ConfineAxis(x, FSettings.ZoomRange[0], FSettings.ZoomRange[2], panHoriz(FSettings.MouseAction));
    ConfineAxis(y, FSettings.ZoomRange[1], FSettings.ZoomRange[3], panVert(FSettings.MouseAction));
  }
  const size_t n = size_t(Layer);
  const bool changedX = applyAxisRange(*FScalePropsX[n], x.Lo, x.Hi);
  const bool changedY = applyAxisRange(*FScalePropsY[n], y.Lo, y.Hi);
  setScaleProps(*FScalesX[n], *FScalePropsX[n]);
  setScaleProps(*FScalesY[n], *FScalePropsY[n]);
  if (EnterToZoomStack && (changedX || changedY)) ZoomStateOnStack();
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
  withoutPaint([this] {
    refreshAllScales();
    for (int n = 1; n <= MaxLayers; ++n) {
      const TScaleProps& x = *FScalePropsX[size_t(n)];
      const TScaleProps& y = *FScalePropsY[size_t(n)];
      ForceRange(n, x.RangeLow(), y.RangeLow(), x.RangeHigh(), y.RangeHigh(), false, false);
    }
  });
  Paint();
}

// ---------------------------------------------------------------------------
// Range commands

void TCustomRChart::SetRange(int Layer, long double xLo, long double yLo, long double xHi,
                             long double yHi) {
  if (Layer != 0) CheckLayer(Layer);
  paintOnceAfter([&] {
    const int first = Layer == 0 ? 1 : Layer;
    const int last = Layer == 0 ? MaxLayers : Layer;
    for (int n = first; n <= last; ++n) SetRangeIntern(n, xLo, yLo, xHi, yHi, true, false);
  });
}

void TCustomRChart::SetEqualRange(const TLayerSet& Layers) { equalRange(Layers, RangeAxes::Both); }

void TCustomRChart::SetEqualRangeXOnly(const TLayerSet& Layers) {
  equalRange(Layers, RangeAxes::XOnly);
}

void TCustomRChart::SetEqualRangeYOnly(const TLayerSet& Layers) {
  equalRange(Layers, RangeAxes::YOnly);
}

// The first listed layer seeds the union; later ones widen it only when
// strictly beyond.
void TCustomRChart::equalRange(const TLayerSet& Layers, RangeAxes axes) {
  if (Layers.test(0)) CheckLayer(0);
  bool seeded = false;
  TAxisSpan ux;
  TAxisSpan uy;
  for (int n = 1; n <= MaxLayers; ++n) {
    if (!Layers.test(size_t(n))) continue;
    const TScaleProps& px = *FScalePropsX[size_t(n)];
    const TScaleProps& py = *FScalePropsY[size_t(n)];
    if (!seeded || px.RangeLow() < ux.Lo) ux.Lo = px.RangeLow();
    if (!seeded || px.RangeHigh() > ux.Hi) ux.Hi = px.RangeHigh();
    if (!seeded || py.RangeLow() < uy.Lo) uy.Lo = py.RangeLow();
    if (!seeded || py.RangeHigh() > uy.Hi) uy.Hi = py.RangeHigh();
    seeded = true;
  }
  if (!seeded) return;
  paintOnceAfter([&] {
    for (int n = 1; n <= MaxLayers; ++n) {
      if (!Layers.test(size_t(n))) continue;
      const TScaleProps& px = *FScalePropsX[size_t(n)];
      const TScaleProps& py = *FScalePropsY[size_t(n)];
      const TAxisSpan x = axes == RangeAxes::YOnly ? TAxisSpan{px.RangeLow(), px.RangeHigh()} : ux;
      const TAxisSpan y = axes == RangeAxes::XOnly ? TAxisSpan{py.RangeLow(), py.RangeHigh()} : uy;
      SetRangeIntern(n, x.Lo, y.Lo, x.Hi, y.Hi, true, false);
    }
  });
}

void TCustomRChart::ConfineZoomRange(double xLo, double yLo, double xHi, double yHi) {
  FSettings.ZoomRange = {xLo, yLo, xHi, yHi};
}

// ---------------------------------------------------------------------------
// Isometric mode

TAxisSpan TCustomRChart::isometricSpan(long double Centre, long double Dx) const {
  const long double s = IsometricHalfHeight(Dx, FFrame, FSettings.AspectX, FSettings.AspectY);
  return {Centre - s, Centre + s};
}

// Setting it on while it is on applies the rule again: the ranges may have
// been edited since.
void TCustomRChart::SetIsometric(bool value) {
  FSettings.Isometric = value;
  if (!value) return;
  paintOnceAfter([this] {
    applyIsometricRule();
    ZoomStateOnStack();
  });
}

// Without a data-area width there is no isometric range: the layers keep
// theirs.
void TCustomRChart::applyIsometricRule() {
  assert(FSuppressPaint);
  for (int n = 1; n <= MaxLayers; ++n) {
    const TScaleProps& px = *FScalePropsX[size_t(n)];
    TScaleProps& py = *FScalePropsY[size_t(n)];
    const long double centre = (static_cast<long double>(py.RangeLow()) + py.RangeHigh()) / 2;
    const TAxisSpan y =
        isometricSpan(centre, static_cast<long double>(px.RangeHigh()) - px.RangeLow());
    if (!std::isfinite(y.Lo) || !std::isfinite(y.Hi)) continue;
    py.SetRangeHigh(double(y.Hi));
    py.SetRangeLow(double(y.Lo));
  }
}

// ---------------------------------------------------------------------------
// Zoom history

void TCustomRChart::ZoomStateOnStack() {
  if (IsLoading() || FRestoringHistory) return;
  TZoomHistory::TState state;
  for (int n = 1; n <= MaxLayers; ++n) {
    const TScaleProps& x = *FScalePropsX[size_t(n)];
    const TScaleProps& y = *FScalePropsY[size_t(n)];
    state[size_t(n - 1)] = {x.RangeLow(), y.RangeHigh(), x.RangeHigh(), y.RangeLow()};
  }
  FZoomHist.Push(state);
}

void TCustomRChart::ClearZoomHistory() {
  FZoomHist.Clear();
  ZoomStateOnStack();
}

TRectDouble TCustomRChart::GetZoomStackEntry(int Layer, int StackIx) const {
  CheckLayer(Layer);
  return FZoomHist.Entry(Layer, StackIx);
}

void TCustomRChart::ZoomHistory(int Index) {
  if (Index < -(TZoomHistory::Depth - 1) || Index > 0) return;
  restoreHistory(Index);
  FZoomHist.RestoredIndex(Index);
}

bool TCustomRChart::ZoomBack() {
  int index = 0;
  if (!FZoomHist.StepChain(-1, index)) return false;
  restoreHistory(index);
  return true;
}

bool TCustomRChart::ZoomForward() {
  int index = 0;
  if (!FZoomHist.StepChain(+1, index)) return false;
  restoreHistory(index);
  return true;
}

// A restored state is not entered again, and neither are the joined layers
// that follow it: their pushes would overwrite the oldest slots, which may
// be the very state being restored.
void TCustomRChart::restoreHistory(int Index) {
  TZoomHistory::TState state;
  for (int n = 1; n <= MaxLayers; ++n) state[size_t(n - 1)] = FZoomHist.Entry(n, Index);
  const bool restoring = FRestoringHistory;
  FRestoringHistory = true;
  const TScopeGuard asBefore([&] { FRestoringHistory = restoring; });
  paintOnceAfter([&] {
    for (int n = 1; n <= MaxLayers; ++n) {
      const TRectDouble& r = state[size_t(n - 1)];
      if (!r.IsZero()) ForceRange(n, r.Left, r.Bottom, r.Right, r.Top, false, false);
    }
  });
}
