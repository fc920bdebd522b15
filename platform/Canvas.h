// The drawing surface. It draws onto a TBitmap with the pixel rules the
// controls are laid out for:
//  - LineTo sets every pixel from the current position up to, but not
//    including, the end point;
//  - Rectangle and Ellipse with corners (x1, y1), (x2, y2) cover columns
//    x1..x2-1 and rows y1..y2-1, filled with the brush and outlined with the
//    pen; reversed corners are swapped, an empty box draws nothing;
//  - gaps of dashed and dotted lines take the brush colour when the brush is
//    solid and stay untouched when it is clear;
//  - the pen mode (copy or exclusive-or) applies to everything the pen and
//    brush draw; text and bitmap copies are not affected by it. In
//    exclusive-or mode one call flips each pixel once, to the colour copy
//    mode would leave there (the pen where pen and fill overlap);
//  - nothing is drawn outside the clip rectangle (the whole surface unless
//    set), so a renderer can draw one area of a larger bitmap as if it were
//    a bitmap of its own; shapes keep their geometry and are only cut.
//
// Pens wider than one pixel are solid whatever their style and have round
// joins. An open line keeps the extent of its one-pixel centre line (start
// included, end left out): the pen's round nib is set inside it, so a wide
// line never reaches its end point. Closed outlines (rectangle, ellipse,
// polygon) are centred on the one-pixel outline; psInsideFrame moves the
// outline of rectangles and ellipses inwards so it stays inside the box.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "Font.h"
#include "PlatformTypes.h"

class TBitmap;
class TextPainter;

// A vertical line from (x, y0) towards (x, y1), y1 left out, as LineTo draws it.
struct TVerticalRule {
  int x = 0;
  int y0 = 0;
  int y1 = 0;
};

class TPen {
 public:
  TColor Color() const { return FColor; }
  void SetColor(TColor color) { FColor = color; }
  int Width() const { return FWidth; }
  void SetWidth(int width) { FWidth = width < 1 ? 1 : width; }
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle style) { FStyle = style; }
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode mode) { FMode = mode; }

 private:
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
};

class TBrush {
 public:
  TColor Color() const { return FColor; }
  // Setting a colour makes a clear brush solid.
  void SetColor(TColor color) {
    FColor = color;
    FStyle = bsSolid;
  }
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle style) { FStyle = style; }

 private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
};

