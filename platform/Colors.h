// Resolution of colour values to the pixels the drawing surface writes.
#pragma once

#include <cstdint>

#include "PlatformTypes.h"

// The 0x00BBGGRR value a colour is drawn with. System colours (top byte 0xFF)
// come from the fixed table of the classic desktop scheme; any other top byte
// is ignored, so the low three bytes are drawn as they stand.
uint32_t ColorToRGB(TColor color);

// Pixels in a bitmap are 0xFFRRGGBB: opaque, red in bits 16..23.
constexpr uint32_t RGBToPixel(uint32_t bgr) {
  return 0xFF000000u | ((bgr & 0xFFu) << 16) | (bgr & 0xFF00u) | ((bgr >> 16) & 0xFFu);
}
constexpr uint32_t PixelToRGB(uint32_t pixel) {
  return ((pixel >> 16) & 0xFFu) | (pixel & 0xFF00u) | ((pixel & 0xFFu) << 16);
}
inline uint32_t ColorToPixel(TColor color) { return RGBToPixel(ColorToRGB(color)); }
