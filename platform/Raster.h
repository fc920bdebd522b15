// Scan conversion of lines, ellipses and polygons into pixels and spans.
// Pure geometry: no colours, no surface. Coordinates may lie anywhere in the
// 32-bit range; every product that could overflow is formed in 128 bits, and
// only the pixels inside the clip box are visited, so a line towards a point
// billions of pixels away costs no more than one across the surface.
#pragma once

#include <cstdint>
#include <vector>

#include "PlatformTypes.h"

namespace raster {

// A run of pixels x0..x1-1 on row y.
struct Span {
  int y;
  int x0;
  int x1;
};

// Half-open clip box.
struct Box {
  int x0;
  int y0;
  int x1;
  int y1;
};

// Number of pixels of the one-pixel line from a towards b (b itself left out).
int64_t LineLength(TPoint a, TPoint b);

// Visits the pixels of the one-pixel line from a to b, b left out, that lie
// inside the box: visit(x, y, i) with i the pixel's index along the line.
// The minor coordinate of pixel i is the exact fraction i*dminor/dmajor
// rounded to the nearest integer, halves towards the start point.
template <class Visit>
void WalkLine(TPoint a, TPoint b, const Box& box, Visit&& visit);

// The rows from..to-1 (within y1..y2-1) of the ellipse inscribed in the box
// (x1, y1)-(x2, y2), which covers columns x1..x2-1 and rows y1..y2-1: the
// pixels whose centres lie inside or on the ellipse. rows[k] is row from + k
// as [left, right), empty when left == right. Corners must be ordered.
struct RowSpan {
  int left;
  int right;
};
std::vector<RowSpan> EllipseRows(int x1, int y1, int x2, int y2, int from, int to);

// Splits ellipse rows (the first being row y1) into the outline (pixels with
// a 4-neighbour outside the ellipse) and the interior, as spans.
void SplitOutline(const std::vector<RowSpan>& rows, int y1, std::vector<Span>& outline,
                  std::vector<Span>& interior);

// The spans of a polygon under the alternate (even-odd) rule: on row y, a
// pixel x is inside when its column lies between an odd number of edge
// crossings; crossings at x are taken as ceil(x), so left edges are included
// and right edges left out, as are bottom rows. Only rows inside the box.
std::vector<Span> PolygonSpans(const std::vector<TPoint>& points, const Box& box);

// Merges spans that overlap or touch on the same row; sorts by row and start.
void MergeSpans(std::vector<Span>& spans);

// The nib of a wide pen: the pixels within the circle of diameter `width`
// around the pen position, as row offsets [dx0, dx1) per dy.
struct NibRow {
  int dy;
  int dx0;
  int dx1;
};
std::vector<NibRow> Nib(int width);

}  // namespace raster

#include "RasterLine.inl"
