#include "app/Report.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <ctime>

#include "app/FeederCharts.h"
#include "app/ProgramTitle.h"
#include "app/TunerCommandLine.h"
#include "app/tuner/NumberText.h"
#include "controls/chart/PLX_rchart.h"
#include "platform/Locale.h"

TReportCalculation ReportCalculationOf(const TFeederState& state, const TCalcResult& result,
                                       double dipoleFeet) {
  TReportCalculation calculation{state.freq, dipoleFeet, state.LLWL, std::nullopt, state.length};
  if (result.done) calculation.maxima = CalculatedMaxima(state, dipoleFeet);
  return calculation;
}

std::vector<TCalculatedMaxima> DoneMaxima(const std::vector<TReportCalculation>& calculations) {
  std::vector<TCalculatedMaxima> maxima;
  for (const TReportCalculation& c : calculations) {
    if (c.maxima) maxima.push_back(*c.maxima);
  }
  return maxima;
}

TReportChart ReportChartOf(TCustomRChart& chart) {
  auto items = std::make_shared<TrcItemStore>();
  items->Assign(chart.Store());
  return {std::move(items),
          {chart.Scale1X().RangeLow(), chart.Scale1X().RangeHigh()},
          {chart.Scale1Y().RangeLow(), chart.Scale1Y().RangeHigh()}};
}

std::optional<TReportTuner> ReportTunerOf(const TTunerResult* result) {
  if (!result) return std::nullopt;
  return TReportTuner{
      result->setup, result->rows, result->finder, std::make_shared<const TTunerResult>(*result)};
}

std::u16string ReportDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  const size_t length = std::strftime(text, sizeof text, "%Y-%m-%d", &local);
  return std::u16string(text, text + length);
}

namespace {

constexpr char16_t kOhm[] = u" \u03A9";

// Numbers in the report's texts, with the locale's decimal separator.
class Numbers {
 public:
  Numbers() : FSeparator(LocaleDecimalSeparator()) {}

  std::u16string fixed(double value, int decimals) const {
    return FormatFixed(value, decimals, FSeparator);
  }
  // At most maxDecimals, trailing zeros dropped: 2.0 "2", 0.005 "0.005".
  std::u16string trimmed(double value, int maxDecimals) const {
    return LocalNumbers(TrimmedText(value, maxDecimals), FSeparator);
  }
  std::u16string local(const std::string& numbers) const {
    return LocalNumbers(numbers, FSeparator);
  }
  // Sentences with numbers in them.
  std::u16string sentence(const std::string& text) const { return local(text); }
  // A frequency as it was given: "7.1 MHz".
  std::u16string megahertz(double value) const {
    return LocalNumbers(ShortestText(value), FSeparator) + u" MHz";
  }
  std::u16string metresAndFeet(double metres) const {
    return fixed(metres, 2) + u" m (" + FeetInchesText(metres, FSeparator) + u")";
  }
  char16_t separator() const { return FSeparator; }

