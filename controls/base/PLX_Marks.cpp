#include "controls/base/PLX_Marks.h"

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/Canvas.h"

namespace {

// The bit patterns of marks 1..6 and 18, indexed by mark number (other
// entries unused): one byte a row from the top, row i on pixel row y + i - 3;
// bit j (least significant first) on pixel column x + 3 - j.
constexpr uint8_t PointBmp[19][7] = {
    {},
    {0x00, 0x00, 0x08, 0x1C, 0x08, 0x00, 0x00},  // plus, arms of 1
    {0x00, 0x08, 0x08, 0x3E, 0x08, 0x08, 0x00},  // plus, arms of 2
    {0x08, 0x08, 0x08, 0x7F, 0x08, 0x08, 0x08},  // plus, arms of 3
    {0x00, 0x00, 0x14, 0x08, 0x14, 0x00, 0x00},  // diagonal cross, arms of 1
    {0x00, 0x22, 0x14, 0x08, 0x14, 0x22, 0x00},  // diagonal cross, arms of 2
    {0x41, 0x22, 0x14, 0x08, 0x14, 0x22, 0x41},  // diagonal cross, arms of 3
    {},
    {},
    {},
    {},
    {},
    {},
    {},
    {},
    {},
    {},
    {},
    {0x55, 0x2A, 0x55, 0x2A, 0x55, 0x2A, 0x55},  // checkerboard
};

// Marks 1..6 and 18 are set pixel by pixel: pen width and style do not apply.
void DisplayMarkAsBitMap(TCanvas& cv, uint8_t mark, int x, int y) {
  const TColor color = cv.Pen().Color();
  for (int row = 0; row < 7; ++row) {
    for (int bit = 0; bit < 7; ++bit) {
      if (PointBmp[mark][row] & (1u << bit)) cv.SetPixel(x + 3 - bit, y + row - 3, color);
    }
  }
}

// How a closed shape is filled: with the pen colour, or not at all (the
// brush is made solid again afterwards).
enum class Fill { kFilled, kOpen };

class MarkPainter {
 public:
  MarkPainter(TCanvas& cv, int x, int y) : FCv(cv), FX(x), FY(y) {}

  void pixel(int dx, int dy) { FCv.SetPixel(FX + dx, FY + dy, FCv.Pen().Color()); }

  // Separate lines, each from its first point up to (not including) its second.
  void lines(std::initializer_list<TRect> segments) {
    for (const TRect& s : segments) {
      FCv.MoveTo(FX + s.Left, FY + s.Top);
      FCv.LineTo(FX + s.Right, FY + s.Bottom);
    }
  }

  // One connected run of lines through the points.
  void path(std::initializer_list<TPoint> points) {
    const TPoint* p = points.begin();
    FCv.MoveTo(FX + p->x, FY + p->y);
    for (++p; p != points.end(); ++p) FCv.LineTo(FX + p->x, FY + p->y);
  }

  // A square box from (-a, -a) to (a + 1, a + 1): 2a + 1 pixels across.
  void square(Fill fill, int a) {
    beginFill(fill);
    FCv.Rectangle(FX - a, FY - a, FX + a + 1, FY + a + 1);
    endFill(fill);
  }

  // An ellipse in the box from (-a, -a) to (b, b).
  void circle(Fill fill, int a, int b) {
    beginFill(fill);
    FCv.Ellipse(FX - a, FY - a, FX + b, FY + b);
    endFill(fill);
  }

  void polygon(Fill fill, std::initializer_list<TPoint> points) {
    std::vector<TPoint> moved;
    moved.reserve(points.size());
    for (const TPoint& p : points) moved.push_back({FX + p.x, FY + p.y});
    beginFill(fill);
    FCv.Polygon(moved);
    endFill(fill);
  }

  void solidBrush() { FCv.Brush().SetStyle(bsSolid); }

 private:
  void beginFill(Fill fill) {
    if (fill == Fill::kFilled) {
      FCv.Brush().SetColor(FCv.Pen().Color());
    } else {
      FCv.Brush().SetStyle(bsClear);
    }
  }
  void endFill(Fill fill) {
    if (fill == Fill::kOpen) solidBrush();
  }

