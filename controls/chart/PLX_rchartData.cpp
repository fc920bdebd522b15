// The data pass: one walk over the item store that draws every visible item
// in store order onto the data surface. Consecutive line segments become
// polylines of at most 200 points, and pen, fill and font attributes are
// applied to the surface only when they change.
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "controls/base/PLX_Marks.h"
#include "controls/chart/PLX_rchart.h"
#include "platform/Canvas.h"

namespace {

constexpr int kMaxPolyline = 200;
constexpr TColor kBlackWhiteFill = clSilver;
// Items asked from memory ahead of the one drawn: a large store streams from
// main memory, and the pass does too much per item for the processor to run
// that far ahead on its own.
constexpr int kPrefetchItems = 16;

// Character marks draw in the surface's font, and text items set its size
// and style: every pass starts from the default size and style, so that an
// earlier pass (or the axes drawn on the same surface) cannot change how a
// mark looks. The face stays the surface's own.
void resetFontLook(TFont& font) {
  static const TFont kDefault;
  font.SetHeight(kDefault.Height());
  font.SetStyle(kDefault.Style());
}

// A pixel offset stored as a double, rounded half to even.
int rnd(double v) { return RoundToPixel(v); }

TPoint offsetPoint(TPoint p, double dx, double dy) {
  return {ClampPixel(static_cast<long long>(p.x) + rnd(dx)),
          ClampPixel(static_cast<long long>(p.y) + rnd(dy))};
}

bool between(double v, double a, double b) { return v >= std::min(a, b) && v <= std::max(a, b); }

bool overlaps(double lo, double hi, double a, double b) {
  return lo <= std::max(a, b) && hi >= std::min(a, b);
}

// Which items the pass draws, by class and layer, read from the store once
// per pass instead of twice per item.
class ItemVisibility {
 public:
  explicit ItemVisibility(const TrcItemStore& store) {
    for (int c = 0; c < 256; ++c) FClass[size_t(c)] = store.ClassVisible(uint8_t(c));
    for (int n = 0; n <= NumLayers; ++n) FLayer[size_t(n)] = store.LayerVisible(n);
  }
  bool operator()(const TrcChartItem& item) const {
    return FClass[item.ItemClass] && unsigned(item.Layer) <= unsigned(NumLayers) &&
           FLayer[size_t(item.Layer)];
  }

 private:
  std::array<bool, 256> FClass;
  std::array<bool, NumLayers + 1> FLayer;
};

// The points of the polyline being gathered, in a buffer of kMaxPolyline.
// Small enough to be copied into registers for a run of line items.
struct PendingPolyline {
  TPoint* points;
  int numEntered = 0;    // points entered, kept or not
  int numStored = 0;     // the first numStored points are kept
  TPoint lastEntered{};  // once two points are kept: the last one kept

  // Enters a point of a polyline starting at start; true when the polyline
  // is full: 200 points are drawn at once.
  bool enter(TPoint p, TPoint start) {
    if (numStored == 0) {
      points[0] = start;
      numStored = 1;
      numEntered = 1;
    }
    // A point on the previous one adds no pixel, whatever the pen: it is
    // counted but not kept (once the polyline has two points), which spares
    // dense data most of its segments. Written, then kept or not, without a
    // branch: in dense data whether a point repeats cannot be foreseen. The
    // last point entered is the last one kept, as a repeat equals it; held
    // apart, the test need not wait for the count of kept points.
    points[numStored] = p;
    numStored += int(numStored < 2) | int(p.x != lastEntered.x) | int(p.y != lastEntered.y);
    lastEntered = p;
    return ++numEntered == kMaxPolyline;
  }
};

}  // namespace

// The state of one pass: the surface with its attribute caches, the
// polyline buffer and start, and the item being drawn.
struct TCustomRChart::DataPass {
  TCanvas& cv;
  const ItemVisibility& visible;
  int PosX;
  int PosY;
  bool BlkWhite;
  TColor LastPenCol;
  TPenStyle LastPenStyle = psSolid;
  TColor LastBrushCol;
  TColor LastFontCol;
  int LastLWidth;
  TPoint LastMoveTo;     // where the next polyline starts
  TColor c = clBlack;    // the colour of the item being drawn
  PendingPolyline line;  // its points kept in FPpa

