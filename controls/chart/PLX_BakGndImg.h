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

class TBakGndImg : public TObject {
 public:
  // Without IncludePath only the file-name part of the value is kept.
  const std::u16string& Name() const { return FName; }
  void SetName(const std::u16string& value);
  // Setting it false strips the path of the current name.
  bool IncludePath() const { return FIncludePath; }
  void SetIncludePath(bool value);
  TBkgFill FillMode() const { return FFillMode; }
  void SetFillMode(TBkgFill value);
  TBGAreaMode AreaMode() const { return FAreaMode; }
  void SetAreaMode(TBGAreaMode value);
  TColor AreaColor() const { return FAreaColor; }
  void SetAreaColor(TColor value);
  // The band's limits in the real units of layer 1.
  double AreaLeft() const { return FAreaLeft; }
  void SetAreaLeft(double value);
  double AreaRight() const { return FAreaRight; }
  void SetAreaRight(double value);
  double AreaTop() const { return FAreaTop; }
  void SetAreaTop(double value);
  double AreaBottom() const { return FAreaBottom; }
  void SetAreaBottom(double value);

  // Copies the settings without notifying.
  void Assign(const TBakGndImg& Source);

  TNotifyEvent OnChange;

 private:
  void Changed();

  std::u16string FName;
  bool FIncludePath = false;
  TBkgFill FFillMode = bfStretch;
  TBGAreaMode FAreaMode = bamNone;
  TColor FAreaColor = 0xDDDDDD;
  double FAreaLeft = -1.0;
  double FAreaRight = 1.0;
  double FAreaTop = 1.0;
  double FAreaBottom = -1.0;
};
