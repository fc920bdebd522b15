// The tuner view on the command line: its CSV, its errors and exit codes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/TunerCommandLine.h"
#include "app/TunerTable.h"
#include "app/tuner/NecRunner.h"
#include "app/tuner/NumberText.h"
#include "platform/Locale.h"
#include "tuner/NecTestSupport.h"

namespace {

using Args = std::vector<std::string>;

struct Output {
  int code;
  std::string out;
  std::string err;
};

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}

struct TunerCommandLine : ::testing::Test {
  void SetUp() override { SetLocaleDecimalSeparator(u','); }  // the output keeps its "."
  void TearDown() override { SetLocaleDecimalSeparator(0); }
  TemporaryFolderScope temporary;

  static Output Start(const Args& args) {
    std::ostringstream out, err;
    const int code = RunCommandLine(args, out, err);
    return {code, out.str(), err.str()};
  }
};

TEST_F(TunerCommandLine, TheTunerCsvHasItsHeaderAndOneRowPerBand) {
  SKIP_WITHOUT_NEC2C();
  const Output r = Start({"--tuner", "--bands", "3.7,7.1,14.2", "--csv"});
  ASSERT_EQ(r.code, 0) << r.err;
  const auto rows = lines(r.out);
  ASSERT_EQ(rows.size(), 4u) << r.out;
  EXPECT_EQ(rows[0],
            "MHz,feed_R,feed_X,tuner_R,tuner_X,SWR,loss_dB,efficiency_pct,peak_V,"
            "first_current_max_m,matched_dB,feed_uncertainty_pct");
  EXPECT_EQ(rows[1].rfind("3.6500,", 0), 0u) << rows[1];  // Region 1: 3.5-3.8 MHz
  EXPECT_EQ(rows[3].rfind("14.1750,", 0), 0u) << rows[3];
  EXPECT_EQ(std::count(rows[2].begin(), rows[2].end(), ','), 11) << rows[2];
}

TEST_F(TunerCommandLine, TheCsvHoldsTheRowsNumbers) {
  SKIP_WITHOUT_NEC2C();
  const Output r = Start({"--tuner",
                          "--frequency",
                          "14.2",
                          "--feeder-ft",
                          "50",
                          "--line",
                          "450,0.9,1.5",
                          "--ground",
                          "perfect",
                          "--power",
                          "400",
                          "--csv"});
  ASSERT_EQ(r.code, 0) << r.err;
  TTunerSetup setup;
  setup.antenna.ground = GroundClasses[1].ground;
  setup.line = {450, 0.9, 1.5e-3, std::nullopt};
  setup.feederM = 50 * 0.3048;
  setup.powerW = 400;
  TNecCache cache;
  const auto z = ImpedancesOf(RunNec({NecDeck(setup.antenna, 14.2)}, cache))[0];
  const TTunerRow row = TunerRows(setup, {{14.2, z, std::nullopt, -1}}, {{14.2, z, -1}})[0];
  ASSERT_TRUE(row.firstCurrentMaximum);
  char expected[400];
  std::snprintf(expected,
                sizeof expected,
                "14.2000,%.2f,%.2f,%.2f,%.2f,%.2f,%.3f,%.2f,%.1f,%.2f,%.3f,",
                z.real(),
                z.imag(),
                row.ends.tunerImpedance.real(),
                row.ends.tunerImpedance.imag(),
                row.ends.swr,
                row.ends.totalLossDb,
                row.ends.efficiency * 100,
                row.ends.peakVoltage,
                *row.firstCurrentMaximum,
                row.ends.matchedLossDb);
  EXPECT_EQ(lines(r.out).at(1), expected);
}

TEST_F(TunerCommandLine, TheFinderCsvHasItsHeader) {
  SKIP_WITHOUT_NEC2C();
  const Output r = Start({"--find-feeder", "--bands", "7.1,14.2", "--tuner-z", "10,3000", "--csv"});
  ASSERT_EQ(r.code, 0) << r.err;
  const auto rows = lines(r.out);
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows[0], "from_m,to_m,worst_MHz,failing_bands");
  for (size_t i = 1; i < rows.size(); ++i)
    EXPECT_EQ(std::count(rows[i].begin(), rows[i].end(), ','), 3) << rows[i];
}

