// The report's content: its facts, rows and texts for given inputs, with the
// locale's decimal separator.
#include "app/Report.h"

#include <gtest/gtest.h>

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
  EXPECT_EQ(Fact(single, u"Feeder"),
            u"Z0 450 \u03A9, velocity factor 0.90 (feeder constant 886.00 ft\u00B7MHz)");
  in.bands = {1, 3, 9};
  in.feeder = {u"", FreeSpaceConstant * 0.91};
  const TReportSection bands = Section(BuildReport(in), u"Inputs");
  EXPECT_EQ(Fact(bands, u"Frequency"), u"(none)");
  EXPECT_EQ(Fact(bands, u"Bands"), u"3.7\u00A0MHz, 7.1\u00A0MHz, 28.5\u00A0MHz");
  EXPECT_EQ(Fact(bands, u"Feeder"),
            u"measured line, velocity factor 0.91 (feeder constant 895.05 ft\u00B7MHz)");
}

// Each calculation a row: its frequency and the eight lengths as the list
// gives them, or the calculator's message across the row.
TEST_F(Report, TheLengthsAreTheListsRowByRow) {
  TReportInput in;
  in.calculations = {Calculated(7.1), Calculated(1.8), Calculated(7.1)};
  const TReportSection lengths = Section(BuildReport(in), u"Exact feeder lengths");
  const auto tables = Blocks<TReportTable>(lengths);
  ASSERT_EQ(tables.size(), 1u);
  ASSERT_EQ(tables[0].columns.size(), 9u);
  EXPECT_EQ(tables[0].columns[0].header, u"Frequency");
  EXPECT_EQ(tables[0].columns[8].header, u"8");
  const std::vector<std::u16string> defaults = {u"7.1 MHz",
                                                u"13.36",
                                                u"32.37",
                                                u"51.39",
                                                u"70.41",
                                                u"89.43",
                                                u"108.44",
                                                u"127.46",
                                                u"146.48"};
  EXPECT_EQ(tables[0].rows,
            (Rows{defaults, {u"1.8 MHz", TooShortMessage(375 / 1.8, u'.')}, defaults}));
  in.calculations.clear();
  EXPECT_EQ(Texts(Section(BuildReport(in), u"Exact feeder lengths")),
            std::vector<std::u16string>{u"The list is empty."});
}

TEST_F(Report, NumbersTakeTheLocalesSeparator) {
  SetLocaleDecimalSeparator(u',');
  TReportInput in;
  in.calculations = {Calculated(1.8), Calculated(7.1)};
  const TReport report = BuildReport(in);
  EXPECT_EQ(Fact(Section(report, u"Inputs"), u"Dipole length"), u"26,00 m (85,30 ft)");
  const auto rows = Blocks<TReportTable>(Section(report, u"Exact feeder lengths"))[0].rows;
  EXPECT_EQ(rows[0][1], TooShortMessage(375 / 1.8, u','));
  EXPECT_EQ(rows[1][0], u"7,1 MHz");
  EXPECT_EQ(rows[1][1], u"13,36");
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
// maximum, or the calculator's message.
TEST_F(Report, TheFeederCheckHasThePagesRows) {
  TReportInput in;
  in.check.checked[0] = in.check.checked[3] = in.check.checked[7] = true;
  const TReportSection check = Section(BuildReport(in), u"Feeder check");
  EXPECT_EQ(Fact(check, u"Feeder length"), u"20.00 m (65 ft 7.4 in)");
  EXPECT_EQ(Fact(check, u"Line"),
            u"450/600, velocity factor 0.90 (feeder constant 886.00 ft\u00B7MHz)");
  const auto table = Blocks<TReportTable>(check)[0];
  ASSERT_EQ(table.columns.size(), 4u);
  EXPECT_TRUE(table.columns[3].warning);
  EXPECT_EQ(table.rows,
            (Rows{{u"1.8 MHz", TooShortMessage(375 / 1.8, u'.')},
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
  EXPECT_EQ(Fact(check, u"Line"), u"Custom, velocity factor 0.40");
}

TEST_F(Report, TheTunerViewIsThereOnlyWhenComputed) {
  TReportInput in;
  for (const TReportSection& s : BuildReport(in).sections) EXPECT_NE(s.heading, u"Tuner view");
}

// The setup's facts (the line with Z0, VF and its loss), the table's cells
// as the command line prints them with the locale's separator, the rule's
// mark and its note, and the lengths that suit every band.
TEST_F(Report, TheTunerViewHasItsSetupTableAndSpans) {
  SetLocaleDecimalSeparator(u',');
  TReportInput in;
  in.bands = {3, 5};
  TReportTuner tuner;
  tuner.setup.tuner = {TTuner::External, 3, 10, 2000};
  tuner.rows =
      TunerRows(tuner.setup,
                {{7.1, {50, 20}, std::nullopt, 3}, {14.175, {2000, -300}, std::nullopt, 5}},
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
  EXPECT_EQ(line.rfind(u"Window line 450 \u03A9 (Z0 400 \u03A9 measured), #18: Z0 400 \u03A9, "
                       u"velocity factor 0,91, "
                       u"conductors 1,024 mm across; matched loss ",
                       0),
            0u)
      << ToUtf8(line);
  EXPECT_NE(line.find(u" dB per 100 m at 7,1 MHz to 0,"), std::u16string::npos) << ToUtf8(line);
  EXPECT_EQ(line.substr(line.size() - 27), u" dB per 100 m at 14,175 MHz") << ToUtf8(line);
  EXPECT_EQ(Fact(section, u"Feeder length"), u"20,00 m (65 ft 7,4 in)");
  EXPECT_EQ(Fact(section, u"Power"), u"100 W");
  EXPECT_EQ(Fact(section, u"Tuner"), u"external, matching |Z| from 10 to 2000 \u03A9");
  EXPECT_EQ(Fact(section, u"Band edges"), u"IARU Region 1");
  const auto tables = Blocks<TReportTable>(section);
  ASSERT_EQ(tables.size(), 2u);
  ASSERT_EQ(tables[0].columns.size(), 14u);
  for (size_t r = 0; r < 2; ++r) {
    const auto texts = TunerRowTexts(tuner.rows[r]);
    for (size_t c = 0; c + 1 < texts.size(); ++c)
      EXPECT_EQ(tables[0].rows[r][c], LocalNumbers(texts[c], u','));
  }
  EXPECT_EQ(tables[0].rows[0][0], u"7,1000");
  EXPECT_EQ(tables[1].rows, (Rows{{u"8,97", u"17,43", u"11,73", u"7,2000", u"x11,52"}}));
  tuner.setup.tuner = {};
  TFinderResult none;
  none.groupsIncluded = 2;
  none.stoppingGroup = 0;
  none.othersShareM = 1.5;
  tuner.spans = none;
  in.tuner = tuner;
  const auto texts = Texts(Section(BuildReport(in), u"Tuner view"));
  EXPECT_EQ(Fact(Section(BuildReport(in), u"Tuner view"), u"Tuner"),
            u"internal, matching an SWR up to 3 on 50 \u03A9");
  EXPECT_EQ(texts.back(),
            u"No feeder length from 0,5 to 60 m suits every band: 1,81-2 MHz stops it (without "
            u"it the others share 1,50 m of lengths).");
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
  const std::u16string marked = Blocks<TReportTable>(section)[0].rows[0][13];
  EXPECT_EQ(marked.substr(marked.size() - 2), u" *");
  EXPECT_EQ(
      Texts(section).back(),
      u"* The classic rule's first current maximum lies more than 1/16 line wavelength away.");
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