  void setPen(TColor color, TPenStyle style) {
    if (color != LastPenCol) cv.Pen().SetColor(LastPenCol = color);
    if (style != LastPenStyle) cv.Pen().SetStyle(LastPenStyle = style);
  }
  // Setting a fill colour makes a clear fill solid, so only a changed colour
  // touches the fill.
  void setBrushColor(TColor color) {
    if (color != LastBrushCol) cv.Brush().SetColor(LastBrushCol = color);
  }
  void setFontColor(TColor color) {
    if (color != LastFontCol) cv.Font().SetColor(LastFontCol = color);
  }
  void fillByTransp(bool transparent) { cv.Brush().SetStyle(transparent ? bsClear : bsSolid); }

  void enterPolyline(TPoint p) {
    if (line.enter(p, LastMoveTo)) finishPolyline();
  }
  // Draws the pending polyline; the next one starts at its end.
  void finishPolyline() {
    if (line.numStored == 0) return;
    cv.Polyline({line.points, size_t(line.numStored)});
    LastMoveTo = line.points[line.numStored - 1];
    cv.MoveTo(LastMoveTo.x, LastMoveTo.y);
    line.numStored = 0;
  }
  TColor fillOf(const TrcChartItem& item) const {
    return BlkWhite ? kBlackWhiteFill : item.FillColor;
  }
};

// The mapped control pixel, moved by a pixel offset, clamped and shifted onto
// the data surface.
TPoint TCustomRChart::surfacePos(const DataPass& pass, int Layer, double x, double y, int dx,
                                 int dy) const {
  int px = 0;
  int py = 0;
  R2M(Layer, x, y, px, py);
  px = LimitPixel(static_cast<long long>(px) + dx);
  py = LimitPixel(static_cast<long long>(py) + dy);
  return {px - FFrame.L + pass.PosX, py - FFrame.T + pass.PosY};
}

// Inline, as drawLineto: both run for every point of a polyline.
inline TPoint TCustomRChart::linePos(const DataPass& pass, int Layer, double x, double y) const {
  int px = 0;
  int py = 0;
  R2M(Layer, x, y, px, py);
  return {ClampPixel(static_cast<long long>(px) - FFrame.L + pass.PosX),
          ClampPixel(static_cast<long long>(py) - FFrame.T + pass.PosY)};
}

inline void TCustomRChart::drawLineto(DataPass& pass, const TrcChartItem& item) {
  const TPoint a = linePos(pass, item.Layer, item.x, item.y);
  if (pass.c != pass.LastPenCol || item.PenStyle != pass.LastPenStyle ||
      item.FillColor != pass.LastBrushCol) {
    pass.finishPolyline();
    pass.setPen(pass.c, item.PenStyle);
    pass.setBrushColor(item.FillColor);
  }
  pass.enterPolyline(a);
}

// A line item and the visible line items after it that share its layer,
// colour, pen, fill and width: the bulk of large charts, drawn with the
// attributes compared once. Invisible items between them are passed over.
// Returns the index of the last item drawn.
int TCustomRChart::drawLinetoRun(DataPass& pass, const TrcChartItem* items, int first, int count) {
  const TrcChartItem& head = items[first];
  drawLineto(pass, head);
  const TAxisMap& mapX = FMapX[size_t(std::clamp(head.Layer, 1, MaxLayers))];
  const TAxisMap& mapY = FMapY[size_t(std::clamp(head.Layer, 1, MaxLayers))];
  const long long dx = static_cast<long long>(pass.PosX) - FFrame.L;
  const long long dy = static_cast<long long>(pass.PosY) - FFrame.T;
  int last = first;
  PendingPolyline line = pass.line;  // in registers for the run
  for (int i = first + 1; i < count; ++i) {
    if (i + kPrefetchItems < count) __builtin_prefetch(items + i + kPrefetchItems);
    const TrcChartItem& item = items[i];
    if (!pass.visible(item)) continue;
    if (item.ItemKind != tkLineto || item.Layer != head.Layer || item.LWid != head.LWid ||
        item.PenStyle != head.PenStyle || item.FillColor != head.FillColor ||
        (!pass.BlkWhite && item.Color != head.Color)) {
      break;
    }
    const TPoint p{ClampPixel(mapX.ToPixel(item.x) + dx), ClampPixel(mapY.ToPixel(item.y) + dy)};
    if (line.enter(p, pass.LastMoveTo)) {
      pass.line = line;
      pass.finishPolyline();
      line = pass.line;
    }
    last = i;
  }
  pass.line = line;
  return last;
}

void TCustomRChart::ConstructDataBmp(TCanvas& cv, int PosX, int PosY, bool BlkWhite,
                                     int FirstItem) {
  constructDataBmp(cv, PosX, PosY, BlkWhite, FirstItem, false);
}

