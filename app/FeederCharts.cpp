#include "app/FeederCharts.h"

#include <cmath>

#include "app/ChartZoom.h"
#include "app/FeederCheck.h"
#include "app/FeederEngine.h"
#include "platform/ScopeGuard.h"

namespace {

// A pixel measure of the layout at the chart's scale.
int scaled(int pixels, double scale) { return int(std::lround(pixels * scale)); }

// The window layout's values of one axis of layer 1.
struct AxisSettings {
  const char16_t* caption;
  int captionX;
  int captionY;
  TAlignment alignment;
  TScaleUnitAnchor anchor;
  double low;
  double high;
};

// What every axis of both charts carries.
void applyCommonAxis(TScaleProps& axis, double scale) {
  axis.SetDecPlaces(-2);
  axis.SetLabelType(ftNum);
  axis.SetMinTicks(3);
  axis.SetMinRange(1e-10);
  axis.SetShortTicks(true);
  axis.SetScalePos(0);
  axis.SetLogarithmic(false);
  axis.Font().SetName(u"Tahoma");
  axis.Font().SetHeight(scaled(-11, scale));
  axis.Font().SetColor(clWindowText);
}

void applyAxis(TScaleProps& axis, const AxisSettings& s, double scale) {
  applyCommonAxis(axis, scale);
  axis.SetCaption(s.caption);
  axis.SetCaptionPosX(scaled(s.captionX, scale));
  axis.SetCaptionPosY(scaled(s.captionY, scale));
  axis.SetCaptionAlignment(s.alignment);
  axis.SetCaptionAnchor(s.anchor);
  axis.SetColorScale(clBlack);
  axis.SetRangeHigh(s.high);
  axis.SetRangeLow(s.low);
  axis.SetVisible(true);
}

// Layers 2..4: invisible axes over 0..1 in the layer's own colour.
void applyHiddenAxes(TCustomRChart& chart, double scale) {
  constexpr TColor colors[] = {clMaroon, clGreen, clOlive};
  for (int n = 2; n <= 4; ++n) {
    TScalePropsHoriz& x = chart.ScalePropsX(n);
    TScalePropsVert& y = chart.ScalePropsY(n);
    for (TScaleProps* axis : {static_cast<TScaleProps*>(&x), static_cast<TScaleProps*>(&y)}) {
      applyCommonAxis(*axis, scale);
      axis->SetVisible(false);
      axis->SetRangeHigh(1.0);
      axis->SetCaptionPosX(scaled(10, scale));
      axis->SetCaptionPosY(scaled(100, scale));
      axis->SetColorScale(colors[n - 2]);
    }
    x.SetCaptionAlignment(taCenter);
    x.SetCaptionAnchor(uaSclCenter);
    x.SetScaleLocation(slBottom);
    y.SetCaptionAlignment(taRightJustify);
    y.SetCaptionAnchor(uaSclTopLft);
    y.SetScaleLocation(slLeft);
  }
}

void setCrossHair(TCrossHair& ch, TColor color, int layer, TCrossHMode mode, int width) {
  ch.SetColor(color);
  ch.SetLayer(layer);
  ch.SetMode(mode);
  ch.SetLineType(psSolid);
  ch.SetLineWid(width);
}

// The settings both charts share.
void applyCommonLayout(TCustomRChart& chart, double scale) {
  chart.Store().SetAllocSize(1000);
  chart.SetAutoRedraw(true);
  chart.SetAvoidDuplicateMarks(false);
  chart.Store().SetClassDefault(0);
  // The left margin is the standard layout's.
  chart.SetMarginLeft(scaled(chart.MarginLeft(), scale));
  chart.SetMarginRight(scaled(20, scale));
  chart.SetMarginTop(scaled(20, scale));
  chart.SetMarginBottom(scaled(40, scale));
  chart.SetGridStyle(gsLines);
  TBakGndImg& background = chart.BackGroundImg();
  background.SetIncludePath(false);
  background.SetFillMode(bfStretch);
  background.SetAreaMode(bamNone);
  background.SetAreaColor(0xDDDDDD);
  chart.SetCaption(u"");
  chart.SetCaptionPosX(0);
  chart.SetCaptionPosY(scaled(-16, scale));
  chart.SetCaptionAlignment(taRightJustify);
  chart.SetCaptionAnchorHoriz(cahChartRight);
  chart.SetCaptionAnchorVert(cavChartTop);
  chart.Font().SetHeight(scaled(chart.Font().Height(), scale));
  chart.SetShadowStyle(ssFlying);
  chart.SetShadowColor(clGrayText);
  chart.SetShadowBakColor(clBtnFace);
  chart.Store().SetTextFontStyle(0);
  chart.Store().SetTextBkStyle(tbClear);
  chart.Store().SetTextBkColor(clWhite);
  chart.Store().SetTextAlignment(taCenter);
  chart.SetMouseCursorFixed(true);
  setCrossHair(chart.CrossHair3(), clBlack, 3, chOff, scaled(1, scale));
  setCrossHair(chart.CrossHair4(), clBlack, 4, chOff, scaled(1, scale));
  applyHiddenAxes(chart, scale);
}

}  // namespace

