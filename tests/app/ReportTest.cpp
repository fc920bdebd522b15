// The report's content: its facts, rows and texts for given inputs, with the
// locale's decimal separator.
#include "app/Report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/TunerCommandLine.h"
#include "app/tuner/NumberText.h"
#include "platform/Locale.h"
#include "platform/Utf8.h"

namespace {

using Rows = std::vector<std::vector<std::u16string>>;

TReportSection Section(const TReport& report, const std::u16string& heading) {
  for (const TReportSection& s : report.sections) {
    if (s.heading == heading) return s;
  }
  throw std::runtime_error("no section " + ToUtf8(heading));
}

template <class Block>
std::vector<Block> Blocks(const TReportSection& section) {
  std::vector<Block> blocks;
  for (const TReportBlock& b : section.blocks) {
    if (const auto* block = std::get_if<Block>(&b)) blocks.push_back(*block);
  }
  return blocks;
}

std::u16string Fact(const TReportSection& section, const std::u16string& label) {
  for (const auto& facts : Blocks<TReportFacts>(section)) {
    for (const auto& [l, value] : facts.rows) {
      if (l == label) return value;
    }
  }
  return u"(none)";
}

std::vector<std::u16string> Texts(const TReportSection& section) {
  std::vector<std::u16string> texts;
  for (const TReportText& t : Blocks<TReportText>(section)) texts.push_back(t.text);
  return texts;
}

TReportCalculation Calculated(double frequency, double dipoleFeet = 85.30,
                              double constant = FeederConstant450) {
  TFeederState state;
  InitFeederState(state, frequency);
  state.LLWL = constant;
  return ReportCalculationOf(state, CalcSingle(state, frequency, dipoleFeet), dipoleFeet);
}

struct Report : ::testing::Test {
  void SetUp() override { SetLocaleDecimalSeparator(u'.'); }
  void TearDown() override { SetLocaleDecimalSeparator(0); }
};

TEST_F(Report, TheTitleAndFooterNameTheProgramItsVersionAndTheDate) {
  TReportInput in;
  in.date = u"2024-03-09";
  const TReport report = BuildReport(in);
  EXPECT_EQ(report.title, u"Orvak SE version 1.0: feeder report");
  EXPECT_EQ(report.subtitle, u"2024-03-09");
  EXPECT_EQ(report.footer, u"Orvak SE version 1.0, feeder report of 2024-03-09");
  EXPECT_EQ(ReportDate().size(), 10u);
}

TEST_F(Report, TheInputsGiveTheFrequencyOrTheBandsTheDipoleInMetresAndFeetAndTheLine) {
  TReportInput in;
  const TReportSection single = Section(BuildReport(in), u"Inputs");
  EXPECT_EQ(Fact(single, u"Frequency"), u"7.1 MHz");
  EXPECT_EQ(Fact(single, u"Dipole length"), u"26.00 m (85.30 ft)");
  EXPECT_EQ(Fact(single, u"Feeder of the list"),
            u"Z0 450 \u03A9, the calculator's feeder constant 886.00 ft\u00B7MHz");
  EXPECT_EQ(Fact(single, u"Line"),
            u"Window line 450 \u03A9 (Z0 400 \u03A9 measured), #18: Z0 400 \u03A9, velocity "
            u"factor 0.91, conductors 1.024 mm across (feeder constant 895.05 ft\u00B7MHz)");
  EXPECT_EQ(Fact(single, u"Feeder length"), u"20.00 m (65 ft 7.4 in)");
  in.bands = {1, 3, 9};
  in.feeder = {u"", FreeSpaceConstant * 0.91};
  const TReportSection bands = Section(BuildReport(in), u"Inputs");
  EXPECT_EQ(Fact(bands, u"Frequency"), u"(none)");
  EXPECT_EQ(Fact(bands, u"Bands"), u"3.7\u00A0MHz, 7.1\u00A0MHz, 28.5\u00A0MHz");
  EXPECT_EQ(Fact(bands, u"Feeder of the list"),
            u"measured velocity factor 0.91, feeder constant 895.05 ft\u00B7MHz");
}

// The line the Feeder check and the tuner view share is named once, in the
// Inputs; the sections refer to it. A line of a section's own is named there.
TEST_F(Report, TheSharedLineIsNamedOnce) {
  TReportInput in;
  in.line.line = CustomLine;
  in.line.custom = {500, 0.85, 1.5e-3, std::nullopt};
  in.check.line = CustomFeederLine;
  in.check.customFactor = 0.85;
  TReportTuner tuner;
  tuner.setup.line = in.line.Line();
  in.tuner = tuner;
  TReport report = BuildReport(in);
  EXPECT_EQ(Fact(Section(report, u"Inputs"), u"Line"),
            u"custom line: Z0 500 \u03A9, velocity factor 0.85, conductors 1.5 mm across "
            u"(feeder constant 836.03 ft\u00B7MHz)");
  EXPECT_EQ(Fact(Section(report, u"Feeder check"), u"Line"), u"as in the Inputs");
  const std::u16string tunerLine = Fact(Section(report, u"Tuner view"), u"Line");
  EXPECT_EQ(tunerLine.rfind(u"as in the Inputs; matched loss ", 0), 0u) << ToUtf8(tunerLine);
  EXPECT_EQ(Fact(Section(report, u"Tuner view"), u"Feeder length"), u"(none)");  // the Inputs'
  // "450/600" on the Feeder check page and no tuner view: no shared line to name.
  in.check.line = ClassicFeederLine;
  in.tuner.reset();
  report = BuildReport(in);
  EXPECT_EQ(Fact(Section(report, u"Inputs"), u"Line"), u"(none)");
  EXPECT_EQ(Fact(Section(report, u"Feeder check"), u"Line"),
            u"450/600, velocity factor 0.90 (feeder constant 886.00 ft\u00B7MHz)");
  // A tuner view of another line and feeder length than the pages' names them.
  tuner.setup.line = LinePresets[2].line;
  tuner.setup.feederM = 12;
  in.tuner = tuner;
  report = BuildReport(in);
  EXPECT_EQ(Fact(Section(report, u"Inputs"), u"Line"), u"(none)");
  const std::u16string own = Fact(Section(report, u"Tuner view"), u"Line");
  EXPECT_EQ(own.rfind(u"Twin lead 300 \u03A9, #20: Z0 300 \u03A9, velocity factor 0.8, ", 0), 0u)
      << ToUtf8(own);
  EXPECT_EQ(Fact(Section(report, u"Tuner view"), u"Feeder length"), u"12.00 m (39 ft 4.4 in)");
}

// Each calculation a row: its frequency, the dipole it was computed with and
// the eight lengths as the list gives them, or the dipole's shortness as a
// statement across the row.
TEST_F(Report, TheLengthsAreTheListsRowByRow) {
  TReportInput in;
  in.calculations = {Calculated(7.1), Calculated(1.8), Calculated(7.1)};
  const TReportSection lengths = Section(BuildReport(in), u"Exact feeder lengths");
  const auto tables = Blocks<TReportTable>(lengths);
  ASSERT_EQ(tables.size(), 1u);
  ASSERT_EQ(tables[0].columns.size(), 10u);
  EXPECT_EQ(tables[0].columns[0].header, u"Frequency");
  EXPECT_EQ(tables[0].columns[1].header, u"Dipole");
  EXPECT_EQ(tables[0].columns[9].header, u"8");
  const std::vector<std::u16string> defaults = {u"7.1 MHz",
                                                u"26.00 m",
                                                u"13.36",
                                                u"32.37",
                                                u"51.39",
                                                u"70.41",
                                                u"89.43",
                                                u"108.44",
                                                u"127.46",
                                                u"146.48"};
  const std::vector<std::u16string> tooShort = {
      u"1.8 MHz", u"26.00 m", u"The dipole is too short for 1.8 MHz: it needs at least 208.3 ft."};
  EXPECT_EQ(tables[0].rows, (Rows{defaults, tooShort, defaults}));
  in.bands = {0, 3};
  EXPECT_TRUE(Texts(Section(BuildReport(in), u"Inputs")).empty());  // the fields' own values
  in.calculations.clear();
  EXPECT_EQ(Texts(Section(BuildReport(in), u"Exact feeder lengths")),
            std::vector<std::u16string>{u"The list is empty."});
}

// The list keeps calculations of other values than the fields show: each
// row names its own dipole (and feeder constant, where one differs), and the
// Inputs say that the list differs.
TEST_F(Report, RowsOfOtherValuesNameThemAndTheInputsSaySo) {
  const std::u16string note = u"The list below was computed with other values: see each row.";
  struct Case {
    const char* what;
    TReportCalculation calculation;
    bool constantColumn;
  };
  const Case cases[] = {
      {"another dipole", Calculated(7.1, 134.51), false},
      {"another feeder", Calculated(7.1, 85.30, FeederConstant300), true},
      {"another frequency", Calculated(14.2), false},
  };
  for (const Case& c : cases) {
    TReportInput in;
    in.calculations = {Calculated(7.1), c.calculation};
    const TReport report = BuildReport(in);
    EXPECT_EQ(Texts(Section(report, u"Inputs")), std::vector<std::u16string>{note}) << c.what;
    const TReportTable table = Blocks<TReportTable>(Section(report, u"Exact feeder lengths"))[0];
    ASSERT_EQ(table.columns.size(), c.constantColumn ? 11u : 10u) << c.what;
    if (c.constantColumn) {
      EXPECT_EQ(table.columns[2].header, u"Constant\n(ft\u00B7MHz)");
      EXPECT_EQ(table.rows[0][2], u"886.00");
      EXPECT_EQ(table.rows[1][2], u"787.00");
    }
  }
  // 41 m typed after the start-up calculation of 85.3 ft: the row keeps its
  // dipole and its lengths; one calculated now has its own.
  TReportInput in;
  in.dipoleFeet = 134.51;
  in.calculations = {Calculated(7.1), Calculated(7.1, 134.51)};
  const TReport report = BuildReport(in);
  EXPECT_EQ(Fact(Section(report, u"Inputs"), u"Dipole length"), u"41.00 m (134.51 ft)");
  const Rows rows = Blocks<TReportTable>(Section(report, u"Exact feeder lengths"))[0].rows;
  EXPECT_EQ(std::vector<std::u16string>(rows[0].begin(), rows[0].begin() + 3),
            (std::vector<std::u16string>{u"7.1 MHz", u"26.00 m", u"13.36"}));
  EXPECT_EQ(std::vector<std::u16string>(rows[1].begin(), rows[1].begin() + 3),
            (std::vector<std::u16string>{u"7.1 MHz", u"41.00 m", u"9.35"}));
}

TEST_F(Report, NumbersTakeTheLocalesSeparator) {
  SetLocaleDecimalSeparator(u',');
  TReportInput in;
  in.check.line = ClassicFeederLine;
  in.calculations = {Calculated(1.8), Calculated(7.1)};
  const TReport report = BuildReport(in);
  EXPECT_EQ(Fact(Section(report, u"Inputs"), u"Dipole length"), u"26,00 m (85,30 ft)");
  const auto rows = Blocks<TReportTable>(Section(report, u"Exact feeder lengths"))[0].rows;
  EXPECT_EQ(rows[0][2], u"The dipole is too short for 1,8 MHz: it needs at least 208,3 ft.");
  EXPECT_EQ(rows[1][0], u"7,1 MHz");
  EXPECT_EQ(rows[1][1], u"26,00 m");
  EXPECT_EQ(rows[1][2], u"13,36");
  EXPECT_EQ(Blocks<TReportTable>(Section(report, u"Feeder check"))[0].rows[3][2],
            u"cut 6,64 m (21 ft 9,6 in)");
}

TEST_F(Report, TheChartsPlaceAndCaptionTellTheBarsWhenThereAreAny) {
  TReportInput in;
  const TReportSection plain = Section(BuildReport(in), u"Current maxima");
  ASSERT_EQ(plain.blocks.size(), 2u);
  EXPECT_TRUE(std::holds_alternative<TReportChartPlace>(plain.blocks[0]));
  EXPECT_EQ(Texts(plain)[0].find(u"red bars"), std::u16string::npos);
  auto items = std::make_shared<TrcItemStore>();
  items->SetActiveLayer(5);
  items->Line(1, 7.1, 2, 7.1);
  in.chart.items = items;
  EXPECT_NE(Texts(Section(BuildReport(in), u"Current maxima"))[0].find(
                u"the red bars the lengths to avoid"),
            std::u16string::npos);
}

// The page's rows: the bands checked (or all), the nearest maximum, the
// change in metres and in feet and inches, the warning near a voltage
// maximum, or the dipole's shortness.
TEST_F(Report, TheFeederCheckHasThePagesRows) {
  TReportInput in;
  in.check.line = ClassicFeederLine;
  in.check.checked[0] = in.check.checked[3] = in.check.checked[7] = true;
  const TReportSection check = Section(BuildReport(in), u"Feeder check");
  EXPECT_EQ(Fact(check, u"Line"),
            u"450/600, velocity factor 0.90 (feeder constant 886.00 ft\u00B7MHz)");
  const auto table = Blocks<TReportTable>(check)[0];
  ASSERT_EQ(table.columns.size(), 4u);
  EXPECT_TRUE(table.columns[3].warning);
  EXPECT_EQ(table.rows,
            (Rows{{u"1.8 MHz", u"The dipole is too short for 1.8 MHz: it needs at least 208.3 ft."},
                  {u"7.1 MHz", u"13.36 m", u"cut 6.64 m (21 ft 9.6 in)", u""},
                  {u"21.25 MHz",
                   u"22.41 m",
                   u"add 2.41 m (7 ft 10.8 in)",
                   u"Avoid: 0.77 m from a voltage maximum at 19.23 m"}}));
}

TEST_F(Report, AFeederThatCannotBeCheckedGivesTheReasonInsteadOfRows) {
  TReportInput in;
  in.check.line = CustomFeederLine;
  in.check.customFactor = 0.4;
  const TReportSection check = Section(BuildReport(in), u"Feeder check");
  EXPECT_TRUE(Blocks<TReportTable>(check).empty());
  EXPECT_EQ(Texts(check),
            std::vector<std::u16string>{u"The velocity factor must lie between 0.50 and 1.00."});
  EXPECT_EQ(Fact(check, u"Line"), u"Custom, velocity factor 0.40");  // not the Inputs' 0.90
}

TEST_F(Report, TheTunerViewIsThereOnlyWhenComputed) {
  TReportInput in;
  for (const TReportSection& s : BuildReport(in).sections) EXPECT_NE(s.heading, u"Tuner view");
}

// The setup's facts (the line's loss), the table's cells with the locale's
// separator under named columns with their units, the rule's mark and its
// note, and the lengths that suit every band.
TEST_F(Report, TheTunerViewHasItsSetupTableAndSpans) {
  SetLocaleDecimalSeparator(u',');
  TReportInput in;
  in.bands = {3, 5};
  TReportTuner tuner;
  tuner.setup.tuner = {TTuner::External, 3, 10, 2000};
  tuner.rows = TunerRows(tuner.setup,
                         {{7.1, {50, 20}, std::nullopt, 3}, {14.175, {2000, -300}, 0.071, 5}},
                         {{7.1, {50, 20}, 3}, {14.175, {2000, -300}, 5}});
  TFinderResult spans;
  spans.spans = {{8.97, 17.43, 11.73, std::log(11.52), 7.2, {}}};
  spans.groupsIncluded = spans.groupsSuited = 2;
  tuner.spans = spans;
  in.tuner = tuner;
  const TReportSection section = Section(BuildReport(in), u"Tuner view");
  EXPECT_EQ(Fact(section, u"Antenna"),
            u"copper dipole 26,00 m long of 2 mm wire, 10 m high, fed in its centre");
  EXPECT_EQ(Fact(section, u"Ground"),
            u"average (relative permittivity 13, conductivity 0,005 S/m)");
  const std::u16string line = Fact(section, u"Line");
  EXPECT_EQ(line.rfind(u"as in the Inputs; matched loss ", 0), 0u) << ToUtf8(line);
  EXPECT_NE(line.find(u" dB per 100 m at 7,1 MHz to 0,"), std::u16string::npos) << ToUtf8(line);
  EXPECT_EQ(line.substr(line.size() - 27), u" dB per 100 m at 14,175 MHz") << ToUtf8(line);
  EXPECT_EQ(Fact(section, u"Power"), u"100 W");
  EXPECT_EQ(Fact(section, u"Tuner"), u"external, matching |Z| from 10 to 2000 \u03A9");
  EXPECT_EQ(Fact(section, u"Band edges"), u"IARU Region 1");
  const auto tables = Blocks<TReportTable>(section);
  ASSERT_EQ(tables.size(), 2u);
  std::vector<std::u16string> headers;
  for (const TReportColumn& c : tables[0].columns) headers.push_back(c.header);
  EXPECT_EQ(headers,
            (std::vector<std::u16string>{u"MHz",
                                         u"feed point\n(\u03A9)",
                                         u"SWR\non line",
                                         u"at the tuner\n(\u03A9)",
                                         u"loss (dB)\nmatched / total",
                                         u"efficiency\n(%)",
                                         u"peak\nvoltage (V)",
                                         u"tuner matches\n(worst point)",
                                         u"first current\nmaximum (m):\nmodel / rule"}));
  for (size_t r = 0; r < 2; ++r) {
    const TTunerRow& t = tuner.rows[r];
    const auto& cells = tables[0].rows[r];
    ASSERT_EQ(cells.size(), 9u);
    EXPECT_EQ(cells[2], LocalNumbers(SwrText(t.ends.swr), u','));
    EXPECT_EQ(
        cells[4],
        LocalNumbers(FixedText(t.ends.matchedLossDb, 2) + " / " + FixedText(t.ends.totalLossDb, 2),
                     u','));
    EXPECT_EQ(cells[5], LocalNumbers(FixedText(t.ends.efficiency * 100, 1), u','));
    EXPECT_EQ(cells[6], LocalNumbers(FixedText(t.ends.peakVoltage, 0), u','));
    EXPECT_EQ(cells[8],
              LocalNumbers(FixedText(*t.firstCurrentMaximum, 2) + " / " +
                               FixedText(*t.classicMaximum, 2) + (t.ruleDiffers ? " *" : ""),
                           u','));
  }
  EXPECT_EQ(tables[0].rows[0][0], u"7,100");
  EXPECT_EQ(tables[0].rows[0][1], u"50,0 + j20,0");
  EXPECT_EQ(tables[0].rows[1][1], u"2000,0 \u2212 j300,0 \u00B17\u00A0%");
  EXPECT_EQ(tables[0].rows[0][7].rfind(tuner.rows[0].CanMatch() ? u"yes (" : u"no (", 0), 0u);
  EXPECT_EQ(tables[1].rows, (Rows{{u"8,97", u"17,43", u"11,73", u"7,2000", u"x11,52"}}));
  EXPECT_EQ(tables[1].columns[3].header, u"worst point (MHz)");
  const std::vector<std::u16string> texts = Texts(section);
  EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const std::u16string& t) {
    return t.rfind(
               u"\u00B1: a model of a mesh 1.5 times as fine moves the feed point by this "
               u"much.",
               0) == 0;
  }));
  tuner.setup.tuner = {};
  TFinderResult none;
  none.groupsIncluded = 2;
  none.stoppingGroup = 0;
  none.othersShareM = 1.5;
  tuner.spans = none;
  in.tuner = tuner;
  EXPECT_EQ(Fact(Section(BuildReport(in), u"Tuner view"), u"Tuner"),
            u"internal, matching an SWR up to 3 on 50 \u03A9");
  EXPECT_EQ(Texts(Section(BuildReport(in), u"Tuner view")).back(),
            u"No feeder length from 0,5 to 60 m suits every band: 1,81-2 MHz stops it (without "
            u"it the others share 1,50 m of lengths).");
}

