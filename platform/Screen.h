// Display facts and the application-wide cursor.
#pragma once

#include <string>

// The display's horizontal and vertical aspect values (square pixels: equal).
int ScreenAspectX();
int ScreenAspectY();

// Cursor numbers: the platform's own are zero or negative, the program
// registers its own from 1 upwards.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crHandPoint = -21;

// Makes a named cursor of the program available under a number.
void RegisterCursor(TCursor number, const std::u16string& resourceName);
// Overrides the cursor everywhere in the application; crDefault removes the
// override.
void SetScreenCursor(TCursor cursor);
TCursor ScreenCursor();

// The image of one of the program's own cursors: its size in pixels, its hot
// spot and how many of its pixels are not transparent.
struct TCursorImage {
  int Width = 0;
  int Height = 0;
  int HotX = 0;
  int HotY = 0;
  int InkPixels = 0;
};
// False for the platform's cursors, for numbers without an image of the
// program's own, and before the application exists.
bool RegisteredCursorImage(TCursor number, TCursorImage& image);
