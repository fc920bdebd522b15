#include "app/TunerChart.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "app/tuner/NumberText.h"
#include "platform/Canvas.h"
#include "platform/Locale.h"
#include "platform/QtText.h"
#include "platform/ScopeGuard.h"

namespace {

// Layer 1 holds the curves and the crosshair; layer 2 shares its x axis and
// spans 0..1 upwards, for the bars along the bottom.
constexpr int kSpanLayer = 2;
constexpr double kSpanBarY = 0.02;
constexpr uint8_t kSpanBarWidth = 6;
constexpr TColor kSpanColor = 0x008000;   // green
constexpr TColor kRangeColor = 0xD8F0D8;  // pale green, under the grid
constexpr TColor kGridColor = 0xDCDCDC;
// The legend stands in the right margin.
constexpr int kMarginRight = 118;
constexpr int kLegendPitch = 15;
constexpr uint8_t kMatchedWidth = 2;

constexpr TColor rgb(int r, int g, int b) { return TColor(r | g << 8 | b << 16); }

// Ten colours that stay apart on white and from each other.
constexpr std::array<TColor, 10> kBandColors = {rgb(140, 86, 75),
                                                rgb(31, 119, 180),
                                                rgb(255, 127, 14),
                                                rgb(214, 39, 40),
                                                rgb(148, 103, 189),
                                                rgb(44, 160, 44),
                                                rgb(227, 119, 194),
                                                rgb(127, 127, 127),
                                                rgb(188, 189, 34),
                                                rgb(23, 190, 207)};

// Caption positions and the font's height are pixels of the window's chart,
// grown by scale.
void setAxis(TScaleProps& axis, const char16_t* caption, int captionX, int captionY, double low,
             double high, double scale = 1) {
  const auto scaled = [scale](int pixels) { return int(std::lround(pixels * scale)); };
  axis.SetDecPlaces(-2);
  axis.SetLabelType(ftNum);
  axis.SetMinTicks(3);
  axis.SetShortTicks(true);
  axis.Font().SetName(u"Tahoma");
  axis.Font().SetHeight(scaled(-11));
  axis.Font().SetColor(clWindowText);
  axis.SetColorScale(clBlack);
  axis.SetCaption(caption);
  axis.SetCaptionPosX(scaled(captionX));
  axis.SetCaptionPosY(scaled(captionY));
  axis.SetRangeLow(low);
  axis.SetRangeHigh(high);
  axis.SetVisible(true);
}

std::u16string localeNumber(double value, int maxDecimals) {
  std::u16string text = FromQString(QString::fromStdString(TrimmedText(value, maxDecimals)));
  std::replace(text.begin(), text.end(), u'.', LocaleDecimalSeparator());
  return text;
}

}  // namespace

TColor TunerCurveColor(int band) {
  return band < 0 ? kBandColors[1] : kBandColors.at(size_t(band));
}

std::pair<double, double> TunerRangeOhm(const TTuner& tuner) {
  if (tuner.kind == TTuner::External) return {tuner.minZ, tuner.maxZ};
  return {TunerReference / tuner.maxSwr, TunerReference * tuner.maxSwr};
}

TTunerChart::TTunerChart(QWidget* parent, int left, int top, int width, int height)
    : TTunerChart(parent, left, top, width, height, 1) {}

TTunerChart::TTunerChart(int width, int height, double scale)
    : TTunerChart(nullptr, 0, 0, width, height, scale) {}

TTunerChart::TTunerChart(QWidget* parent, int left, int top, int width, int height, double scale)
    : FChart(std::make_unique<TRChart>()), FScale(scale) {
  TRChart& c = *FChart;
  c.BeginLoading();
  c.SetName(u"rcTuner");
  if (parent) c.SetParentWidget(parent);
  c.SetBounds(left, top, width, height);
  configure();
  c.Loaded();
  c.JointLayers().SetMasterX(kSpanLayer, 1);
  c.OnCrossHairMove = [this](TObject*, TCrossHair*) { crossHairMoved(); };
  c.OnBeforeRenderData = [this](TObject*, TCanvas& cv, int dx, int dy) {
    drawTunerRange(cv, dx, dy);
  };
  c.OnScalesRendered = [this](TObject*, TCanvas& cv, int, int) { drawLegend(cv); };
}

TTunerChart::~TTunerChart() = default;

