// Export: the picture rendered afresh from the item store into the chart
// bitmap and an auxiliary data bitmap, in colour or in black and white,
// without crosshairs and without touching the window.
#include "controls/chart/PLX_rchart.h"
#include "platform/Canvas.h"
#include "platform/Clipboard.h"
#include "platform/ScopeGuard.h"

// ---------------------------------------------------------------------------
// Black and white

// Writes one layer's axis and label colours with the change notifications
// off, so nothing repaints.
void TCustomRChart::setAxisColors(int Layer, TColor xScale, TColor yScale, TColor xFont,
                                  TColor yFont) {
  TScaleProps& x = *FScalePropsX[size_t(Layer)];
  TScaleProps& y = *FScalePropsY[size_t(Layer)];
  const TNotifyEvent hx = x.OnChange, hy = y.OnChange;
  x.OnChange = nullptr;
  y.OnChange = nullptr;
  const TScopeGuard reconnect([&] {
    x.OnChange = hx;
    y.OnChange = hy;
  });
  x.SetColorScale(xScale);
  y.SetColorScale(yScale);
  x.Font().SetColor(xFont);
  y.Font().SetColor(yFont);
}

// The grid, the background band and image, the text labels and the
// crosshairs keep their colours. Every colour is backed up before the first
// one changes, so that ReloadBackupColors puts back the right ones whenever
// this fails.
void TCustomRChart::BackupColorsAndMakeBW() {
  ColorBackup& b = FColBak;
  b.Window = FSettings.WindColor;
  b.Frame = FSettings.ChartFrameColor;
  b.Chart = FSettings.ChartColor;
  b.Font = Font().Color();
  b.Shadow = FSettings.ShadowColor;
  b.ShadowBgnd = FSettings.ShadowBakColor;
  for (int n = 1; n <= MaxLayers; ++n) {
    const size_t i = size_t(n);
    b.ScalesX[i] = FScalePropsX[i]->ColorScale();
    b.ScalesY[i] = FScalePropsY[i]->ColorScale();
    b.SclFontX[i] = FScalePropsX[i]->Font().Color();
    b.SclFontY[i] = FScalePropsY[i]->Font().Color();
  }
  FSettings.WindColor = clWhite;
  FSettings.ChartColor = clWhite;
  FSettings.ChartFrameColor = clBlack;
  Font().SetColor(clBlack);
  FSettings.ShadowColor = clSilver;
  FSettings.ShadowBakColor = clWhite;
  for (int n = 1; n <= MaxLayers; ++n) setAxisColors(n, clBlack, clBlack, clBlack, clBlack);
  refreshAllScales();
}

void TCustomRChart::ReloadBackupColors() {
  const ColorBackup& b = FColBak;
  FSettings.WindColor = b.Window;
  FSettings.ChartFrameColor = b.Frame;
  FSettings.ChartColor = b.Chart;
  Font().SetColor(b.Font);
  FSettings.ShadowColor = b.Shadow;
  FSettings.ShadowBakColor = b.ShadowBgnd;
  for (int n = 1; n <= MaxLayers; ++n) {
    const size_t i = size_t(n);
    setAxisColors(n, b.ScalesX[i], b.ScalesY[i], b.SclFontX[i], b.SclFontY[i]);
  }
  refreshAllScales();
}

// ---------------------------------------------------------------------------
// One export

// The data area into aux and, for the whole chart, the surroundings into the
// chart bitmap with aux copied in. aux takes the data bitmap's size by its
// rule: after a change of size the data bitmap keeps its old size until it
// is rendered again, and a picture of that size would be cut short.
void TCustomRChart::renderExport(TBitmap& aux, bool BlkWhite, bool wholeChart) {
  if (wholeChart) ConstructChartBmp(FChartBmp.Canvas());
  sizeGrafBmp();
  aux.SetSize(FGrafBmp.Width(), FGrafBmp.Height());
  renderDataArea(aux.Canvas(), 0, 0, BlkWhite);
  if (wholeChart) FChartBmp.Canvas().Draw(FFrame.L, FFrame.T, aux);
}

// Painting stays suppressed throughout, so notifications raised meanwhile do
// not render. Whatever fails (rendering, or delivering such as writing a
// file), the colours and the painting state come back and the auxiliary
// bitmap is freed, so the chart stays usable. The painting state is put back
// as it was rather than switched on: a caller that suppressed painting keeps
// it suppressed.
void TCustomRChart::exportPicture(bool BlkWhite, bool wholeChart, const PictureSink& deliver) {
  TBitmap aux;
  const bool suppressed = FSuppressPaint;
  FSuppressPaint = true;
  const TScopeGuard paintAsBefore([&] { FSuppressPaint = suppressed; });
  const TScopeGuard coloursBack([&] {
    if (BlkWhite) ReloadBackupColors();
  });
  if (BlkWhite) BackupColorsAndMakeBW();
  renderExport(aux, BlkWhite, wholeChart);
  deliver(wholeChart ? FChartBmp : aux);
}

// ---------------------------------------------------------------------------
// The targets

void TCustomRChart::CopyToClipboard(bool BlkWhite) {
  exportPicture(BlkWhite, true, [](const TBitmap& picture) { ClipboardPutBitmap(picture); });
}

void TCustomRChart::CopyToClipboardDAOnly(bool BlkWhite) {
  exportPicture(BlkWhite, false, [](const TBitmap& picture) { ClipboardPutBitmap(picture); });
}

void TCustomRChart::CopyToBMP(const std::u16string& FileName, bool BlkWhite) {
  const std::u16string file = BmpFileName(FileName);
  exportPicture(BlkWhite, true, [&file](const TBitmap& picture) { picture.SaveToFile(file); });
}

void TCustomRChart::CopyToBitmap(TBitmap* ABitmap, bool BlkWhite) {
  if (!ABitmap) return;
  exportPicture(BlkWhite, true, [ABitmap](const TBitmap& picture) { ABitmap->Assign(picture); });
}

void TCustomRChart::CopyToBitmapDAOnly(TBitmap* ABitmap, bool BlkWhite) {
  if (!ABitmap) return;
  exportPicture(BlkWhite, false, [ABitmap](const TBitmap& picture) { ABitmap->Assign(picture); });
}

std::u16string TCustomRChart::BmpFileName(const std::u16string& FName) {
  // With no separator, npos + 1 wraps to 0: the whole name is the file part.
  const size_t fileStart = FName.find_last_of(u'/') + 1;
  return FName.substr(0, FName.find(u'.', fileStart)) + u".bmp";
}
