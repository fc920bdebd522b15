#include "app/ReportPdf.h"

#include <langinfo.h>
#include <locale.h>

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <optional>

#include "app/ProgramTitle.h"
#include "app/ReportChart.h"
#include "app/ReportLayout.h"
#include "platform/Errors.h"
#include "platform/QtPicture.h"
#include "platform/QtText.h"
#include "platform/WholeFile.h"

namespace {

// ---- Paper

struct PaperSize {
  QPageSize::PageSizeId id;
  double widthMm;
  double heightMm;
};

PaperSize paperSize(TPaper paper) {
  return paper == TPaper::Letter ? PaperSize{QPageSize::Letter, 215.9, 279.4}
                                 : PaperSize{QPageSize::A4, 210, 297};
}

// Width and height in millimetres as the C library's locale data give them,
// or none when the locale is not installed.
std::optional<std::pair<int, int>> paperOfLocaleData() {
  const locale_t locale = newlocale(LC_PAPER_MASK, "", locale_t(0));
  if (locale == locale_t(0)) return std::nullopt;
  // These two items are numbers handed back in the place of the text.
  const auto number = [locale](nl_item item) {
    return int(reinterpret_cast<intptr_t>(nl_langinfo_l(item, locale)));
  };
  const std::pair<int, int> size{number(_NL_PAPER_WIDTH), number(_NL_PAPER_HEIGHT)};
  freelocale(locale);
  return size;
}

// The locale's name for its paper, as the C library takes it.
QString paperLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_PAPER", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return QString::fromLocal8Bit(value);
  }
  return QStringLiteral("C");
}

bool lettersTerritory(QLocale::Territory territory) {
  constexpr QLocale::Territory kLetter[] = {QLocale::UnitedStates,
                                            QLocale::Canada,
                                            QLocale::Mexico,
                                            QLocale::Belize,
                                            QLocale::Chile,
                                            QLocale::Colombia,
                                            QLocale::CostaRica,
                                            QLocale::ElSalvador,
                                            QLocale::Guatemala,
                                            QLocale::Nicaragua,
                                            QLocale::Panama,
                                            QLocale::Philippines,
                                            QLocale::PuertoRico,
                                            QLocale::Venezuela};
  return std::find(std::begin(kLetter), std::end(kLetter), territory) != std::end(kLetter);
}

// ---- Page geometry, in the writer's pixels

constexpr int kDpi = 1200;
constexpr double kLeftMm = 18;
constexpr double kRightMm = 18;
constexpr double kTopMm = 15;
constexpr double kBottomMm = 22;  // the footer's band below the text
constexpr double kFooterMm = 14;  // the footer's top above the page's edge

double mm(double millimetres) { return millimetres * kDpi / 25.4; }

}  // namespace

TPaper LocalePaper() {
  if (const auto size = paperOfLocaleData()) {
    return size->first == 216 && size->second == 279 ? TPaper::Letter : TPaper::A4;
  }
  return lettersTerritory(QLocale(paperLocaleName()).territory()) ? TPaper::Letter : TPaper::A4;
}

double ReportChartWidthMm(TPaper paper) { return paperSize(paper).widthMm - kLeftMm - kRightMm; }

namespace {

// ---- Fonts and colours

// A face made for print, with a bold that is bold (the window's own face
// has none here). No shaping: a ligature would turn "fi" into one character
// of the text that searching and copying take as something else.
QFont face(double points, bool bold = false) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(points);
  font.setBold(bold);
  font.setStyleStrategy(QFont::PreferNoShaping);
  return font;
}

const QColor kRuleColor(0x80, 0x80, 0x80);
const QColor kShadeColor(0xEE, 0xEE, 0xEE);
const QColor kWarningColor(0xC0, 0x00, 0x00);
constexpr double kTablePoints = 8.5;
constexpr double kSmallestTablePoints = 6.5;
constexpr double kCellPadMm = 1.2;

// ---- Boxes: what PlaceBoxes places, with how each draws itself at a top

struct Box {
  TLayoutBox layout;
  std::function<void(QPainter&, double top)> paint;
};

// The charts' pictures, by TReportChartKind.
using ChartImages = std::array<QImage, 2>;

class ReportLayouter {
 public:
  ReportLayouter(QPaintDevice& device, TPaper paper, const ChartImages& charts)
      : FDevice(device), FPaper(paperSize(paper)), FCharts(charts) {}

  double left() const { return mm(kLeftMm); }
  double width() const { return mm(FPaper.widthMm - kLeftMm - kRightMm); }
  double textHeight() const { return mm(FPaper.heightMm - kTopMm - kBottomMm); }

  std::vector<Box> boxes(const TReport& report);