TEST_F(TunerCommandLine, WithoutASpanTheBandThatStopsItIsNamed) {
  SKIP_WITHOUT_NEC2C();
  // 26 m of wire on 160 m: a few ohms against kilo-ohms; no internal tuner copes.
  const Output r = Start({"--find-feeder", "--bands", "1.8,7.1", "--csv"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out.rfind("from_m,to_m,worst_MHz,failing_bands\n", 0), 0u) << r.out;
  EXPECT_EQ(
      r.err.rfind("No feeder length from 0.5 to 60 m suits every band: 1.81-2 MHz stops it", 0), 0u)
      << r.err;
  // The lengths that suit the most bands follow, each naming the band it fails.
  for (const std::string& row : lines(r.out)) {
    if (row.rfind("from_m", 0) == 0) continue;
    EXPECT_EQ(row.substr(row.rfind(',') + 1), "1.81-2 MHz") << row;
  }
}

TEST_F(TunerCommandLine, TheTableAndTheSpansTogether) {
  SKIP_WITHOUT_NEC2C();
  const Output both =
      Start({"--tuner", "--find-feeder", "--bands", "7.1,14.2", "--tuner-z", "10,3000"});
  ASSERT_EQ(both.code, 0) << both.err;
  const Output table = Start({"--tuner", "--bands", "7.1,14.2", "--tuner-z", "10,3000"});
  const Output spans = Start({"--find-feeder", "--bands", "7.1,14.2", "--tuner-z", "10,3000"});
  // The spans without their setup line, which the table has printed already.
  EXPECT_EQ(both.out, table.out + "\n" + spans.out.substr(spans.out.find('\n') + 1));
  // Their text table's columns stand aligned, the frequency above 10 MHz too.
  const std::vector<std::string> rows = lines(table.out);
  ASSERT_GE(rows.size(), 4u);
  const size_t mhzEnd = rows[1].find("MHz") + 3;
  EXPECT_EQ(rows[1].substr(0, mhzEnd), "    MHz");
  EXPECT_EQ(rows[2].substr(0, mhzEnd), " 7.1000");
  EXPECT_EQ(rows[3].substr(0, mhzEnd), "14.1750");
}

TEST_F(TunerCommandLine, RegionThreeHasItsOwnBandEdges) {
  SKIP_WITHOUT_NEC2C();
  const Output r = Start({"--tuner", "--bands", "3.7", "--region", "3", "--csv"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(lines(r.out).at(1).rfind("3.7000,", 0), 0u) << r.out;  // 3.5-3.9 MHz
}

TEST_F(TunerCommandLine, BadValuesExitTwoWithTheUsage) {
  for (const Args& args : {Args{"--tuner", "--height", "abc"},
                           Args{"--tuner", "--height", "0"},
                           Args{"--tuner", "--ground", "mud"},
                           Args{"--tuner", "--ground", "0.5,0.01"},
                           Args{"--tuner", "--ground", "13"},
                           Args{"--tuner", "--wire-mm", "-2"},
                           Args{"--tuner", "--line", "450,1.2,2"},
                           Args{"--tuner", "--line", "coax"},
                           Args{"--tuner", "--feeder-m", "-1"},
                           Args{"--tuner", "--power", "0"},
                           Args{"--tuner", "--tuner-swr", "0.5"},
                           Args{"--tuner", "--tuner-z", "1500,10"},
                           Args{"--tuner", "--tuner-z", "10"},
                           Args{"--tuner", "--region", "4"},
                           Args{"--tuner", "--find-feeder", "--csv"},
                           Args{"--tuner", "--line", "50,0.9,2"},
                           Args{"--tuner", "--line", "450,0.9,1.5,0.5"},
                           Args{"--tuner", "--line", "450,0.9,1.5,0.001,2"},
                           Args{"--tuner", "--line-loss", "1,7,3"},
                           Args{"--tuner", "--line-loss", "1,7,0.5,14"},
                           Args{"--tuner", "--line-loss", "1,7,2,7"},
                           Args{"--tuner", "--line-loss", "-1,7"},
                           Args{"--tuner", "--network", "x"},
                           Args{"--tuner", "--network", "t", "--c-pf", "250,10"},
                           Args{"--tuner", "--network", "t", "--l-uh", "0,28"},
                           Args{"--tuner", "--network", "pi", "--q-l", "0"},
                           Args{"--tuner", "--network", "pi", "--q-c", "-5"},
                           Args{"--tuner", "--network", "l", "--c-kv", "0"},
                           Args{"--tuner", "--network", "l", "--balun", "2"},
                           Args{"--tuner", "--network", "t", "--max-net-loss", "-1"},
                           Args{"--tuner", "--c-pf", "10,250"},
                           Args{"--tuner", "--network", "t", "--tuner-swr", "3"},
                           Args{"--tuner", "--load", "0,50"},
                           Args{"--tuner", "--load", "50"},
                           Args{"--tuner", "--load", "50,0", "--height", "10"},
                           Args{"--tuner", "--load", "50,0", "--s1p", "x.s1p"},
                           Args{"--tuner", "--s1p-at", "tuner"},
                           Args{"--tuner", "--s1p", "no-such-file.s1p"},
                           Args{"--tuner", "--dipole-m", "0.001"},
                           Args{"--tuner", "--feeder-m", "1", "--feeder-ft", "3"},
                           Args{"--tuner", "--tuner-swr", "2", "--tuner-z", "10,20"},
                           Args{"--tuner", "--impedance", "450"},
                           Args{"--tuner", "--frequency", "x"},
                           Args{"--tuner=1"},
                           Args{"--tuner", "--height"},
                           Args{"--height", "5"},
                           Args{"--tuner", "--power", "5", "--power", "6"}}) {
    const Output r = Start(args);
    EXPECT_EQ(r.code, 2) << args[1 % args.size()];
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_EQ(r.err.rfind("OrvakSE: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("\nUsage: OrvakSE"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("  --tuner-z MIN,MAX"), std::string::npos) << r.err;
  }
}

TEST_F(TunerCommandLine, ACustomLinesDielectricAndMeasuredLosses) {
  const TTunerSetup tangent = TunerSetupOf({{"--line", "450,0.9,1.5,0.001"}}, 85.3);
  EXPECT_EQ(tangent.line, TTransmissionLine(450, 0.9, 1.5e-3, std::nullopt, 0.001));
  const TTunerSetup one = TunerSetupOf({{"--line", "open600"}, {"--line-loss", "0.5,7"}}, 85.3);
  EXPECT_EQ(one.line.z0, 600);
  EXPECT_EQ(one.line.measuredLoss, (TMeasuredLoss{0.5, 7}));
  EXPECT_FALSE(one.line.secondMeasuredLoss);
  const TTunerSetup two = TunerSetupOf({{"--line-loss", "0.3,4,0.8,16"}}, 85.3);
  EXPECT_EQ(two.line.measuredLoss, (TMeasuredLoss{0.3, 4}));
  EXPECT_EQ(two.line.secondMeasuredLoss, (TMeasuredLoss{0.8, 16}));
  EXPECT_NEAR(MatchedLossDbPer100m(two.line, 16), 0.8, 1e-12);
}

TEST_F(TunerCommandLine, AFixedLoadStraightOnATunerNetworkNeedsNoNec2c) {
  const char* old = std::getenv("PATH");
  const std::string saved = old ? old : "";
  setenv("PATH", temporary.Path().c_str(), 1);  // a folder without nec2c
  const Output r = Start({"--tuner",
                          "--csv",
                          "--load",
                          "300,100",
                          "--frequency",
                          "30",
                          "--feeder-m",
                          "0",
                          "--network",
                          "l"});
  setenv("PATH", saved.c_str(), 1);
  ASSERT_EQ(r.code, 0) << r.err;
  const auto rows = lines(r.out);
  ASSERT_EQ(rows.size(), 2u) << r.out;
  EXPECT_EQ(rows[0].substr(rows[0].find(",feed_uncertainty_pct")),
            ",feed_uncertainty_pct,net_loss_dB,C_in_pF,L_uH,C_out_pF,C_in_Vpk,C_out_Vpk,L_Arms");
  EXPECT_EQ(rows[1].rfind("30.0000,300.00,100.00,300.00,100.00,", 0), 0u) << rows[1];
  // An L network has one capacitor: the other position's cells stay empty.
  const TNetworkMatch m = MatchNetwork(DefaultNetwork(TNetworkKind::LNetwork), {300, 100}, 30, 100);
  ASSERT_TRUE(m.matches);
  std::string expected = "," + FixedText(m.lossDb, 3) + "," +
                         (m.rigCapacitorPf ? FixedText(*m.rigCapacitorPf, 2) : "") + "," +
                         FixedText(m.inductorUh, 3) + "," +
                         (m.antennaCapacitorPf ? FixedText(*m.antennaCapacitorPf, 2) : "") + ",";
  EXPECT_NE(rows[1].find(expected), std::string::npos) << rows[1] << "\n" << expected;
  EXPECT_EQ(std::count(rows[1].begin(), rows[1].end(), ','), 18) << rows[1];
}

TEST_F(TunerCommandLine, AMeasurementAtTheTunerEndIsTakenBackOffTheLine) {
  // What 12 m of window line shows at the tuner for a known feed point, as
  // an analyzer there would have measured it.
  const TTransmissionLine line = LinePresets[0].line;
  const std::complex<double> feed(95, -140);
  std::string s1p = "! measured at the tuner\n# MHz Z RI R 50\n";
  for (double f : {7.0, 7.1, 7.2}) {
    const std::complex<double> z = ThroughTheLine(line, feed, f, 12, 100).tunerImpedance / 50.0;
    s1p += FixedText(f, 3) + " " + ShortestText(z.real()) + " " + ShortestText(z.imag()) + "\n";
  }
  const std::string file = (temporary.Path() / "tuner.s1p").string();
  std::ofstream(file) << s1p;
  const Output r = Start({"--tuner",
                          "--csv",
                          "--s1p",
                          file,
                          "--s1p-at",
                          "tuner",
                          "--bands",
                          "7.1",
                          "--feeder-m",
                          "12"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(lines(r.out).at(1).rfind("7.1000,95.00,-140.00,", 0), 0u) << r.out;
  // A band the file does not cover is an error for that band alone.
  const Output two = Start({"--tuner", "--csv", "--s1p", file, "--bands", "3.7,7.1"});
  ASSERT_EQ(two.code, 0) << two.err;
  EXPECT_EQ(lines(two.out).size(), 2u) << two.out;
  EXPECT_EQ(two.err,
            "3.65 MHz: The measured feed point covers 7 to 7.2 MHz; 3.5 MHz lies outside it.\n");
  const Output text = Start({"--tuner", "--s1p", file, "--bands", "3.7,7.1"});
  EXPECT_NE(text.out.find("3.65 MHz: The measured feed point covers"), std::string::npos)
      << text.out;
}

TEST_F(TunerCommandLine, GeometryTheModelCannotTakeExitsTwoWithItsOneLine) {
  const Output r = Start({"--tuner", "--dipole-m", "1", "--frequency", "1.8", "--wire-mm", "15"});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.err.rfind("OrvakSE: The wire is too thick for the antenna model at 1.8 MHz", 0), 0u)
      << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;  // no usage
}

TEST_F(TunerCommandLine, WithoutNec2cItExitsThree) {
  const char* old = std::getenv("PATH");
  const std::string saved = old ? old : "";
  setenv("PATH", temporary.Path().c_str(), 1);  // a folder without nec2c
  const Output r = Start({"--tuner"});
  setenv("PATH", saved.c_str(), 1);
  EXPECT_EQ(r.code, 3);
  EXPECT_EQ(r.err, "OrvakSE: The antenna model needs the program nec2c (Debian package nec2c).\n");
  EXPECT_TRUE(r.out.empty());
}

TEST_F(TunerCommandLine, HelpPointsToTheTunersOptions) {
  const Output plain = Start({"--help"});
  EXPECT_EQ(plain.code, 0);
  EXPECT_NE(plain.out.find("--tuner --help tells their options"), std::string::npos) << plain.out;
  const Output tuner = Start({"--tuner", "--help"});
  EXPECT_EQ(tuner.code, 0);
  EXPECT_EQ(tuner.out.rfind(plain.out, 0), 0u);  // the common options first
  EXPECT_NE(tuner.out.find("  --find-feeder"), std::string::npos);
}

}  // namespace
