// The drawing surface against Qt's painter on the same pixel buffer: filling
// the first chart's frame, one-pixel lines in all directions, short texts.
#include <benchmark/benchmark.h>

#include <QFont>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/QtPicture.h"

namespace {

constexpr int kW = 660;
constexpr int kH = 395;

// 1000 lines from the centre to points around it, every direction.
std::vector<std::pair<TPoint, TPoint>> Spokes() {
  std::vector<std::pair<TPoint, TPoint>> lines;
  for (int i = 0; i < 1000; ++i) {
    const double a = i * 2 * M_PI / 1000;
    lines.push_back({{kW / 2, kH / 2},
                     {kW / 2 + int(std::lround(180 * std::cos(a))),
                      kH / 2 + int(std::lround(180 * std::sin(a)))}});
  }
  return lines;
}

int64_t SpokePixels() {
  int64_t n = 0;
  for (const auto& [a, b] : Spokes()) n += std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
  return n;
}

const char16_t* kTexts[] = {u"7.100", u"Frequency", u"MHz", u"Feeder length", u"13.36"};

void BM_FillMemset(benchmark::State& state) {
  TBitmap bmp(kW, kH);
  for (auto _ : state) {
    std::memset(bmp.ScanLine(0), 0xFF, size_t(kW) * kH * 4);  // white
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kW * kH * 4);
}

void BM_FillOurs(benchmark::State& state) {
  TBitmap bmp(kW, kH);
  TCanvas& cv = bmp.Canvas();
  cv.Brush().SetColor(0xDDDDDD);
  for (auto _ : state) {
    cv.FillRect({0, 0, kW, kH});
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kW * kH * 4);
}

void BM_FillQt(benchmark::State& state) {
  TBitmap bmp(kW, kH);
  QImage img = BitmapView(bmp);
  QPainter p(&img);
  for (auto _ : state) {
    p.fillRect(0, 0, kW, kH, QColor(0xDD, 0xDD, 0xDD));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kW * kH * 4);
}

void BM_LinesOurs(benchmark::State& state) {
  TBitmap bmp(kW, kH);
  TCanvas& cv = bmp.Canvas();
  const auto lines = Spokes();
  for (auto _ : state) {
    for (const auto& [a, b] : lines) {
      cv.MoveTo(a.x, a.y);
      cv.LineTo(b.x, b.y);
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * SpokePixels());
}

void BM_LinesQt(benchmark::State& state) {
  TBitmap bmp(kW, kH);
  QImage img = BitmapView(bmp);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(Qt::black, 0));
  const auto lines = Spokes();
  for (auto _ : state) {
    for (const auto& [a, b] : lines) p.drawLine(a.x, a.y, b.x, b.y);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * SpokePixels());
}

void BM_TextOurs(benchmark::State& state) {
  TBitmap bmp(kW, kH);
  TCanvas& cv = bmp.Canvas();
  cv.Brush().SetStyle(bsClear);
  cv.Font().SetColor(clBlack);
  for (auto _ : state) {
    for (int i = 0; i < 100; ++i) cv.TextOut(10 + (i % 10) * 60, 10 + (i / 10) * 30, kTexts[i % 5]);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 100);
}

void BM_TextQt(benchmark::State& state) {
  TBitmap bmp(kW, kH);
  QImage img = BitmapView(bmp);
  QPainter p(&img);
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(11);
  font.setStyleStrategy(QFont::NoAntialias);
  font.setHintingPreference(QFont::PreferFullHinting);
  p.setFont(font);
  p.setPen(Qt::black);
  QString texts[5];
  for (int i = 0; i < 5; ++i) texts[i] = QString::fromUtf16(kTexts[i]);
  for (auto _ : state) {
    for (int i = 0; i < 100; ++i) p.drawText(10 + (i % 10) * 60, 21 + (i / 10) * 30, texts[i % 5]);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 100);
}

}  // namespace

BENCHMARK(BM_FillMemset);
BENCHMARK(BM_FillOurs);
BENCHMARK(BM_FillQt);
BENCHMARK(BM_LinesOurs);
BENCHMARK(BM_LinesQt);
BENCHMARK(BM_TextOurs);
BENCHMARK(BM_TextQt);
