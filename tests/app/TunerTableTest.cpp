// The tuner view's rows: the line's numbers for a feed point, the tuner's
// verdict, and the classic rule's first current maximum beside physics'.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "app/TunerTable.h"
#include "app/tuner/NumberText.h"

namespace {

using Z = std::complex<double>;

// The defaults' classic first maximum, 13.3555 m with the constant 886, grows
// with the constant: window line, 983.57 × 0.91 = 895.05 ft·MHz.
constexpr double kClassicWindowLine = 13.355464133637135 * 983.57 * 0.91 / 886.0;

// A feed point whose first current maximum on the line lies at d metres, on
// a line without loss, where it lies where the reflection says.
Z feedPointWithMaximumAt(const TTransmissionLine& line, double f, double d) {
  const double beta = 2 * std::numbers::pi / LineWavelength(line, f);
  const Z reflection = std::polar(0.5, std::numbers::pi + 2 * beta * d);
  return line.z0 * (1.0 + reflection) / (1.0 - reflection);
}

TTunerRow rowAt(const TTunerSetup& setup, double f, Z feedPoint) {
  const TSweepCentre centre{f, feedPoint, std::nullopt, -1};
  return TunerRows(setup, {centre}, {{f, feedPoint, -1}}).at(0);
}

TEST(TunerTable, TheClassicRuleGivesItsFirstMaximumForTheLinesVelocityFactor) {
  EXPECT_NEAR(*ClassicFirstMaximum(7.1, 85.30, 0.91), kClassicWindowLine, 1e-9);
  EXPECT_FALSE(ClassicFirstMaximum(3.7, 85.30, 0.91));  // 85.3 ft is too short for 3.7 MHz
}

TEST(TunerTable, ARowCarriesTheFeedPointToTheTuner) {
  TTunerSetup setup;  // the defaults: 85.3 ft, window line, 20 m, 100 W, SWR 3
  const TTunerRow row = rowAt(setup, 7.1, Z(73, 42));
  const TLineEnds ends = ThroughTheLine(setup.line, Z(73, 42), 7.1, 20, 100);
  EXPECT_EQ(row.ends.tunerImpedance, ends.tunerImpedance);
  EXPECT_EQ(row.CanMatch(), CanMatch(setup.tuner, ends.tunerImpedance));
  EXPECT_NEAR(row.matchedLossDbPer100m, MatchedLossDbPer100m(setup.line, 7.1), 1e-15);
  // The copper's loss slows the wave a hair: a few millionths.
  EXPECT_NEAR(row.lineWavelength, 299.792458 * 0.91 / 7.1, 1e-5 * row.lineWavelength);
  ASSERT_TRUE(row.classicMaximum);
  EXPECT_NEAR(*row.classicMaximum, kClassicWindowLine, 1e-9);
}

TEST(TunerTable, TheRuleIsMarkedWhereItLiesMoreThanASixteenthWaveAway) {
  TTunerSetup setup;
  setup.line = {400, 0.91, 1.024e-3, TMeasuredLoss{0, 7}};  // window line without loss
  const double f = 7.1, wave = LineWavelength(setup.line, f);
  struct Case {
    double physicsAt;
    bool differs;
  };
  for (const Case& c :
       {Case{kClassicWindowLine, false},
        Case{kClassicWindowLine - wave / 16 + 0.01, false},
        Case{kClassicWindowLine + wave / 16 + 0.01, true},
        Case{0.1, true},
        Case{kClassicWindowLine - wave / 2 + 0.05, false}}) {  // the same maximum a half wave down
    const TTunerRow row = rowAt(setup, f, feedPointWithMaximumAt(setup.line, f, c.physicsAt));
    ASSERT_TRUE(row.firstCurrentMaximum);
    EXPECT_NEAR(*row.firstCurrentMaximum, std::fmod(c.physicsAt + wave, wave / 2), 1e-9);
    EXPECT_EQ(row.ruleDiffers, c.differs) << c.physicsAt;
  }
}

TEST(TunerTable, EachRowJudgesItsBandAcrossItsWidth) {
  // 3.5 MHz cannot be matched, the centre and 3.8 MHz can: the row says "no"
  // and where, the band's worst point.
  TTunerSetup setup;
  setup.feederM = 0;
  setup.tuner = {TTuner::External, 3, 20, 2000};
  const std::vector<TFinderFrequency> points = {
      {3.5, Z(12, 0), 1}, {3.65, Z(60, -30), 1}, {3.8, Z(90, 80), 1}, {7.1, Z(300, 0), 3}};
  const std::vector<TTunerRow> rows = TunerRows(
      setup, {{3.65, Z(60, -30), std::nullopt, 1}, {7.1, Z(300, 0), std::nullopt, 3}}, points);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_FALSE(rows[0].CanMatch());
  EXPECT_EQ(rows[0].verdict.worstMHz, 3.5);
  EXPECT_EQ(MatchText(rows[0]), "no, 3.5 MHz");
  EXPECT_TRUE(CanMatch(setup.tuner, rows[0].ends.tunerImpedance));  // the centre alone would
  EXPECT_EQ(MatchText(rows[1]), "yes");
}

TEST(TunerTable, TheUncertaintyShowsAboveThreePercent) {
  TTunerSetup setup;
  for (const auto& [uncertainty, text] :
       {std::pair{0.07, "7%"}, std::pair{0.029, ""}, std::pair{0.031, "3%"}}) {
    const TSweepCentre centre{14.175, Z(3400, 360), uncertainty, 5};
    const TTunerRow row = TunerRows(setup, {centre}, {{14.175, Z(3400, 360), 5}}).at(0);
    EXPECT_EQ(TunerRowTexts(row)[3], text) << uncertainty;
    EXPECT_EQ(TunerCsvTexts(row)[11], *text ? FixedText(uncertainty * 100, 1) : "") << uncertainty;
  }
}

TEST(TunerTable, TheCsvKeepsItsColumnsAndAddsTheMatchedLossAndTheUncertainty) {
  std::string header;
  for (const char* c : TunerCsvColumns) header += std::string(header.empty() ? "" : ",") + c;
  EXPECT_EQ(header,
            "MHz,feed_R,feed_X,tuner_R,tuner_X,SWR,loss_dB,efficiency_pct,peak_V,"
            "first_current_max_m,matched_dB,feed_uncertainty_pct");
  const TTunerRow row = rowAt(TTunerSetup{}, 7.1, Z(73, 42));
  const auto cells = TunerCsvTexts(row);
  EXPECT_EQ(cells[6], FixedText(row.ends.totalLossDb, 3));
  EXPECT_EQ(cells[10], FixedText(row.ends.matchedLossDb, 3));
}

// Three significant digits: two decimals below 10, one below 100, none
// below 1000, decided after rounding; "> 999" where the rounded figure would
// need four digits. The CSV keeps the full value.
TEST(TunerTable, TheSwrHasThreeSignificantDigits) {
  const std::pair<double, const char*> cases[] = {
      {1.0, "1.00"},
      {1.5, "1.50"},
      {9.994, "9.99"},
      {9.996, "10.0"},  // 10.00 would be four digits
      {18.86, "18.9"},
      {99.94, "99.9"},
      {99.96, "100"},
      {189.4, "189"},
      {999.4, "999"},
      {999.5, "> 999"},
      {1886.36, "> 999"},
      {1e300, "> 999"},
      {std::numeric_limits<double>::infinity(), "> 999"},
      {std::numeric_limits<double>::quiet_NaN(), "-"},
  };
  for (const auto& [swr, text] : cases) EXPECT_EQ(SwrText(swr), text) << swr;
  TTunerRow row = rowAt(TTunerSetup{}, 7.1, Z(73, 42));
  row.ends.swr = 1886.36;
  EXPECT_EQ(TunerCsvTexts(row)[5], "1886.36");
}

TEST(TunerTable, BadInputsAreRefused) {
  TTunerSetup setup;
  setup.feederM = -1;
  EXPECT_THROW(rowAt(setup, 7.1, Z(50, 0)), std::invalid_argument);
  setup.feederM = 20;
  setup.powerW = 0;
  EXPECT_THROW(rowAt(setup, 7.1, Z(50, 0)), std::invalid_argument);
  // Thousands of metres of lossy line leave nothing finite at the tuner.
  setup.powerW = 100;
  setup.feederM = 1e6;
  setup.line = {450, 0.9, 1e-3, TMeasuredLoss{50, 7}};
  EXPECT_THROW(rowAt(setup, 7.1, Z(50, 0)), ENoLineResult);
}

}  // namespace
