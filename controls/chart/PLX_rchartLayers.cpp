// Layers: the axis properties, the scale helpers that draw them, the mapping
// and the tick queries.
#include "controls/chart/PLX_rchart.h"

namespace {

size_t layerIndex(int Layer) { return size_t(ValidLayer(Layer) ? Layer : 1); }

}  // namespace

TScalePropsHoriz& TCustomRChart::ScalePropsX(int Layer) { return *FScalePropsX[layerIndex(Layer)]; }

TScalePropsVert& TCustomRChart::ScalePropsY(int Layer) { return *FScalePropsY[layerIndex(Layer)]; }

void TCustomRChart::SetScalePropsX(int Layer, const TScaleProps& value) {
  if (ValidLayer(Layer)) FScalePropsX[size_t(Layer)]->Assign(value);
}

void TCustomRChart::SetScalePropsY(int Layer, const TScaleProps& value) {
  if (ValidLayer(Layer)) FScalePropsY[size_t(Layer)]->Assign(value);
}

TScale& TCustomRChart::ScaleX(int Layer) {
  CheckLayer(Layer);
  return *FScalesX[size_t(Layer)];
}

TScale& TCustomRChart::ScaleY(int Layer) {
  CheckLayer(Layer);
  return *FScalesY[size_t(Layer)];
}

void TCustomRChart::SetJointLayers(const TJointLayers& value) {
  FJointLayers->Assign(value);
  StyleChanged(this);
}

bool TCustomRChart::MouseAffectsLayer(int Layer) const {
  return ValidLayer(Layer) && FSettings.MouseAffectsLayer[size_t(Layer)];
}

void TCustomRChart::SetMouseAffectsLayer(int Layer, bool value) {
  if (ValidLayer(Layer)) FSettings.MouseAffectsLayer[size_t(Layer)] = value;
}

// ---------------------------------------------------------------------------
// Scale helpers

// Every helper spans the whole chart, so that its mapping along the axis
// gives chart pixels; the margin on the base-line side puts the base line
// ScalePos pixels outside the data area.
void TCustomRChart::placeScaleHelper(TScale& scale, bool horizontal) {
  scale.SetBounds(0, 0, FFrame.W, FFrame.H);
  if (horizontal) {
    scale.SetMarginLeft(FFrame.L);
    scale.SetMarginRight(FFrame.R + FFrame.S - 1);
  } else {
    scale.SetMarginTop(FFrame.T);
    scale.SetMarginBottom(FFrame.B + FFrame.S - 1);
  }
}

// The helper draws by the layer's axis settings, handed over whole; its
// margin on the base-line side follows ScalePos, a free 32-bit value summed
// in 64 bits.
void TCustomRChart::setScaleProps(TScale& scale, const TScaleProps& props) {
  scale.SetScaleType(props.ScaleType());
  const long long p = props.ScalePos();
  const TChartFrame& f = FFrame;
  switch (props.ScaleType()) {
    case sctXT:
      scale.SetMarginTop(ClampPixel(p + f.H - f.B - f.S));
      break;
    case sctXB:
      scale.SetMarginBottom(ClampPixel(p + f.H - f.T - 1));
      break;
    case sctYR:
      scale.SetMarginRight(ClampPixel(p + f.W - f.L - 1));
      break;
    case sctYL:
      scale.SetMarginLeft(ClampPixel(p + f.W - f.R - f.S));
      break;
  }
  scale.SetVisible(props.Visible());
  scale.SetAxisSettings(props.ScaleSettings());
  scale.Font().Assign(props.Font());
  scale.Font().SetColor(props.Font().Color());
  scale.SetDateFormat(props.DateFormat());
}

void TCustomRChart::refreshAllScales() {
  for (int n = 1; n <= MaxLayers; ++n) {
    placeScaleHelper(*FScalesX[size_t(n)], true);
    setScaleProps(*FScalesX[size_t(n)], *FScalePropsX[size_t(n)]);
  }
  for (int n = 1; n <= MaxLayers; ++n) {
    placeScaleHelper(*FScalesY[size_t(n)], false);
    setScaleProps(*FScalesY[size_t(n)], *FScalePropsY[size_t(n)]);
  }
}

// The helpers draw in layer order, horizontal axes first; invisible ones draw
// nothing.
void TCustomRChart::drawAxes(TCanvas& cv) {
  for (int n = 1; n <= MaxLayers; ++n) FScalesX[size_t(n)]->ForcePaint(cv, 0, 0);
  for (int n = 1; n <= MaxLayers; ++n) FScalesY[size_t(n)]->ForcePaint(cv, 0, 0);
}

// ---------------------------------------------------------------------------
// Mapping

TAxisRange TCustomRChart::rangeX(int Layer) const {
  const TScaleProps& p = *FScalePropsX[size_t(Layer)];
  return {p.RangeLow(), p.RangeHigh(), p.Logarithmic()};
}

TAxisRange TCustomRChart::rangeY(int Layer) const {
  const TScaleProps& p = *FScalePropsY[size_t(Layer)];
  return {p.RangeLow(), p.RangeHigh(), p.Logarithmic()};
}

void TCustomRChart::AdjustScaling() {
  if (IsLoading()) return;
  FPresentation.Outdated();
  for (int n = 1; n <= MaxLayers; ++n) {
    if (!MapHorizontalAxis(FFrame, rangeX(n), FMapX[size_t(n)]) ||
        !MapVerticalAxis(FFrame, rangeY(n), FMapY[size_t(n)])) {
      throw EPLXRChartError("Logarithmic axis must not be negative.");
    }
  }
}

// An axis without pixel extent has no value under a pixel: it answers with
// the middle of its range rather than a division by zero.
void TCustomRChart::M2R(int Layer, int xin, int yin, double& xout, double& yout) const {
  // Clamped as in R2M: a layer outside 1..16 must not read beyond the maps.
  const size_t n = size_t(Layer < 1 ? 1 : Layer > MaxLayers ? MaxLayers : Layer);
  xout = FMapX[n].HasExtent() ? FMapX[n].ToValue(xin) : FScalePropsX[n]->Center();
  yout = FMapY[n].HasExtent() ? FMapY[n].ToValue(yin) : FScalePropsY[n]->Center();
}

// ---------------------------------------------------------------------------
// Ticks

int TCustomRChart::TickNumX() const { return FScalesX[size_t(ActiveLayer())]->NumTicks(); }

int TCustomRChart::TickNumY() const { return FScalesY[size_t(ActiveLayer())]->NumTicks(); }

namespace {

// On a reversed axis the positions are read from the other end.
double tickOf(const TScale& scale, const TScaleProps& props, int ix) {
  const int num = scale.NumTicks();
  if (ix < 1 || ix > num) return 0.0;
  return props.RangeLow() <= props.RangeHigh() ? scale.TickPos(ix) : scale.TickPos(num - ix + 1);
}

}  // namespace

double TCustomRChart::TickPosX(int ix) const {
  const size_t n = size_t(ActiveLayer());
  return tickOf(*FScalesX[n], *FScalePropsX[n], ix);
}

double TCustomRChart::TickPosY(int ix) const {
  const size_t n = size_t(ActiveLayer());
  return tickOf(*FScalesY[n], *FScalePropsY[n], ix);
}
