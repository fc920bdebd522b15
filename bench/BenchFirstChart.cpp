// The program's first chart as users see it, against the same picture drawn
// with Qt's painter into a QImage.
//
// The chart is the main window's own (660 x 395, its window settings, the
// eight yellow marks of the default calculation, of which the two within
// 0..40 m are drawn), the window shown on the offscreen platform:
//  - firstChartPaint: the full Paint, the surroundings (background, axes,
//    labels, captions) drawn and the data bitmap rendered, both composed on
//    the control's window surface with the crosshairs;
//  - firstChartShowGraf: the ShowGraf fast path (data area only);
//  - qtPainterFirstChart: the baseline, the same picture with QPainter:
//    window and data-area backgrounds, both axes with their ticks, 11 labels
//    each and their captions, the 33 grid lines, the frame, the two discs
//    and the two crosshairs, with all geometry and texts prepared beforehand.
//
// A million DrawTo items on the same chart: a sine of 200 periods over
// 0..40 m, amplitude 13 MHz around 15.75 MHz, so neighbouring points lie
// under a pixel apart (a dense trace, as a long recording looks):
//  - million DrawTo: ShowGraf of the chart holding them (data-area
//    background, grid, the items as polylines of 200 points, presentation);
//  - qtDrawPolylineMillion: QPainter::drawPolyline, aliased, one pixel wide,
//    of the same points already mapped to pixels, on a data-area sized image;
//  - readMillionItems: only reading the million items from the store, the
//    floor under any data pass.
//
// With PLX_BENCH_PICTURES=<folder> the two first-chart pictures are written
// there as PNG files, to compare them by eye.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <numbers>
#include <vector>

#include "app/u_frmMain.h"
#include "platform/Bitmap.h"
#include "platform/Colors.h"
#include "platform/QtPicture.h"

