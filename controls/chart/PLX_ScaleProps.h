// The axis properties of one chart layer: range, logarithmic or linear,
// location and offset, caption, labels, visibility. The chart copies them
// into the layer's scale helper and maps its items with their ranges. Every
// setter ends by raising OnChange unless its rule says otherwise.
#pragma once

#include <memory>
#include <string>

#include "controls/base/PLX_DTLabel.h"
#include "controls/scale/PLX_ScaleTypes.h"
#include "platform/Controls.h"
#include "platform/Font.h"

enum TScaleLocationHoriz : uint8_t { slTop = 0, slBottom = 1 };
enum TScaleLocationVert : uint8_t { slLeft = 0, slRight = 1 };

class TScaleProps : public TObject {
 public:
  TScaleProps();
  ~TScaleProps() override;
  TScaleProps(const TScaleProps&) = delete;
  TScaleProps& operator=(const TScaleProps&) = delete;

  const std::u16string& Caption() const { return FCaption; }
  void SetCaption(const std::u16string& value);
  int CaptionPosX() const { return FCaptionPosX; }
  void SetCaptionPosX(int value);
  int CaptionPosY() const { return FCaptionPosY; }
  void SetCaptionPosY(int value);
  TAlignment CaptionAlignment() const { return FCaptAlign; }
  void SetCaptionAlignment(TAlignment value);
  TScaleUnitAnchor CaptionAnchor() const { return FCaptAnchor; }
  void SetCaptionAnchor(TScaleUnitAnchor value);
  TColor ColorScale() const { return FColorScale; }
  void SetColorScale(TColor value);
  // Edited in place; its changes reach the chart through its own OnChange.
  TDTLabel& DateFormat() { return *FDTFormat; }
  const TDTLabel& DateFormat() const { return *FDTFormat; }
  // Clamped into -3..12.
  int DecPlaces() const { return FDecPlaces; }
  void SetDecPlaces(int value);
  // Any change of the font raises OnChange.
  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& value) { FFont.Assign(value); }
  bool Logarithmic() const { return FLogAx; }
  void SetLogarithmic(bool value);
  TFigType LabelType() const { return FLabelType; }
  void SetLabelType(TFigType value);
  int MinTicks() const { return FMinTicks; }
  void SetMinTicks(int value);
  // The range setters ignore values that are not finite numbers, without
  // notification; two ends closer than MinRange are set MinRange apart, at
  // least one double apart.
  double MinRange() const { return FMinRngDiff; }
  void SetMinRange(double value);
  double RangeLow() const { return FRangeLow; }
  void SetRangeLow(double value);
  double RangeHigh() const { return FRangeHigh; }
  void SetRangeHigh(double value);
  bool ShortTicks() const { return FShortTicks; }
  void SetShortTicks(bool value);
  const std::u16string& ScaleInscript() const { return FScaleInscript; }
  void SetScaleInscript(const std::u16string& value);
  // Pixels between the data area and the axis's base line.
  int ScalePos() const;
  void SetScalePos(int value);
  const std::u16string& UserTickText() const { return FUserTickText; }
  void SetUserTickText(const std::u16string& value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  TScaleType ScaleType() const { return FScaleType; }
  void SetScaleType(TScaleType value);
  double Center() const { return double((static_cast<long double>(FRangeLow) + FRangeHigh) / 2); }

  // Until the owning chart's loading ends, Logarithmic is accepted without
  // checks (a layout assigns it before the ranges).
  bool NotYetLoaded() const { return FNotYetLoaded; }
  void SetNotYetLoaded(bool value) { FNotYetLoaded = value; }

  // Copies every stored value (not ScaleLocation and not OnChange) without
  // notifying.
  void Assign(const TScaleProps& Source);

  // The range ends written directly, without rules or notification (the
  // chart's range application).
  void StoreRange(double Low, double High) {
    FRangeLow = Low;
    FRangeHigh = High;
  }

  TNotifyEvent OnChange;

 protected:
  void Changed();

 private:
  // Stores Low..High when both ends are finite and apart; false, storing
  // nothing, otherwise.
  bool storeApart(double Low, double High);

  std::u16string FCaption;
  int FCaptionPosX = 0;
  int FCaptionPosY = 0;
  TAlignment FCaptAlign = taCenter;
  TScaleUnitAnchor FCaptAnchor = uaSclTopLft;
  TColor FColorScale = clBlack;
  std::unique_ptr<TDTLabel> FDTFormat;
  int FDecPlaces = -2;
  TFont FFont;
  bool FLogAx = false;
  TFigType FLabelType = ftNum;
  int FMinTicks = 3;
  double FMinRngDiff = 1e-10;
  double FRangeLow = 0.0;
  double FRangeHigh = 1.0;
  bool FShortTicks = true;
  std::u16string FScaleInscript;
  int FScalePosX = 0;  // offset of a vertical axis
  int FScalePosY = 0;  // offset of a horizontal axis
  std::u16string FUserTickText;
  bool FVisible = false;
  TScaleType FScaleType = sctXT;
  bool FNotYetLoaded = true;
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
