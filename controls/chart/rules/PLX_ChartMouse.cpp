#include "controls/chart/rules/PLX_ChartMouse.h"

#include <cmath>

int NearestCrossHair(const std::array<TCrossHairSpot, 4>& spots, int X, int Y) {
  double best = 1.7e308;
  int nearest = 1;
  for (int i = 0; i < 4; ++i) {
    const TCrossHairSpot& s = spots[size_t(i)];
    const double dx = double(s.X - X) * double(s.X - X);
    const double dy = double(s.Y - Y) * double(s.Y - Y);
    if ((s.Mode == chVert || s.Mode == chBoth) && dx < best) {
      best = dx;
      nearest = i + 1;
    }
    if ((s.Mode == chHoriz || s.Mode == chBoth) && dy < best) {
      best = dy;
      nearest = i + 1;
    }
  }
  return nearest;
}

TCursor CursorForMouse(TMouseActMode mode, bool inside, bool fixed, TCursor current) {
  if (!inside || fixed) return crDefault;
  switch (mode) {
    case maNone:
      return crCross;
    case maPan:
    case maPanHoriz:
    case maPanVert:
      return crChartHand;
    case maRubberBand:
    case maDragCrossH:
    case maDragLabel:
      return crDefault;
    case maZoomWind:
      return crChartZoomWind;
    case maZoomWindPos:
      return crChartZoomWindPos;
    case maZoomDrag:
      return crChartZoomDrag;
    case maZoom:
    case maRotXY:
    case maRotAbsXY:
    case maRotXZ:
    case maRotAbsXZ:
      return current;
  }
  return current;
}

TAxisRange PannedRange(const TAxisRange& anchor, int travel, int extent) {
  if (extent <= 0 || travel == 0) return anchor;
  TAxisRange r = anchor;
  const long double share = static_cast<long double>(travel) / extent;
  if (anchor.Log && anchor.Low > 0 && anchor.High > 0) {
    const long double factor =
        std::exp(-share * std::log(static_cast<long double>(anchor.High) / anchor.Low));
    r.Low = double(anchor.Low * factor);
    r.High = double(anchor.High * factor);
    return r;
  }
  const long double shift = share * (static_cast<long double>(anchor.High) - anchor.Low);
  r.Low = double(anchor.Low - shift);
  r.High = double(anchor.High - shift);
  return r;
}