void TCustomRChart::constructDataBmp(TCanvas& cv, int PosX, int PosY, bool BlkWhite, int FirstItem,
                                     bool verticalGridDrawn) {
  const int dx = FFrame.L - PosX;
  const int dy = FFrame.T - PosY;
  if (AvoidDuplicateMarks()) FPixMap.assign(size_t(FFrame.W + 4) * size_t(FFrame.H + 4), -1);
  if (OnBeforeRenderData) {
    const TColor fill = cv.Brush().Color();
    const TColor pen = cv.Pen().Color();
    OnBeforeRenderData(this, cv, dx, dy);
    cv.Brush().SetColor(fill);
    cv.Pen().SetColor(pen);
  }
  if (FSettings.GridStyle != gsNone && FirstItem == 0)
    constructGrid(cv, PosX, PosY, !verticalGridDrawn);
  const ItemVisibility visible(FStore);
  FPpa.resize(kMaxPolyline);
  DataPass pass{cv,
                visible,
                PosX,
                PosY,
                BlkWhite,
                FSettings.ChartColor,
                psSolid,
                FSettings.ChartColor,
                FSettings.ChartColor,
                LineWidth(),
                {PosX, PosY},
                clBlack,
                PendingPolyline{FPpa.data()}};
  cv.Pen().SetWidth(pass.LastLWidth);
  cv.Pen().SetColor(FSettings.ChartColor);
  cv.Pen().SetStyle(psSolid);
  cv.Brush().SetColor(FSettings.ChartColor);
  cv.Font().SetColor(FSettings.ChartColor);
  resetFontLook(cv.Font());
  cv.MoveTo(PosX, PosY);
  const TrcChartItem* items = FStore.Items();
  const int count = FStore.NumItems();
  for (int i = 0; i < count; ++i) {
    if (i + kPrefetchItems < count) __builtin_prefetch(items + i + kPrefetchItems);
    const TrcChartItem& item = items[i];
    // An invisible item leaves the polyline open: the line runs on from the
    // last visible point.
    if (!visible(item)) continue;
    pass.c = BlkWhite ? clBlack : item.Color;
    if (item.LWid != pass.LastLWidth) {
      pass.finishPolyline();
      cv.Pen().SetWidth(pass.LastLWidth = item.LWid);
    }
    // Segments first: they are the bulk of large charts.
    if (item.ItemKind == tkLineto) {
      i = drawLinetoRun(pass, items, i, count);
    } else {
      drawItem(pass, item);
    }
  }
  pass.finishPolyline();
  cv.Pen().SetWidth(1);
  if (OnDataRendered) OnDataRendered(this, cv, dx, dy);
  drawDataFrame(cv, PosX, PosY);
}

void TCustomRChart::drawDataFrame(TCanvas& cv, int PosX, int PosY) {
  const int DW = FFrame.DataWidth();
  const int DH = FFrame.DataHeight();
  cv.Pen().SetColor(FSettings.ChartFrameColor);
  cv.Pen().SetStyle(psSolid);
  cv.MoveTo(PosX, PosY);
  cv.LineTo(PosX + DW, PosY);
  cv.LineTo(PosX + DW, PosY + DH);
  cv.LineTo(PosX, PosY + DH);
  cv.LineTo(PosX, PosY);
}

// Every kind but tkLineto, whose runs drawLinetoRun draws.
void TCustomRChart::drawItem(DataPass& pass, const TrcChartItem& item) {
  switch (item.ItemKind) {
    case tkMoveTo: {
      pass.finishPolyline();
      pass.LastMoveTo = linePos(pass, item.Layer, item.x, item.y);
      pass.cv.MoveTo(pass.LastMoveTo.x, pass.LastMoveTo.y);
      break;
    }
    case tkLine:
      drawLineItem(pass, item);
      break;
    case tkMoveRelPix:
    case tkLineRelPix:
      drawRelPixItem(pass, item);
      break;
    case tkRect:
    case tkRectRelPix:
    case tkEllipse:
      drawShapeItem(pass, item);
      break;
    case tkRectFrame:
      drawRectFrame(pass, item);
      break;
    case tk3DBar:
      draw3DBar(pass, item);
      break;
    case tkArrow:
      drawArrow(pass, item);
      break;
    case tkText:
    case tkTextOfs:
      drawTextItem(pass, item);
      break;
    case tkMarkAt:
      drawMarkItem(pass, item);
      break;
    case tkMarkEBar:
      drawErrorBar(pass, item);
      break;
    default:
      break;
  }
}

