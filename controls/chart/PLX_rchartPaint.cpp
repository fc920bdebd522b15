// The rendering pipeline: the chart bitmap (background, rim, caption, axes),
// the data bitmap (background, grid, items, frame) and their composition on
// the window; size, margins and the display settings that repaint.
#include <algorithm>
#include <array>
#include <cassert>

#include "controls/chart/PLX_rchart.h"
#include "platform/Canvas.h"
#include "platform/Errors.h"
#include "platform/Utf8.h"

namespace {

constexpr int kMaxShadowWidth = 32;

constexpr int kMinDataWidth = 80;
constexpr int kMinDataHeight = 20;

int marginWithinLimits(int value) {
  return std::clamp(value, -TChartFrame::MaxMargin, TChartFrame::MaxMargin);
}

// A size raised to its minimum, taken in 64 bits, and kept within the
// largest frame.
int sizeWithinLimits(int size, long long minimum) {
  return int(std::min<long long>(std::max<long long>(size, minimum), TChartFrame::MaxFrameSize));
}

}  // namespace

// ---------------------------------------------------------------------------
// Repaint rule

// Also without AutoRedraw the kept bitmaps no longer show the settings.
void TCustomRChart::StyleChanged(TObject*) {
  FPresentation.Outdated();
  if (FSettings.AutoRedraw) Paint();
}

void TCustomRChart::SetSuppressPaint(bool value) {
  if (value == FSuppressPaint) return;
  FSuppressPaint = value;
  if (!value) Paint();
}

// Setters of display settings: store, then the repaint rule.
#define PLX_REPAINT_SETTER(Name, Type, Field) \
  void TCustomRChart::Set##Name(Type value) { \
    Field = value;                            \
    StyleChanged(this);                       \
  }
PLX_REPAINT_SETTER(ShadowStyle, TShadowStyle, FSettings.ShadowStyle)
PLX_REPAINT_SETTER(ShadowColor, TColor, FSettings.ShadowColor)
PLX_REPAINT_SETTER(ShadowBakColor, TColor, FSettings.ShadowBakColor)
PLX_REPAINT_SETTER(ChartColor, TColor, FSettings.ChartColor)
PLX_REPAINT_SETTER(WindColor, TColor, FSettings.WindColor)
PLX_REPAINT_SETTER(ChartFrameColor, TColor, FSettings.ChartFrameColor)
PLX_REPAINT_SETTER(Caption, const std::u16string&, FSettings.Caption)
PLX_REPAINT_SETTER(CaptionPosX, int, FSettings.CaptionPosX)
PLX_REPAINT_SETTER(CaptionPosY, int, FSettings.CaptionPosY)
PLX_REPAINT_SETTER(CaptionAlignment, TAlignment, FSettings.CaptionAlignment)
PLX_REPAINT_SETTER(CaptionAnchorHoriz, TCaptionAnchorHoriz, FSettings.CaptionAnchorHoriz)
PLX_REPAINT_SETTER(CaptionAnchorVert, TCaptionAnchorVert, FSettings.CaptionAnchorVert)
PLX_REPAINT_SETTER(GridStyle, GridStyleType, FSettings.GridStyle)
PLX_REPAINT_SETTER(GridColor, TColor, FSettings.GridColor)
#undef PLX_REPAINT_SETTER

void TCustomRChart::SetBackGroundImg(const TBakGndImg& value) {
  FBackGroundImg->Assign(value);
  StyleChanged(this);
}

// ---------------------------------------------------------------------------
// Geometry

void TCustomRChart::sizeGrafBmp() {
  const TRect r = dataBitmapRect();
  if (r.Width() == FGrafBmp.Width() && r.Height() == FGrafBmp.Height()) return;
  completeGrafBmp();  // a new size keeps the picture's top left
  FGrafBmp.SetSize(r.Width(), r.Height());
}