namespace {

constexpr int kMillion = 1000000;

// The main window after its first showing: both charts drawn, one calculation done.
std::unique_ptr<TfrmMain> shownWindow() {
  auto window = std::make_unique<TfrmMain>();
  window->show();
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  return window;
}

// ---------------------------------------------------------------------------
// The same picture through QPainter

struct QtText {
  QPoint topLeft;
  QString text;
};

struct QtPicture {
  int width = 0;
  int height = 0;
  QRect dataArea;  // inclusive of the frame's right and bottom lines
  std::vector<QLine> axisLines;
  std::vector<QLine> gridLines;
  std::vector<QtText> texts;
  std::vector<QPoint> discs;
  QLine whiteHoriz;
  QLine whiteVert;
  QLine blackVert;
};

// The axes label every 10 m and every 5 MHz with one decimal; the other
// recorded ticks are minor ones.
bool labelled(double v, double step) { return std::fabs(std::remainder(v, step)) < 1e-9; }
QString label(double v) { return QString::number(v, 'f', 1); }

void addXAxis(QtPicture& p, const TRChart& rc, const QFontMetrics& fm) {
  const int base = p.dataArea.bottom();
  p.axisLines.push_back({p.dataArea.left(), base, p.dataArea.right(), base});
  for (int i = 1; i <= rc.TickNumX(); ++i) {
    int x = 0, y = 0;
    rc.R2M(1, rc.TickPosX(i), 0, x, y);
    const bool major = labelled(rc.TickPosX(i), 10);
    p.axisLines.push_back({x, base, x, base + (major ? 7 : 4)});
    if (!major) continue;
    const QString t = label(rc.TickPosX(i));
    p.texts.push_back({{x - fm.horizontalAdvance(t) / 2, base + 7}, t});
  }
  const QString caption = QStringLiteral("Feeder length in meters (x - current max point)");
  p.texts.push_back(
      {{p.dataArea.center().x() - fm.horizontalAdvance(caption) / 2, base + 22}, caption});
}

void addYAxis(QtPicture& p, const TRChart& rc, const QFontMetrics& fm) {
  const int base = p.dataArea.left();
  p.axisLines.push_back({base, p.dataArea.top(), base, p.dataArea.bottom()});
  for (int i = 1; i <= rc.TickNumY(); ++i) {
    int x = 0, y = 0;
    rc.R2M(1, 0, rc.TickPosY(i), x, y);
    const bool major = labelled(rc.TickPosY(i), 5);
    p.axisLines.push_back({base, y, base - (major ? 6 : 4), y});
    if (!major) continue;
    const QString t = label(rc.TickPosY(i));
    p.texts.push_back({{base - 8 - fm.horizontalAdvance(t), y - fm.height() / 2}, t});
  }
  p.texts.push_back({{base - 40, p.dataArea.top() - 16}, QStringLiteral("Frequency (MHz)")});
}

void addGrid(QtPicture& p, const TRChart& rc) {
  for (double x = 2; x < 40; x += 2) {
    int px = 0, py = 0;
    rc.R2M(1, x, 0, px, py);
    p.gridLines.push_back({px, p.dataArea.top(), px, p.dataArea.bottom()});
  }
  for (double y = 2.5; y <= 30; y += 2.5) {
    int px = 0, py = 0;
    rc.R2M(1, 0, y, px, py);
    p.gridLines.push_back({p.dataArea.left(), py, p.dataArea.right(), py});
  }
}

// Everything the chart computes while it paints, worked out once here.
QtPicture planQtPicture(TRChart& rc, const QFont& font) {
  QtPicture p;
  p.width = rc.Width();
  p.height = rc.Height();
  const int right = rc.Width() - rc.MarginRight();
  const int bottom = rc.Height() - rc.MarginBottom();
  p.dataArea = QRect(QPoint(rc.MarginLeft(), rc.MarginTop()), QPoint(right, bottom));
  const QFontMetrics fm(font);
  addXAxis(p, rc, fm);
  addYAxis(p, rc, fm);
  addGrid(p, rc);
  for (const TrcChartItem& item :
       std::vector<TrcChartItem>(rc.Store().Items(), rc.Store().Items() + rc.NumItems())) {
    if (item.ItemKind != tkMarkAt || item.x < 0 || item.x > 40) continue;
    int x = 0, y = 0;
    rc.R2M(1, item.x, item.y, x, y);
    p.discs.push_back({x, y});
  }
  int cx = 0, cy = 0;
  rc.R2M(1, rc.CrossHair1().PosX(), rc.CrossHair1().PosY(), cx, cy);
  p.whiteHoriz = {p.dataArea.left(), cy, p.dataArea.right(), cy};
  p.whiteVert = {cx, p.dataArea.top(), cx, p.dataArea.bottom()};
  rc.R2M(1, rc.CrossHair2().PosX(), rc.CrossHair2().PosY(), cx, cy);
  p.blackVert = {cx, p.dataArea.top(), cx, p.dataArea.bottom()};
  return p;
}

void paintWithQt(QImage& image, const QtPicture& p, const QFont& font) {
  QPainter painter(&image);
  painter.fillRect(0, 0, p.width, p.height, ToQColor(clBtnFace));
  painter.fillRect(p.dataArea, ToQColor(clBackground));
  painter.setPen(ToQColor(clSilver));
  painter.drawLines(p.gridLines.data(), int(p.gridLines.size()));
  painter.setPen(Qt::black);
  painter.drawRect(p.dataArea.adjusted(0, 0, -1, -1));
  painter.drawLines(p.axisLines.data(), int(p.axisLines.size()));
  painter.setFont(font);
  const int ascent = QFontMetrics(font).ascent();
  for (const QtText& t : p.texts) painter.drawText(t.topLeft + QPoint(0, ascent), t.text);
  painter.setPen(Qt::yellow);
  painter.setBrush(Qt::yellow);
  for (const QPoint& c : p.discs) painter.drawEllipse(QRect(c.x() - 3, c.y() - 3, 7, 7));
  painter.setPen(QPen(Qt::white, 1));
  painter.drawLine(p.whiteHoriz);
  painter.drawLine(p.whiteVert);
  painter.setPen(QPen(Qt::black, 3));
  painter.drawLine(p.blackVert);
}

QFont tahoma11() {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(11);
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

void savePictures(TRChart& rc, const QImage& qtPicture) {
  const char* folder = std::getenv("PLX_BENCH_PICTURES");
  if (!folder) return;
  BitmapView(rc.Surface()).save(QString::fromUtf8(folder) + QStringLiteral("/first-chart.png"));
  qtPicture.save(QString::fromUtf8(folder) + QStringLiteral("/first-chart-qt.png"));
}

// ---------------------------------------------------------------------------
// Benchmarks

void firstChartPaint(benchmark::State& state) {
  const auto window = shownWindow();
  TRChart& rc = *window->rc;
  for (auto _ : state) rc.Paint();
  state.SetLabel("660x395, axes, grid, 8 marks");
}

void firstChartShowGraf(benchmark::State& state) {
  const auto window = shownWindow();
  TRChart& rc = *window->rc;
  for (auto _ : state) rc.ShowGraf();
  state.SetLabel("660x395, 8 marks");
}

void qtPainterFirstChart(benchmark::State& state) {
  const auto window = shownWindow();
  TRChart& rc = *window->rc;
  const QFont font = tahoma11();
  const QtPicture plan = planQtPicture(rc, font);
  QImage image(plan.width, plan.height, QImage::Format_RGB32);
  for (auto _ : state) {
    paintWithQt(image, plan, font);
    benchmark::ClobberMemory();
  }
  savePictures(rc, image);
  state.SetLabel("the same picture, QPainter into a QImage");
}

double sineY(int i) { return 15.75 + 13 * std::sin(2 * std::numbers::pi * i / 5000.0); }
double sineX(int i) { return 40.0 * i / kMillion; }

void millionDrawTo(benchmark::State& state) {
  const auto window = shownWindow();
  TRChart& rc = *window->rc;
  rc.ClearGraf();
  rc.SetDataColor(clBlack);
  rc.MoveTo(sineX(0), sineY(0));
  for (int i = 1; i < kMillion; ++i) rc.DrawTo(sineX(i), sineY(i));
  for (auto _ : state) rc.ShowGraf();
  state.SetItemsProcessed(state.iterations() * kMillion);
  state.SetLabel("ShowGraf, 1e6 DrawTo, dense sine");
}

void readMillionItems(benchmark::State& state) {
  const auto window = shownWindow();
  TRChart& rc = *window->rc;
  rc.ClearGraf();
  rc.MoveTo(sineX(0), sineY(0));
  for (int i = 1; i < kMillion; ++i) rc.DrawTo(sineX(i), sineY(i));
  for (auto _ : state) {
    double sum = 0;
    const TrcChartItem* items = rc.Store().Items();
    for (int i = 0; i < rc.NumItems(); ++i)
      sum += items[i].x + items[i].y + double(items[i].ItemKind);
    benchmark::DoNotOptimize(sum);
  }
}

void qtDrawPolylineMillion(benchmark::State& state) {
  const auto window = shownWindow();
  TRChart& rc = *window->rc;
  QPolygon points(kMillion);
  for (int i = 0; i < kMillion; ++i) {
    int x = 0, y = 0;
    rc.R2M(1, sineX(i), sineY(i), x, y);
    points[i] = QPoint(x - rc.MarginLeft(), y - rc.MarginTop());
  }
  QImage image(rc.GrafBmp().Width(), rc.GrafBmp().Height(), QImage::Format_RGB32);
  image.fill(Qt::white);
  for (auto _ : state) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawPolyline(points);
    painter.end();
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kMillion);
  state.SetLabel("QPainter::drawPolyline, aliased, premapped points");
}

}  // namespace

BENCHMARK(firstChartPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(firstChartShowGraf)->Unit(benchmark::kMicrosecond);
BENCHMARK(qtPainterFirstChart)->Unit(benchmark::kMicrosecond);
BENCHMARK(millionDrawTo)->Unit(benchmark::kMillisecond);
BENCHMARK(qtDrawPolylineMillion)->Unit(benchmark::kMillisecond);
BENCHMARK(readMillionItems)->Unit(benchmark::kMillisecond);