void TCustomRChart::drawLineItem(DataPass& pass, const TrcChartItem& item) {
  pass.finishPolyline();
  pass.setPen(pass.c, item.PenStyle);
  pass.setBrushColor(item.FillColor);
  const TPoint a = linePos(pass, item.Layer, item.x, item.y);
  const TPoint b = linePos(pass, item.Layer, item.x2, item.y2);
  if (a == b) {
    pass.cv.SetPixel(a.x, a.y, pass.c);
    return;
  }
  pass.cv.MoveTo(a.x, a.y);
  pass.cv.LineTo(b.x, b.y);
}

// Pixel offsets from the current position; only the move changes where the
// next polyline starts.
void TCustomRChart::drawRelPixItem(DataPass& pass, const TrcChartItem& item) {
  pass.finishPolyline();
  const TPoint a = offsetPoint(pass.cv.PenPos(), item.x, item.y);
  if (item.ItemKind == tkMoveRelPix) {
    pass.LastMoveTo = a;
    pass.cv.MoveTo(a.x, a.y);
    return;
  }
  pass.setPen(pass.c, item.PenStyle);
  pass.setBrushColor(item.FillColor);
  pass.cv.LineTo(a.x, a.y);
  pass.cv.SetPixel(a.x, a.y, pass.c);
}

namespace {

// Two equal corners are one pixel; otherwise the larger x and the larger y
// grow by one (the first on a tie), so both corners lie inside the shape.
void growLargerCorner(TPoint& a, TPoint& b) {
  (a.x >= b.x ? a.x : b.x) += 1;
  (a.y >= b.y ? a.y : b.y) += 1;
}

}  // namespace

void TCustomRChart::drawShapeItem(DataPass& pass, const TrcChartItem& item) {
  pass.finishPolyline();
  pass.setPen(pass.c, item.PenStyle);
  pass.setBrushColor(pass.fillOf(item));
  pass.fillByTransp(item.Transp);
  TPoint a;
  TPoint b;
  if (item.ItemKind == tkRectRelPix) {
    // x2 and y2 are the half width and height in pixels.
    const int dx = rnd(item.x2);
    const int dy = rnd(item.y2);
    a = surfacePos(pass, item.Layer, item.x, item.y, -dx, -dy);
    b = surfacePos(pass, item.Layer, item.x, item.y, dx, dy);
  } else if (item.ItemKind == tkEllipse) {
    a = surfacePos(pass, item.Layer, item.x - item.x2, item.y + item.y2);
    b = surfacePos(pass, item.Layer, item.x + item.x2, item.y - item.y2);
  } else {
    a = surfacePos(pass, item.Layer, item.x, item.y);
    b = surfacePos(pass, item.Layer, item.x2, item.y2);
  }
  if (a == b) {
    pass.cv.SetPixel(a.x, a.y, pass.c);
    return;
  }
  growLargerCorner(a, b);
  if (item.ItemKind == tkEllipse) {
    pass.cv.Ellipse(a.x, a.y, b.x, b.y);
  } else {
    pass.cv.Rectangle(a.x, a.y, b.x, b.y);
  }
}

void TCustomRChart::drawRectFrame(DataPass& pass, const TrcChartItem& item) {
  pass.finishPolyline();
  const TColor f = pass.fillOf(item);
  pass.setPen(f, item.PenStyle);
  pass.setBrushColor(f);
  TPoint a = surfacePos(pass, item.Layer, item.x, item.y);
  TPoint b = surfacePos(pass, item.Layer, item.x2, item.y2);
  if (a == b) {
    pass.cv.SetPixel(a.x, a.y, f);
    return;
  }
  const int xa = std::min(a.x, b.x), xb = std::max(a.x, b.x);
  const int ya = std::max(a.y, b.y), yb = std::min(a.y, b.y);
  TCanvas& cv = pass.cv;
  cv.Rectangle(xa, ya, xb, yb);
  const bool lowered = item.FrameStyle == fsLowered || item.FrameStyle == fsEmbossed;
  const TColor c1 = lowered ? item.ShadowColor : item.HiLightColor;
  const TColor c2 = lowered ? item.HiLightColor : item.ShadowColor;
  if (item.FrameStyle == fsLowered || item.FrameStyle == fsRaised) {
    pass.setPen(c1, item.PenStyle);
    cv.MoveTo(xa, ya);
    cv.LineTo(xa, yb);
    cv.LineTo(xb, yb);
    pass.setPen(c2, item.PenStyle);
    cv.LineTo(xb, ya);
    cv.LineTo(xa, ya);
  } else if (item.FrameStyle == fsEmbossed || item.FrameStyle == fsEngraved) {
    pass.setPen(c1, item.PenStyle);
    cv.MoveTo(xa + 1, ya);
    cv.LineTo(xa + 1, yb + 1);
    cv.LineTo(xb, yb + 1);
    cv.LineTo(xb, ya);
    cv.LineTo(xa + 1, ya);
    pass.setPen(c2, item.PenStyle);
    cv.MoveTo(xa, ya - 1);
    cv.LineTo(xa, yb);
    cv.LineTo(xb - 1, yb);
    cv.LineTo(xb - 1, ya - 1);
    cv.LineTo(xa, ya - 1);
  }
}