// The tuner matches column: the verdict across the band with its worst point.
TEST_F(Report, TheTunersVerdictNamesTheWorstPoint) {
  TReportInput in;
  TReportTuner tuner;
  TTunerRow row =
      TunerRows(tuner.setup, {{7.1, {50, 20}, std::nullopt, -1}}, {{7.1, {50, 20}, -1}})[0];
  row.verdict = {-1, true, 0.2, 7.2};
  tuner.rows = {row};
  row.verdict = {-1, false, -0.3, 7.0};
  tuner.rows.push_back(row);
  in.tuner = tuner;
  const auto rows = Blocks<TReportTable>(Section(BuildReport(in), u"Tuner view"))[0].rows;
  EXPECT_EQ(rows[0][7], u"yes (7.2 MHz)");
  EXPECT_EQ(rows[1][7], u"no (7 MHz)");
}

TEST_F(Report, AMarkedRuleGetsItsNote) {
  TReportInput in;
  TReportTuner tuner;
  TTunerRow row =
      TunerRows(tuner.setup, {{7.1, {50, 20}, std::nullopt, -1}}, {{7.1, {50, 20}, -1}})[0];
  row.ruleDiffers = true;
  tuner.rows = {row};
  in.tuner = tuner;
  const TReportSection section = Section(BuildReport(in), u"Tuner view");
  const std::u16string marked = Blocks<TReportTable>(section)[0].rows[0][8];
  EXPECT_EQ(marked.substr(marked.size() - 2), u" *");
  EXPECT_EQ(
      Texts(section).back(),
      u"* The classic rule's first current maximum lies more than 1/16 line wavelength away.");
}