int TTunerChart::scaled(int pixels) const { return int(std::lround(pixels * FScale)); }

void TTunerChart::configure() {
  TRChart& c = *FChart;
  c.Store().SetAllocSize(30000);
  c.SetAutoRedraw(true);
  c.SetMarginLeft(scaled(58));
  c.SetMarginRight(scaled(kMarginRight));
  c.SetMarginTop(scaled(24));
  c.SetMarginBottom(scaled(38));
  c.SetShadowStyle(ssFlying);
  c.SetShadowColor(clGrayText);
  c.SetShadowBakColor(clBtnFace);
  c.SetChartColor(clWhite);
  c.SetGridStyle(gsLines);
  c.SetGridColor(kGridColor);
  c.SetGridDx(10);
  c.SetGridDy(-1);  // every power of ten
  c.SetMouseAction(maDragCrossH);
  setAxis(c.Scale1X(), u"Feeder length (m)", 0, 22, 0, TunerChartLongestM, FScale);
  c.Scale1X().SetCaptionAlignment(taCenter);
  c.Scale1X().SetCaptionAnchor(uaSclCenter);
  c.Scale1X().SetScaleLocation(slBottom);
  setAxis(c.Scale1Y(),
          u"|Z| at the tuner (\u03A9)",
          -50,
          -18,
          TunerChartLowestOhm,
          TunerChartHighestOhm,
          FScale);
  c.Scale1Y().SetLogarithmic(true);
  c.Scale1Y().SetCaptionAlignment(taLeftJustify);
  c.Scale1Y().SetCaptionAnchor(uaSclTopLft);
  c.Scale1Y().SetScaleLocation(slLeft);
  TScalePropsVert& spanY = c.ScalePropsY(kSpanLayer);
  spanY.SetRangeLow(0);
  spanY.SetRangeHigh(1);
  spanY.SetVisible(false);
  c.ScalePropsX(kSpanLayer).SetVisible(false);
  c.CrossHairSetup(1, clBlack, chVert, psSolid, scaled(1));
  c.CrossHair1().SetLayer(1);
  c.CrossHairSetPos(1, 20, 1);
}

void TTunerChart::Clear() {
  FLegend.clear();
  FRange = {0, 0};
  FChart->ClearGraf();
  FChart->ShowGraf();
}

void TTunerChart::Show(const TTunerResult& result) {
  TRChart& c = *FChart;
  {
    const bool autoRedraw = c.AutoRedraw();
    const int layer = c.ActiveLayer();
    const TColor color = c.DataColor();
    const uint8_t width = c.LineWidth();
    c.SetAutoRedraw(false);  // one rendering at the end, not one per layer switch
    const TScopeGuard restore([&] {
      c.SetLineWidth(width);
      c.SetDataColor(color);
      c.SetActiveLayer(layer);
      c.SetAutoRedraw(autoRedraw);
    });
    c.ClearGraf();
    FLegend.clear();
    FRange = TunerRangeOhm(result.setup.tuner);
    for (size_t i = 0; i < result.rows.size(); ++i) {
      const int band = result.bands.empty() ? -1 : result.bands[i];
      drawCurve(result, result.rows[i], band);
      FLegend.push_back(
          {TunerCurveColor(band), localeNumber(result.rows[i].frequencyMHz, 3) + u" MHz"});
    }
    drawSpans(result.finder);
  }
  SetFeeder(result.setup.feederM);
  c.ShowGraf();
}

// The band's centre; thick where the tuner matches the whole band, as the
// table and the finder judge it: by the finder's table from its shortest
// length on, below it by the judgement itself.
void TTunerChart::drawCurve(const TTunerResult& result, const TTunerRow& row, int band) {
  TRChart& c = *FChart;
  const TTunerSetup& setup = result.setup;
  c.SetActiveLayer(1);
  c.SetDataColor(TunerCurveColor(band));
  const TFinderTable* table = result.finder.table.get();
  size_t g = 0;
  while (table && g < table->GroupCount() && table->Group(g) != band) ++g;
  std::vector<TFinderFrequency> points;
  for (const TFinderFrequency& f : result.sweep) {
    if (f.group == band) points.push_back(f);
  }
  const int steps = int(std::lround(TunerChartLongestM / TunerChartStepM));
  for (int i = 0; i <= steps; ++i) {
    const double length = i * TunerChartStepM;
    const std::complex<double> z =
        ThroughTheLine(setup.line, row.feedImpedance, row.frequencyMHz, length, setup.powerW)
            .tunerImpedance;
    const int index = int(std::lround((length - FinderShortestM) / FinderStepM));
    const bool matched =
        table && g < table->GroupCount() && index >= 0
            ? table->Matches(g, index)
            : !points.empty() &&
                  JudgeGroups(setup.line, setup.tuner, points, length, setup.powerW)[0].Matches();
    c.SetLineWidth(uint8_t(std::min(255, scaled(matched ? kMatchedWidth : 1))));
    const double magnitude =
        std::clamp(std::abs(z), TunerChartLowestOhm / 2, TunerChartHighestOhm * 2);
    if (i == 0) {
      c.MoveTo(length, magnitude);
    } else {
      c.DrawTo(length, magnitude);
    }
  }
}