 private:
  double measure(const QFont& font, double width, const QString& text) const {
    return QFontMetricsF(font, &FDevice)
        .boundingRect(QRectF(0, 0, width, 1e9), flags(), text)
        .height();
  }
  double advance(const QFont& font, const QString& text) const {
    return QFontMetricsF(font, &FDevice).horizontalAdvance(text);
  }
  static int flags() { return Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop; }

  void add(const TLayoutBox& layout, std::function<void(QPainter&, double)> paint) {
    FBoxes.push_back({layout, std::move(paint)});
  }
  void addText(const QFont& font, const QString& text, double spaceBefore, bool keepWithNext);
  void addBlock(const TReportBlock& block, bool keepWithNext);
  void measureLabels(const TReport& report);
  void addFacts(const TReportFacts& facts, bool keepWithNext);
  void addTable(const TReportTable& table, bool keepWithNext);
  void addChart(TReportChartKind kind, bool keepWithNext);
  struct TableGrid;
  TableGrid tableGrid(const TReportTable& table) const;
  std::vector<double> naturalWidths(const TReportTable& table, const QFont& font,
                                    const QFont& bold) const;
  void addTableRow(const TableGrid& grid, const std::vector<std::u16string>& cells, int headerBox,
                   bool shaded, bool keepWithNext);

  QPaintDevice& FDevice;
  PaperSize FPaper;
  const ChartImages& FCharts;
  std::vector<Box> FBoxes;
  double FLabels = 0;  // the width of the facts' labels' column
};

void ReportLayouter::addText(const QFont& font, const QString& text, double spaceBefore,
                             bool keepWithNext) {
  const double height = measure(font, width(), text);
  add({height, spaceBefore, keepWithNext}, [this, font, text, height](QPainter& p, double top) {
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRectF(left(), top, width(), height), flags(), text);
  });
}

// Every block of facts has its values in one column, right of the widest
// label of the report.
void ReportLayouter::measureLabels(const TReport& report) {
  FLabels = 0;
  for (const TReportSection& section : report.sections) {
    for (const TReportBlock& block : section.blocks) {
      if (const auto* facts = std::get_if<TReportFacts>(&block)) {
        for (const auto& row : facts->rows)
          FLabels = std::max(FLabels, advance(face(9, true), ToQString(row[0])));
      }
    }
  }
  FLabels += mm(4);
}

// The facts stay on one page, and with what follows them if keepWithNext.
void ReportLayouter::addFacts(const TReportFacts& facts, bool keepWithNext) {
  const QFont labelFont = face(9, true);
  const QFont valueFont = face(9);
  const double labels = FLabels;
  for (size_t i = 0; i < facts.rows.size(); ++i) {
    const auto& [label, value] = facts.rows[i];
    const QString l = ToQString(label), v = ToQString(value);
    const double height =
        std::max(measure(labelFont, labels, l), measure(valueFont, width() - labels, v));
    const bool kept = i + 1 < facts.rows.size() || keepWithNext;
    add({height, mm(0.8), kept}, [=, this](QPainter& p, double top) {
      p.setPen(Qt::black);
      p.setFont(labelFont);
      p.drawText(QRectF(left(), top, labels, height), flags(), l);
      p.setFont(valueFont);
      p.drawText(QRectF(left() + labels, top, width() - labels, height), flags(), v);
    });
  }
}

void ReportLayouter::addChart(TReportChartKind kind, bool keepWithNext) {
  const QImage& chart = FCharts.at(size_t(kind));
  if (chart.isNull()) return;  // no picture to place
  const double height = width() * chart.height() / chart.width();
  add({height, mm(2), keepWithNext}, [this, &chart, height](QPainter& p, double top) {
    p.setRenderHint(QPainter::LosslessImageRendering);
    p.drawImage(QRectF(left(), top, width(), height), chart);
  });
}

void ReportLayouter::addBlock(const TReportBlock& block, bool keepWithNext) {
  if (const auto* text = std::get_if<TReportText>(&block)) {
    addText(face(9), ToQString(text->text), mm(1.5), keepWithNext);
  } else if (const auto* facts = std::get_if<TReportFacts>(&block)) {
    addFacts(*facts, keepWithNext);
  } else if (const auto* table = std::get_if<TReportTable>(&block)) {
    addTable(*table, keepWithNext);
  } else {
    addChart(std::get<TReportChartPlace>(block).chart, keepWithNext);
  }
}

// ---- Tables

// A table's columns, their left edges and widths, and the font that lets
// them fit across the page.
struct ReportLayouter::TableGrid {
  std::vector<TReportColumn> columns;
  QFont font;
  QFont bold;
  std::vector<double> lefts;
  std::vector<double> widths;
  double pad = mm(kCellPadMm);
};

