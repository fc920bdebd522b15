// A crosshair of the chart: lines across the data area (or a small box) at a
// position in the real units of one layer. Every setter raises OnChange.
#pragma once

#include <cstdint>

#include "platform/Controls.h"

enum TCrossHMode : uint8_t { chOff = 0, chHoriz = 1, chVert = 2, chBoth = 3, chBox = 4 };

// The seven values of a crosshair, which a copy takes over whole.
struct TCrossHairSettings {
  double PosX = 0;
  double PosY = 0;
  TColor Color = clBlack;
  TCrossHMode Mode = chOff;
  TPenStyle LineType = psSolid;
  int LineWid = 1;
  int Layer = 1;
};

class TCrossHair : public TObject {
 public:
  explicit TCrossHair(int Layer = 1);

  double PosX() const { return FSettings.PosX; }
  void SetPosX(double value);
  double PosY() const { return FSettings.PosY; }
  void SetPosY(double value);
  TColor Color() const { return FSettings.Color; }
  void SetColor(TColor value);
  TCrossHMode Mode() const { return FSettings.Mode; }
  void SetMode(TCrossHMode value);
  TPenStyle LineType() const { return FSettings.LineType; }
  void SetLineType(TPenStyle value);
  int LineWid() const { return FSettings.LineWid; }
  void SetLineWid(int value);
  // Clamped into 1..16.
  int Layer() const { return FSettings.Layer; }
  void SetLayer(int value);

  // Copies the seven values and the change handler, without notifying.
  void Assign(const TCrossHair& Source);
  // Raises EConvertError unless Source is a TCrossHair.
  void Assign(const TObject& Source);

  TNotifyEvent OnChange;

 private:
  void changed();

  TCrossHairSettings FSettings;
};