  TCanvas& FCv;
  int FX;
  int FY;
};

// Squares, diamonds and circles: marks 7..19.
void drawBoxMark(MarkPainter& m, uint8_t mark) {
  switch (mark) {
    case 7:
      return m.square(Fill::kFilled, 1);
    case 8:
      return m.square(Fill::kFilled, 2);
    case 9:
      return m.square(Fill::kFilled, 3);
    case 10:
      return m.path({{-1, -1}, {-1, 1}, {1, 1}, {1, -1}, {-1, -1}});
    case 11:
      return m.path({{-2, -2}, {-2, 2}, {2, 2}, {2, -2}, {-2, -2}});
    case 12:
      return m.path({{-3, -3}, {-3, 3}, {3, 3}, {3, -3}, {-3, -3}});
    case 13:
      m.path({{-3, 0}, {0, 3}, {3, 0}, {0, -3}, {-3, 0}});
      return m.pixel(0, 0);
    case 14:
      return m.polygon(Fill::kFilled, {{-2, 0}, {0, 2}, {2, 0}, {0, -2}});
    case 15:
      return m.polygon(Fill::kFilled, {{-3, 0}, {0, 3}, {3, 0}, {0, -3}});
    case 16:
      return m.circle(Fill::kOpen, 2, 3);
    case 17:
      return m.circle(Fill::kOpen, 3, 4);
    case 19:
      return m.path({{-3, 0}, {0, 3}, {3, 0}, {0, -3}, {-3, 0}});
  }
}

// Chevrons, discs, the heavy cross and the downward and upward triangles:
// marks 20..36.
void drawPointedMark(MarkPainter& m, uint8_t mark) {
  switch (mark) {
    case 20:
      return m.lines({{0, 0, -3, 3}, {0, 0, 3, 3}});
    case 21:
      return m.lines({{0, 0, -4, 4}, {0, 0, 4, 4}});
    case 22:
      return m.lines({{0, 0, -3, -3}, {0, 0, 3, -3}});
    case 23:
      return m.lines({{0, 0, -4, -4}, {0, 0, 4, -4}});
    case 24:
      return m.circle(Fill::kFilled, 3, 4);
    case 25:
      return m.lines({{-3, -3, 4, 4},
                      {-3, -2, 3, 4},
                      {-2, -3, 4, 3},
                      {-3, 3, 4, -4},
                      {-3, 2, 3, -4},
                      {-2, 3, 4, -3}});
    case 26:
      return m.circle(Fill::kFilled, 2, 3);
    case 27:
      return m.circle(Fill::kOpen, 2, 2);
    case 28:
      return m.circle(Fill::kFilled, 2, 2);
    case 29:
      return m.polygon(Fill::kFilled, {{-2, 0}, {0, 2}, {2, 0}});
    case 30:
      return m.polygon(Fill::kFilled, {{-3, 0}, {0, 3}, {3, 0}});
    case 31:
      return m.polygon(Fill::kOpen, {{-2, 0}, {0, 2}, {2, 0}});
    case 32:
      return m.polygon(Fill::kOpen, {{-3, 0}, {0, 3}, {3, 0}});
    case 33:
      return m.polygon(Fill::kOpen, {{-4, -3}, {0, 4}, {4, -3}});
    case 34:
      return m.polygon(Fill::kFilled, {{-4, -3}, {0, 4}, {4, -3}});
    case 35:
      return m.polygon(Fill::kOpen, {{-4, 3}, {0, -4}, {4, 3}});
    case 36:
      return m.polygon(Fill::kFilled, {{-4, 3}, {0, -4}, {4, 3}});
  }
}

// Stems, sights, stars and the sideways triangles: marks 37..51.
void drawCompositeMark(MarkPainter& m, uint8_t mark) {
  switch (mark) {
    case 37:
      return m.lines({{-3, 0, 4, 0}, {0, 0, 0, -8}});
    case 38:
      return m.lines({{-3, -2, 4, -2}, {-3, 2, 4, 2}, {0, -2, 0, 2}});
    case 39:
      m.circle(Fill::kOpen, 3, 4);
      return m.lines({{-3, 0, 4, 0}, {0, -3, 0, 4}});
    case 40:
      return m.polygon(Fill::kOpen, {{3, -2}, {-2, 0}, {3, 2}});
    case 41:
      return m.polygon(Fill::kFilled, {{3, -2}, {-2, 0}, {3, 2}});
    case 42:
      return m.polygon(Fill::kOpen, {{4, -3}, {-3, 0}, {4, 3}});
    case 43:
      return m.polygon(Fill::kFilled, {{4, -3}, {-3, 0}, {4, 3}});
    case 44:
      return m.polygon(Fill::kOpen, {{-3, -2}, {2, 0}, {-3, 2}});
    case 45:
      return m.polygon(Fill::kFilled, {{-3, -2}, {2, 0}, {-3, 2}});
    case 46:
      return m.polygon(Fill::kOpen, {{-4, -3}, {3, 0}, {-4, 3}});
    case 47:
      return m.polygon(Fill::kFilled, {{-4, -3}, {3, 0}, {-4, 3}});
    case 48:
      m.square(Fill::kOpen, 3);
      return m.lines({{-3, 0, 4, 0}, {0, -3, 0, 4}});
    case 49:
      m.square(Fill::kOpen, 2);
      return m.lines({{-4, 0, 5, 0}, {0, -4, 0, 5}});
    case 50:
      m.solidBrush();
      return m.lines({{-4, 0, 5, 0}, {0, -4, 0, 5}, {-3, -3, 4, 4}, {-3, 3, 4, -4}});
    case 51:
      m.solidBrush();
      return m.lines({{-4, 0, 5, 0},
                      {0, -4, 0, 5},
                      {-1, -3, 2, -3},
                      {-1, 3, 2, 3},
                      {-3, -1, -3, 2},
                      {3, -1, 3, 2}});
  }
}

void drawSymbol(TCanvas& cv, uint8_t mark, int x, int y) {
  if ((mark >= 1 && mark <= 6) || mark == 18) return DisplayMarkAsBitMap(cv, mark, x, y);
  MarkPainter m(cv, x, y);
  if (mark == 0) return m.pixel(0, 0);
  if (mark <= 19) return drawBoxMark(m, mark);
  if (mark <= 36) return drawPointedMark(m, mark);
  drawCompositeMark(m, mark);
}

void drawCharacterMark(TCanvas& cv, uint8_t mark, int x, int y) {
  // 200..209 stand for the digits, which 48..57 cannot: those are symbols.
  const char16_t code = mark >= 200 && mark <= 209 ? char16_t(mark - 152) : char16_t(mark);
  const std::u16string text(1, code);
  const int tw = cv.TextWidth(text);
  const int th = cv.TextHeight(text);
  cv.Font().SetColor(cv.Pen().Color());
  cv.Brush().SetStyle(bsClear);
  cv.TextOut(x - tw / 2, y - th / 2, text);
}

}  // namespace

void DrawMarkOnCanvas(TCanvas& canv, uint8_t Mark, int x, int y) {
  if (Mark >= 52) return drawCharacterMark(canv, Mark, x, y);
  const TColor brush = canv.Brush().Color();
  drawSymbol(canv, Mark, x, y);
  canv.Brush().SetColor(brush);  // also makes the brush solid again
}
