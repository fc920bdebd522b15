// The scale as a component: defaults, setter rules, when it paints, the
// opaque and transparent paint paths, foreign surfaces and copying.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "controls/scale/PLX_Scale.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "support/PixelMask.h"

namespace {

// Counts the paints of a scale through its render event.
struct PaintProbe {
  explicit PaintProbe(TScale& s) {
    s.OnBeforeScaleRendered = [this](TObject*, TCanvas& cv) {
      ++paints;
      target = &cv;
    };
  }
  int paints = 0;
  TCanvas* target = nullptr;
};

// Rows of characters, one per pixel, by colour; '.' for any other colour.
std::string ColorMap(const TBitmap& bmp, int x0, int y0, int w, int h,
                     const std::vector<std::pair<TColor, char>>& legend) {
  std::string out;
  for (int y = y0; y < y0 + h; ++y) {
    for (int x = x0; x < x0 + w; ++x) {
      char c = '.';
      for (const auto& [color, ch] : legend) {
        if (bmp.PixelColor(x, y) == color) c = ch;
      }
      out += c;
    }
    out += '\n';
  }
  return out;
}

const std::vector<std::pair<TColor, char>> kLegend{
    {clYellow, 'y'}, {clBlack, '#'}, {clGray, 'g'}, {clWhite, 'w'}, {clSilver, 's'}};

TEST(ScaleDefaults, NewScale) {
  TScale s;
  EXPECT_EQ(s.Width(), 400);
  EXPECT_EQ(s.Height(), 400);
  EXPECT_EQ(s.Caption(), u"");
  EXPECT_EQ(s.CaptionPosX(), 4);
  EXPECT_EQ(s.CaptionPosY(), 4);
  EXPECT_EQ(s.CaptionAlignment(), taCenter);
  EXPECT_EQ(s.CaptionAnchor(), uaSclTopLft);
  EXPECT_EQ(s.ColorBackGnd(), clBtnFace);
  EXPECT_EQ(s.ColorScale(), clBlack);
  EXPECT_EQ(s.ColorScheme(), csBWG);
  EXPECT_EQ(s.DecPlaces(), -2);
  EXPECT_EQ(s.FrameStyle(), fsLowered);
  EXPECT_EQ(s.LabelType(), ftNum);
  EXPECT_FALSE(s.Logarithmic());
  EXPECT_EQ(s.MarginTop(), 20);
  EXPECT_EQ(s.MarginBottom(), 20);
  EXPECT_EQ(s.MarginLeft(), 20);
  EXPECT_EQ(s.MarginRight(), 20);
  EXPECT_EQ(s.MinTicks(), 3);
  EXPECT_EQ(s.NumTicks(), 0);
  EXPECT_EQ(s.TickPos(1), 0.0);
  EXPECT_EQ(s.RangeLow(), 0.0);
  EXPECT_EQ(s.RangeHigh(), 100.0);
  EXPECT_EQ(s.Center(), 50.0);
  EXPECT_TRUE(s.ShortTicks());
  EXPECT_TRUE(s.ShowBaseLine());
  EXPECT_EQ(s.ScaleInscript(), u"");
  EXPECT_EQ(s.ScaleType(), sctXB);
  EXPECT_FALSE(s.Transparent());
  EXPECT_EQ(s.UserTickText(), u"");
  EXPECT_FALSE(s.IsHelperComponent());
  EXPECT_TRUE(s.SuppressPaint());
  EXPECT_EQ(s.DateFormat().TimeFormat(), tfHHMMSS);
  EXPECT_EQ(s.DateFormat().DateForTime(), dtOnePerDay);
}

TEST(ScaleSetters, ClampDecimalsTicksAndMargins) {
  TScale s;
  const std::pair<int, int> decimals[] = {{20, 12}, {12, 12}, {-3, -3}, {-7, -3}, {5, 5}};
  for (const auto& [in, stored] : decimals) {
    s.SetDecPlaces(in);
    EXPECT_EQ(s.DecPlaces(), stored) << in;
  }
  const std::pair<int, int> ticks[] = {{0, 0}, {1, 2}, {-4, 2}, {2, 2}, {7, 7}, {11, 10}};
  for (const auto& [in, stored] : ticks) {
    s.SetMinTicks(in);
    EXPECT_EQ(s.MinTicks(), stored) << in;
  }
  s.SetMarginTop(-1);
  s.SetMarginRight(-100);
  EXPECT_EQ(s.MarginTop(), 0);
  EXPECT_EQ(s.MarginRight(), 0);
}

// --- when a scale paints --------------------------------------------------------

TEST(ScalePainting, WaitsForTheWindow) {
  TScale s;
  PaintProbe probe(s);
  s.SetCaption(u"x");
  s.SetRange(0, 5);
  EXPECT_EQ(probe.paints, 0);
  s.HandleNeeded();  // the window comes into existence
  EXPECT_FALSE(s.SuppressPaint());
  s.SetCaption(u"y");
  EXPECT_EQ(probe.paints, 1);
  EXPECT_EQ(probe.target, &s.Canvas());
}

// A helper that only ever draws for its owner makes no window of its own.
TEST(ScalePainting, HelperMakesNoWindow) {
  TBitmap image(660, 395);
  TScale s;
  s.SetIsHelperComponent(true);
  s.SetTransparent(true);
  s.SetBounds(0, 0, 660, 395);
  s.SetCaption(u"MHz");
  s.SetRange(1.5, 30.0);
  s.ForcePaint(image.Canvas(), 0, 0);
  EXPECT_NE(MaskOf(image, clBlack).find('#'), std::string::npos);
  EXPECT_EQ(s.Widget(), nullptr);
  EXPECT_FALSE(s.HandleAllocated());
}

struct SetterCase {
  const char* name;
  std::function<void(TScale&)> set;
  int paints;
};

// Each row runs on a fresh scale with its window; the value is the default
// unless the name says otherwise.
const SetterCase kSetters[] = {
    {"ColorScale same", [](TScale& s) { s.SetColorScale(clBlack); }, 0},
    {"ColorScale other", [](TScale& s) { s.SetColorScale(clRed); }, 1},
    {"ColorBackGnd same", [](TScale& s) { s.SetColorBackGnd(clBtnFace); }, 0},
    {"ColorScheme same", [](TScale& s) { s.SetColorScheme(csBWG); }, 0},
    {"ColorScheme other", [](TScale& s) { s.SetColorScheme(csSystem); }, 1},
    {"FrameStyle same", [](TScale& s) { s.SetFrameStyle(fsLowered); }, 0},
    {"ShortTicks same", [](TScale& s) { s.SetShortTicks(true); }, 0},
    {"ShortTicks other", [](TScale& s) { s.SetShortTicks(false); }, 1},
    {"ScaleType same", [](TScale& s) { s.SetScaleType(sctXB); }, 0},
    {"IsHelperComponent same", [](TScale& s) { s.SetIsHelperComponent(false); }, 0},
    {"SuppressPaint same", [](TScale& s) { s.SetSuppressPaint(false); }, 0},
    {"SuppressPaint on", [](TScale& s) { s.SetSuppressPaint(true); }, 0},
    {"Caption", [](TScale& s) { s.SetCaption(u""); }, 1},
    {"CaptionPosX", [](TScale& s) { s.SetCaptionPosX(4); }, 1},
    {"CaptionPosY", [](TScale& s) { s.SetCaptionPosY(4); }, 1},
    {"CaptionAlignment", [](TScale& s) { s.SetCaptionAlignment(taCenter); }, 1},
    {"CaptionAnchor", [](TScale& s) { s.SetCaptionAnchor(uaSclTopLft); }, 1},
    {"ShowBaseLine", [](TScale& s) { s.SetShowBaseLine(true); }, 1},
    {"Transparent off", [](TScale& s) { s.SetTransparent(false); }, 1},
    {"UserTickText", [](TScale& s) { s.SetUserTickText(u""); }, 1},
    {"ScaleInscript", [](TScale& s) { s.SetScaleInscript(u""); }, 1},
    {"DecPlaces", [](TScale& s) { s.SetDecPlaces(-2); }, 1},
    {"MinTicks", [](TScale& s) { s.SetMinTicks(3); }, 1},
    {"MarginLeft", [](TScale& s) { s.SetMarginLeft(20); }, 1},
    {"RangeLow", [](TScale& s) { s.SetRangeLow(0.0); }, 1},
    {"RangeHigh", [](TScale& s) { s.SetRangeHigh(100.0); }, 1},
    {"SetRange", [](TScale& s) { s.SetRange(0.0, 100.0); }, 1},
    {"LabelType", [](TScale& s) { s.SetLabelType(ftNum); }, 1},
    {"Logarithmic", [](TScale& s) { s.SetLogarithmic(false); }, 1},
    {"SetBounds", [](TScale& s) { s.SetBounds(0, 0, 400, 400); }, 1},
    {"DateFormat", [](TScale& s) { s.SetDateFormat(TDTLabel()); }, 1},
    {"DateFormat TimeFormat", [](TScale& s) { s.DateFormat().SetTimeFormat(tfHHMMSS); }, 1},
    {"DateFormat YearLength same", [](TScale& s) { s.DateFormat().SetYearLength(ylYYYY); }, 0},
    {"DateFormat YearLength other", [](TScale& s) { s.DateFormat().SetYearLength(ylYY); }, 1},
    {"Font colour", [](TScale& s) { s.Font().SetColor(clRed); }, 1},
};

TEST(ScalePainting, SettersRepaintByTheirRule) {
  for (const SetterCase& c : kSetters) {
    TScale s;
    s.HandleNeeded();
    PaintProbe probe(s);
    c.set(s);
    EXPECT_EQ(probe.paints, c.paints) << c.name;
  }
}

TEST(ScalePainting, TransparentStandAloneWaitsHelperPaintsAtOnce) {
  TScale s;
  s.HandleNeeded();
  PaintProbe probe(s);
  s.SetTransparent(true);
  s.SetCaption(u"later");
  EXPECT_EQ(probe.paints, 0) << "the window repaints it after its background";
  s.Paint();  // what the window's repaint does
  EXPECT_EQ(probe.paints, 1);

  s.SetIsHelperComponent(true);
  EXPECT_EQ(probe.paints, 2);
  s.SetCaption(u"now");
  EXPECT_EQ(probe.paints, 3);
}

TEST(ScalePainting, SuppressionAndForcePaint) {
  TScale s;
  s.HandleNeeded();
  PaintProbe probe(s);
  s.SetSuppressPaint(true);
  s.SetCaption(u"quiet");
  EXPECT_EQ(probe.paints, 0);
  s.ForcePaint();
  EXPECT_EQ(probe.paints, 1);
  EXPECT_TRUE(s.SuppressPaint());
  s.SetSuppressPaint(false);
  EXPECT_EQ(probe.paints, 2);

  // A transparent stand-alone scale paints at once too: a deferred repaint
  // would come after the suppression is back.
  s.SetSuppressPaint(true);
  s.SetTransparent(true);
  s.ForcePaint();
  EXPECT_EQ(probe.paints, 3);
}

TEST(ScalePainting, ForcePaintKeepsTheSuppressionWhenAHandlerRaises) {
  TScale s;
  s.OnBeforeScaleRendered = [](TObject*, TCanvas&) { throw std::runtime_error("handler"); };
  EXPECT_THROW(s.ForcePaint(), std::runtime_error);
  EXPECT_TRUE(s.SuppressPaint());
}

// The canvas of a drawing call is an argument: after the call, also one
// that a tick event ended, nothing refers to it.
TEST(ScalePainting, NothingRefersToTheCanvasAfterTheCall) {
  TScale s;
  s.SetIsHelperComponent(true);
  s.SetTransparent(true);
  s.SetBounds(0, 0, 60, 40);
  s.OnScaleTickDrawn = [](TObject*, TCanvas&, TScaleType, double, int, int) {
    throw std::runtime_error("tick");
  };
  {
    TBitmap gone(60, 40);
    EXPECT_THROW(s.ForcePaint(gone.Canvas(), 0, 0), std::runtime_error);
  }
  s.OnScaleTickDrawn = nullptr;
  PaintProbe probe(s);
  s.SetSuppressPaint(false);  // paints at once, on its own surface
  EXPECT_EQ(probe.paints, 1);
  EXPECT_EQ(probe.target, &s.Canvas());
  EXPECT_NE(MaskOf(s.Surface(), clBlack).find('#'), std::string::npos);
}

TEST(ScalePainting, InvisibleOrLoadingScalePaintsNothing) {
  TScale s;
  s.HandleNeeded();
  PaintProbe probe(s);
  s.SetVisible(false);
  s.ForcePaint();
  EXPECT_EQ(probe.paints, 0);
  s.SetVisible(true);

  s.BeginLoading();
  s.SetCaption(u"from the layout");
  s.ForcePaint();
  EXPECT_EQ(probe.paints, 0);
  s.Loaded();
  EXPECT_EQ(probe.paints, 1);
}

// --- paint paths ------------------------------------------------------------------

// A 20 x 12 opaque scale: yellow background, ticks every 2 units without
// labels, the lowered frame (grey and white outside, black and silver inside).
void makeSmallOpaqueScale(TScale& s) {
  s.SetBounds(0, 0, 20, 12);
  s.SetMarginLeft(3);
  s.SetMarginRight(3);
  s.SetMarginBottom(3);
  s.SetRange(0.0, 10.0);
  s.SetMinTicks(2);
  s.SetShortTicks(false);
  s.SetLabelType(ftNoFigs);
  s.SetColorBackGnd(clYellow);
}

const std::vector<std::string> kSmallScale{
    "gggggggggggggggggggg",
    "g##################w",
    "g#y#yy#y#yy#y#yy#ysw",
    "g#y#yy#y#yy#y#yy#ysw",
    "g#y#yy#y#yy#y#yy#ysw",
    "g#y#yy#y#yy#y#yy#ysw",
    "g#y#yy#y#yy#y#yy#ysw",
    "g#y#yy#y#yy#y#yy#ysw",
    "g#y##############ysw",
    "g#yyyyyyyyyyyyyyyysw",
    "gssssssssssssssssssw",
    "wwwwwwwwwwwwwwwwwwww",
};

TEST(ScalePaths, OpaqueScaleOnItsOwnWindow) {
  TScale s;
  s.HandleNeeded();
  makeSmallOpaqueScale(s);
  EXPECT_EQ(ColorMap(s.Surface(), 0, 0, 20, 12, kLegend), Rows(kSmallScale));
}

TEST(ScalePaths, OpaqueScaleOnAForeignSurfaceAtAnOffset) {
  TBitmap target(60, 60);
  Fill(target, clAqua);
  TScale s;
  makeSmallOpaqueScale(s);
  TCanvas* before = nullptr;
  TCanvas* after = nullptr;
  s.OnBeforeScaleRendered = [&](TObject*, TCanvas& cv) { before = &cv; };
  s.OnAfterScaleRendered = [&](TObject* sender, TCanvas& cv) {
    EXPECT_EQ(sender, &s);
    after = &cv;
    cv.SetPixel(5, 9, clRed);  // under the frame, on the scale's own image
  };
  s.ForcePaint(target.Canvas(), 30, 40);

  std::vector<std::string> expected(2, std::string(24, '.'));
  for (std::string row : kSmallScale) expected.push_back(".." + row + "..");
  expected[2 + 9][2 + 5] = '.';  // the red pixel of the event
  expected.push_back(std::string(24, '.'));
  expected.push_back(std::string(24, '.'));
  EXPECT_EQ(ColorMap(target, 28, 38, 24, 16, kLegend), Rows(expected));
  EXPECT_EQ(target.PixelColor(35, 49), clRed);
  EXPECT_EQ(before, &target.Canvas());
  EXPECT_NE(after, &target.Canvas()) << "the opaque image is drawn off-screen first";
  EXPECT_EQ(s.Surface().PixelColor(5, 5), s.Surface().PixelColor(6, 6))
      << "nothing on the scale's own surface";
}

TEST(ScalePaths, TransparentScaleDrawsNoBackgroundAndNoFrame) {
  TBitmap target(40, 30);
  Fill(target, clAqua);
  TScale s;
  makeSmallOpaqueScale(s);
  s.SetTransparent(true);
  TCanvas* after = nullptr;
  s.OnAfterScaleRendered = [&](TObject*, TCanvas& cv) { after = &cv; };
  s.ForcePaint(target.Canvas(), 10, 5);
  // Only the offset across the axis applies: base line on row 5 + 8.
  EXPECT_EQ(MaskOf(target, clBlack, 0, 5, 20, 10),
            Rows({
                "....................",
                "....................",
                "...#..#.#..#.#..#...",
                "...#..#.#..#.#..#...",
                "...#..#.#..#.#..#...",
                "...#..#.#..#.#..#...",
                "...#..#.#..#.#..#...",
                "...#..#.#..#.#..#...",
                "...##############...",
                "....................",
            }));
  const std::string aqua = MaskOf(target, clAqua);
  const std::string black = MaskOf(target, clBlack);
  for (size_t i = 0; i < aqua.size(); ++i) {
    if (aqua[i] == '\n') continue;
    ASSERT_NE(aqua[i] == '#', black[i] == '#') << "pixel " << i << " is neither aqua nor black";
  }
  EXPECT_EQ(after, &target.Canvas());
}

TEST(ScalePaths, TargetTakesTheScaleFont) {
  TBitmap target(10, 10);
  TScale s;
  s.Font().SetColor(clGreen);
  s.Font().SetHeight(-14);
  s.SetTransparent(true);
  s.ForcePaint(target.Canvas(), 0, 0);
  EXPECT_TRUE(target.Canvas().Font().SameLook(s.Font()));
  EXPECT_EQ(target.Canvas().Pen().Color(), clBlack) << "ticks in the scale colour";
}

TEST(ScalePaths, EmptyScalePaintsWithoutHarm) {
  TScale s;
  s.HandleNeeded();
  PaintProbe probe(s);
  s.SetBounds(0, 0, 0, 0);
  s.SetCaption(u"nowhere");
  s.SetCaptionAnchor(uaSclCenter);
  // Margin sums beyond the 32-bit range are taken in 64 bits.
  for (TScaleType type : {sctXB, sctYR}) {
    s.SetScaleType(type);
    s.SetMarginLeft(2000000000);
    s.SetMarginRight(2000000000);
    s.SetMarginTop(2000000000);
    s.SetMarginBottom(2000000000);
    EXPECT_EQ(s.ConvertToPixelCoords(50.0), 0);
  }
  EXPECT_EQ(probe.paints, 12);
}

// --- copying ----------------------------------------------------------------------

TEST(ScaleAssign, CopiesTheAxisSettings) {
  TBitmap image(300, 200);
  TScale source;
  source.SetIsHelperComponent(true);
  source.SetTransparent(true);
  source.SetBounds(0, 0, 300, 200);
  source.SetFrameStyle(fsRaised);
  source.SetColorScale(clNavy);
  source.SetColorBackGnd(clYellow);
  source.SetColorScheme(csSystem);
  source.SetRange(0.0, 40.0);
  source.SetShortTicks(false);
  source.SetMinTicks(5);
  source.SetDecPlaces(3);
  source.SetShowBaseLine(false);
  source.SetLabelType(ftUserText);
  source.DateFormat().SetDateOrder(doYYMMDD);
  source.SetMarginTop(1);
  source.SetMarginBottom(2);
  source.SetMarginLeft(3);
  source.SetMarginRight(4);
  source.SetCaptionPosX(-7);
  source.SetCaptionPosY(8);
  source.SetUserTickText(u"a|b");
  source.SetScaleInscript(u"&%");
  source.SetCaption(u"unit");
  source.SetCaptionAnchor(uaSclBotRgt);
  source.SetCaptionAlignment(taRightJustify);
  source.SetScaleType(sctXT);
  int tickEvents = 0;
  source.OnScaleTickDrawn = [&](TObject*, TCanvas&, TScaleType, double, int, int) { ++tickEvents; };
  source.ForcePaint(image.Canvas(), 5, 6);
  ASSERT_EQ(source.NumTicks(), 9);

  TScale target;
  target.HandleNeeded();
  target.BeginLoading();
  target.Loaded();
  PaintProbe targetProbe(target);
  target.Font().SetColor(clLime);
  targetProbe.paints = 0;
  source.OnBeforeScaleRendered = [](TObject*, TCanvas&) {};
  target.Assign(source);

  EXPECT_EQ(target.FrameStyle(), fsRaised);
  EXPECT_EQ(target.ColorScale(), clNavy);
  EXPECT_EQ(target.ColorBackGnd(), clYellow);
  EXPECT_EQ(target.ColorScheme(), csSystem);
  EXPECT_EQ(target.RangeLow(), 0.0);
  EXPECT_EQ(target.RangeHigh(), 40.0);
  EXPECT_FALSE(target.ShortTicks());
  EXPECT_EQ(target.MinTicks(), 5);
  EXPECT_EQ(target.DecPlaces(), 3);
  EXPECT_FALSE(target.ShowBaseLine());
  EXPECT_TRUE(target.Transparent());
  EXPECT_EQ(target.LabelType(), ftUserText);
  EXPECT_EQ(target.DateFormat().DateOrder(), doYYMMDD);
  EXPECT_EQ(target.MarginTop(), 1);
  EXPECT_EQ(target.MarginBottom(), 2);
  EXPECT_EQ(target.MarginLeft(), 3);
  EXPECT_EQ(target.MarginRight(), 4);
  EXPECT_EQ(target.CaptionPosX(), -7);
  EXPECT_EQ(target.CaptionPosY(), 8);
  EXPECT_EQ(target.UserTickText(), u"a|b");
  EXPECT_EQ(target.ScaleInscript(), u"&%");
  EXPECT_EQ(target.Caption(), u"unit");
  EXPECT_EQ(target.CaptionAnchor(), uaSclBotRgt);
  EXPECT_EQ(target.CaptionAlignment(), taRightJustify);
  EXPECT_EQ(target.ScaleType(), sctXT);
  EXPECT_TRUE(target.SuppressPaint());
  // The mapping comes along unchanged, although the size does not.
  EXPECT_EQ(target.Width(), 400);
  EXPECT_EQ(target.ConvertToPixelCoords(40.0), source.ConvertToPixelCoords(40.0));
  // The tick list, as its own copy.
  ASSERT_EQ(target.NumTicks(), 9);
  EXPECT_EQ(target.TickPos(9), 40.0);
  source.SetRange(0.0, 1.0);
  source.ForcePaint();
  EXPECT_EQ(target.TickPos(9), 40.0);
  // The tick events come along, the render events and the font do not.
  EXPECT_EQ(target.Font().Color(), clLime);
  EXPECT_EQ(targetProbe.paints, 0) << "now a suppressed transparent stand-alone scale";
  tickEvents = 0;
  target.ForcePaint();
  EXPECT_GT(tickEvents, 0);
  EXPECT_EQ(targetProbe.paints, 1);
  EXPECT_FALSE(target.IsHelperComponent());
}

// The axis settings set as one value end where the setters, one by one,
// end: the same values read back and the same picture drawn.
void SetOneByOne(TScale& s, const TScaleSettings& v) {
  s.SetRange(v.RangeLow, v.RangeHigh);
  s.SetDecPlaces(v.DecPlaces);
  s.SetLogarithmic(v.Logarithmic);
  s.SetLabelType(v.LabelType);
  s.SetMinTicks(v.MinTicks);
  s.SetShortTicks(v.ShortTicks);
  s.SetUserTickText(v.UserTickText);
  s.SetScaleInscript(v.ScaleInscript);
  s.SetCaption(v.Caption);
  s.SetCaptionPosX(v.CaptionPosX);
  s.SetCaptionPosY(v.CaptionPosY);
  s.SetCaptionAlignment(v.CaptionAlignment);
  s.SetCaptionAnchor(v.CaptionAnchor);
  s.SetColorScale(v.ColorScale);
}

struct AxisSettingsCase {
  const char* name;
  bool loaded;
  std::function<void(TScaleSettings&)> change;
};

TEST(ScaleAxisSettings, SetWholeAsTheSettersSetThemOneByOne) {
  const std::vector<AxisSettingsCase> cases = {
      {"everything changed",
       false,
       [](TScaleSettings& v) {
         v.RangeLow = 2;
         v.RangeHigh = 50;
         v.MinTicks = 6;
         v.DecPlaces = 2;
         v.ShortTicks = false;
         v.LabelType = ftUserText;
         v.UserTickText = u"a|b|c";
         v.ScaleInscript = u"<&>";
         v.Caption = u"m";
         v.CaptionPosX = 5;
         v.CaptionPosY = 3;
         v.CaptionAlignment = taRightJustify;
         v.CaptionAnchor = uaSclBotRgt;
         v.ColorScale = clTeal;
       }},
      {"equal ends", false, [](TScaleSettings& v) { v.RangeLow = v.RangeHigh = 7; }},
      {"too many places, too few ticks",
       false,
       [](TScaleSettings& v) {
         v.DecPlaces = 20;
         v.MinTicks = 1;
       }},
      {"too many ticks", false, [](TScaleSettings& v) { v.MinTicks = 15; }},
      {"time axis",
       false,
       [](TScaleSettings& v) {
         v.LabelType = ftTime;
         v.DecPlaces = 7;
       }},
      {"logarithmic date axis",
       false,
       [](TScaleSettings& v) {
         v.LabelType = ftDateTime;
         v.Logarithmic = true;
       }},
      {"logarithmic before loading",
       false,
       [](TScaleSettings& v) {
         v.RangeLow = -1;
         v.Logarithmic = true;
       }},
      {"logarithmic refused after loading",
       true,
       [](TScaleSettings& v) {
         v.RangeLow = -1;
         v.Logarithmic = true;
       }},
      {"logarithmic after loading",
       true,
       [](TScaleSettings& v) {
         v.RangeLow = 1;
         v.RangeHigh = 1000;
         v.Logarithmic = true;
       }},
  };
  // Each case starts from a new scale and from a date axis over 1..10 (made
  // logarithmic first, which the date type turns off), so that a previous
  // mapping and label type are there to be kept or overridden.
  for (const AxisSettingsCase& c : cases) {
    for (const bool fromDateAxis : {false, true}) {
      SCOPED_TRACE(c.name);
      SCOPED_TRACE(fromDateAxis ? "from a date axis" : "from a new scale");
      TScaleSettings value;
      c.change(value);
      TScale whole, oneByOne;
      for (TScale* s : {&whole, &oneByOne}) {
        s->SetBounds(0, 0, 300, 200);
        if (fromDateAxis) {
          s->SetRange(1, 10);
          s->SetLogarithmic(true);
          s->SetLabelType(ftDateTime);
        }
        if (c.loaded) {
          s->BeginLoading();
          s->Loaded();
        }
      }
      whole.SetAxisSettings(value);
      SetOneByOne(oneByOne, value);
      EXPECT_TRUE(whole.AxisSettings() == oneByOne.AxisSettings());
      EXPECT_EQ(whole.ConvertToPixelCoords(1.5), oneByOne.ConvertToPixelCoords(1.5));
      TBitmap wholeImage(300, 200), oneByOneImage(300, 200);
      whole.ForcePaint(wholeImage.Canvas(), 0, 0);
      oneByOne.ForcePaint(oneByOneImage.Canvas(), 0, 0);
      EXPECT_TRUE(SamePixels(wholeImage, oneByOneImage));
    }
  }
}

TEST(ScaleAxisSettings, RepaintOnceAndRemapOnlyWhatChanged) {
  TScale scale;
  scale.HandleNeeded();
  PaintProbe probe(scale);
  const int computed = scale.MappingComputations();
  TScaleSettings value = scale.AxisSettings();
  value.Caption = u"Hz";
  value.MinTicks = 5;
  scale.SetAxisSettings(value);
  EXPECT_EQ(scale.MappingComputations(), computed);
  EXPECT_EQ(probe.paints, 1);
  value.RangeHigh = 40;
  scale.SetAxisSettings(value);
  EXPECT_EQ(scale.MappingComputations(), computed + 1);
  EXPECT_EQ(probe.paints, 2);
}

TEST(ScaleAssign, KeepsVisibilityHelperModeAndLoadingState) {
  TScale source;
  source.SetRange(1.0, 1000.0);
  source.SetLogarithmic(true);  // a scale made in code
  source.SetIsHelperComponent(true);
  source.SetVisible(false);

  TScale target;
  target.BeginLoading();
  target.Loaded();
  target.Assign(source);
  EXPECT_TRUE(target.Logarithmic());
  EXPECT_TRUE(target.Visible());
  EXPECT_FALSE(target.IsHelperComponent());
  target.SetLogarithmic(false);
  target.SetRange(0.0, 10.0);
  target.SetLogarithmic(true);
  EXPECT_FALSE(target.Logarithmic()) << "the target stays a loaded scale";
}

TEST(ScaleAssign, DateSettingsNotifyTheirOwnScale) {
  TScale source;
  source.HandleNeeded();
  TScale target;
  target.Assign(source);
  PaintProbe sourceProbe(source);
  PaintProbe targetProbe(target);
  target.DateFormat().SetTimeFormat(tfAMPM);
  EXPECT_EQ(targetProbe.paints, 1);
  EXPECT_EQ(sourceProbe.paints, 0);
}

TEST(ScaleAssign, OnlyFromAScale) {
  TScale source;
  source.SetCaption(u"copied");
  TScale target;
  const TObject& asObject = source;
  target.Assign(asObject);
  EXPECT_EQ(target.Caption(), u"copied");

  TDTLabel notAScale;
  EXPECT_THROW(target.Assign(static_cast<const TObject&>(notAScale)), EConvertError);

  TScale other;
  source.SetCaption(u"pushed");
  source.AssignTo(other);
  EXPECT_EQ(other.Caption(), u"pushed");
}

}  // namespace

