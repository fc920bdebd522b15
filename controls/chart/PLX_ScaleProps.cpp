#include "controls/chart/PLX_ScaleProps.h"

#include <algorithm>
#include <cmath>

#include "controls/scale/PLX_ScaleMap.h"

namespace {

constexpr int kMinDecPlaces = -3;
constexpr int kMaxDecPlaces = 12;

// v moved by Step; where that rounds back to v, the next double that way, so
// that two ends closer than MinRange never meet.
double movedApart(double v, double Step) {
  const double moved = v + Step;
  return moved != v ? moved : std::nextafter(v, Step > 0 ? HUGE_VAL : -HUGE_VAL);
}

}  // namespace

TScaleProps::TScaleProps() : FDTFormat(std::make_unique<TDTLabel>()) {
  FFont.OnChange = [this] {
    if (!FAssigning) Changed();
  };
}

TScaleProps::~TScaleProps() { FFont.OnChange = nullptr; }

void TScaleProps::Changed() {
  if (OnChange) OnChange(this);
}

void TScaleProps::SetCaption(const std::u16string& value) {
  FCaption = value;
  Changed();
}

void TScaleProps::SetCaptionPosX(int value) {
  FCaptionPosX = value;
  Changed();
}

void TScaleProps::SetCaptionPosY(int value) {
  FCaptionPosY = value;
  Changed();
}

void TScaleProps::SetCaptionAlignment(TAlignment value) {
  FCaptAlign = value;
  Changed();
}

void TScaleProps::SetCaptionAnchor(TScaleUnitAnchor value) {
  FCaptAnchor = value;
  Changed();
}

void TScaleProps::SetColorScale(TColor value) {
  FColorScale = value;
  Changed();
}

void TScaleProps::SetDecPlaces(int value) {
  FDecPlaces = std::clamp(value, kMinDecPlaces, kMaxDecPlaces);
  Changed();
}

// While the chart loads, the range that makes a logarithmic axis valid may
// still come.
void TScaleProps::SetLogarithmic(bool value) {
  if (!value || FNotYetLoaded) {
    FLogAx = value;
  } else if (FRangeLow >= SmallPosNum && FRangeHigh >= SmallPosNum && FLabelType != ftDateTime) {
    FLogAx = true;
  }
  Changed();
}

void TScaleProps::SetLabelType(TFigType value) {
  FLabelType = value;
  if (value == ftDateTime) FLogAx = false;
  if (value == ftTime) FDecPlaces = 4;
  Changed();
}

void TScaleProps::SetMinTicks(int value) {
  FMinTicks = value;
  Changed();
}

// Values that are not finite numbers are ignored like values too small: they
// would reach the mapping. So is a widening that leaves the doubles.
void TScaleProps::SetMinRange(double value) {
  if (!std::isfinite(value) || value <= SmallPosNum) return;
  if (std::fabs(static_cast<long double>(FRangeHigh) - FRangeLow) < value) {
    const long double c = (static_cast<long double>(FRangeLow) + FRangeHigh) / 2;
    if (!storeApart(double(c - value / 2.0L), double(c + value / 2.0L))) return;
    FMinRngDiff = value;
    Changed();
    return;
  }
  FMinRngDiff = value;
}

void TScaleProps::SetRangeLow(double value) {
  if (!std::isfinite(value)) return;
  if (std::fabs(FRangeHigh - value) < FMinRngDiff) {
    if (!storeApart(value, movedApart(value, FMinRngDiff))) return;
  } else if (!(FLogAx && value < SmallPosNum)) {
    FRangeLow = value;
  }
  Changed();
}

void TScaleProps::SetRangeHigh(double value) {
  if (!std::isfinite(value)) return;
  if (std::fabs(FRangeLow - value) < FMinRngDiff) {
    if (!storeApart(movedApart(value, -FMinRngDiff), value)) return;
  } else if (!(FLogAx && value < SmallPosNum)) {
    FRangeHigh = value;
  }
  Changed();
}

bool TScaleProps::storeApart(double Low, double High) {
  if (!std::isfinite(Low) || !std::isfinite(High) || Low == High) return false;
  FRangeLow = Low;
  FRangeHigh = High;
  return true;
}

void TScaleProps::SetShortTicks(bool value) {
  FShortTicks = value;
  Changed();
}

void TScaleProps::SetScaleInscript(const std::u16string& value) {
  FScaleInscript = value;
  Changed();
}

int TScaleProps::ScalePos() const {
  return IsHorizontalScale(FScaleType) ? FScalePosY : FScalePosX;
}

void TScaleProps::SetScalePos(int value) {
  (IsHorizontalScale(FScaleType) ? FScalePosY : FScalePosX) = value;
  Changed();
}

void TScaleProps::SetUserTickText(const std::u16string& value) {
  FUserTickText = value;
  Changed();
}

void TScaleProps::SetVisible(bool value) {
  FVisible = value;
  Changed();
}

void TScaleProps::SetScaleType(TScaleType value) {
  FScaleType = value;
  Changed();
}

void TScaleProps::Assign(const TScaleProps& Source) {
  if (&Source == this) return;
  FCaption = Source.FCaption;
  FCaptionPosX = Source.FCaptionPosX;
  FCaptionPosY = Source.FCaptionPosY;
  FCaptAlign = Source.FCaptAlign;
  FCaptAnchor = Source.FCaptAnchor;
  FColorScale = Source.FColorScale;
  FDTFormat->Assign(*Source.FDTFormat);
  FDecPlaces = Source.FDecPlaces;
  FAssigning = true;
  FFont.Assign(Source.FFont);
  FAssigning = false;
  FLogAx = Source.FLogAx;
  FLabelType = Source.FLabelType;
  FMinTicks = Source.FMinTicks;
  FMinRngDiff = Source.FMinRngDiff;
  FRangeLow = Source.FRangeLow;
  FRangeHigh = Source.FRangeHigh;
  FShortTicks = Source.FShortTicks;
  FScaleInscript = Source.FScaleInscript;
  FScalePosX = Source.FScalePosX;
  FScalePosY = Source.FScalePosY;
  FUserTickText = Source.FUserTickText;
  FVisible = Source.FVisible;
  FScaleType = Source.FScaleType;
  FNotYetLoaded = Source.FNotYetLoaded;
}

void TScalePropsHoriz::SetScaleLocation(TScaleLocationHoriz value) {
  FScaleLoc = value;
  SetScaleType(value == slTop ? sctXB : sctXT);
}

void TScalePropsVert::SetScaleLocation(TScaleLocationVert value) {
  FScaleLoc = value;
  SetScaleType(value == slLeft ? sctYR : sctYL);
}
