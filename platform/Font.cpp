#include "Font.h"

#include <cmath>

TFont::TFont() : FName(u"Tahoma"), FHeight(-11), FColor(clWindowText) {}

void TFont::SetName(const std::u16string& name) {
  if (name == FName) return;
  FName = name;
  changed();
}

void TFont::SetHeight(int height) {
  if (height == FHeight) return;
  FHeight = height;
  changed();
}

int TFont::Size() const {
  return int(std::lround(std::abs(FHeight) * 72.0 / 96.0)) * (FHeight < 0 ? 1 : -1);
}

void TFont::SetSize(int points) { SetHeight(-int(std::lround(points * 96.0 / 72.0))); }

void TFont::SetStyle(TFontStyles style) {
  if (style == FStyle) return;
  FStyle = style;
  changed();
}

void TFont::SetColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  changed();
}

bool TFont::SameLook(const TFont& other) const {
  return FName == other.FName && FHeight == other.FHeight && FStyle == other.FStyle &&
         FColor == other.FColor;
}

void TFont::Assign(const TFont& source) {
  if (SameLook(source)) return;
  FName = source.FName;
  FHeight = source.FHeight;
  FStyle = source.FStyle;
  FColor = source.FColor;
  changed();
}

void TFont::changed() {
  if (OnChange) OnChange();
}
