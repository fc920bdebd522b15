#include "app/ChartZoom.h"

#include <cmath>

TAxisView ZoomedAbout(const TAxisView& range, double about, int notches) {
  const double scale = std::pow(WheelZoomFactor, -notches);
  return {about + (range.low - about) * scale, about + (range.high - about) * scale};
}

bool WithinZoomLimits(const TAxisView& zoomed, const TAxisView& home) {
  const double span = std::abs(zoomed.high - zoomed.low);
  const double homeSpan = std::abs(home.high - home.low);
  // Written this way round so that NaN fails too.
  return span >= homeSpan / MaxZoom && span <= homeSpan * MaxZoom;
}

int TWheelNotches::Take(int wheelDelta) {
  FRest += wheelDelta;
  const int notches = FRest / WheelNotch;  // truncates towards 0: the sign's rest stays
  FRest -= notches * WheelNotch;
  return notches;
}
