// Mark symbols: small shapes centred on one pixel, chosen by number.
//   0..51   fixed symbols of a few pixels (dots, crosses, squares, diamonds,
//           circles, triangles, stars), always the same size;
//   52..255 one character of the surface's current font (200..209 draw the
//           digits "0".."9").
// Every symbol takes the surface's current pen colour; outlines use its width
// and style, filled symbols fill with the pen colour. Marks 1..6 and 18 are
// bit patterns set pixel by pixel, whatever the pen's width and style.
#pragma once

#include <cstdint>

class TCanvas;

// Draws mark Mark centred on (x, y). Afterwards, for marks 0..51, the brush
// has its colour from before the call and is solid, and the pen is as it
// was; for character marks the font colour is the pen colour and the brush
// is clear.
void DrawMarkOnCanvas(TCanvas& canv, uint8_t Mark, int x, int y);
