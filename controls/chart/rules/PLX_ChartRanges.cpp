#include "controls/chart/rules/PLX_ChartRanges.h"

#include <cmath>
#include <limits>

namespace {

constexpr long double kEqualEndsFactor = 1.1L;
constexpr long double kNoExtentLow = 1.7e308L;

bool isRelPix(TrcItem kind) {
  return kind == tkMoveRelPix || kind == tkLineRelPix || kind == tkRectRelPix;
}

// Only a strictly smaller or larger value replaces an end.
void widen(TLayerExtent& e, long double x, long double y) {
  if (x < e.X.Lo) e.X.Lo = x;
  if (x > e.X.Hi) e.X.Hi = x;
  if (y < e.Y.Lo) e.Y.Lo = y;
  if (y > e.Y.Hi) e.Y.Hi = y;
  e.Found = true;
}

}  // namespace

void WidenEqualEnds(TAxisSpan& Span, bool Log, long double MinRange) {
  if (Span.Lo != Span.Hi) return;
  if (Log) {
    Span.Lo /= kEqualEndsFactor;
    Span.Hi *= kEqualEndsFactor;
  } else {
    Span.Lo -= MinRange / 2;
    Span.Hi += MinRange / 2;
  }
}

void WidenByOne(TAxisSpan& Span) {
  if (Span.Lo != Span.Hi) return;
  Span.Lo -= 1;
  Span.Hi += 1;
}

void AddRim(TAxisSpan& Span, bool Log, long double Rim, bool RatioAlways) {
  if (Rim == 0) return;
  if (!Log) {
    const long double d = (Span.Hi - Span.Lo) * Rim / 100;
    Span.Lo -= d;
    Span.Hi += d;
    return;
  }
  const long double r =
      (Span.Lo > 0 || RatioAlways) ? std::log(Span.Hi / Span.Lo) : std::log(Span.Hi);
  Span.Hi *= std::exp(r * Rim / 100);
  Span.Lo *= std::exp(-r * Rim / 100);
}

void ApplyMinimumRange(TAxisSpan& Span, long double MinRng) {
  const long double span = std::fabs(Span.Hi - Span.Lo);
  const long double c = (Span.Hi + Span.Lo) / 2;
  if (MinRng * c / 100 <= span) return;
  Span.Lo -= c * MinRng / 100;
  Span.Hi += c * MinRng / 100;
}

// The four tests run in this order on the values left by the earlier ones;
// the width is the requested one.
void ConfineAxis(TAxisSpan& Span, long double BoxLo, long double BoxHi, bool Pan) {
  const long double d = Span.Hi - Span.Lo;
  if (Span.Lo < BoxLo) {
    Span.Lo = BoxLo;
    if (Pan) Span.Hi = Span.Lo + d;
  }
  if (Span.Lo > BoxHi) {
    Span.Lo = BoxHi;
    if (Pan) Span.Hi = Span.Lo + d;
  }
  if (Span.Hi < BoxLo) {
    Span.Hi = BoxLo;
    if (Pan) Span.Lo = Span.Hi - d;
  }
  if (Span.Hi > BoxHi) {
    Span.Hi = BoxHi;
    if (Pan) Span.Lo = Span.Hi - d;
  }
}

TLayerExtent LayerExtent(const TrcChartItem* Items, int Count, int Layer) {
  TLayerExtent e;
  e.X = {kNoExtentLow, -kNoExtentLow};
  e.Y = e.X;
  for (int i = 0; i < Count; ++i) {
    const TrcChartItem& item = Items[i];
    if (item.Layer != Layer || isRelPix(item.ItemKind)) continue;
    if (item.ItemKind == tkEllipse) {
      widen(e, item.x - item.x2, item.y - item.y2);
      widen(e, item.x + item.x2, item.y + item.y2);
      continue;
    }
    widen(e, item.x, item.y);
    if (HasSecondPoint(item.ItemKind)) widen(e, item.x2, item.y2);
  }
  if (!e.Found) e.X = e.Y = TAxisSpan{};
  return e;
}

long double IsometricHalfHeight(long double Dx, const TChartFrame& Frame, int Xasp, int Yasp) {
  const long double w = Frame.DataWidth() + 1;
  const long double h = Frame.DataHeight() + 1;
  if (w <= 0 || Xasp == 0) return std::numeric_limits<long double>::quiet_NaN();
  return Dx * h / w * Yasp / Xasp / 2;
}
