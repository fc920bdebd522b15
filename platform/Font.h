// A font description: face, size, style set and colour, with one change
// notification for owners that repaint when their font changes.
#pragma once

#include <functional>
#include <string>

#include "PlatformTypes.h"

class TFont {
 public:
  // Tahoma at 11 pixels (8 points), in the window-text colour.
  TFont();

  const std::u16string& Name() const { return FName; }
  void SetName(const std::u16string& name);
  // Negative: the character (em) height in pixels; positive: the cell height.
  int Height() const { return FHeight; }
  void SetHeight(int height);
  // Points at 96 pixels per inch.
  int Size() const;
  void SetSize(int points);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles style);
  TColor Color() const { return FColor; }
  void SetColor(TColor color);

  // Copies face, height, style and colour; notifies once if anything changed.
  void Assign(const TFont& source);
  bool SameLook(const TFont& other) const;

  std::function<void()> OnChange;

 private:
  void changed();

  std::u16string FName;
  int FHeight;
  TFontStyles FStyle = 0;
  TColor FColor;
};
