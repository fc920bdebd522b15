// The rules of the chart's range commands on plain numbers: widening a range
// whose ends are equal, the margin and minimum-span rules of automatic
// ranging, the extent of a layer's items, confinement to an outer box and the
// isometric half-height. No drawing, no chart state.
#pragma once

#include "controls/chart/rules/PLX_ChartMap.h"
#include "controls/chart/rules/PLX_ChartStore.h"

// One axis's pair of range ends, in extended precision.
struct TAxisSpan {
  long double Lo = 0;
  long double Hi = 0;
};

struct TLayerExtent {
  TAxisSpan X;
  TAxisSpan Y;
  // False when no item of the layer has a point in real units; both spans
  // are then 0..0.
  bool Found = false;
};

// A requested range with equal ends: a logarithmic axis divides and
// multiplies by 1.1, a linear one widens by MinRange on the whole.
void WidenEqualEnds(TAxisSpan& Span, bool Log, long double MinRange);
// Automatic ranging's widening of a range with equal ends: 1 on each side.
void WidenByOne(TAxisSpan& Span);
// Adds Rim per cent of the extent at both ends. On a logarithmic axis the
// extent is ln(Hi / Lo), or ln Hi when Lo is not positive unless
// RatioAlways. Rim 0 changes nothing.
void AddRim(TAxisSpan& Span, bool Log, long double Rim, bool RatioAlways);
// When MinRng per cent of the centre exceeds the span, both ends move out by
// that much.
void ApplyMinimumRange(TAxisSpan& Span, long double MinRng);
// Clips a requested range to BoxLo..BoxHi; a pan keeps the requested width
// and stops at the box instead.
void ConfineAxis(TAxisSpan& Span, long double BoxLo, long double BoxHi, bool Pan);
// The smallest and largest coordinates of the layer's items in real units
// (relative-pixel items have none; ellipses reach their axes).
TLayerExtent LayerExtent(const TrcChartItem* Items, int Count, int Layer);
// Half the vertical span that shows a horizontal span Dx in equal units on
// both axes. NaN when the data area has no width or the aspect is unknown.
long double IsometricHalfHeight(long double Dx, const TChartFrame& Frame, int Xasp, int Yasp);
