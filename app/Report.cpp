#include "app/Report.h"

#include <cmath>
#include <ctime>

#include "app/FeederCharts.h"
#include "app/ProgramTitle.h"
#include "app/TunerCommandLine.h"
#include "app/tuner/NumberText.h"
#include "controls/chart/PLX_rchart.h"
#include "platform/Locale.h"

TReportCalculation ReportCalculationOf(const TFeederState& state, const TCalcResult& result,
                                       double dipoleFeet) {
  TReportCalculation calculation{state.freq, std::nullopt, state.length};
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
  return TReportTuner{result->setup, result->rows, result->finder};
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
  facts.rows.push_back(
      {u"Dipole length",
       n.fixed(in.dipoleFeet * MetresPerFoot, 2) + u" m (" + n.fixed(in.dipoleFeet, 2) + u" ft)"});
  const std::u16string line =
      u"velocity factor " + n.fixed(in.feeder.constant / FreeSpaceConstant, 2) +
      u" (feeder constant " + n.fixed(in.feeder.constant, 2) + u" ft\u00B7MHz)";
  facts.rows.push_back({u"Feeder",
                        in.feeder.impedance.empty()
                            ? u"measured line, " + line
                            : u"Z0 " + in.feeder.impedance + kOhm + u", " + line});
  return {u"Inputs", {facts}};
}