// Each column as wide as its widest cell (a spanning cell aside) and the
// widest line of its header, with the padding.
std::vector<double> ReportLayouter::naturalWidths(const TReportTable& table, const QFont& font,
                                                  const QFont& bold) const {
  const size_t columns = table.columns.size();
  std::vector<double> widths(columns);
  for (size_t c = 0; c < columns; ++c) {
    for (const QString& line : ToQString(table.columns[c].header).split(QLatin1Char('\n')))
      widths[c] = std::max(widths[c], advance(bold, line));
  }
  for (const auto& row : table.rows) {
    for (size_t c = 0; c < row.size() && c < columns; ++c) {
      const bool spans = row.size() < columns && c + 1 == row.size();
      if (!spans) widths[c] = std::max(widths[c], advance(font, ToQString(row[c])));
    }
  }
  for (double& w : widths) w += 2 * mm(kCellPadMm);
  return widths;
}

// The largest font up to kTablePoints at which every column fits; the room
// left over goes to all columns alike. Where even the smallest font does not
// fit, the widest left-aligned column gives up the difference and wraps.
ReportLayouter::TableGrid ReportLayouter::tableGrid(const TReportTable& table) const {
  TableGrid grid;
  grid.columns = table.columns;
  double total = 0;
  for (double points = kTablePoints;; points -= 0.5) {
    grid.font = face(points);
    grid.bold = face(points, true);
    grid.widths = naturalWidths(table, grid.font, grid.bold);
    total = 0;
    for (double w : grid.widths) total += w;
    if (total <= width() || points <= kSmallestTablePoints) break;
  }
  if (total > width()) {
    size_t widest = 0;
    for (size_t c = 0; c < grid.widths.size(); ++c) {
      if (table.columns[c].align == TReportAlign::Left && grid.widths[c] > grid.widths[widest])
        widest = c;
    }
    grid.widths[widest] = std::max(grid.widths[widest] - (total - width()), 4 * grid.pad);
  } else {
    for (double& w : grid.widths) w += (width() - total) / double(grid.widths.size());
  }
  double x = left();
  for (double w : grid.widths) {
    grid.lefts.push_back(x);
    x += w;
  }
  return grid;
}

// The header row is the one without a header box of its own; it keeps with
// the first row.
void ReportLayouter::addTableRow(const TableGrid& grid, const std::vector<std::u16string>& cells,
                                 int headerBox, bool shaded, bool keepWithNext) {
  const bool header = headerBox < 0;
  const QFont font = header ? grid.bold : grid.font;
  const size_t columns = grid.columns.size();
  // A cell's rectangle inside the padding: the last cell of a short row
  // reaches to the table's right edge.
  std::vector<QRectF> rects;
  double height = 0;
  for (size_t c = 0; c < cells.size() && c < columns; ++c) {
    const double right = c + 1 == cells.size() ? left() + width() : grid.lefts[c] + grid.widths[c];
    rects.emplace_back(grid.lefts[c] + grid.pad, 0, right - grid.lefts[c] - 2 * grid.pad, 0);
    height = std::max(height, measure(font, rects.back().width(), ToQString(cells[c])));
  }
  height += grid.pad;
  std::vector<QString> texts;
  for (const std::u16string& cell : cells) texts.push_back(ToQString(cell));
  const bool kept = header || keepWithNext;
  add({height, header ? mm(1.5) : 0, kept, headerBox}, [=, this](QPainter& p, double top) {
    if (shaded) p.fillRect(QRectF(left(), top, width(), height), kShadeColor);
    p.setFont(font);
    for (size_t c = 0; c < rects.size(); ++c) {
      const bool spans = cells.size() < columns && c + 1 == cells.size();
      const bool right = grid.columns[c].align == TReportAlign::Right && !spans;
      p.setPen(grid.columns[c].warning && !header ? kWarningColor : QColor(Qt::black));
      const QRectF rect(rects[c].left(), top + grid.pad / 2, rects[c].width(), height - grid.pad);
      p.drawText(rect,
                 Qt::TextWordWrap | Qt::AlignTop | (right ? Qt::AlignRight : Qt::AlignLeft),
                 texts[c]);
    }
    if (header) {
      p.setPen(QPen(kRuleColor, mm(0.25)));
      p.drawLine(QPointF(left(), top + height), QPointF(left() + width(), top + height));
    }
  });
}

// The last row keeps with what follows when keepWithNext.
void ReportLayouter::addTable(const TReportTable& table, bool keepWithNext) {
  const TableGrid grid = tableGrid(table);
  std::vector<std::u16string> headers;
  for (const TReportColumn& column : table.columns) headers.push_back(column.header);
  const int headerBox = int(FBoxes.size());
  addTableRow(grid, headers, -1, false, true);
  const size_t rows = table.rows.size();
  for (size_t i = 0; i < rows; ++i)
    addTableRow(grid,
                table.rows[i],
                headerBox,
                i % 2 == 1,
                TableRowKeptWithNext(i, rows) || (keepWithNext && i + 1 == rows));
}

