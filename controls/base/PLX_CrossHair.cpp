#include "controls/base/PLX_CrossHair.h"

#include <algorithm>

#include "platform/Errors.h"

TCrossHair::TCrossHair(int Layer) { FSettings.Layer = std::clamp(Layer, 1, 16); }

void TCrossHair::changed() {
  if (OnChange) OnChange(this);
}

void TCrossHair::SetPosX(double value) {
  FSettings.PosX = value;
  changed();
}

void TCrossHair::SetPosY(double value) {
  FSettings.PosY = value;
  changed();
}

void TCrossHair::SetColor(TColor value) {
  FSettings.Color = value;
  changed();
}

void TCrossHair::SetMode(TCrossHMode value) {
  FSettings.Mode = value;
  changed();
}

void TCrossHair::SetLineType(TPenStyle value) {
  FSettings.LineType = value;
  changed();
}

void TCrossHair::SetLineWid(int value) {
  FSettings.LineWid = value;
  changed();
}

void TCrossHair::SetLayer(int value) {
  FSettings.Layer = std::clamp(value, 1, 16);
  changed();
}

void TCrossHair::Assign(const TCrossHair& Source) {
  FSettings = Source.FSettings;
  OnChange = Source.OnChange;
}

void TCrossHair::Assign(const TObject& Source) {
  const auto* crossHair = dynamic_cast<const TCrossHair*>(&Source);
  if (!crossHair) throw EConvertError("Cannot assign this object to a TCrossHair");
  Assign(*crossHair);
}
