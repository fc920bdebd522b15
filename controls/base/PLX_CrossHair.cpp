#include "controls/base/PLX_CrossHair.h"

#include <algorithm>

#include "platform/Errors.h"

TCrossHair::TCrossHair(int Layer) : FLayer(std::clamp(Layer, 1, 16)) {}

void TCrossHair::changed() {
  if (OnChange) OnChange(this);
}

void TCrossHair::SetPosX(double value) {
  FPosX = value;
  changed();
}

void TCrossHair::SetPosY(double value) {
  FPosY = value;
  changed();
}

void TCrossHair::SetColor(TColor value) {
  FColor = value;
  changed();
}

void TCrossHair::SetMode(TCrossHMode value) {
  FMode = value;
  changed();
}

void TCrossHair::SetLineType(TPenStyle value) {
  FLineType = value;
  changed();
}

void TCrossHair::SetLineWid(int value) {
  FLineWid = value;
  changed();
}

void TCrossHair::SetLayer(int value) {
  FLayer = std::clamp(value, 1, 16);
  changed();
}

void TCrossHair::Assign(const TCrossHair& Source) {
  FPosX = Source.FPosX;
  FPosY = Source.FPosY;
  FColor = Source.FColor;
  FMode = Source.FMode;
  FLineType = Source.FLineType;
  FLineWid = Source.FLineWid;
  FLayer = Source.FLayer;
  OnChange = Source.OnChange;
}

void TCrossHair::Assign(const TObject& Source) {
  const auto* crossHair = dynamic_cast<const TCrossHair*>(&Source);
  if (!crossHair) throw EConvertError("Cannot assign this object to a TCrossHair");
  Assign(*crossHair);
}
