// What the chart's window, chart bitmap and data bitmap hold after a Paint, a
// ShowGraf or a crosshair move, and so which way the next presentation takes.
//
// The window shows the composed picture: the chart bitmap with the data
// bitmap in its data area and the crosshairs over both. Copying a whole
// bitmap onto the window is the slow part of a presentation, so a picture
// drawn straight onto the window stays there alone until its bitmap is read
// (Kept): then the bitmap takes it from the window. That gives the same
// pixels as drawing into the bitmap and copying it over, because the window
// shows nothing else there in between (every change of the window takes the
// pictures back first).
//
// Separately, the kept pictures are current while nothing they depend on has
// changed: a crosshair move then only composes them again
// (WhatCrossHairsNeed) instead of rendering everything.
#pragma once

#include <cassert>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/PlatformTypes.h"

// Where the pictures of the two kept bitmaps lie.
enum class TKeptPictures : uint8_t {
  // Both bitmaps hold their own pictures.
  InBitmaps,
  // The chart bitmap's picture lies on the window alone (after a Paint or a
  // crosshair recompose); the data bitmap holds its own.
  ChartBmpOnWindow,
  // The data bitmap's picture lies on the window alone, with the pixels under
  // the crosshairs kept (after a ShowGraf straight onto the window); the
  // chart bitmap holds its own.
  DataBmpOnWindow,
};

// What a crosshair change needs to reach the window.
enum class TCrossHairRepaint : uint8_t {
  Recompose,        // the kept pictures are current: compose them again
  SettingsChanged,  // a setting changed since the kept pictures were drawn
  ItemsChanged,     // the item store changed since the data bitmap was drawn
  TraceOnChart,     // a box left its trace outside the data area
  Resized,          // the chart bitmap is not of the chart's size
};

// Why ShowGraf cannot render the data area straight onto the window, which
// would give the same picture as rendering it into the data bitmap and
// copying that over.
enum class TOffWindow : uint8_t {
  None,               // it can
  RenderingWatched,   // an event handler watches the rendering's surface
  BackgroundImage,    // the image is placed in data-bitmap pixels
  MarkMap,            // the map of drawn marks is kept in surface pixels
  DataBmpResized,     // the data bitmap does not have the data area's size
  DataBmpClipped,     // the data bitmap's canvas clips
  WindowResized,      // the window's surface is not of the chart's size
  DataAreaOffWindow,  // the data area does not lie on the window whole
};

// The facts WhyNotOntoWindow weighs, gathered by the chart.
struct TDataAreaFacts {
  bool RenderingWatched = false;
  bool BackgroundImage = false;
  bool MarkMap = false;
  TRect DataArea;     // the data bitmap's place on the chart
  TRect DataBmp;      // the data bitmap, 0, 0, width, height
  TRect DataBmpClip;  // its canvas's clip rectangle
  TPoint WindowSize;  // the window surface's width and height
  TPoint ChartSize;   // the chart's width and height
};

TOffWindow WhyNotOntoWindow(const TDataAreaFacts& f);

class TChartPresentation {
 public:
  TKeptPictures Kept() const { return FKept; }

  // ---- Freshness
  // Something a rendering depends on changed.
  void Outdated() {
    FChartCurrent = false;
    FDataCurrent = false;
  }
  // The chart bitmap, or the data bitmap, is being drawn again.
  void ChartBmpDrawing() { FChartCurrent = false; }
  void DataBmpDrawing() { FDataCurrent = false; }
  // Both were rendered in full from the store at this revision.
  void Rendered(uint32_t revision) {
    FChartCurrent = true;
    DataRendered(revision);
  }
  // The data bitmap was rendered in full from the store at this revision.
  void DataRendered(uint32_t revision) {
    FDataCurrent = true;
    FDataRevision = revision;
  }
  // Crosshairs were drawn over the chart bitmap's picture; trace: one may
  // have drawn outside the data area.
  void CrossHairsDrawn(bool trace) { FTrace = trace; }
  bool CrossHairTrace() const { return FTrace; }
  TCrossHairRepaint WhatCrossHairsNeed(uint32_t revision, bool chartBmpOfChartSize) const;

  // ---- Where the pictures lie
  // The chart bitmap's picture was drawn onto the window alone.
  // The data bitmap's picture has been taken from the window first.
  void ChartBmpDrawnOnWindow() {
    assert(FKept != TKeptPictures::DataBmpOnWindow);
    FKept = TKeptPictures::ChartBmpOnWindow;
  }
  // The chart bitmap is drawn afresh in itself: what the window holds of it
  // is not needed.
  void ChartBmpDrawnInItself() {
    if (FKept == TKeptPictures::ChartBmpOnWindow) FKept = TKeptPictures::InBitmaps;
  }
  // The data bitmap is about to be drawn afresh: what the window holds of it
  // is not needed.
  void DataBmpDrawnAfresh();
  // The data area was rendered at `place` of the window instead of into the
  // data bitmap; the pixels under the crosshairs (reach) are kept before
  // they are drawn.
  void DataBmpDrawnOnWindow(const TBitmap& window, const TRect& place,
                            std::span<const TRect> reach);
  // The bitmap takes its picture from the window, if the window holds it;
  // true when it did.
  bool TakeChartBmp(const TBitmap& window, TBitmap& chartBmp);
  bool TakeDataBmp(const TBitmap& window, TBitmap& dataBmp);

 private:
  struct TSavedPixels {
    TRect Place;
    std::vector<uint32_t> Pixels;  // row by row
  };

  TKeptPictures FKept = TKeptPictures::InBitmaps;
  bool FChartCurrent = false;
  bool FDataCurrent = false;
  uint32_t FDataRevision = 0;
  bool FTrace = false;
  TRect FDataPlace;                            // with DataBmpOnWindow
  std::vector<TSavedPixels> FUnderCrossHairs;  // with DataBmpOnWindow
};
