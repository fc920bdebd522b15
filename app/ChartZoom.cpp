#include "app/ChartZoom.h"

#include <cmath>

TAxisView ZoomedAbout(const TAxisView& range, double about, int notches) {
  const double scale = std::pow(WheelZoomFactor, -notches);
  return {about + (range.low - about) * scale, about + (range.high - about) * scale};
}

int TWheelNotches::Take(int wheelDelta) {
  FRest += wheelDelta;
  const int notches = FRest / WheelNotch;  // truncates towards 0: the sign's rest stays
  FRest -= notches * WheelNotch;
  return notches;
}