// Where the data bitmap goes on the chart bitmap, in its size rule.
TRect TCustomRChart::dataBitmapRect() const {
  return {FFrame.L,
          FFrame.T,
          FFrame.L + std::max(FFrame.DataWidth() + 1, 0),
          FFrame.T + std::max(FFrame.DataHeight() + 1, 0)};
}

// After a margin or the rim changed: the data bitmap, the isometric ranges
// (after a margin), the helpers' margins and the mapping follow, then the
// repaint rule. The isometric ranges go through the axis setters, which
// repaint whatever AutoRedraw says; that is done once at the end.
void TCustomRChart::marginsChanged(bool isometricHook) {
  sizeGrafBmp();
  const bool isometric = isometricHook && FSettings.Isometric;
  if (isometric) withoutPaint([this] { applyIsometricRule(); });
  refreshAllScales();
  AdjustScaling();
  if (isometric) {
    Paint();
  } else {
    StyleChanged(this);
  }
}

void TCustomRChart::SetMarginLeft(int value) {
  FFrame.L = marginWithinLimits(value);
  marginsChanged(true);
}

void TCustomRChart::SetMarginRight(int value) {
  FFrame.R = marginWithinLimits(value);
  marginsChanged(true);
}

void TCustomRChart::SetMarginTop(int value) {
  FFrame.T = marginWithinLimits(value);
  marginsChanged(true);
}

void TCustomRChart::SetMarginBottom(int value) {
  FFrame.B = marginWithinLimits(value);
  marginsChanged(true);
}

void TCustomRChart::SetShadowWidth(int value) {
  FFrame.S = std::clamp(value, 0, kMaxShadowWidth);
  marginsChanged(false);
}

void TCustomRChart::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AHeight = sizeWithinLimits(AHeight, 0LL + FFrame.T + FFrame.B + FFrame.S + kMinDataHeight);
  AWidth = sizeWithinLimits(AWidth, 0LL + FFrame.L + FFrame.R + FFrame.S + kMinDataWidth);
  // The frame's size limit keeps numbers from overflowing; the bitmaps'
  // keeps the pictures (the chart holds several) within memory.
  if (1LL * AWidth * AHeight > TBitmap::MaxPixels) {
    throw EPLXRChartError("Component \"" + ToUtf8(Name()) + "\": " + std::to_string(AWidth) +
                          " x " + std::to_string(AHeight) +
                          " pixels are more than a picture may hold (" +
                          std::to_string(TBitmap::MaxPixels) + ")");
  }
  completeChartBmp();  // before the window changes size
  completeGrafBmp();
  // The platform's repaint after the size change runs Paint.
  withoutPaint([&] {
    TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    FFrame.W = Width();
    FFrame.H = Height();
    FPresentation.Outdated();
    if (FSettings.Isometric) applyIsometricRule();
    refreshAllScales();
    AdjustScaling();
  });
}

// ---------------------------------------------------------------------------
// Composition

bool TCustomRChart::canPaint() const { return Visible() && !IsLoading() && !FSuppressPaint; }

void TCustomRChart::Paint() {
  if (!canPaint()) {
    FPresentation.Outdated();  // whatever asked for this paint is not shown
    return;
  }
  dataBmpRenderedAfresh();
  constructChartBmp(Canvas(), true);
  renderDataArea(FGrafBmp.Canvas(), 0, 0, false);
  FPresentation.Rendered(FStore.Revision());
  composeWindow();
}

void TCustomRChart::ShowGraf() {
  if (!Visible()) return;
  FStore.SetLastElemOnShow(FStore.NumItems() - 1);
  if (!FSettings.AutoRedraw) {
    Paint();
    return;
  }
  if (WhyNotOntoWindow(dataAreaFacts()) == TOffWindow::None) {
    renderOntoWindow();
  } else {
    dataBmpRenderedAfresh();
    renderDataArea(FGrafBmp.Canvas(), 0, 0, false);
    presentDataArea();
  }
  FPresentation.DataRendered(FStore.Revision());
}

