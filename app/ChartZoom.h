// Zooming the first chart with the mouse wheel: the ranges the chart shows at
// start (its home), and an axis range zoomed about a point by whole notches.
// Plain values, no toolkit.
#pragma once

struct TAxisView {
  double low;
  double high;
};

// The first chart's home: feeder length in metres, frequency in MHz.
constexpr TAxisView FirstChartHomeX = {0.0, 40.0};
constexpr TAxisView FirstChartHomeY = {1.5, 30.0};

// One notch of the wheel as the platform reports it, and what it zooms by.
constexpr int WheelNotch = 120;
constexpr double WheelZoomFactor = 1.25;

// The range shrunk (notches > 0) or widened (notches < 0) by WheelZoomFactor
// a notch, keeping the point `about` where it is on the axis.
TAxisView ZoomedAbout(const TAxisView& range, double about, int notches);

// The wheel zooms at most this far in or out from the home ranges: spans
// far below a millimetre or beyond any feeder mean nothing, and smaller
// ones would fall below what the chart can tell apart.
constexpr double MaxZoom = 1e6;

// Whether a zoomed range is no narrower than home's span / MaxZoom and no
// wider than its span x MaxZoom (and its ends are numbers).
bool WithinZoomLimits(const TAxisView& zoomed, const TAxisView& home);

// Collects wheel turns into whole notches: fine-grained wheels and touchpads
// report parts of a notch, and each zoom step is a whole one.
class TWheelNotches {
 public:
  // The whole notches that the turns so far complete; the rest is kept.
  int Take(int wheelDelta);

 private:
  int FRest = 0;
};