void TCustomRChart::draw3DBar(DataPass& pass, const TrcChartItem& item) {
  pass.finishPolyline();
  pass.setPen(pass.c, item.PenStyle);
  pass.setBrushColor(pass.fillOf(item));
  const TPoint p = surfacePos(pass, item.Layer, item.x, item.y);
  const TPoint q = surfacePos(pass, item.Layer, item.x2, item.y2);
  int xa = std::min(p.x, q.x), xb = std::max(p.x, q.x);
  const int ya = std::min(p.y, q.y), yb = std::max(p.y, q.y);
  const double angle = item.SizeOrAngle * std::numbers::pi / 180;
  const int dx = rnd(std::cos(angle) * item.Depth);
  const int dy = -rnd(std::sin(angle) * item.Depth);
  if (item.SizeOrAngle > 90) std::swap(xa, xb);
  TCanvas& cv = pass.cv;
  FShape.assign({{xa, ya}, {xa + dx, ya + dy}, {xb + dx, ya + dy}, {xb, ya}});
  cv.Polygon(FShape);
  FShape.assign({{xb + dx, ya + dy}, {xb, ya}, {xb, yb}, {xb + dx, yb + dy}});
  cv.Polygon(FShape);
  TPoint a{xa, ya};
  TPoint b{xb, yb};
  growLargerCorner(a, b);
  cv.Rectangle(a.x, a.y, b.x, b.y);
}

void TCustomRChart::drawArrow(DataPass& pass, const TrcChartItem& item) {
  pass.finishPolyline();
  pass.setPen(pass.c, item.PenStyle);
  pass.setBrushColor(pass.fillOf(item));
  pass.fillByTransp(item.Transp);
  const TPoint a = surfacePos(pass, item.Layer, item.x, item.y);
  const TPoint b = surfacePos(pass, item.Layer, item.x2, item.y2);
  TCanvas& cv = pass.cv;
  if (a == b) {
    cv.SetPixel(a.x, a.y, pass.c);
    return;
  }
  cv.MoveTo(a.x, a.y);
  cv.LineTo(b.x, b.y);
  const int s = item.SizeOrAngle;
  if (s < 1) return;
  constexpr double pi = std::numbers::pi;
  double r = 0;
  if (a.x == b.x) {
    r = b.y - a.y > 0 ? pi : 2 * pi;
  } else {
    r = std::atan(double(b.y - a.y) / double(b.x - a.x)) + (b.x - a.x < 0 ? 3 * pi / 2 : pi / 2);
  }
  const double barb = 20 * pi / 180;
  const TPoint p1{b.x - rnd(std::sin(r + barb) * s), b.y + rnd(std::cos(r + barb) * s)};
  const TPoint p2{b.x - rnd(std::sin(r - barb) * s), b.y + rnd(std::cos(r - barb) * s)};
  if (item.Transp) {
    cv.MoveTo(b.x, b.y);
    cv.LineTo(p1.x, p1.y);
    cv.MoveTo(b.x, b.y);
    cv.LineTo(p2.x, p2.y);
    return;
  }
  FShape.assign({b, p1, p2});
  cv.Polygon(FShape);
}