void TCustomRChart::ShowGrafNewOnly() {
  if (!Visible()) return;
  FPresentation.DataBmpDrawing();  // drawn over, not rendered afresh
  completeGrafBmp();
  ConstructDataBmp(FGrafBmp.Canvas(), 0, 0, false, FStore.LastElemOnShow());
  presentDataArea();
  FStore.SetLastElemOnShow(FStore.NumItems() - 1);
}

// The data bitmap goes onto the window, and the crosshairs over it there,
// clipped to the data bitmap's place: the picture of crosshairs drawn on a
// copy of the data bitmap, without making that copy. The data bitmap never
// receives crosshairs.
void TCustomRChart::presentDataArea() {
  completeChartBmp();  // the window's data area is about to change
  TCanvas& window = Canvas();
  window.Draw(FFrame.L, FFrame.T, FGrafBmp);
  window.SetClipRect(dataBitmapRect());
  drawCrossHairs(window, 0, 0);
  window.ResetClipRect();
}

void TCustomRChart::DrawFinish(int xPos, int yPos, TBitmap& SrcBmp, TCanvas& DestCv) {
  const bool trace = drawCrossHairs(SrcBmp.Canvas(), xPos, yPos);
  if (&SrcBmp == &FChartBmp) FPresentation.CrossHairsDrawn(trace);
  DestCv.Draw(xPos, yPos, SrcBmp);
}

// The window shows the chart bitmap with the data bitmap in its data area and
// the crosshairs over both, as if the data bitmap were copied into the chart
// bitmap, the crosshairs drawn there and the whole copied onto the window.
// The chart bitmap takes that picture from the window only when it is read
// (completeChartBmp); until then its margins may also be on the window alone.
void TCustomRChart::composeWindow() {
  completeGrafBmp();
  TCanvas& window = Canvas();
  if (FPresentation.Kept() != TKeptPictures::ChartBmpOnWindow) {
    for (const TRect& band : bandsAround(dataBitmapRect())) window.CopyRect(band, FChartBmp, band);
  }
  window.Draw(FFrame.L, FFrame.T, FGrafBmp);
  FPresentation.CrossHairsDrawn(drawCrossHairs(window, 0, 0));
  FPresentation.ChartBmpDrawnOnWindow();
}

// Takes the chart bitmap's picture from the window before the window shows
// anything else. The window's surface is asked for only when it holds that
// picture: asking makes it, and a chart sized before its first paint would
// then fill a surface of every size it passes through.
void TCustomRChart::completeChartBmp() {
  if (FPresentation.Kept() == TKeptPictures::ChartBmpOnWindow)
    FPresentation.TakeChartBmp(Surface(), FChartBmp);
}

// ---------------------------------------------------------------------------
// The data area rendered straight onto the window

// ShowGraf renders the data area straight onto the window unless
// WhyNotOntoWindow finds a reason against it in these facts.
TDataAreaFacts TCustomRChart::dataAreaFacts() {
  const TBitmap& window = Surface();
  const TRect whole{0, 0, FGrafBmp.Width(), FGrafBmp.Height()};
  return {.RenderingWatched = OnBeforeRenderData || OnDataRendered,
          .BackgroundImage = !FBackGroundImg->Name().empty(),
          .MarkMap = AvoidDuplicateMarks(),
          .DataArea = dataBitmapRect(),
          .DataBmp = whole,
          .DataBmpClip = FGrafBmp.Canvas().ClipRect(),
          .WindowSize = {window.Width(), window.Height()},
          .ChartSize = {FFrame.W, FFrame.H}};
}

