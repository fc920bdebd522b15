// Frames and colour schemes of the self-drawn controls.
#include "controls/base/PLX_Frames.h"

#include "platform/Canvas.h"

namespace {

// The colours of the two L-shaped edges of a box; false for the flat styles.
bool boxEdgeColors(TFrameStyle fs, const TFrameLines& lines, TColor& topLeft, TColor& bottomRight) {
  switch (fs) {
    case fsLowered:
      topLeft = lines.Black;
      bottomRight = lines.White;
      return true;
    case fsRaised:
      topLeft = lines.White;
      bottomRight = lines.Black;
      return true;
    case fsEmbossed:
      topLeft = lines.Gray;
      bottomRight = lines.Gray;
      return true;
    case fsEngraved:
      topLeft = lines.White;
      bottomRight = lines.White;
      return true;
    default:
      return false;
  }
}

// The top-left edge lies one pixel inside the outline X1..X2-1, Y1..Y2-1; the
// bottom-right edge one pixel outside its bottom and right sides.
void drawBoxEdges(TCanvas& cv, TFrameStyle fs, int X1, int Y1, int X2, int Y2,
                  const TFrameLines& lines) {
  TColor topLeft = 0;
  TColor bottomRight = 0;
  if (!boxEdgeColors(fs, lines, topLeft, bottomRight)) return;
  cv.Pen().SetColor(topLeft);
  cv.MoveTo(X1 + 1, Y2 - 2);
  cv.LineTo(X1 + 1, Y1 + 1);
  cv.LineTo(X2 - 1, Y1 + 1);
  cv.Pen().SetColor(bottomRight);
  cv.MoveTo(X1 + 1, Y2);
  cv.LineTo(X2, Y2);
  cv.LineTo(X2, Y1);
}

}  // namespace

TFrameLines SchemeLines(TColorScheme scheme) {
  TFrameLines lines;
  if (scheme == csSystem) {
    lines.Gray = clBtnShadow;
    lines.White = clBtnHighlight;
  }
  return lines;
}

void DrawRectangle(TCanvas& cv, int Left, int Top, int Right, int Bottom) {
  cv.MoveTo(Left, Top);
  cv.LineTo(Left, Bottom);
  cv.LineTo(Right, Bottom);
  cv.LineTo(Right, Top);
  cv.LineTo(Left, Top);
}

void DrawFrame(TCanvas& cv, TFrameStyle fs, int Left, int Top, int Right, int Bottom, TColor White,
               TColor Silver, TColor Gray, TColor Black, TColor SimpleFCol) {
  switch (fs) {
    case fsSimple:
      cv.Pen().SetColor(SimpleFCol);
      DrawRectangle(cv, Left, Top, Right, Bottom);
      break;
    case fsLowered:
      DrawFrameParts(cv, Left, Top, Right, Bottom, Gray, White, Black, Silver);
      break;
    case fsRaised:
      DrawFrameParts(cv, Left, Top, Right, Bottom, White, Black, Silver, Gray);
      break;
    case fsEmbossed:
      DrawFrameParts(cv, Left, Top, Right, Bottom, White, Gray, Gray, White);
      break;
    case fsEngraved:
      DrawFrameParts(cv, Left, Top, Right, Bottom, Gray, White, White, Gray);
      break;
    default:  // fsNone
      break;
  }
}

void DrawFrameParts(TCanvas& cv, int Left, int Top, int Right, int Bottom, TColor OutTopLeft,
                    TColor OutBottomRight, TColor InTopLeft, TColor InBottomRight) {
  cv.Pen().SetColor(OutTopLeft);
  cv.MoveTo(Left, Bottom);
  cv.LineTo(Left, Top);
  cv.LineTo(Right + 1, Top);
  cv.MoveTo(Right, Top + 1);
  cv.Pen().SetColor(OutBottomRight);
  cv.LineTo(Right, Bottom);
  cv.LineTo(Left - 1, Bottom);

  cv.Pen().SetColor(InTopLeft);
  cv.MoveTo(Left + 1, Bottom - 1);
  cv.LineTo(Left + 1, Top + 1);
  cv.LineTo(Right, Top + 1);
  cv.MoveTo(Right - 1, Top + 2);
  cv.Pen().SetColor(InBottomRight);
  cv.LineTo(Right - 1, Bottom - 1);
  cv.LineTo(Left, Bottom - 1);
}

TColor ValueBoxOutline(TFrameStyle fs, TColor background, const TFrameLines& lines) {
  switch (fs) {
    case fsNone:
      return background;
    case fsEmbossed:
      return lines.White;
    default:
      return lines.Gray;
  }
}

void DrawValueBox(TCanvas& cv, TFrameStyle fs, int X1, int X2, int Bottom, TColor outline,
                  TColor background, const TFrameLines& lines) {
  cv.Pen().SetColor(outline);
  cv.Brush().SetColor(background);
  if (fs == fsNone || fs == fsSimple) {
    cv.Rectangle(X1, 0, X2, Bottom);
    return;
  }
  // The bottom-right edge takes the last row, so the outline ends one higher.
  cv.Rectangle(X1, 0, X2, Bottom - 1);
  drawBoxEdges(cv, fs, X1, 0, X2, Bottom - 1, lines);
}

void DrawGaugeBackground(TCanvas& cv, TFrameStyle fs, int X1, int Y1, int X2, int Y2,
                         TColor frameColor, TColor background) {
  cv.Pen().SetColor(fs == fsNone ? background : frameColor);
  cv.Brush().SetColor(background);
  cv.Rectangle(X1, Y1, X2, Y2);
}

void DrawGaugeFrame(TCanvas& cv, TFrameStyle fs, int X1, int Y1, int X2, int Y2, TColor frameColor,
                    const TFrameLines& lines) {
  if (fs == fsNone) return;
  cv.Pen().SetColor(fs == fsSimple ? frameColor : ValueBoxOutline(fs, frameColor, lines));
  cv.Brush().SetStyle(bsClear);
  cv.Rectangle(X1, Y1, X2, Y2);
  // Unlike the value box, the gauge keeps Y2: its bottom-right edge lies on
  // row Y2, below the outline.
  drawBoxEdges(cv, fs, X1, Y1, X2, Y2, lines);
}

int LeftTextX(TAlignment alignment, int leftSpace, int textWidth) {
  if (alignment == taLeftJustify) return 7;
  if (alignment == taCenter) return (leftSpace - textWidth) / 2;
  return leftSpace - textWidth - 5;
}

int RightTextX(TAlignment alignment, int boxEnd, int width, int textWidth) {
  if (alignment == taRightJustify) return width - textWidth - 6;
  if (alignment == taCenter) return (width - (boxEnd + textWidth)) / 2 + boxEnd + 1;
  return boxEnd + 7;
}

int ValueTextX(TAlignment alignment, int boxLeft, int boxWidth, int textWidth) {
  if (alignment == taLeftJustify) return boxLeft + 4;
  if (alignment == taRightJustify) return boxLeft + boxWidth - textWidth - 2;
  return boxLeft + (boxWidth - textWidth) / 2 + 2;
}

void DrawCaptionText(TCanvas& cv, int x, int y, const std::u16string& text, bool enabled,
                     TColor color, int shadowDx) {
  if (text.empty()) return;
  if (enabled) {
    cv.Font().SetColor(color);
    cv.TextOut(x, y, text);
    return;
  }
  cv.Brush().SetStyle(bsClear);
  cv.Font().SetColor(clWhite);
  cv.TextOut(x + shadowDx, y + 1, text);
  cv.Font().SetColor(clGray);
  cv.TextOut(x, y, text);
}