// A text or the facts before a table or a chart introduce it, a text after
// a chart is its caption, after a table its notes: they stay on one page. A
// note introduces nothing: the chart after it goes where it fits.
bool keptWithNext(const std::vector<TReportBlock>& blocks, size_t i) {
  if (i + 1 >= blocks.size()) return false;
  const auto is = [&blocks](size_t at, auto kind) {
    return std::holds_alternative<decltype(kind)>(blocks[at]);
  };
  if (is(i, TReportChartPlace{})) return true;                 // a caption
  if (is(i, TReportTable{})) return is(i + 1, TReportText{});  // notes
  const bool note = i > 0 && is(i - 1, TReportTable{}) && is(i, TReportText{});
  return !note && !is(i + 1, TReportText{}) && !is(i + 1, TReportFacts{});  // an introduction
}

std::vector<Box> ReportLayouter::boxes(const TReport& report) {
  FBoxes.clear();
  measureLabels(report);
  addText(face(15, true), ToQString(report.title), 0, true);
  addText(face(10), ToQString(report.subtitle), mm(1), false);
  for (const TReportSection& section : report.sections) {
    addText(face(11.5, true), ToQString(section.heading), mm(6), true);
    for (size_t i = 0; i < section.blocks.size(); ++i) {
      addBlock(section.blocks[i], keptWithNext(section.blocks, i));
    }
  }
  return std::move(FBoxes);
}

// ---- Pages

void paintFooter(QPainter& p, const ReportLayouter& layout, double pageHeight,
                 const QString& footer, int page, int pages) {
  const double top = pageHeight - mm(kFooterMm);
  p.setPen(QPen(kRuleColor, mm(0.25)));
  p.drawLine(QPointF(layout.left(), top), QPointF(layout.left() + layout.width(), top));
  p.setPen(Qt::black);
  p.setFont(face(7.5));
  const QRectF line(layout.left(), top + mm(1.5), layout.width(), mm(5));
  p.drawText(line, Qt::AlignLeft | Qt::AlignTop, footer);
  p.drawText(line,
             Qt::AlignRight | Qt::AlignTop,
             QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages));
}

void paintPages(QPdfWriter& writer, QPainter& p, const ReportLayouter& layout,
                const std::vector<Box>& boxes, const QString& footer) {
  std::vector<TLayoutBox> layouts;
  for (const Box& box : boxes) layouts.push_back(box.layout);
  const std::vector<TPlacedBox> placed = PlaceBoxes(layouts, layout.textHeight());
  const int pages = placed.empty() ? 1 : placed.back().page + 1;
  const double pageHeight = writer.height();
  int page = 0;
  for (const TPlacedBox& at : placed) {
    for (; page < at.page; ++page) {
      paintFooter(p, layout, pageHeight, footer, page, pages);
      if (!writer.newPage()) throw EFileError("Cannot make the PDF document: no new page");
    }
    boxes[size_t(at.box)].paint(p, mm(kTopMm) + at.top);
  }
  paintFooter(p, layout, pageHeight, footer, page, pages);
}

int chartPixels(TPaper paper) {
  return int(std::ceil(ReportChartWidthMm(paper) / 25.4 * ReportChartDpi));
}

// The pictures of the charts the report shows; a null image for none.
ChartImages chartImages(const TReportInput& input, TPaper paper) {
  ChartImages images;
  TBitmap chart;
  RenderReportChart(input.chart, chartPixels(paper), chart);
  images[size_t(TReportChartKind::First)] = BitmapView(chart).copy();
  if (input.tuner && input.tuner->chart) {
    TBitmap tuner;
    RenderReportTunerChart(*input.tuner->chart, chartPixels(paper), tuner);
    images[size_t(TReportChartKind::Tuner)] = BitmapView(tuner).copy();
  }
  return images;
}

}  // namespace

std::string ReportPdf(const TReportInput& input, TPaper paper) {
  const ChartImages charts = chartImages(input, paper);
  const TReport report = BuildReport(input);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly)) throw EFileError("Cannot make the PDF document");
  {
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(paperSize(paper).id));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(kDpi);
    writer.setTitle(ToQString(report.title));
    writer.setCreator(ToQString(ProgramTitle));
    QPainter painter;
    if (!painter.begin(&writer)) throw EFileError("Cannot make the PDF document");
    ReportLayouter layout(writer, paper, charts);
    paintPages(writer, painter, layout, layout.boxes(report), ToQString(report.footer));
    if (!painter.end()) throw EFileError("Cannot make the PDF document");
  }
  return bytes.toStdString();
}

void SaveReportPdf(const std::u16string& fileName, const TReportInput& input) {
  WriteWholeFile(fileName, ReportPdf(input, LocalePaper()));
}