namespace {

// What a rendering takes from the surface it draws on and leaves there.
struct CanvasLook {
  TPen Pen;
  TBrush Brush;
  TFont Font;
  TCopyMode CopyMode = cmSrcCopy;
};

CanvasLook lookOf(TCanvas& cv) {
  CanvasLook look{cv.Pen(), cv.Brush(), {}, cv.CopyMode()};
  look.Font.Assign(cv.Font());
  return look;
}

void setLook(TCanvas& cv, const CanvasLook& look) {
  cv.Pen() = look.Pen;
  cv.Brush() = look.Brush;
  cv.Font().Assign(look.Font);
  cv.SetCopyMode(look.CopyMode);
}

}  // namespace

// The data area is rendered onto the window as it would be into the data
// bitmap, from the data bitmap's drawing state, which it leaves as the
// rendering would. The pixels under the crosshairs are kept, so the data
// bitmap can be taken from the window later.
void TCustomRChart::renderOntoWindow() {
  completeChartBmp();  // the window's data area is about to change
  dataBmpRenderedAfresh();
  TCanvas& window = Canvas();
  TCanvas& graf = FGrafBmp.Canvas();
  const CanvasLook own = lookOf(window);
  setLook(window, lookOf(graf));
  const TRect place = dataBitmapRect();
  window.SetClipRect(place);
  renderDataArea(window, place.Left, place.Top, false);
  setLook(graf, lookOf(window));
  graf.MoveTo(window.PenPos().x - place.Left, window.PenPos().y - place.Top);
  setLook(window, own);
  FPresentation.DataBmpDrawnOnWindow(Surface(), place, crossHairReach());
  drawCrossHairs(window, 0, 0);
  window.ResetClipRect();
}

// Takes the data bitmap's picture from the window, the crosshairs' pixels
// put back, before the window shows anything else there.
void TCustomRChart::completeGrafBmp() {
  if (FPresentation.Kept() == TKeptPictures::DataBmpOnWindow)
    FPresentation.TakeDataBmp(Surface(), FGrafBmp);
}

// The data bitmap is about to be drawn afresh: what the window holds of it
// is not needed, unless a background image leaves parts of it as they were.
void TCustomRChart::dataBmpRenderedAfresh() {
  if (!FBackGroundImg->Name().empty()) completeGrafBmp();
  FPresentation.DataBmpDrawnAfresh();
}

void TCustomRChart::ClearGraf() {
  dataBmpRenderedAfresh();
  InitGraf(FGrafBmp.Canvas(), 0, 0);
  FStore.Clear();
}

// ---------------------------------------------------------------------------
// The chart bitmap

void TCustomRChart::ConstructChartBmp(TCanvas& cv) { constructChartBmp(cv, false); }

// onWindow: Paint builds the picture on the window, where the data bitmap is
// copied over the data area next, so the background there is not filled
// first (it would be overwritten whole). The chart bitmap's picture is then
// on the window alone until it is read.
void TCustomRChart::constructChartBmp(TCanvas& cv, bool onWindow) {
  FPresentation.ChartBmpDrawing();
  if (onWindow) {
    FPresentation.ChartBmpDrawnOnWindow();
  } else if (&cv == &FChartBmp.Canvas()) {
    FPresentation.ChartBmpDrawnInItself();
  } else {
    completeChartBmp();  // another surface: the chart bitmap keeps its picture
  }
  FChartBmp.SetSize(FFrame.W, FFrame.H);
  cv.Pen().SetStyle(psSolid);
  cv.Pen().SetMode(pmCopy);
  cv.Pen().SetColor(FSettings.WindColor);
  cv.Brush().SetColor(FSettings.WindColor);
  if (onWindow) {
    for (const TRect& band : bandsAround(dataBitmapRect())) cv.FillRect(band);
  } else {
    cv.FillRect({0, 0, FFrame.W, FFrame.H});
  }
  if (FFrame.S > 0) drawRim(cv);
  cv.Pen().SetColor(FSettings.ChartFrameColor);
  cv.Brush().SetStyle(bsClear);
  cv.Font().Assign(Font());
  drawCaption(cv);
  AdjustScaling();
  drawAxes(cv);
  if (OnScalesRendered) OnScalesRendered(this, cv, 0, 0);
}

