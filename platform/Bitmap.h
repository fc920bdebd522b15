// An off-screen picture: 32-bit opaque pixels in rows, with its own drawing
// surface. The pixel store and the drawing state are kept apart: TBitmap owns
// width, height and the rows; its TCanvas holds pen, brush, font and position.
// The pixel store stands below the canvas: Canvas.cpp makes the canvas, and
// the bitmap tells it no more than that its rows moved.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "PlatformTypes.h"

class TCanvas;

class TBitmap {
 public:
  // The most pixels a bitmap holds: 256 MB of them. A larger size raises
  // EOutOfMemory (Errors.h) instead of ending the program when its rows are
  // reached.
  static constexpr long long MaxPixels = 1LL << 26;

  TBitmap();
  TBitmap(int width, int height);
  ~TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Keeps the pixels of the overlapping top-left part; new pixels are white.
  // Negative sizes count as 0. More than MaxPixels raise EOutOfMemory and
  // leave the bitmap as it was.
  void SetSize(int width, int height);
  void SetWidth(int width) { SetSize(width, FHeight); }
  void SetHeight(int height) { SetSize(FWidth, height); }

  // Pixels are 0xFFRRGGBB (see Colors.h); a row holds exactly Width() pixels.
  uint32_t* ScanLine(int y) { return bits() + size_t(y) * size_t(FWidth); }
  const uint32_t* ScanLine(int y) const { return bits() + size_t(y) * size_t(FWidth); }
  // The colour (0x00BBGGRR) of one pixel; -1 outside the bitmap.
  TColor PixelColor(int x, int y) const;

  // The surface that draws onto this bitmap, made when first asked for
  // (Canvas.cpp).
  TCanvas& Canvas();

  // Makes this bitmap an exact copy of the source's size and pixels.
  void Assign(const TBitmap& source);

  // Reads any image format the platform knows (QtPicture.cpp). Throws
  // EFileError when the file cannot be read; the bitmap is then unchanged.
  void LoadFromFile(const std::u16string& fileName);
  // Writes a 24-bit ".bmp" file as WriteWholeFile does (WholeFile.h): a
  // failure throws EFileError and leaves an existing file as it was.
  void SaveToFile(const std::u16string& fileName) const;

 private:
  // The rows come into being, white, when they are first reached: a bitmap
  // that is sized but never drawn (a chart on a page not yet shown, the sizes
  // a chart passes through while it is set up) costs no memory.
  uint32_t* bits() const { return FBits ? FBits : allocateRows(); }
  uint32_t* allocateRows() const;

  int FWidth = 0;
  int FHeight = 0;
  mutable std::vector<uint32_t> FPixels;
  mutable uint32_t* FBits = nullptr;  // FPixels.data() once the rows exist
  // Set by Canvas() with the canvas: how to delete it, and how to tell it
  // that the rows moved or changed size.
  std::unique_ptr<TCanvas, void (*)(TCanvas*)> FCanvas{nullptr, nullptr};
  void (*FRowsMoved)(TCanvas&) = nullptr;
  void rowsMoved() {
    if (FCanvas) FRowsMoved(*FCanvas);
  }
};

// The bytes of a 24-bit ".bmp" file of the picture, as SaveToFile writes it.
std::vector<uint8_t> EncodeBmp(const TBitmap& picture);