void TCustomRChart::drawTextItem(DataPass& pass, const TrcChartItem& item) {
  pass.finishPolyline();
  TCanvas& cv = pass.cv;
  pass.setFontColor(pass.c);
  cv.Font().SetStyle(FStore.TextFontStyle());
  cv.Font().SetSize(item.SizeOrAngle);
  pass.setBrushColor(FStore.TextBkColor());
  cv.Brush().SetStyle(FStore.TextBkStyle() == tbSolid ? bsSolid : bsClear);
  // A tkTextOfs item moves its mapped pixel by its own offset.
  const bool offset = item.ItemKind == tkTextOfs;
  TPoint p = surfacePos(
      pass, item.Layer, item.x, item.y, offset ? rnd(item.x2) : 0, offset ? rnd(item.y2) : 0);
  const std::u16string text = item.Text.ToString();
  const int tw = cv.TextWidth(text);
  p.y -= cv.TextHeight(text) / 2;
  if (item.MarkOrAlign == taRightJustify) p.x -= tw;
  if (item.MarkOrAlign == taCenter) p.x -= tw / 2;
  cv.TextOut(p.x, p.y, text);
}

// A mark is drawn only when its point lies in the layer's range, ends
// included; a coordinate that is not a number fails.
bool TCustomRChart::markInRange(const TrcChartItem& item) const {
  const TScaleProps& x = *FScalePropsX[size_t(item.Layer)];
  const TScaleProps& y = *FScalePropsY[size_t(item.Layer)];
  return between(item.x, x.RangeLow(), x.RangeHigh()) &&
         between(item.y, y.RangeLow(), y.RangeHigh());
}

void TCustomRChart::drawMarkItem(DataPass& pass, const TrcChartItem& item) {
  pass.finishPolyline();
  if (!markInRange(item)) return;
  pass.setPen(pass.c, item.PenStyle);
  const TPoint a = surfacePos(pass, item.Layer, item.x, item.y);
  if (AvoidDuplicateMarks()) {
    // The 5 x 5 cells around a drawn mark remember its number.
    const int mapW = FFrame.W + 4;
    const int mapH = FFrame.H + 4;
    const int cx = a.x + 2;
    const int cy = a.y + 2;
    if (cx >= 0 && cx < mapW && cy >= 0 && cy < mapH) {
      if (FPixMap[size_t(cy) * size_t(mapW) + size_t(cx)] == item.MarkOrAlign) return;
      for (int y = std::max(cy - 2, 0); y <= std::min(cy + 2, mapH - 1); ++y) {
        for (int x = std::max(cx - 2, 0); x <= std::min(cx + 2, mapW - 1); ++x) {
          FPixMap[size_t(y) * size_t(mapW) + size_t(x)] = item.MarkOrAlign;
        }
      }
    }
  }
  DrawMarkOnCanvas(pass.cv, item.MarkOrAlign, a.x, a.y);
  // A character mark leaves the font in the pen colour and the fill clear.
  if (item.MarkOrAlign >= 52) pass.LastFontCol = pass.c;
}

void TCustomRChart::drawErrorBar(DataPass& pass, const TrcChartItem& item) {
  pass.finishPolyline();
  const double eLow = std::fabs(item.x2);
  const double eHigh = std::fabs(item.y2);
  const TScaleProps& px = *FScalePropsX[size_t(item.Layer)];
  const TScaleProps& py = *FScalePropsY[size_t(item.Layer)];
  if (!overlaps(item.x - eLow, item.x + eHigh, px.RangeLow(), px.RangeHigh()) ||
      !overlaps(item.y - eLow, item.y + eHigh, py.RangeLow(), py.RangeHigh())) {
    return;
  }
  pass.setPen(pass.c, item.PenStyle);
  pass.setBrushColor(item.FillColor);
  TCanvas& cv = pass.cv;
  const TPoint a = surfacePos(pass, item.Layer, item.x, item.y);
  const bool horizontal = item.SizeOrAngle != orVert;
  for (const double sign : {-1.0, 1.0}) {
    const double e = sign < 0 ? -eLow : eHigh;
    if (horizontal) {
      const int xe = surfacePos(pass, item.Layer, item.x + e, item.y).x;
      cv.MoveTo(a.x, a.y);
      cv.LineTo(xe, a.y);
      cv.MoveTo(xe, a.y - 3);
      cv.LineTo(xe, a.y + 4);
    } else {
      const int ye = surfacePos(pass, item.Layer, item.x, item.y + e).y;
      cv.MoveTo(a.x, a.y);
      cv.LineTo(a.x, ye);
      cv.MoveTo(a.x - 3, ye);
      cv.LineTo(a.x + 4, ye);
    }
  }
  DrawMarkOnCanvas(cv, item.MarkOrAlign, a.x, a.y);
  if (item.MarkOrAlign >= 52) pass.LastFontCol = pass.c;
}
