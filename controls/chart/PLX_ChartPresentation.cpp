// The presentation cache's rules and its pixel work: the window's data area
// taken back into the data bitmap with the pixels under the crosshairs put
// back, and the chart bitmap taken from the window.
#include "controls/chart/PLX_ChartPresentation.h"

#include <algorithm>
#include <cassert>

namespace {

// Copies the rectangle `from` of src to (x, y) of dst, pixel for pixel.
void copyPixels(const TBitmap& src, const TRect& from, TBitmap& dst, int x, int y) {
  for (int row = from.Top; row < from.Bottom; ++row) {
    std::copy_n(src.ScanLine(row) + from.Left, from.Width(), dst.ScanLine(y + row - from.Top) + x);
  }
}

// The rectangle r of src, row by row.
std::vector<uint32_t> pixelsOf(const TBitmap& src, const TRect& r) {
  std::vector<uint32_t> pixels;
  pixels.reserve(size_t(r.Width()) * size_t(r.Height()));
  for (int row = r.Top; row < r.Bottom; ++row) {
    pixels.insert(pixels.end(), src.ScanLine(row) + r.Left, src.ScanLine(row) + r.Right);
  }
  return pixels;
}

// Pixels kept by pixelsOf for a rectangle of this width, put at (x, y) of dst.
void putPixels(const std::vector<uint32_t>& pixels, int width, TBitmap& dst, int x, int y) {
  for (size_t i = 0; i < pixels.size(); i += size_t(width)) {
    std::copy_n(pixels.data() + i, width, dst.ScanLine(y + int(i / size_t(width))) + x);
  }
}

TRect intersection(const TRect& a, const TRect& b) {
  return {std::max(a.Left, b.Left),
          std::max(a.Top, b.Top),
          std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
}

}  // namespace

TOffWindow WhyNotOntoWindow(const TDataAreaFacts& f) {
  const TRect& r = f.DataArea;
  if (f.RenderingWatched) return TOffWindow::RenderingWatched;
  if (f.BackgroundImage) return TOffWindow::BackgroundImage;
  if (f.MarkMap) return TOffWindow::MarkMap;
  if (r.Width() != f.DataBmp.Width() || r.Height() != f.DataBmp.Height())
    return TOffWindow::DataBmpResized;
  if (f.DataBmpClip != f.DataBmp) return TOffWindow::DataBmpClipped;
  if (f.WindowSize != f.ChartSize) return TOffWindow::WindowResized;
  if (r.Left < 0 || r.Top < 0 || r.Right > f.ChartSize.x || r.Bottom > f.ChartSize.y) {
    return TOffWindow::DataAreaOffWindow;
  }
  return TOffWindow::None;
}

TCrossHairRepaint TChartPresentation::WhatCrossHairsNeed(uint32_t revision,
                                                         bool chartBmpOfChartSize) const {
  if (!FChartCurrent || !FDataCurrent) return TCrossHairRepaint::SettingsChanged;
  if (FDataRevision != revision) return TCrossHairRepaint::ItemsChanged;
  if (FTrace) return TCrossHairRepaint::TraceOnChart;
  if (!chartBmpOfChartSize) return TCrossHairRepaint::Resized;
  return TCrossHairRepaint::Recompose;
}

void TChartPresentation::DataBmpDrawnAfresh() {
  if (FKept != TKeptPictures::DataBmpOnWindow) return;
  FKept = TKeptPictures::InBitmaps;
  FUnderCrossHairs.clear();
}

void TChartPresentation::DataBmpDrawnOnWindow(const TBitmap& window, const TRect& place,
                                              std::span<const TRect> reach) {
  assert(FKept == TKeptPictures::InBitmaps);
  FKept = TKeptPictures::DataBmpOnWindow;
  FDataPlace = place;
  FUnderCrossHairs.clear();
  for (const TRect& band : reach) {
    const TRect r = intersection(band, place);
    if (r.Left >= r.Right || r.Top >= r.Bottom) continue;
    FUnderCrossHairs.push_back({r, pixelsOf(window, r)});
  }
}

bool TChartPresentation::TakeChartBmp(const TBitmap& window, TBitmap& chartBmp) {
  if (FKept != TKeptPictures::ChartBmpOnWindow) return false;
  FKept = TKeptPictures::InBitmaps;
  chartBmp.Assign(window);
  return true;
}

// The window's data area, with the pixels under the crosshairs put back.
bool TChartPresentation::TakeDataBmp(const TBitmap& window, TBitmap& dataBmp) {
  if (FKept != TKeptPictures::DataBmpOnWindow) return false;
  FKept = TKeptPictures::InBitmaps;
  const TRect& place = FDataPlace;
  assert(dataBmp.Width() == place.Width() && dataBmp.Height() == place.Height());
  copyPixels(window, place, dataBmp, 0, 0);
  for (const TSavedPixels& saved : FUnderCrossHairs) {
    const TRect& r = saved.Place;
    putPixels(saved.Pixels, r.Width(), dataBmp, r.Left - place.Left, r.Top - place.Top);
  }
  FUnderCrossHairs.clear();
  return true;
}
