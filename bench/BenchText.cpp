// Text from the glyph cache against the same texts through Qt's painter: 100
// short texts of a chart (axis labels and captions) in Tahoma 11 px, drawn
// onto the first chart's frame. Items are labels, so the time per label is
// 1 / items_per_second.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Font.h"
#include "platform/TextPainter.h"

namespace {

constexpr int kW = 660;
constexpr int kH = 395;
constexpr uint32_t kBlack = 0x000000;

// Labels as the axes print them, and the captions around the chart.
std::vector<std::u16string> ChartTexts() {
  std::vector<std::u16string> texts;
  for (int i = 0; i < 90; ++i) {
    const int tenths = (i % 45) * 25;
    std::u16string label;
    for (char c : std::to_string(tenths / 10) + "." + std::to_string(tenths % 10)) label += c;
    texts.push_back(label);
  }
  for (const char16_t* caption : {u"Frequency (MHz)",
                                  u"Feeder length (m)",
                                  u"Current maxima",
                                  u"Optimum length",
                                  u"Dipole length (wavelengths)",
                                  u"MHz",
                                  u"m",
                                  u"7.100",
                                  u"13.36",
                                  u"Length"}) {
    texts.push_back(caption);
  }
  return texts;
}

template <bool kCached>
void DrawTexts(benchmark::State& state) {
  TBitmap bmp(kW, kH);
  TextPainter painter(bmp);
  const TFont font;
  const TRect all{0, 0, kW, kH};
  const std::vector<std::u16string> texts = ChartTexts();
  for (auto _ : state) {
    for (size_t i = 0; i < texts.size(); ++i) {
      const int x = 10 + int(i % 10) * 64;
      const int baseline = 20 + int(i / 10) * 36;
      if constexpr (kCached) {
        painter.Draw(font, kBlack, x, baseline, texts[i], all);
      } else {
        painter.DrawThroughQt(font, kBlack, x, baseline, texts[i], all);
      }
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * int64_t(texts.size()));
}

void BM_LabelsGlyphCache(benchmark::State& state) { DrawTexts<true>(state); }
void BM_LabelsQtPainter(benchmark::State& state) { DrawTexts<false>(state); }

// Measuring the same texts, as every label's layout does before drawing.
template <bool kCached>
void MeasureTexts(benchmark::State& state) {
  const TFont font;
  const std::vector<std::u16string> texts = ChartTexts();
  for (auto _ : state) {
    for (const std::u16string& text : texts) {
      benchmark::DoNotOptimize(kCached ? TextPainter::Width(font, text)
                                       : TextPainter::WidthThroughQt(font, text));
    }
  }
  state.SetItemsProcessed(state.iterations() * int64_t(texts.size()));
}

void BM_WidthGlyphCache(benchmark::State& state) { MeasureTexts<true>(state); }
void BM_WidthQt(benchmark::State& state) { MeasureTexts<false>(state); }

}  // namespace

BENCHMARK(BM_LabelsGlyphCache);
BENCHMARK(BM_LabelsQtPainter);
BENCHMARK(BM_WidthGlyphCache);
BENCHMARK(BM_WidthQt);