namespace {

// The mapping is computed again only when what it is computed from changed;
// a setter that leaves it so keeps the same mapping.
TEST(ScaleMapping, ComputedOnlyForARealChange) {
  TScale s;
  const int before = s.MappingComputations();
  const TAxisMap map = s.Mapping();
  s.SetMarginLeft(s.MarginLeft());
  s.SetRange(s.RangeLow(), s.RangeHigh());
  s.SetDecPlaces(s.DecPlaces());
  s.SetLogarithmic(s.Logarithmic());
  s.SetBounds(s.Left(), s.Top(), s.Width(), s.Height());
  EXPECT_EQ(s.MappingComputations(), before);
  EXPECT_EQ(s.ConvertToPixelCoords(50.0), map.ToPixel(50.0));
  s.SetMarginLeft(s.MarginLeft() + 10);
  EXPECT_EQ(s.MappingComputations(), before + 1);
  s.SetMarginLeft(s.MarginLeft() - 10);
  EXPECT_EQ(s.MappingComputations(), before + 2);
  EXPECT_EQ(s.ConvertToPixelCoords(50.0), map.ToPixel(50.0));
}

// A copied mapping came from another geometry: the next remap computes.
TEST(ScaleMapping, AssignedMappingIsNotTakenAsOwn) {
  TScale source;
  source.SetRange(0.0, 10.0);
  TScale s;
  s.SetRange(0.0, 10.0);
  s.SetMarginLeft(40);
  const int ownPixel = s.ConvertToPixelCoords(5.0);
  s.Assign(source);
  s.SetMarginLeft(40);
  EXPECT_EQ(s.ConvertToPixelCoords(5.0), ownPixel);
}

}  // namespace