void TTunerChart::drawSpans(const TFinderResult& finder) {
  if (!finder.SuitsAll()) return;  // bars only for lengths that suit every band judged
  TRChart& c = *FChart;
  c.SetActiveLayer(kSpanLayer);
  c.SetDataColor(kSpanColor);
  c.SetLineWidth(uint8_t(std::min(255, scaled(kSpanBarWidth))));
  for (const TFeederSpan& span : finder.spans) {
    // A span of one length still shows: at least a pixel's width.
    c.Line(span.fromM, kSpanBarY, std::max(span.toM, span.fromM + 0.05), kSpanBarY);
  }
}

// Under the grid and the curves: the data area's width, the tuner's |Z| range high.
void TTunerChart::drawTunerRange(TCanvas& cv, int dx, int dy) const {
  if (!(FRange.second > FRange.first)) return;
  const TRChart& c = *FChart;
  int x = 0;
  int top = 0;
  int bottom = 0;
  c.R2M(1, 0, std::min(FRange.second, TunerChartHighestOhm * 2), x, top);
  c.R2M(1, 0, std::max(FRange.first, TunerChartLowestOhm / 2), x, bottom);
  // Within the data area also where this pass draws onto a larger surface.
  const int dataBottom = c.Height() - c.MarginBottom() - c.ShadowWidth();
  top = std::max(top, c.MarginTop());
  bottom = std::min(bottom, dataBottom);
  if (top > bottom) return;
  const int left = c.MarginLeft() - dx;
  const int right = c.Width() - c.MarginRight() - c.ShadowWidth() - dx;
  cv.Brush().SetStyle(bsSolid);
  cv.Brush().SetColor(kRangeColor);
  cv.FillRect({left, top - dy, right, bottom - dy + 1});
}

void TTunerChart::drawLegend(TCanvas& cv) const {
  const TRChart& c = *FChart;
  const int left = c.Width() - scaled(kMarginRight) + scaled(10);
  int y = c.MarginTop() + scaled(2);
  cv.Font().SetName(u"Tahoma");
  cv.Font().SetHeight(scaled(-11));
  cv.Font().SetColor(clWindowText);
  cv.Brush().SetStyle(bsClear);
  const auto entry = [&](TColor color, int width, const std::u16string& text) {
    cv.Pen().SetColor(color);
    cv.Pen().SetWidth(scaled(width));
    cv.Pen().SetStyle(psSolid);
    cv.MoveTo(left, y + scaled(7));
    cv.LineTo(left + scaled(18), y + scaled(7));
    cv.Brush().SetStyle(bsClear);
    cv.TextOut(left + scaled(24), y, text);
    y += scaled(kLegendPitch);
  };
  for (const TLegendEntry& e : FLegend) entry(e.color, kMatchedWidth, e.text);
  if (FLegend.empty()) return;
  y += scaled(6);
  entry(kRangeColor, 9, u"tuner's range");
  entry(kSpanColor, kSpanBarWidth, u"suits all");
  entry(clBlack, kMatchedWidth, u"thick: band matched");
  cv.Pen().SetWidth(1);
}

void TTunerChart::SetFeeder(double metres) {
  FChart->CrossHairSetPos(1, std::clamp(metres, 0.0, TunerChartLongestM), 1);
}

double TTunerChart::Feeder() const { return FChart->CrossHairPosX(1); }

void TTunerChart::crossHairMoved() {
  const double metres = std::clamp(std::round(Feeder() * 100) / 100, 0.0, TunerChartLongestM);
  if (OnFeederDragged) OnFeederDragged(metres);
}