TReportSection lengthsSection(const TReportInput& in, const Numbers& n) {
  if (in.calculations.empty())
    return {u"Exact feeder lengths", {TReportText{u"The list is empty."}}};
  TReportTable table;
  table.columns.push_back({u"Frequency", TReportAlign::Left});
  for (int i = 1; i <= 8; ++i) table.columns.push_back({std::u16string(1, char16_t(u'0' + i))});
  for (const TReportCalculation& c : in.calculations) {
    std::vector<std::u16string> row = {n.megahertz(c.frequencyMHz)};
    if (c.maxima) {
      for (double m : c.maxima->metres) row.push_back(n.fixed(m, 2));
    } else {
      row.push_back(TooShortMessage(c.minimumFeet, n.separator()));
    }
    table.rows.push_back(std::move(row));
  }
  return {
      u"Exact feeder lengths",
      {TReportText{
           u"The feeder lengths of the current maxima 1 to 8, in metres, as the list gives them."},
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

TReportSection checkSection(const TReportInput& in, const Numbers& n) {
  const TFeederCheckInputs& check = in.check;
  TReportFacts facts;
  facts.rows.push_back({u"Feeder length", n.metresAndFeet(check.feederMetres)});
  const std::optional<double> constant = FeederConstantOf(check.line, check.customFactor);
  std::u16string line = FeederLineName(check.line);
  line += u", velocity factor " + n.fixed(VelocityFactorOf(check.line, check.customFactor), 2);
  if (constant) line += u" (feeder constant " + n.fixed(*constant, 2) + u" ft\u00B7MHz)";
  facts.rows.push_back({u"Line", line});
  const std::u16string error = FeederCheckError(check);
  if (!error.empty()) return {u"Feeder check", {facts, TReportText{error}}};
  TReportTable table;
  table.columns = {{u"Band", TReportAlign::Left},
                   {u"Nearest maximum"},
                   {u"Change to reach it"},
                   {u"Warning", TReportAlign::Left, true}};
  for (size_t band : CheckedOrAllBands(check.checked)) {
    const TFeederCheck c = CheckBand(check, band);
    std::vector<std::u16string> row = {n.megahertz(BandPresets[band].frequency)};
    if (!c.done) {
      row.push_back(c.message);
    } else {
      row.push_back(n.fixed(c.nearestMaximum, 2) + u" m");
      row.push_back(checkRowChange(c, n));
      row.push_back(c.nearVoltageMaximum ? u"Avoid: " + n.fixed(c.voltageDistance, 2) +
                                               u" m from a voltage maximum at " +
                                               n.fixed(c.voltageMaximum, 2) + u" m"
                                         : u"");
    }
    table.rows.push_back(std::move(row));
  }
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

std::u16string lineText(const TReportInput& in, const TTunerSetup& s, const Numbers& n) {
  std::u16string name = u"custom line";
  for (const TLinePreset& p : LinePresets) {
    if (p.line == s.line) name = p.name;
  }
  return name + u": Z0 " + n.trimmed(s.line.z0, 2) + kOhm + u", velocity factor " +
         n.trimmed(s.line.velocityFactor, 3) + u", conductors " +
         n.trimmed(s.line.conductorDiameterM * 1000, 3) + u" mm across; " + lossText(in, s, n);
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
  return {{{u"Antenna",
            u"copper dipole " + n.fixed(a.lengthM, 2) + u" m long of " +
                n.trimmed(a.wireDiameterM * 1000, 3) + u" mm wire, " + n.trimmed(a.heightM, 2) +
                u" m high, fed in its centre"},
           {u"Ground", groundText(a.ground, n)},
           {u"Line", lineText(in, s, n)},
           {u"Feeder length", n.metresAndFeet(s.feederM)},
           {u"Power", n.trimmed(s.powerW, 1) + u" W"},
           {u"Tuner", tunerText(s.tuner, n)},
           {u"Band edges",
            s.region == TRegion::Region1   ? u"IARU Region 1"
            : s.region == TRegion::Region2 ? u"IARU Region 2"
                                           : u"IARU Region 3"}}};
}

TReportTable tunerTable(const std::vector<TTunerRow>& rows, const Numbers& n) {
  TReportTable table;
  for (const char* column : TunerColumns) table.columns.push_back({n.local(column)});
  table.columns[11].align = TReportAlign::Left;  // "match"
  for (const TTunerRow& r : rows) {
    std::vector<std::u16string> row;
    for (const std::string& text : TunerRowTexts(r)) row.push_back(n.local(text));
    if (r.ruleDiffers) row.back() += u" *";
    table.rows.push_back(std::move(row));
  }
  return table;
}

TReportTable spansTable(const TFinderResult& finder, TRegion region, const Numbers& n) {
  TReportTable table;
  const size_t columns = finder.SuitsAll() ? SpanColumns.size() - 1 : SpanColumns.size();
  for (size_t c = 0; c < columns; ++c) table.columns.push_back({n.local(SpanColumns[c])});
  for (const TFeederSpan& s : finder.spans) {
    std::vector<std::u16string> row;
    const auto texts = SpanTexts(s, region);
    for (size_t c = 0; c < columns; ++c) row.push_back(n.local(texts[c]));
    table.rows.push_back(std::move(row));
  }
  return table;
}

// Appends a block in place: GCC 12 takes a moved temporary variant for one
// that may be read uninitialised.
template <class Block>
void append(TReportSection& section, Block block) {
  section.blocks.emplace_back(std::in_place_type<Block>, std::move(block));
}

TReportSection tunerSection(const TReportInput& in, const TReportTuner& t, const Numbers& n) {
  TReportSection section{u"Tuner view", {tunerFacts(in, t.setup, n)}};
  if (!t.rows.empty()) {
    append(section,
           TReportText{u"What the tuner sees at the end of the feeder, at the frequency or "
                       u"at each band's centre:"});
    append(section, tunerTable(t.rows, n));
    for (const TTunerRow& r : t.rows) {
      if (!r.ruleDiffers) continue;
      append(section,
             TReportText{u"* The classic rule's first current maximum lies more than 1/16 "
                         u"line wavelength away."});
      break;
    }
  }
  if (t.spans && !t.spans->SuitsAll()) {
    append(section,
           TReportText{n.sentence(NoSpanMessage(*t.spans, t.setup.region, in.frequencyMHz))});
  } else if (t.spans) {
    append(section,
           TReportText{u"Feeder lengths from 0" + std::u16string(1, n.separator()) +
                       u"5 to 60 m at which the tuner matches every band across its width, "
                       u"best first:"});
  }
  if (t.spans && !t.spans->spans.empty()) append(section, spansTable(*t.spans, t.setup.region, n));
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