// The whole chart but the hole: the bands above and below it, then left and
// right of it, clipped to the chart (a band may be empty).
std::array<TRect, 4> TCustomRChart::bandsAround(const TRect& hole) const {
  const int W = FFrame.W;
  const int H = FFrame.H;
  const int top = std::clamp(hole.Top, 0, H);
  const int bottom = std::clamp(hole.Bottom, top, H);
  return {TRect{0, 0, W, top},
          TRect{0, bottom, W, H},
          TRect{0, top, std::clamp(hole.Left, 0, W), bottom},
          TRect{std::clamp(hole.Right, 0, W), top, W, bottom}};
}

// ssFlying gives a flat drop shadow with square inner ends, ssBox a bevelled
// box side with black outlines.
void TCustomRChart::drawRim(TCanvas& cv) {
  const int S = FFrame.S;
  const int W = FChartBmp.Width();
  const int H = FChartBmp.Height();
  cv.Pen().SetColor(FSettings.ShadowBakColor);
  cv.Brush().SetColor(FSettings.ShadowBakColor);
  cv.Rectangle(W - S, 0, W, S);
  cv.Rectangle(0, H - S, S, H);
  cv.Brush().SetColor(FSettings.ShadowColor);
  cv.Pen().SetColor(FSettings.ShadowStyle == ssFlying ? FSettings.ShadowColor : clBlack);
  const int b = FSettings.ShadowStyle == ssFlying ? S - 1 : 0;
  cv.Polygon({{b, H - S}, {S - 1, H - 1}, {W - 1, H - 1}, {W - S, H - S}});
  cv.Polygon({{W - S, H - S}, {W - 1, H - 1}, {W - 1, S - 1}, {W - S, b}});
  cv.Pen().SetColor(clBlack);
  cv.MoveTo(0, 0);
  cv.LineTo(W - S, 0);
  cv.LineTo(W - S, H - S);
  cv.LineTo(0, H - S);
  cv.LineTo(0, 0);
}

void TCustomRChart::drawCaption(TCanvas& cv) {
  const TChartFrame& f = FFrame;
  const int tw = cv.TextWidth(FSettings.Caption);
  int px = FSettings.CaptionPosX;
  switch (FSettings.CaptionAnchorHoriz) {
    case cahControlLeft:
      break;
    case cahChartLeft:
      px += f.L;
      break;
    case cahChartCenter:
      px += f.L + f.DataWidth() / 2;
      break;
    case cahChartRight:
      px += f.Right();
      break;
    case cahControlRight:
      px += f.W;
      break;
  }
  int py = FSettings.CaptionPosY;
  switch (FSettings.CaptionAnchorVert) {
    case cavControlTop:
      break;
    case cavChartTop:
      py += f.T;
      break;
    case cavChartCenter:
      py += f.T + f.DataHeight() / 2;
      break;
    case cavChartBottom:
      py += f.H - f.B;
      break;  // the rim is not subtracted here
    case cavControlBottom:
      py += f.H;
      break;
  }
  if (FSettings.CaptionAlignment == taRightJustify) px -= tw;
  if (FSettings.CaptionAlignment == taCenter) px -= tw / 2;
  cv.TextOut(px, py, FSettings.Caption);
}

// ---------------------------------------------------------------------------
// The data-area background

// InitGraf and ConstructDataBmp at (0, 0). Where nothing comes between the
// background and the grid, the grid's vertical lines are drawn with the
// background, each row written once.
void TCustomRChart::renderDataArea(TCanvas& cv, int PosX, int PosY, bool BlkWhite) {
  const bool together = verticalGridWithBackground(cv);
  initGraf(cv, PosX, PosY, together ? verticalGridRules(PosX, PosY) : std::vector<TVerticalRule>{});
  constructDataBmp(cv, PosX, PosY, BlkWhite, 0, together);
}