// The Tuner chart follows the table, with its caption, where it was drawn.
TEST_F(Report, TheTunerChartFollowsTheTable) {
  TReportInput in;
  TReportTuner tuner;
  tuner.rows = TunerRows(tuner.setup, {{7.1, {50, 20}, std::nullopt, -1}}, {{7.1, {50, 20}, -1}});
  in.tuner = tuner;
  const auto places = [&in] {
    return Blocks<TReportChartPlace>(Section(BuildReport(in), u"Tuner view"));
  };
  EXPECT_TRUE(places().empty());
  auto result = std::make_shared<TTunerResult>();
  result->setup = tuner.setup;
  result->rows = tuner.rows;
  in.tuner->chart = result;
  ASSERT_EQ(places().size(), 1u);
  EXPECT_EQ(places()[0].chart, TReportChartKind::Tuner);
  const TReportSection section = Section(BuildReport(in), u"Tuner view");
  size_t table = 0, chart = 0;
  for (size_t i = 0; i < section.blocks.size(); ++i) {
    if (std::holds_alternative<TReportTable>(section.blocks[i])) table = i;
    if (std::holds_alternative<TReportChartPlace>(section.blocks[i])) chart = i;
  }
  EXPECT_LT(table, chart);
  ASSERT_LT(chart + 1, section.blocks.size());
  const std::u16string caption = std::get<TReportText>(section.blocks[chart + 1]).text;
  EXPECT_EQ(caption.rfind(u"|Z| at the tuner against the feeder length", 0), 0u);
  EXPECT_NE(caption.find(u"the black line marks the feeder length of 20.00\u00A0m."),
            std::u16string::npos)
      << ToUtf8(caption);
  EXPECT_EQ(caption.find(u"green bars"), std::u16string::npos);  // no lengths suit every band
}

TEST_F(Report, GroundsAndLinesOfTheirOwn) {
  TReportInput in;
  TReportTuner tuner;
  tuner.setup.antenna.ground = {TGroundKind::Real, 7, 0.01};
  tuner.setup.line = {500, 0.85, 1.5e-3, TMeasuredLoss{0.8, 14}};
  in.tuner = tuner;
  TReport report = BuildReport(in);
  EXPECT_EQ(Fact(Section(report, u"Tuner view"), u"Ground"),
            u"relative permittivity 7, conductivity 0.01 S/m");
  EXPECT_EQ(Fact(Section(report, u"Tuner view"), u"Line"),
            u"custom line: Z0 500 \u03A9, velocity factor 0.85, conductors 1.5 mm across; measured "
            u"loss 0.8 dB per "
            u"100 m at 14 MHz");
  in.tuner->setup.antenna.ground = {TGroundKind::FreeSpace, 1, 0};
  in.tuner->setup.region = TRegion::Region2;
  report = BuildReport(in);
  EXPECT_EQ(Fact(Section(report, u"Tuner view"), u"Ground"), u"none, free space");
  EXPECT_EQ(Fact(Section(report, u"Tuner view"), u"Band edges"), u"IARU Region 2");
}

}  // namespace
