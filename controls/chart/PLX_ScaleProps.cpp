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
  FSettings.Scale.Caption = value;
  Changed();
}

void TScaleProps::SetCaptionPosX(int value) {
  FSettings.Scale.CaptionPosX = value;
  Changed();
}

void TScaleProps::SetCaptionPosY(int value) {
  FSettings.Scale.CaptionPosY = value;
  Changed();
}

void TScaleProps::SetCaptionAlignment(TAlignment value) {
  FSettings.Scale.CaptionAlignment = value;
  Changed();
}

void TScaleProps::SetCaptionAnchor(TScaleUnitAnchor value) {
  FSettings.Scale.CaptionAnchor = value;
  Changed();
}

void TScaleProps::SetColorScale(TColor value) {
  FSettings.Scale.ColorScale = value;
  Changed();
}

void TScaleProps::SetDecPlaces(int value) {
  FSettings.Scale.DecPlaces = std::clamp(value, kMinDecPlaces, kMaxDecPlaces);
  Changed();
}

// While the chart loads, the range that makes a logarithmic axis valid may
// still come.
void TScaleProps::SetLogarithmic(bool value) {
  if (!value || FSettings.NotYetLoaded) {
    FSettings.Scale.Logarithmic = value;
  } else if (FSettings.Scale.RangeLow >= SmallPosNum && FSettings.Scale.RangeHigh >= SmallPosNum &&
             FSettings.Scale.LabelType != ftDateTime) {
    FSettings.Scale.Logarithmic = true;
  }
  Changed();
}

void TScaleProps::SetLabelType(TFigType value) {
  FSettings.Scale.LabelType = value;
  if (value == ftDateTime) FSettings.Scale.Logarithmic = false;
  if (value == ftTime) FSettings.Scale.DecPlaces = 4;
  Changed();
}

void TScaleProps::SetMinTicks(int value) {
  FSettings.Scale.MinTicks = value;
  Changed();
}

// Values that are not finite numbers are ignored like values too small: they
// would reach the mapping. So is a widening that leaves the doubles.
void TScaleProps::SetMinRange(double value) {
  if (!std::isfinite(value) || value <= SmallPosNum) return;
  if (std::fabs(static_cast<long double>(FSettings.Scale.RangeHigh) - FSettings.Scale.RangeLow) <
      value) {
    const long double c =
        (static_cast<long double>(FSettings.Scale.RangeLow) + FSettings.Scale.RangeHigh) / 2;
    if (!storeApart(double(c - value / 2.0L), double(c + value / 2.0L))) return;
    FSettings.MinRange = value;
    Changed();
    return;
  }
  FSettings.MinRange = value;
}

void TScaleProps::SetRangeLow(double value) {
  if (!std::isfinite(value)) return;
  if (std::fabs(FSettings.Scale.RangeHigh - value) < FSettings.MinRange) {
    if (!storeApart(value, movedApart(value, FSettings.MinRange))) return;
  } else if (!(FSettings.Scale.Logarithmic && value < SmallPosNum)) {
    FSettings.Scale.RangeLow = value;
  }
  Changed();
}

void TScaleProps::SetRangeHigh(double value) {
  if (!std::isfinite(value)) return;
  if (std::fabs(FSettings.Scale.RangeLow - value) < FSettings.MinRange) {
    if (!storeApart(movedApart(value, -FSettings.MinRange), value)) return;
  } else if (!(FSettings.Scale.Logarithmic && value < SmallPosNum)) {
    FSettings.Scale.RangeHigh = value;
  }
  Changed();
}

bool TScaleProps::storeApart(double Low, double High) {
  if (!std::isfinite(Low) || !std::isfinite(High) || Low == High) return false;
  FSettings.Scale.RangeLow = Low;
  FSettings.Scale.RangeHigh = High;
  return true;
}

void TScaleProps::SetShortTicks(bool value) {
  FSettings.Scale.ShortTicks = value;
  Changed();
}

void TScaleProps::SetScaleInscript(const std::u16string& value) {
  FSettings.Scale.ScaleInscript = value;
  Changed();
}

int TScaleProps::ScalePos() const {
  return IsHorizontalScale(FSettings.ScaleType) ? FSettings.ScalePosY : FSettings.ScalePosX;
}

void TScaleProps::SetScalePos(int value) {
  (IsHorizontalScale(FSettings.ScaleType) ? FSettings.ScalePosY : FSettings.ScalePosX) = value;
  Changed();
}

void TScaleProps::SetUserTickText(const std::u16string& value) {
  FSettings.Scale.UserTickText = value;
  Changed();
}

void TScaleProps::SetVisible(bool value) {
  FSettings.Visible = value;
  Changed();
}

void TScaleProps::SetScaleType(TScaleType value) {
  FSettings.ScaleType = value;
  Changed();
}

void TScaleProps::Assign(const TScaleProps& Source) {
  if (&Source == this) return;
  FSettings = Source.FSettings;
  FDTFormat->Assign(*Source.FDTFormat);
  FAssigning = true;
  FFont.Assign(Source.FFont);
  FAssigning = false;
}

void TScalePropsHoriz::SetScaleLocation(TScaleLocationHoriz value) {
  FScaleLoc = value;
  SetScaleType(value == slTop ? sctXB : sctXT);
}

void TScalePropsVert::SetScaleLocation(TScaleLocationVert value) {
  FScaleLoc = value;
  SetScaleType(value == slLeft ? sctYR : sctYL);
}
