#include "Bitmap.h"

#include <algorithm>
#include <cstring>

#include "Colors.h"
#include "Errors.h"
#include "WholeFile.h"

namespace {

constexpr uint32_t kWhitePixel = RGBToPixel(0xFFFFFF);

void putLE(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

}  // namespace

// Bottom-up rows with a 40-byte info header.
std::vector<uint8_t> EncodeBmp(const TBitmap& bmp) {
  const int w = bmp.Width();
  const int h = bmp.Height();
  const uint32_t rowBytes = (uint32_t(w) * 3 + 3) & ~3u;
  const uint32_t dataSize = rowBytes * uint32_t(h);
  std::vector<uint8_t> out;
  out.reserve(54 + dataSize);
  out.push_back('B');
  out.push_back('M');
  putLE(out, 54 + dataSize, 4);
  putLE(out, 0, 4);
  putLE(out, 54, 4);
  putLE(out, 40, 4);
  putLE(out, uint32_t(w), 4);
  putLE(out, uint32_t(h), 4);
  putLE(out, 1, 2);
  putLE(out, 24, 2);
  putLE(out, 0, 4);
  putLE(out, dataSize, 4);
  putLE(out, 3780, 4);  // 96 dpi
  putLE(out, 3780, 4);
  putLE(out, 0, 4);
  putLE(out, 0, 4);
  for (int y = h - 1; y >= 0; --y) {
    const uint32_t* row = bmp.ScanLine(y);
    for (int x = 0; x < w; ++x) putLE(out, row[x] & 0xFFFFFFu, 3);  // blue, green, red
    for (uint32_t pad = uint32_t(w) * 3; pad < rowBytes; ++pad) out.push_back(0);
  }
  return out;
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) { SetSize(width, height); }

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == FWidth && height == FHeight) return;
  if (1LL * width * height > MaxPixels) {
    throw EOutOfMemory("A bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
                       " pixels is larger than " + std::to_string(MaxPixels) + " pixels");
  }
  std::vector<uint32_t> rows;
  if (FBits) {  // rows never reached stay so: they are white at any size
    rows.assign(size_t(width) * size_t(height), kWhitePixel);
    const int keepW = std::min(width, FWidth);
    const int keepH = std::min(height, FHeight);
    for (int y = 0; keepW > 0 && y < keepH; ++y) {
      std::memcpy(
          rows.data() + size_t(y) * size_t(width), ScanLine(y), size_t(keepW) * sizeof(uint32_t));
    }
  }
  rowsMoved();
  FPixels.swap(rows);
  FBits = FPixels.empty() ? nullptr : FPixels.data();
  FWidth = width;
  FHeight = height;
}

uint32_t* TBitmap::allocateRows() const {
  FPixels.assign(size_t(FWidth) * size_t(FHeight), kWhitePixel);
  FBits = FPixels.empty() ? nullptr : FPixels.data();
  return FPixels.data();
}

TColor TBitmap::PixelColor(int x, int y) const {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return -1;
  return TColor(PixelToRGB(ScanLine(y)[x]));
}

void TBitmap::Assign(const TBitmap& source) {
  if (&source == this) return;
  const bool resized = source.FWidth != FWidth || source.FHeight != FHeight;
  const uint32_t* before = FBits;
  FWidth = source.FWidth;
  FHeight = source.FHeight;
  if (source.FBits) {
    FPixels = source.FPixels;
    FBits = FPixels.data();
  } else if (FBits && !resized) {
    std::fill(FPixels.begin(), FPixels.end(), kWhitePixel);
  } else {
    std::vector<uint32_t>().swap(FPixels);
    FBits = nullptr;
  }
  if (resized || FBits != before) rowsMoved();
}

void TBitmap::SaveToFile(const std::u16string& fileName) const {
  const std::vector<uint8_t> data = EncodeBmp(*this);
  WriteWholeFile(fileName, {reinterpret_cast<const char*>(data.data()), data.size()});
}
