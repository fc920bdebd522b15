// The report of a calculation, to print or keep: what it was computed from,
// the lengths of the list, the first chart, the feeder check and, when it has
// been computed, the tuner view. The input is filled alike by the window and
// the command line; the report is its sections of facts, tables and texts,
// with the locale's decimal separator. Plain values: ReportPdf lays them out
// on pages and draws the chart.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "app/ChartZoom.h"
#include "app/FeederCheck.h"
#include "app/FeederCsv.h"
#include "app/FeederEngine.h"
#include "app/LineChoice.h"
#include "app/TunerTable.h"
#include "controls/chart/rules/PLX_ChartStore.h"

class TCustomRChart;

// ---- What a report is made from

// One calculation of the list: the dipole and the feeder constant it was
// computed with (the list keeps calculations of other values than the
// fields show now), and its maxima, or none when the dipole was too short
// for the frequency.
struct TReportCalculation {
  double frequencyMHz = 0;
  double dipoleFeet = 0;
  double feederConstant = 0;  // ft·MHz
  std::optional<TCalculatedMaxima> maxima;
  double minimumFeet = 0;  // the dipole length it needs, when too short
};
// The calculation a state holds after CalcSingle gave result.
TReportCalculation ReportCalculationOf(const TFeederState& state, const TCalcResult& result,
                                       double dipoleFeet);
// The maxima of the calculations that were done, in their order.
std::vector<TCalculatedMaxima> DoneMaxima(const std::vector<TReportCalculation>& calculations);

// The first page's feeder.
struct TReportFeeder {
  std::u16string impedance = u"450";  // "300", "450" or "600"; empty for a measured velocity factor
  double constant = FeederConstant450;  // ft·MHz
};

// The first chart: a copy of its items and the ranges it shows.
struct TReportChart {
  std::shared_ptr<const TrcItemStore> items;  // none: no items
  TAxisView x = FirstChartHomeX;
  TAxisView y = FirstChartHomeY;
};
TReportChart ReportChartOf(TCustomRChart& chart);

// The tuner view as computed: the table, the feeder lengths that suit every
// band, or both, and what the Tuner chart draws.
struct TReportTuner {
  TTunerSetup setup;
  std::vector<TTunerRow> rows;                // empty: the table was not computed
  std::optional<TFinderResult> spans;         // none: the lengths were not searched
  std::shared_ptr<const TTunerResult> chart;  // none: no chart
};

// The part of what the Tuner page has computed (none while it computes).
std::optional<TReportTuner> ReportTunerOf(const TTunerResult* result);

struct TReportInput {
  std::u16string date;  // as the title gives it, "2025-05-17"
  double frequencyMHz = 7.1;
  std::vector<int> bands;  // the checked bands, indices into BandPresets
  double dipoleFeet = 85.30;
  TReportFeeder feeder;
  std::vector<TReportCalculation> calculations;  // in the list's order
  TReportChart chart;
  // The line the Feeder check and Tuner pages share; the check's feeder
  // length is theirs too.
  TLineChoice line;
  TFeederCheckInputs check;  // its dipole and bands are the first page's
  std::optional<TReportTuner> tuner;
};

// Today's date, "2025-05-17".
std::u16string ReportDate();

// ---- The report

enum class TReportAlign : uint8_t { Left, Right };

struct TReportColumn {
  std::u16string header;
  TReportAlign align = TReportAlign::Right;
  bool warning = false;  // its cells stand out (red)
};

struct TReportTable {
  std::vector<TReportColumn> columns;
  // Cells in column order; a row with fewer cells than columns has its last
  // cell span the columns left.
  std::vector<std::vector<std::u16string>> rows;
};

// Label and value a line, the labels in a column of their own.
struct TReportFacts {
  std::vector<std::array<std::u16string, 2>> rows;
};

struct TReportText {
  std::u16string text;
};

// Where a chart goes: the first chart, or the Tuner chart of the tuner view.
enum class TReportChartKind : uint8_t { First, Tuner };
struct TReportChartPlace {
  TReportChartKind chart = TReportChartKind::First;
};

using TReportBlock = std::variant<TReportText, TReportFacts, TReportTable, TReportChartPlace>;

struct TReportSection {
  std::u16string heading;
  std::vector<TReportBlock> blocks;
};

struct TReport {
  std::u16string title;
  std::u16string subtitle;
  std::u16string footer;  // every page's, beside its number
  std::vector<TReportSection> sections;
};

TReport BuildReport(const TReportInput& input);