void ApplyFirstChartLayout(TCustomRChart& chart, double scale) {
  applyCommonLayout(chart, scale);
  chart.SetChartColor(clBackground);
  chart.SetGridColor(clSilver);
  chart.SetGridDx(2.0);
  chart.SetGridDy(2.5);
  chart.SetMouseAction(maDragCrossH);
  setCrossHair(chart.CrossHair1(), clWhite, 1, chBoth, scaled(1, scale));
  setCrossHair(chart.CrossHair2(), clBlack, 1, chVert, scaled(3, scale));
  applyAxis(chart.Scale1X(),
            {u"Feeder length in meters (x - current max point)",
             0,
             22,
             taCenter,
             uaSclCenter,
             FirstChartHomeX.low,
             FirstChartHomeX.high},
            scale);
  chart.Scale1X().SetScaleLocation(slBottom);
  applyAxis(chart.Scale1Y(),
            {u"Frequency (MHz)",
             -40,
             -16,
             taLeftJustify,
             uaSclTopLft,
             FirstChartHomeY.low,
             FirstChartHomeY.high},
            scale);
  chart.Scale1Y().SetScaleLocation(slLeft);
}

void FinishFirstChart(TCustomRChart& chart) {
  chart.JointLayers().SetMasterX(AvoidLayer, 1);
  chart.JointLayers().SetMasterY(AvoidLayer, 1);
}

void LoadFirstChart(TCustomRChart& chart, int width, int height, double scale) {
  chart.BeginLoading();
  chart.SetBounds(0, 0, width, height);
  ApplyFirstChartLayout(chart, scale);
  chart.Loaded();
  FinishFirstChart(chart);
}

void ApplyOptimumChartLayout(TCustomRChart& chart) {
  applyCommonLayout(chart, 1);
  chart.SetGridColor(clMenuBar);
  chart.SetGridDx(0.1);
  chart.SetGridDy(0.1);
  chart.SetMouseAction(maNone);
  setCrossHair(chart.CrossHair1(), clBlack, 1, chOff, 1);
  setCrossHair(chart.CrossHair2(), clBlack, 2, chOff, 1);
  applyAxis(chart.Scale1X(), {u"", 0, 22, taCenter, uaSclCenter, 0.25, 2.5}, 1);
  chart.Scale1X().SetScaleLocation(slBottom);
  applyAxis(chart.Scale1Y(), {u"", 0, -16, taLeftJustify, uaSclTopLft, 0.0, 0.5}, 1);
  chart.Scale1Y().SetScaleLocation(slLeft);
}

namespace {

void plotLengthsToAvoid(TCustomRChart& chart, const TFeederState& state, double frequencyMHz) {
  const int layer = chart.ActiveLayer();
  const TColor color = chart.DataColor();
  const uint8_t width = chart.LineWidth();
  const TScopeGuard restore([&] {
    chart.SetLineWidth(width);
    chart.SetDataColor(color);
    chart.SetActiveLayer(layer);
  });
  chart.SetActiveLayer(AvoidLayer);
  chart.SetDataColor(clRed);
  chart.SetLineWidth(AvoidBarWidth);
  for (const TAvoidZone& zone : LengthsToAvoid(state)) {
    chart.Line(zone.from, frequencyMHz, zone.to, frequencyMHz);
  }
}

}  // namespace

void PlotCalculation(TCustomRChart& chart, const TFeederState& state, double frequencyMHz,
                     bool lengthsToAvoid) {
  // Switching layers applies the repaint rule; the caller's ShowGraf shows
  // the bars with the marks in one rendering instead.
  const bool autoRedraw = chart.AutoRedraw();
  chart.SetAutoRedraw(false);
  const TScopeGuard redrawAsBefore([&] { chart.SetAutoRedraw(autoRedraw); });
  chart.SetDataColor(FeederMarkColor);
  for (const TFeederMark& mark : FeederMarks(state, frequencyMHz)) {
    chart.MarkAt(mark.x, mark.y, FeederMarkKind);
  }
  if (lengthsToAvoid) plotLengthsToAvoid(chart, state, frequencyMHz);
}