class TCanvas {
 public:
  explicit TCanvas(TBitmap& target);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TPen& Pen() { return FPen; }
  const TPen& Pen() const { return FPen; }
  TBrush& Brush() { return FBrush; }
  TFont& Font() { return FFont; }
  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode mode) { FCopyMode = mode; }
  TBitmap& Target() { return FTarget; }

  // Drawing stays inside columns Left..Right-1 and rows Top..Bottom-1 of
  // the rectangle (and of the surface). Reading pixels is not affected.
  void SetClipRect(const TRect& r);
  // Back to the whole surface.
  void ResetClipRect() { FClipped = false; }
  // The rectangle drawing is limited to: the clip rectangle within the surface.
  TRect ClipRect() const;

  TPoint PenPos() const { return FPenPos; }
  void SetPenPos(TPoint p) { MoveTo(p.x, p.y); }
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  // Open polyline through the points; the last point is not drawn and the
  // current position does not change.
  void Polyline(std::span<const TPoint> points);
  void Polyline(const std::vector<TPoint>& points) { Polyline(std::span<const TPoint>(points)); }
  // Closed polygon, filled with the brush (alternate rule) and outlined.
  void Polygon(const std::vector<TPoint>& points);
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  // Rectangle(r), then the rules as solid one-pixel lines in ruleColor, in
  // copy mode: the picture of a background with vertical grid lines, written
  // row by row while each row is in the cache.
  void RuledRectangle(const TRect& r, std::span<const TVerticalRule> rules, TColor ruleColor);
  // Fills columns Left..Right-1 and rows Top..Bottom-1 with the brush only.
  void FillRect(const TRect& r);
  void Ellipse(int x1, int y1, int x2, int y2);

  // The colour (0x00BBGGRR) at a pixel; -1 outside the surface.
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);

  // Text with its top-left corner at (x, y): the baseline lies the font's
  // ascent below y. With a solid brush the text cell (its width by the font's
  // height) is filled with the brush colour first. The current position does
  // not change.
  void TextOut(int x, int y, const std::u16string& text);
  // As TextOut, with every pixel outside the clip rectangle left untouched.
  void TextRect(const TRect& clip, int x, int y, const std::u16string& text);
  int TextWidth(const std::u16string& text);
  // The font's ascent plus descent, whatever the text.
  int TextHeight(const std::u16string& text);

  // Bitmap copies, combined with the surface by CopyMode().
  void Draw(int x, int y, const TBitmap& source);
  void CopyRect(const TRect& dest, const TBitmap& source, const TRect& sourceRect);
  // Nearest-pixel scaling of the whole source into the rectangle.
  void StretchDraw(const TRect& dest, const TBitmap& source);

  // Called after every drawing operation; a window surface uses it to ask
  // for presentation.
  void SetOnChange(std::function<void()> onChange) { FOnChange = std::move(onChange); }

  // The target bitmap changed its size; pixel pointers held for text drawing
  // must be dropped.
  void TargetResized();

 private:
  void thinLine(TPoint a, TPoint b);
  void verticalRun(int x, int y0, int y1, uint32_t pixel);
  void thinPath(std::span<const TPoint> path, bool closed);
  void solidPath(std::span<const TPoint> path);
  void thinPixels(const std::vector<TPoint>& ordered);
  void strokeWideOpen(const std::vector<TPoint>& path, bool shortenStart, bool shortenEnd);
  void stampNibs(const std::vector<TPoint>& centres);
  void polygonShape(const std::vector<TPoint>& pts);
  void rectangleShape(const TRect& box);
  void rectangleOutline(const TRect& ring);
  bool framedBlockFits() const;
  void framedBlock(const TRect& box, std::span<const TVerticalRule> rules, uint32_t rulePixel);
  struct RowSpan {
    int64_t top;
    int64_t bottom;
  };
  static RowSpan runRows(int y0, int y1);
  void column(int x, int64_t top, int64_t bottom, uint32_t pixel);
  void ellipseShape(int x1, int y1, int x2, int y2);
  void drawClippedText(const TRect& clip, int x, int y, const std::u16string& text);
  void copyUnscaled(int x, int y, const TBitmap& source, TRect from);
  // The one place that writes pixels of lines and shapes: clips to the
  // clip rectangle and applies the pen mode (or plain copy).
  void writeSpan(int y, int x0, int x1, uint32_t pixel, TPenMode mode);
  void writePixel(int x, int y, uint32_t pixel) { writeSpan(y, x, x + 1, pixel, FPen.Mode()); }
  // A rectangle of one colour (columns Left..Right-1), clipped.
  void fillBlock(const TRect& r, uint32_t pixel, TPenMode mode);
  uint32_t penPixel() const;
  uint32_t brushPixel() const;
  bool penVisible() const { return FPen.Style() != psClear; }
  bool widePen() const { return FPen.Width() > 1; }
  void changed();
  // Exclusive-or drawing of one call: while a pass is open, spans in XOR
  // mode are collected, and its end flips each covered pixel once.
  class XorPass;
  struct XorSpan {
    int y;
    int x0;
    int x1;
    uint32_t bits;
  };
  void flushXorSpans();

  TBitmap& FTarget;
  TPen FPen;
  TBrush FBrush;
  TFont FFont;
  TCopyMode FCopyMode = cmSrcCopy;
  TPoint FPenPos;
  TRect FClip;
  bool FClipped = false;
  int64_t FStylePos = 0;        // position in the dash pattern along the path
  bool FPathContinues = false;  // the last LineTo ended at the current position
  bool FXorDeferred = false;
  std::vector<XorSpan> FXorSpans;
  std::function<void()> FOnChange;
  std::unique_ptr<TextPainter> FText;
};