void TCustomRChart::InitGraf(TCanvas& cv, int PosX, int PosY) { initGraf(cv, PosX, PosY, {}); }

// gridRules: vertical grid lines drawn with a plain background.
void TCustomRChart::initGraf(TCanvas& cv, int PosX, int PosY,
                             std::span<const TVerticalRule> gridRules) {
  FPresentation.DataBmpDrawing();
  sizeGrafBmp();
  const int GW = FGrafBmp.Width();
  const int GH = FGrafBmp.Height();
  cv.Pen().SetStyle(psSolid);
  cv.Pen().SetMode(pmCopy);
  cv.Brush().SetColor(FSettings.ChartColor);
  cv.Pen().SetColor(FSettings.ChartFrameColor);
  if (!FBackGroundImg->Name().empty()) {
    drawBackgroundImage(cv, PosX, PosY, GW, GH);
    return;
  }
  cv.RuledRectangle({PosX, PosY, PosX + GW, PosY + GH}, gridRules, FSettings.GridColor);
  drawBand(cv, PosX, PosY, GW, GH);
}

// The image is read at every call; one that cannot be read leaves the plain
// background and clears the name.
void TCustomRChart::drawBackgroundImage(TCanvas& cv, int PosX, int PosY, int GW, int GH) {
  try {
    FAuxBmp.LoadFromFile(FBackGroundImg->Name());
  } catch (const EFileError&) {
    cv.Rectangle(PosX, PosY, PosX + GW, PosY + GH);
    FBackGroundImg->SetName(u"");
    return;
  }
  const int w = FAuxBmp.Width();
  const int h = FAuxBmp.Height();
  switch (FBackGroundImg->FillMode()) {
    case bfSimple:
      cv.Rectangle(0, 0, GW, GH);
      cv.Draw(0, 0, FAuxBmp);
      break;
    case bfStretch:
      cv.StretchDraw({0, 0, GW, GH}, FAuxBmp);
      break;
    case bfTile:
      if (w <= 0 || h <= 0) break;
      for (int i = 1; i <= (GW - 1) / w + 1; ++i) {
        for (int j = 1; j <= (GH - 1) / h + 1; ++j) cv.Draw((i - 1) * w, (j - 1) * h, FAuxBmp);
      }
      break;
  }
}

void TCustomRChart::drawBand(TCanvas& cv, int PosX, int PosY, int GW, int GH) {
  const TBakGndImg& bg = *FBackGroundImg;
  if (bg.AreaMode() == bamNone) return;
  cv.Pen().SetColor(bg.AreaColor());
  cv.Brush().SetColor(bg.AreaColor());
  int xl = 0, yt = 0, xr = 0, yb = 0;
  R2M(1, bg.AreaLeft(), bg.AreaTop(), xl, yt);
  R2M(1, bg.AreaRight(), bg.AreaBottom(), xr, yb);
  const int ox = PosX - FFrame.L;
  const int oy = PosY - FFrame.T;
  xl = LimitPixel(xl) + ox;
  xr = LimitPixel(xr) + ox;
  yt = LimitPixel(yt) + oy;
  yb = LimitPixel(yb) + oy;
  switch (bg.AreaMode()) {
    case bamNone:
      break;
    case bamLeft:
      cv.Rectangle(PosX, PosY, xl, PosY + GH);
      break;
    case bamRight:
      cv.Rectangle(xr, PosY, PosX + GW, PosY + GH);
      break;
    case bamTop:
      cv.Rectangle(PosX, PosY, PosX + GW, yt);
      break;
    case bamBottom:
      cv.Rectangle(PosX, yb, PosX + GW, PosY + GH);
      break;
    case bamVStripe:
      cv.Rectangle(xl, PosY, xr, PosY + GH);
      break;
    case bamHStripe:
      cv.Rectangle(PosX, yt, PosX + GW, yb);
      break;
    case bamRect:
      cv.Rectangle(xl, yt, xr, yb);
      break;
  }
}
