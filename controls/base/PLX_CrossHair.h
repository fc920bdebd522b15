// A crosshair of the chart: lines across the data area (or a small box) at a
// position in the real units of one layer. Every setter raises OnChange.
#pragma once

#include <cstdint>

#include "platform/Controls.h"

enum TCrossHMode : uint8_t { chOff = 0, chHoriz = 1, chVert = 2, chBoth = 3, chBox = 4 };

class TCrossHair : public TObject {
 public:
  explicit TCrossHair(int Layer = 1);

  double PosX() const { return FPosX; }
  void SetPosX(double value);
  double PosY() const { return FPosY; }
  void SetPosY(double value);
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  TCrossHMode Mode() const { return FMode; }
  void SetMode(TCrossHMode value);
  TPenStyle LineType() const { return FLineType; }
  void SetLineType(TPenStyle value);
  int LineWid() const { return FLineWid; }
  void SetLineWid(int value);
  // Clamped into 1..16.
  int Layer() const { return FLayer; }
  void SetLayer(int value);

  // Copies the seven values and the change handler, without notifying.
  void Assign(const TCrossHair& Source);
  // Raises EConvertError unless Source is a TCrossHair.
  void Assign(const TObject& Source);

  TNotifyEvent OnChange;

 private:
  void changed();

  double FPosX = 0;
  double FPosY = 0;
  TColor FColor = clBlack;
  TCrossHMode FMode = chOff;
  TPenStyle FLineType = psSolid;
  int FLineWid = 1;
  int FLayer = 1;
};
