// The background of the chart's data area: an image file, or the plain chart
// colour with an optional coloured band. Every setter raises OnChange.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Controls.h"

enum TBkgFill : uint8_t { bfSimple = 0, bfStretch = 1, bfTile = 2 };

enum TBGAreaMode : uint8_t {
  bamNone = 0,
  bamLeft,
  bamRight,
  bamTop,
  bamBottom,
  bamVStripe,
  bamHStripe,
  bamRect
};

// The values of the background, which a copy takes over whole.
struct TBakGndImgSettings {
  std::u16string Name;
  bool IncludePath = false;
  TBkgFill FillMode = bfStretch;
  TBGAreaMode AreaMode = bamNone;
  TColor AreaColor = 0xDDDDDD;
  double AreaLeft = -1.0;
  double AreaRight = 1.0;
  double AreaTop = 1.0;
  double AreaBottom = -1.0;
};

class TBakGndImg : public TObject {
 public:
  // Without IncludePath only the file-name part of the value is kept.
  const std::u16string& Name() const { return FSettings.Name; }
  void SetName(const std::u16string& value);
  // Setting it false strips the path of the current name.
  bool IncludePath() const { return FSettings.IncludePath; }
  void SetIncludePath(bool value);
  TBkgFill FillMode() const { return FSettings.FillMode; }
  void SetFillMode(TBkgFill value);
  TBGAreaMode AreaMode() const { return FSettings.AreaMode; }
  void SetAreaMode(TBGAreaMode value);
  TColor AreaColor() const { return FSettings.AreaColor; }
  void SetAreaColor(TColor value);
  // The band's limits in the real units of layer 1.
  double AreaLeft() const { return FSettings.AreaLeft; }
  void SetAreaLeft(double value);
  double AreaRight() const { return FSettings.AreaRight; }
  void SetAreaRight(double value);
  double AreaTop() const { return FSettings.AreaTop; }
  void SetAreaTop(double value);
  double AreaBottom() const { return FSettings.AreaBottom; }
  void SetAreaBottom(double value);

  // Copies the settings without notifying.
  void Assign(const TBakGndImg& Source);

  TNotifyEvent OnChange;

 private:
  void Changed();

  TBakGndImgSettings FSettings;
};