 private:
  char16_t FSeparator;
};

std::u16string joined(const std::vector<std::u16string>& parts, const std::u16string& between) {
  std::u16string text;
  for (const std::u16string& part : parts) text += (text.empty() ? u"" : between) + part;
  return text;
}

// Appends a block in place: GCC 12 takes a moved temporary variant for one
// that may be read uninitialised.
template <class Block>
void append(TReportSection& section, Block block) {
  section.blocks.emplace_back(std::in_place_type<Block>, std::move(block));
}

std::u16string lineName(const TTransmissionLine& line) {
  for (const TLinePreset& p : LinePresets) {
    if (p.line == line) return p.name;
  }
  return u"custom line";
}

// The line by its name and what it is made of.
std::u16string lineDescription(const TTransmissionLine& line, const Numbers& n) {
  std::u16string text = lineName(line) + u": Z0 " + n.trimmed(line.z0, 2) + kOhm +
                        u", velocity factor " + n.trimmed(line.velocityFactor, 3) +
                        u", conductors " + n.trimmed(line.conductorDiameterM * 1000, 3) +
                        u" mm across";
  if (line.lossTangent > 0) text += u", dielectric loss tangent " + n.trimmed(line.lossTangent, 6);
  return text;
}

std::u16string constantText(double constant, const Numbers& n) {
  return u"feeder constant " + n.fixed(constant, 2) + u" ft\u00B7MHz";
}

// Whether the Feeder check checks the shared line (rather than "450/600").
bool checksTheLine(const TReportInput& in) {
  const TFeederCheckInputs& c = in.check;
  if (c.line == ClassicFeederLine || PhysicalLineOf(c.line) != in.line.line) return false;
  return c.line != CustomFeederLine || c.customFactor == in.line.custom.velocityFactor;
}

bool tunesTheLine(const TReportInput& in) {
  return in.tuner && in.tuner->setup.line == in.line.Line();
}

// The calculator's feeder of the list and the first chart.
std::u16string listFeederText(const TReportFeeder& feeder, const Numbers& n) {
  if (feeder.impedance.empty()) {
    return u"measured velocity factor " + n.fixed(feeder.constant / FreeSpaceConstant, 2) + u", " +
           constantText(feeder.constant, n);
  }
  return u"Z0 " + feeder.impedance + kOhm + u", the calculator's " +
         constantText(feeder.constant, n);
}

// Whether every calculation of the list was computed with the fields' values.
bool listAgrees(const TReportInput& in) {
  for (const TReportCalculation& c : in.calculations) {
    const bool ownFrequency =
        in.bands.empty() ? c.frequencyMHz == in.frequencyMHz
                         : std::any_of(in.bands.begin(), in.bands.end(), [&c](int band) {
                             return BandPresets.at(size_t(band)).frequency == c.frequencyMHz;
                           });
    if (!ownFrequency || c.dipoleFeet != in.dipoleFeet || c.feederConstant != in.feeder.constant)
      return false;
  }
  return true;
}

std::u16string dipoleText(double feet, const Numbers& n) {
  return n.fixed(feet * MetresPerFoot, 2) + u" m (" + n.fixed(feet, 2) + u" ft)";
}

// The fields of the first page, the line the Feeder check and the tuner view
// share (named here once) and the feeder's length.
TReportSection inputsSection(const TReportInput& in, const Numbers& n) {
  TReportFacts facts;
  if (in.bands.empty()) {
    facts.rows.push_back({u"Frequency", n.megahertz(in.frequencyMHz)});
  } else {
    std::vector<std::u16string> bands;
    // No break between a number and its unit.
    for (int band : in.bands)
      bands.push_back(n.local(ShortestText(BandPresets.at(size_t(band)).frequency)) + u"\u00A0MHz");
    facts.rows.push_back({u"Bands", joined(bands, u", ")});
  }
  facts.rows.push_back({u"Dipole length", dipoleText(in.dipoleFeet, n)});
  facts.rows.push_back({u"Feeder of the list", listFeederText(in.feeder, n)});
  if (checksTheLine(in) || tunesTheLine(in)) {
    const TTransmissionLine line = in.line.Line();
    facts.rows.push_back({u"Line",
                          lineDescription(line, n) + u" (" +
                              constantText(FreeSpaceConstant * line.velocityFactor, n) + u")"});
  }
  facts.rows.push_back({u"Feeder length", n.metresAndFeet(in.check.feederMetres)});
  TReportSection section{u"Inputs", {facts}};
  if (!listAgrees(in))
    append(section, TReportText{u"The list below was computed with other values: see each row."});
  return section;
}

// The calculator's finding as a statement for paper, not the window's
// instruction to change the bands.
std::u16string tooShortText(double frequencyMHz, double minimumFeet, const Numbers& n) {
  return u"The dipole is too short for " + n.megahertz(frequencyMHz) + u": it needs at least " +
         n.fixed(minimumFeet, 1) + u" ft.";
}

// A column of the feeder constants only where a row's differs from the fields'.
bool constantsDiffer(const TReportInput& in) {
  return std::any_of(in.calculations.begin(), in.calculations.end(), [&in](const auto& c) {
    return c.feederConstant != in.feeder.constant;
  });
}

TReportSection lengthsSection(const TReportInput& in, const Numbers& n) {
  if (in.calculations.empty())
    return {u"Exact feeder lengths", {TReportText{u"The list is empty."}}};
  const bool constants = constantsDiffer(in);
  TReportTable table;
  table.columns = {{u"Frequency", TReportAlign::Left}, {u"Dipole"}};
  if (constants) table.columns.push_back({u"Constant\n(ft\u00B7MHz)"});
  for (int i = 1; i <= 8; ++i) table.columns.push_back({std::u16string(1, char16_t(u'0' + i))});
  for (const TReportCalculation& c : in.calculations) {
    std::vector<std::u16string> row = {n.megahertz(c.frequencyMHz),
                                       n.fixed(c.dipoleFeet * MetresPerFoot, 2) + u" m"};
    if (constants) row.push_back(n.fixed(c.feederConstant, 2));
    if (c.maxima) {
      for (double m : c.maxima->metres) row.push_back(n.fixed(m, 2));
    } else {
      row.push_back(tooShortText(c.frequencyMHz, c.minimumFeet, n));
    }
    table.rows.push_back(std::move(row));
  }
  return {u"Exact feeder lengths",
          {TReportText{u"The feeder lengths of the current maxima 1 to 8, in metres, as the list "
                       u"gives them, each with the dipole it was computed with."},
           table}};
}

bool hasAvoidBars(const TReportChart& chart) {
  if (!chart.items) return false;
  for (int i = 0; i < chart.items->NumItems(); ++i) {
    const TrcChartItem& item = chart.items->Items()[i];
    if (item.ItemKind == tkLine && item.Layer == AvoidLayer) return true;
  }
  return false;
}

TReportSection chartSection(const TReportInput& in) {
  std::u16string caption =
      u"Feeder length in metres against frequency in MHz: the yellow marks are the current maxima";
  caption += hasAvoidBars(in.chart) ? u", the red bars the lengths to avoid." : u".";
  return {u"Current maxima", {TReportChartPlace{}, TReportText{caption}}};
}

std::u16string checkRowChange(const TFeederCheck& check, const Numbers& n) {
  const double change = ShownChange(check.change);
  return std::u16string(ChangeWord(check.change)) + u" " + n.fixed(std::abs(change), 2) + u" m (" +
         FeetInchesText(change, n.separator()) + u")";
}

// The check's line: the shared one of the Inputs, or "450/600" named here.
std::u16string checkLineText(const TReportInput& in, const Numbers& n) {
  if (checksTheLine(in)) return u"as in the Inputs";
  const TFeederCheckInputs& check = in.check;
  const std::optional<double> constant = FeederConstantOf(check.line, check.customFactor);
  std::u16string line = FeederLineName(check.line);
  line += u", velocity factor " + n.fixed(VelocityFactorOf(check.line, check.customFactor), 2);
  if (constant) line += u" (" + constantText(*constant, n) + u")";
  return line;
}

std::vector<std::u16string> checkRow(const TReportInput& in, size_t band, const Numbers& n) {
  const double frequency = BandPresets[band].frequency;
  const TFeederCheck c = CheckBand(in.check, band);
  std::vector<std::u16string> row = {n.megahertz(frequency)};
  if (!c.done) {
    row.push_back(c.minimumFeet > 0 ? tooShortText(frequency, c.minimumFeet, n) : c.message);
    return row;
  }
  row.push_back(n.fixed(c.nearestMaximum, 2) + u" m");
  row.push_back(checkRowChange(c, n));
  row.push_back(c.nearVoltageMaximum
                    ? u"Avoid: " + n.fixed(c.voltageDistance, 2) +
                          u" m from a voltage maximum at " + n.fixed(c.voltageMaximum, 2) + u" m"
                    : u"");
  return row;
}

TReportSection checkSection(const TReportInput& in, const Numbers& n) {
  const TReportFacts facts{{{u"Line", checkLineText(in, n)}}};
  const std::u16string error = FeederCheckError(in.check);
  if (!error.empty()) return {u"Feeder check", {facts, TReportText{error}}};
  TReportTable table;
  table.columns = {{u"Band", TReportAlign::Left},
                   {u"Nearest maximum"},
                   {u"Change to reach it"},
                   {u"Warning", TReportAlign::Left, true}};
  for (size_t band : CheckedOrAllBands(in.check.checked))
    table.rows.push_back(checkRow(in, band, n));
  return {u"Feeder check", {facts, table}};
}

std::u16string groundText(const TGround& g, const Numbers& n) {
  const std::u16string values = u"relative permittivity " + n.trimmed(g.permittivity, 3) +
                                u", conductivity " + n.trimmed(g.conductivity, 4) + u" S/m";
  if (g.kind == TGroundKind::FreeSpace) return u"none, free space";
  if (g.kind == TGroundKind::Perfect) return u"perfect ground";
  for (const TGroundClass& c : GroundClasses) {
    if (c.ground == g) return std::u16string(c.label) + u" (" + values + u")";
  }
  return values;
}

// The matched loss of the line per 100 m at the lowest and the highest of
// the frequencies computed.
std::u16string lossText(const TReportInput& in, const TTunerSetup& s, const Numbers& n) {
  const TTransmissionLine& l = s.line;
  const auto measured = [&](const TMeasuredLoss& m) {
    return n.trimmed(m.dbPer100m, 3) + u" dB per 100 m at " + n.megahertz(m.frequencyMHz);
  };
  if (l.measuredLoss && l.secondMeasuredLoss) {
    return u"measured loss " + measured(*l.measuredLoss) + u" and " +
           measured(*l.secondMeasuredLoss);
  }
  if (l.measuredLoss) return u"measured loss " + measured(*l.measuredLoss);
  std::vector<double> f;
  for (int band : in.bands) f.push_back(BandPlan(s.region).at(size_t(band)).CentreMHz());
  if (f.empty()) f.push_back(in.frequencyMHz);
  const auto at = [&](double mhz) {
    return n.fixed(MatchedLossDbPer100m(l, mhz), 3) + u" dB per 100 m at " + n.megahertz(mhz);
  };
  std::u16string dielectric =
      l.lossTangent > 0 ? u", dielectric loss tangent " + n.trimmed(l.lossTangent, 6) : u"";
  if (f.size() == 1) return u"matched loss " + at(f.front()) + dielectric;
  return u"matched loss " + at(f.front()) + u" to " + at(f.back()) + dielectric;
}

// The tuner view's line: the Inputs' with its loss here, or one of its own.
std::u16string lineText(const TReportInput& in, const TTunerSetup& s, const Numbers& n) {
  const std::u16string line =
      tunesTheLine(in) ? std::u16string(u"as in the Inputs") : lineDescription(s.line, n);
  return line + u"; " + lossText(in, s, n);
}

std::u16string tunerText(const TTuner& t, const Numbers& n) {
  if (t.kind == TTuner::External) {
    return u"external, matching |Z| from " + n.trimmed(t.minZ, 2) + u" to " + n.trimmed(t.maxZ, 2) +
           kOhm;
  }
  return u"internal, matching an SWR up to " + n.trimmed(t.maxSwr, 2) + u" on 50" + kOhm;
}

TReportFacts tunerFacts(const TReportInput& in, const TTunerSetup& s, const Numbers& n) {
  const TDipoleModel& a = s.antenna;
  TReportFacts facts{{{u"Antenna",
                       u"copper dipole " + n.fixed(a.lengthM, 2) + u" m long of " +
                           n.trimmed(a.wireDiameterM * 1000, 3) + u" mm wire, " +
                           n.trimmed(a.heightM, 2) + u" m high, fed in its centre"},
                      {u"Ground", groundText(a.ground, n)},
                      {u"Line", lineText(in, s, n)}}};
  // The feeder length is the Inputs' unless the view was computed for another.
  if (s.feederM != in.check.feederMetres)
    facts.rows.push_back({u"Feeder length", n.metresAndFeet(s.feederM)});
  facts.rows.push_back({u"Power", n.trimmed(s.powerW, 1) + u" W"});
  facts.rows.push_back({u"Tuner", tunerText(s.tuner, n)});
  facts.rows.push_back({u"Band edges",
                        s.region == TRegion::Region1   ? u"IARU Region 1"
                        : s.region == TRegion::Region2 ? u"IARU Region 2"
                                                       : u"IARU Region 3"});
  return facts;
}

// R and X as the Tuner page writes them: "50.0 + j20.0", "2299.2 − j1806.2".
std::u16string impedanceText(std::complex<double> z, const Numbers& n) {
  const bool negative = std::round(z.imag() * 10) < 0;
  return n.fixed(z.real(), 1) + (negative ? u" \u2212 j" : u" + j") +
         n.fixed(std::abs(z.imag()), 1);
}

std::u16string feedPointText(const TTunerRow& r, const Numbers& n) {
  const std::optional<double> u = r.ShownUncertainty();
  return impedanceText(r.feedImpedance, n) +
         (u ? u" \u00B1" + n.fixed(*u * 100, 0) + u"\u00A0%" : std::u16string());
}

// The model's first current maximum beside the classic rule's, "–" for none.
std::u16string maximaText(const TTunerRow& r, const Numbers& n) {
  const auto metres = [&n](const std::optional<double>& m) {
    return m ? n.fixed(*m, 2) : std::u16string(u"\u2013");
  };
  return metres(r.firstCurrentMaximum) + u" / " + metres(r.classicMaximum) +
         (r.ruleDiffers ? u" *" : u"");
}

// The Tuner page's table, its columns named with their units.
TReportTable tunerTable(const std::vector<TTunerRow>& rows, const Numbers& n) {
  TReportTable table;
  table.columns = {{u"MHz"},
                   {u"feed point\n(\u03A9)"},
                   {u"SWR\non line"},
                   {u"at the tuner\n(\u03A9)"},
                   {u"loss (dB)\nmatched / total"},
                   {u"efficiency\n(%)"},
                   {u"peak\nvoltage (V)"},
                   {u"tuner matches\n(worst point)", TReportAlign::Left},
                   {u"first current\nmaximum (m):\nmodel / rule"}};
  for (const TTunerRow& r : rows) {
    table.rows.push_back(
        {n.fixed(r.frequencyMHz, 3),
         feedPointText(r, n),
         n.local(SwrText(r.ends.swr)),
         impedanceText(r.ends.tunerImpedance, n),
         n.fixed(r.ends.matchedLossDb, 2) + u" / " + n.fixed(r.ends.totalLossDb, 2),
         n.fixed(r.ends.efficiency * 100, 1),
         n.fixed(r.ends.peakVoltage, 0),
         (r.CanMatch() ? u"yes (" : u"no (") + n.trimmed(r.verdict.worstMHz, 4) + u" MHz)",
         maximaText(r, n)});
  }
  return table;
}

TReportTable spansTable(const TFinderResult& finder, TRegion region, const Numbers& n) {
  static const std::array<const char16_t*, 6> headers = {
      u"from (m)", u"to (m)", u"best (m)", u"worst point (MHz)", u"margin", u"fails on"};
  TReportTable table;
  const size_t columns = finder.SuitsAll() ? SpanColumns.size() - 1 : SpanColumns.size();
  for (size_t c = 0; c < columns; ++c) table.columns.push_back({headers[c]});
  table.columns.back().align = finder.SuitsAll() ? TReportAlign::Right : TReportAlign::Left;
  for (const TFeederSpan& s : finder.spans) {
    std::vector<std::u16string> row;
    const auto texts = SpanTexts(s, region);
    for (size_t c = 0; c < columns; ++c) row.push_back(n.local(texts[c]));
    table.rows.push_back(std::move(row));
  }
  return table;
}

// What the table's marks mean, where a row has one: one text, a line a mark.
void appendTableNotes(TReportSection& section, const std::vector<TTunerRow>& rows) {
  const auto any = [&rows](const auto& has) { return std::any_of(rows.begin(), rows.end(), has); };
  std::vector<std::u16string> notes;
  if (any([](const TTunerRow& r) { return r.ShownUncertainty().has_value(); }))
    notes.push_back(
        u"\u00B1: a model of a mesh 1.5 times as fine moves the feed point by this much.");
  if (any([](const TTunerRow& r) { return r.ruleDiffers; })) {
    notes.push_back(
        u"* The classic rule's first current maximum lies more than 1/16 line wavelength away.");
  }
  if (!notes.empty()) append(section, TReportText{joined(notes, u"\n")});
}

// The place of a tuner network's settings and the stresses on its parts (the
// currents and voltages they carry at the power), once the tuner view
// models the network inside the tuner: nothing until then.
void appendTunerNetwork(TReportSection&, const TReportTuner&, const Numbers&) {}

void appendTunerChart(TReportSection& section, const TReportTuner& t, const Numbers& n) {
  std::u16string caption =
      u"|Z| at the tuner against the feeder length, one curve per band centre, thick where the "
      u"tuner matches the whole band; the pale green band is the tuner's range of |Z|";
  if (t.chart->finder.SuitsAll())
    caption += u", the green bars along the bottom the lengths that suit every band";
  caption += u"; the black line marks the feeder length of " + n.fixed(t.chart->setup.feederM, 2) +
             u"\u00A0m.";
  append(section, TReportChartPlace{TReportChartKind::Tuner});
  append(section, TReportText{caption});
}

void appendSpans(TReportSection& section, const TReportInput& in, const TReportTuner& t,
                 const Numbers& n) {
  if (!t.spans) return;
  if (!t.spans->SuitsAll()) {
    append(section,
           TReportText{n.sentence(NoSpanMessage(*t.spans, t.setup.region, in.frequencyMHz))});
  } else {
    append(section,
           TReportText{u"Feeder lengths from 0" + std::u16string(1, n.separator()) +
                       u"5 to 60 m at which the tuner matches every band across its width, "
                       u"best first:"});
  }
  if (!t.spans->spans.empty()) append(section, spansTable(*t.spans, t.setup.region, n));
}

TReportSection tunerSection(const TReportInput& in, const TReportTuner& t, const Numbers& n) {
  TReportSection section{u"Tuner view", {tunerFacts(in, t.setup, n)}};
  if (!t.rows.empty()) {
    append(section,
           TReportText{u"What the tuner sees at the end of the feeder, at the frequency or at "
                       u"each band's centre. The SWR on the line is against its nominal Z0, as a "
                       u"meter of that impedance at the antenna reads it; the tuner's verdict "
                       u"holds across each band's width, with the band's worst point:"});
    append(section, tunerTable(t.rows, n));
    appendTableNotes(section, t.rows);
    appendTunerNetwork(section, t, n);
  }
  if (t.chart) appendTunerChart(section, t, n);
  appendSpans(section, in, t, n);
  return section;
}

}  // namespace

TReport BuildReport(const TReportInput& in) {
  const Numbers n;
  TReport report;
  report.title = std::u16string(ProgramTitle) + u": feeder report";
  report.subtitle = in.date;
  report.footer = std::u16string(ProgramTitle) + u", feeder report of " + in.date;
  report.sections = {
      inputsSection(in, n), lengthsSection(in, n), chartSection(in), checkSection(in, n)};
  if (in.tuner) report.sections.push_back(tunerSection(in, *in.tuner, n));
  return report;
}
