// The look all self-drawn controls share: frames drawn with three line
// colours (black, gray, white) that the control's colour scheme chooses, and
// the box frame around the value box of the numeric field and label and
// around the field's gauge.
//
// Every routine draws with MoveTo/LineTo (end pixel left out) and Rectangle
// (columns X1..X2-1, rows Y1..Y2-1) in a fixed order, so overlapping corner
// pixels take the colour of the line drawn last.
#pragma once

#include <string>

#include "controls/base/PLX_plxbase.h"
#include "platform/PlatformTypes.h"

class TCanvas;

// The three line colours of a control's frames.
struct TFrameLines {
  TColor Black = 0x000000;
  TColor Gray = 0x808080;
  TColor White = 0xFFFFFF;
  friend bool operator==(const TFrameLines&, const TFrameLines&) = default;
};

// csBWG: black, gray 0x808080, white 0xFFFFFF; csSystem: black and the
// system's button shadow and highlight colours.
TFrameLines SchemeLines(TColorScheme scheme);

// MoveTo (Left, Top), then LineTo (Left, Bottom), (Right, Bottom),
// (Right, Top) and (Left, Top) in the current pen.
void DrawRectangle(TCanvas& cv, int Left, int Top, int Right, int Bottom);

// A frame of style fs on the rectangle whose corner pixels are (Left, Top)
// and (Right, Bottom). fsNone draws nothing, fsSimple an outline in
// SimpleFCol, the 3-D styles two rings through DrawFrameParts.
void DrawFrame(TCanvas& cv, TFrameStyle fs, int Left, int Top, int Right, int Bottom, TColor White,
               TColor Silver, TColor Gray, TColor Black, TColor SimpleFCol);

// Two one-pixel rings, the outer on the rectangle's border and the inner a
// pixel inside, each with a top-left and a bottom-right colour. The
// bottom-right lines are drawn last and cover the bottom-left corners.
void DrawFrameParts(TCanvas& cv, int Left, int Top, int Right, int Bottom, TColor OutTopLeft,
                    TColor OutBottomRight, TColor InTopLeft, TColor InBottomRight);

// The outline pen of a value box by the shared rule: the box background for
// fsNone, White for fsEmbossed, Gray for every other style. Controls with
// their own outline rules (a disabled input field) pass their own colour to
// DrawValueBox instead.
TColor ValueBoxOutline(TFrameStyle fs, TColor background, const TFrameLines& lines);

// The value box from X1 to X2 (rectangle convention) and rows 0 .. Bottom-1,
// outlined with `outline` and filled with `background`, with the edges of the
// style in the control's line colours. fsNone and fsSimple: one rectangle to
// Bottom. 3-D styles: the rectangle to Bottom - 1, then the top-left edge one
// pixel inside it and the bottom-right edge along row Bottom - 1 and column
// X2. Leaves the brush solid in `background`.
void DrawValueBox(TCanvas& cv, TFrameStyle fs, int X1, int X2, int Bottom, TColor outline,
                  TColor background, const TFrameLines& lines);

// The gauge box X1..X2, Y1..Y2 in two steps, so that the bar can be drawn in
// between: first the background (outlined in frameColor, or in the
// background for fsNone), then, after the bar, the outline again (frameColor
// for fsSimple, White for fsEmbossed, Gray otherwise) and the edges of the
// style, the bottom-right edge on row Y2. DrawGaugeFrame draws nothing for
// fsNone and otherwise leaves the brush clear.
void DrawGaugeBackground(TCanvas& cv, TFrameStyle fs, int X1, int Y1, int X2, int Y2,
                         TColor frameColor, TColor background);
void DrawGaugeFrame(TCanvas& cv, TFrameStyle fs, int X1, int Y1, int X2, int Y2, TColor frameColor,
                    const TFrameLines& lines);

// --- texts beside and in the value box -----------------------------------------

// Left column of the text left of the value box (which starts at leftSpace):
// 7 for taLeftJustify, centred in the space, or ending 5 pixels before the box.
int LeftTextX(TAlignment alignment, int leftSpace, int textWidth);
// Left column of the text right of the value box (and the buttons), which
// end at boxEnd, in a control of the given width.
int RightTextX(TAlignment alignment, int boxEnd, int width, int textWidth);
// Left column of the value text in the box boxLeft .. boxLeft + boxWidth.
int ValueTextX(TAlignment alignment, int boxLeft, int boxWidth, int textWidth);
// A caption at (x, y). Enabled: in color on the current brush. Disabled:
// embossed, a white copy shadowDx right of and one row below the text, then
// the text in gray, both without background. An empty text draws nothing.
void DrawCaptionText(TCanvas& cv, int x, int y, const std::u16string& text, bool enabled,
                     TColor color, int shadowDx);
