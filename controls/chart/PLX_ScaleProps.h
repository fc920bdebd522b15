// The axis properties of one chart layer: range, logarithmic or linear,
// location and offset, caption, labels, visibility. The chart hands the ones
// the axis is drawn by to the layer's scale helper whole and maps the layer's
// items with the ranges. Every setter ends by raising OnChange unless its
// rule says otherwise.
#pragma once

#include <memory>
#include <string>

#include "controls/base/PLX_DTLabel.h"
#include "controls/scale/PLX_ScaleSettings.h"
#include "controls/scale/PLX_ScaleTypes.h"
#include "platform/Controls.h"
#include "platform/Font.h"

enum TScaleLocationHoriz : uint8_t { slTop = 0, slBottom = 1 };
enum TScaleLocationVert : uint8_t { slLeft = 0, slRight = 1 };

// The values of a layer's axis, which a copy takes over whole; the font and
// the date format are objects of their own. The scale helper draws by Scale,
// handed to it whole; the rest is the chart's.
struct TAxisSettings {
  TScaleSettings Scale = layerScaleDefaults();
  double MinRange = 1e-10;
  int ScalePosX = 0;  // offset of a vertical axis
  int ScalePosY = 0;  // offset of a horizontal axis
  bool Visible = false;
  TScaleType ScaleType = sctXT;
  bool NotYetLoaded = true;

 private:
  // A layer's axis starts on 0..1 with its caption at the anchor itself.
  static TScaleSettings layerScaleDefaults() {
    TScaleSettings s;
    s.RangeHigh = 1.0;
    s.CaptionPosX = 0;
    s.CaptionPosY = 0;
    return s;
  }
};

class TScaleProps : public TObject {
 public:
  TScaleProps();
  ~TScaleProps() override;
  TScaleProps(const TScaleProps&) = delete;
  TScaleProps& operator=(const TScaleProps&) = delete;

  const std::u16string& Caption() const { return FSettings.Scale.Caption; }
  void SetCaption(const std::u16string& value);
  int CaptionPosX() const { return FSettings.Scale.CaptionPosX; }
  void SetCaptionPosX(int value);
  int CaptionPosY() const { return FSettings.Scale.CaptionPosY; }
  void SetCaptionPosY(int value);
  TAlignment CaptionAlignment() const { return FSettings.Scale.CaptionAlignment; }
  void SetCaptionAlignment(TAlignment value);
  TScaleUnitAnchor CaptionAnchor() const { return FSettings.Scale.CaptionAnchor; }
  void SetCaptionAnchor(TScaleUnitAnchor value);
  TColor ColorScale() const { return FSettings.Scale.ColorScale; }
  void SetColorScale(TColor value);
  // Edited in place; its changes reach the chart through its own OnChange.
  TDTLabel& DateFormat() { return *FDTFormat; }
  const TDTLabel& DateFormat() const { return *FDTFormat; }
  // Clamped into -3..12.
  int DecPlaces() const { return FSettings.Scale.DecPlaces; }
  void SetDecPlaces(int value);
  // Any change of the font raises OnChange.
  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& value) { FFont.Assign(value); }
  bool Logarithmic() const { return FSettings.Scale.Logarithmic; }
  void SetLogarithmic(bool value);
  TFigType LabelType() const { return FSettings.Scale.LabelType; }
  void SetLabelType(TFigType value);
  int MinTicks() const { return FSettings.Scale.MinTicks; }
  void SetMinTicks(int value);
  // The range setters ignore values that are not finite numbers, without
  // notification; two ends closer than MinRange are set MinRange apart, at
  // least one double apart.
  double MinRange() const { return FSettings.MinRange; }
  void SetMinRange(double value);
  double RangeLow() const { return FSettings.Scale.RangeLow; }
  void SetRangeLow(double value);
  double RangeHigh() const { return FSettings.Scale.RangeHigh; }
  void SetRangeHigh(double value);
  bool ShortTicks() const { return FSettings.Scale.ShortTicks; }
  void SetShortTicks(bool value);
  const std::u16string& ScaleInscript() const { return FSettings.Scale.ScaleInscript; }
  void SetScaleInscript(const std::u16string& value);
  // Pixels between the data area and the axis's base line.
  int ScalePos() const;
  void SetScalePos(int value);
  const std::u16string& UserTickText() const { return FSettings.Scale.UserTickText; }
  void SetUserTickText(const std::u16string& value);
  bool Visible() const { return FSettings.Visible; }
  void SetVisible(bool value);
  TScaleType ScaleType() const { return FSettings.ScaleType; }
  void SetScaleType(TScaleType value);
  double Center() const {
    const TScaleSettings& s = FSettings.Scale;
    return double((static_cast<long double>(s.RangeLow) + s.RangeHigh) / 2);
  }

  // Until the owning chart's loading ends, Logarithmic is accepted without
  // checks (a layout assigns it before the ranges).
  bool NotYetLoaded() const { return FSettings.NotYetLoaded; }
  void SetNotYetLoaded(bool value) { FSettings.NotYetLoaded = value; }

  // What the layer's scale helper draws by.
  const TScaleSettings& ScaleSettings() const { return FSettings.Scale; }

  // Copies every stored value (not ScaleLocation and not OnChange) without
  // notifying.
  void Assign(const TScaleProps& Source);

  // The range ends written directly, without rules or notification (the
  // chart's range application).
  void StoreRange(double Low, double High) {
    FSettings.Scale.RangeLow = Low;
    FSettings.Scale.RangeHigh = High;
  }

  TNotifyEvent OnChange;

 protected:
  void Changed();

 private:
  // Stores Low..High when both ends are finite and apart; false, storing
  // nothing, otherwise.
  bool storeApart(double Low, double High);

  TAxisSettings FSettings;
  std::unique_ptr<TDTLabel> FDTFormat;
  TFont FFont;
  bool FAssigning = false;
};

class TScalePropsHoriz : public TScaleProps {
 public:
  TScaleLocationHoriz ScaleLocation() const { return FScaleLoc; }
  // slTop puts the axis above the data area (scale type sctXB), slBottom
  // below it (sctXT).
  void SetScaleLocation(TScaleLocationHoriz value);

 private:
  TScaleLocationHoriz FScaleLoc = slBottom;
};

class TScalePropsVert : public TScaleProps {
 public:
  TScaleLocationVert ScaleLocation() const { return FScaleLoc; }
  // slLeft gives scale type sctYR, slRight sctYL.
  void SetScaleLocation(TScaleLocationVert value);

 private:
  TScaleLocationVert FScaleLoc = slLeft;
};
