// Export: the picture rendered afresh from the item store into the chart
// bitmap and an auxiliary data bitmap, in colour or in black and white,
// without crosshairs and without touching the window.
#include "controls/chart/PLX_rchart.h"
#include "platform/Canvas.h"
#include "platform/Clipboard.h"

struct TCustomRChart::ColorBackup {
  TColor Window, Frame, Chart, Font, Shadow, ShadowBgnd;
  std::array<TColor, MaxLayers + 1> ScalesX, ScalesY, SclFontX, SclFontY;
};

// The colours are written directly, without the repaint rule.
void TCustomRChart::backupColorsAndMakeBW(ColorBackup& b) {
  b.Window = FWindColor;
  b.Frame = FChartFrameColor;
  b.Chart = FChartColor;
  b.Font = Font().Color();
  b.Shadow = FShadowColor;
  b.ShadowBgnd = FShadowBakColor;
  FWindColor = clWhite;
  FChartColor = clWhite;
  FChartFrameColor = clBlack;
  Font().SetColor(clBlack);
  FShadowColor = clSilver;
  FShadowBakColor = clWhite;
  for (int n = 1; n <= MaxLayers; ++n) {
    TScaleProps& x = *FScalePropsX[size_t(n)];
    TScaleProps& y = *FScalePropsY[size_t(n)];
    b.ScalesX[size_t(n)] = x.ColorScale();
    b.ScalesY[size_t(n)] = y.ColorScale();
    b.SclFontX[size_t(n)] = x.Font().Color();
    b.SclFontY[size_t(n)] = y.Font().Color();
    const TNotifyEvent hx = x.OnChange, hy = y.OnChange;
    x.OnChange = nullptr;
    y.OnChange = nullptr;
    x.SetColorScale(clBlack);
    y.SetColorScale(clBlack);
    x.Font().SetColor(clBlack);
    y.Font().SetColor(clBlack);
    x.OnChange = hx;
    y.OnChange = hy;
  }
  refreshAllScales();
}

void TCustomRChart::reloadBackupColors(const ColorBackup& b) {
  FWindColor = b.Window;
  FChartFrameColor = b.Frame;
  FChartColor = b.Chart;
  Font().SetColor(b.Font);
  FShadowColor = b.Shadow;
  FShadowBakColor = b.ShadowBgnd;
  for (int n = 1; n <= MaxLayers; ++n) {
    TScaleProps& x = *FScalePropsX[size_t(n)];
    TScaleProps& y = *FScalePropsY[size_t(n)];
    const TNotifyEvent hx = x.OnChange, hy = y.OnChange;
    x.OnChange = nullptr;
    y.OnChange = nullptr;
    x.SetColorScale(b.ScalesX[size_t(n)]);
    y.SetColorScale(b.ScalesY[size_t(n)]);
    x.Font().SetColor(b.SclFontX[size_t(n)]);
    y.Font().SetColor(b.SclFontY[size_t(n)]);
    x.OnChange = hx;
    y.OnChange = hy;
  }
  refreshAllScales();
}

// Painting stays suppressed throughout, so notifications raised meanwhile do
// not render; the colours come back also when rendering fails.
void TCustomRChart::renderForExport(TBitmap& aux, bool BlkWhite, bool wholeChart) {
  const bool suppressed = FSuppressPaint;
  FSuppressPaint = true;
  ColorBackup backup{};
  if (BlkWhite) backupColorsAndMakeBW(backup);
  try {
    if (wholeChart) ConstructChartBmp(FChartBmp.Canvas());
    aux.SetSize(FGrafBmp.Width(), FGrafBmp.Height());
    InitGraf(aux.Canvas(), 0, 0);
    ConstructDataBmp(aux.Canvas(), 0, 0, BlkWhite, 0);
    if (wholeChart) FChartBmp.Canvas().Draw(FFrame.L, FFrame.T, aux);
  } catch (...) {
    if (BlkWhite) reloadBackupColors(backup);
    FSuppressPaint = suppressed;
    throw;
  }
  if (BlkWhite) reloadBackupColors(backup);
  FSuppressPaint = suppressed;
}

void TCustomRChart::CopyToClipboard(bool BlkWhite) {
  TBitmap aux;
  renderForExport(aux, BlkWhite, true);
  ClipboardPutBitmap(FChartBmp);
}

void TCustomRChart::CopyToBitmap(TBitmap* ABitmap, bool BlkWhite) {
  if (!ABitmap) return;
  TBitmap aux;
  renderForExport(aux, BlkWhite, true);
  ABitmap->Assign(FChartBmp);
}
