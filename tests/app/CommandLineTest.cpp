// The command line: its options, its errors and what it prints.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/FeederCsv.h"
#include "platform/Locale.h"

namespace {

using Args = std::vector<std::string>;

const std::string kDefaultLines = "13.36\n32.37\n51.39\n70.41\n89.43\n108.44\n127.46\n146.48\n";

struct Output {
  int code;
  std::string out;
  std::string err;
};

struct CommandLine : ::testing::Test {
  // A comma locale: the output keeps its "." all the same.
  void SetUp() override { SetLocaleDecimalSeparator(u','); }
  void TearDown() override { SetLocaleDecimalSeparator(0); }

  static Output Start(const Args& args) {
    std::ostringstream out, err;
    const int code = RunCommandLine(args, out, err);
    return {code, out.str(), err.str()};
  }
};

TEST_F(CommandLine, OnlyOurOptionsLeaveTheWindowOut) {
  EXPECT_FALSE(IsCommandLineMode({}));
  EXPECT_FALSE(IsCommandLineMode({"-platform", "offscreen"}));  // the toolkit's own
  EXPECT_TRUE(IsCommandLineMode({"--help"}));
  EXPECT_TRUE(IsCommandLineMode({"--frequency", "7.1"}));
}

TEST_F(CommandLine, TheDefaultsPrintTheWindowsList) {
  for (const Args& args : {Args{"--frequency", "7.1", "--dipole-ft", "85.3", "--impedance", "450"},
                           Args{"--frequency=7.1", "--dipole-ft=85.30", "--impedance=600"},
                           Args{"--dipole-m", "26"},  // 85.30 ft, as the feet field reads it
                           Args{"--impedance", "450"}}) {
    const Output r = Start(args);
    EXPECT_EQ(r.code, 0) << args[0];
    EXPECT_EQ(r.out, kDefaultLines) << args[0];
    EXPECT_EQ(r.err, "") << args[0];
  }
}

TEST_F(CommandLine, FeederChoices) {
  EXPECT_EQ(Start({"--impedance", "300"}).out,
            "11.86\n28.76\n45.65\n62.54\n79.43\n96.33\n113.22\n130.11\n");
  const Output vf = Start({"--vf", "0.90"});  // 885.213: nearly the 450 ohm constant
  EXPECT_EQ(vf.code, 0);
  EXPECT_EQ(vf.out.substr(0, 6), "13.34\n");
}

TEST_F(CommandLine, AllBandsWithTheTwoTooShortMessages) {
  const Output r = Start({"--bands", "all"});
  ASSERT_EQ(r.code, 0);
  std::istringstream lines(r.out);
  std::vector<std::string> l;
  for (std::string line; std::getline(lines, line);) l.push_back(line);
  ASSERT_EQ(l.size(), 10u + 2u + 8u * 8u);
  const std::string tooShort =
      "Dipole length is too short for this frequency, it needs to be longer than: ";
  const std::string unselect = "ft. Please unselect the lowest frequency in the Band Select box!";
  EXPECT_EQ(l[0], "Current maxima for 1.8 MHz");
  EXPECT_EQ(l[1], tooShort + "208.3" + unselect);
  EXPECT_EQ(l[2], "Current maxima for 3.7 MHz");
  EXPECT_EQ(l[3], tooShort + "101.4" + unselect);
  EXPECT_EQ(l[4], "Current maxima for 5.35 MHz");
  EXPECT_EQ(l[5], "1.18");
  EXPECT_EQ(l[13], "Current maxima for 7.1 MHz");
  EXPECT_EQ(l[14], "13.36");
  EXPECT_EQ(l[l.size() - 9], "Current maxima for 28.5 MHz");
  EXPECT_EQ(l[l.size() - 8], "3.62");
}

TEST_F(CommandLine, ChosenBandsRunInTheBandListsOrder) {
  const Output r = Start({"--bands", "7.1,1.8,7.10"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(
      r.out.substr(0, r.out.find("Current maxima for 7.1")),
      "Current maxima for 1.8 MHz\nDipole length is too short for this frequency, it needs to "
      "be longer than: 208.3ft. Please unselect the lowest frequency in the Band Select box!\n");
  EXPECT_EQ(r.out.substr(r.out.find("Current maxima for 7.1")),
            "Current maxima for 7.1 MHz\n" + kDefaultLines);
}

TEST_F(CommandLine, CsvHasOneRowPerMaximumAndTheMessagesOnTheSide) {
  const Output r = Start({"--bands", "1.8,7.1", "--csv", "--vf", "0.91"});
  EXPECT_EQ(r.code, 0);
  std::istringstream lines(r.out);
  std::vector<std::string> l;
  for (std::string line; std::getline(lines, line);) l.push_back(line);
  ASSERT_EQ(l.size(), 9u);
  EXPECT_EQ(l[0], "frequency_MHz,index,length_m,length_ft,dipole_ft,feeder_constant_ft_MHz");
  EXPECT_EQ(l[1].substr(0, 6), "7.1,1,");
  EXPECT_EQ(l[8].substr(0, 6), "7.1,8,");
  EXPECT_NE(l[1].find(",85.30,895.05"), std::string::npos) << l[1];
  EXPECT_NE(r.err.find("208.3ft."), std::string::npos);
}

TEST_F(CommandLine, CsvRows) {
  TFeederState state;
  InitFeederState(state, 7.1);
  ASSERT_TRUE(CalcSingle(state, 7.1, 85.3).done);
  const std::string csv = FeederCsv({CalculatedMaxima(state, 85.3)});
  std::istringstream lines(csv);
  std::string header, first;
  std::getline(lines, header);
  std::getline(lines, first);
  EXPECT_EQ(first, "7.1,1,13.36,43.82,85.30,886.00");
  EXPECT_EQ(FeederCsv({}),
            "frequency_MHz,index,length_m,length_ft,dipole_ft,feeder_constant_ft_MHz\n");
}

TEST_F(CommandLine, HelpPrintsTheUsage) {
  const Output r = Start({"--help"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, CommandLineUsage);
  EXPECT_EQ(r.err, "");
}

// The lowest frequency the window's field can hold, and the highest.
TEST_F(CommandLine, FrequenciesAtTheEndsOfTheRange) {
  const std::pair<const char*, long> lines[] = {{"0.001", 1},
                                                {"1000", 8}};  // too short; the maxima
  for (const auto& [f, count] : lines) {
    const Output r = Start({"--frequency", f, "--dipole-ft", "1000"});
    EXPECT_EQ(r.code, 0) << f;
    EXPECT_EQ(r.err, "") << f;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), count) << r.out;
  }
}

// Every write fails, as on a full disk.
struct FullDisk : std::streambuf {
  int overflow(int) override {
    errno = ENOSPC;
    return traits_type::eof();
  }
  std::streamsize xsputn(const char*, std::streamsize) override {
    errno = ENOSPC;
    return 0;
  }
};

TEST_F(CommandLine, OutputThatCannotBeWrittenFailsWithTheReason) {
  const Args cases[] = {{"--help"}, {"--csv"}, {"--bands", "all"}, {"--frequency", "7.1"}};
  for (const Args& args : cases) {
    FullDisk full;
    std::ostream out(&full);
    std::ostringstream err;
    EXPECT_EQ(RunCommandLine(args, out, err), 1) << args[0];
    EXPECT_EQ(err.str(), "OrvakSE: cannot write the output: No space left on device\n") << args[0];
  }
}

struct BadCase {
  Args args;
  std::string error;
};

TEST_F(CommandLine, BadArgumentsGiveOneLineAndTheUsage) {
  const BadCase cases[] = {
      {{"--frequncy", "7.1"}, "unknown option --frequncy"},
      {{"--frequency"}, "--frequency needs a value"},
      {{"--dipole-ft", "85.3", "--frequency"}, "--frequency needs a value"},
      {{"--frequency", "abc"}, "--frequency: \"abc\" is not a number"},
      {{"--frequency", "7,1"}, "--frequency: \"7,1\" is not a number"},
      {{"--frequency", "7.1MHz"}, "--frequency: \"7.1MHz\" is not a number"},
      {{"--frequency", "nan"}, "--frequency: \"nan\" is not a number"},
      {{"--frequency", "0"}, "--frequency: 0 is out of range (0.001 up to 1000)"},
      {{"--frequency", "-7"}, "--frequency: -7 is out of range (0.001 up to 1000)"},
      {{"--frequency", "0.0009"}, "--frequency: 0.0009 is out of range (0.001 up to 1000)"},
      {{"--frequency", "1e-306"}, "--frequency: 1e-306 is out of range (0.001 up to 1000)"},
      {{"--frequency", "1000.0001"}, "--frequency: 1000.0001 is out of range (0.001 up to 1000)"},
      {{"--dipole-ft", "1001"}, "--dipole-ft: 1001 is out of range (above 0 up to 1000)"},
      {{"--dipole-m", "0"}, "--dipole-m: 0 is out of range (above 0 up to 1000)"},
      {{"--vf", "0.49"}, "--vf: 0.49 is out of range (0.50 to 1.00)"},
      {{"--vf", "1.2"}, "--vf: 1.2 is out of range (0.50 to 1.00)"},
      {{"--impedance", "500"}, "--impedance: 500 is not one of 300, 450, 600"},
      {{"--bands", "7.2"}, "--bands: 7.2 is not one of the bands (see --help)"},
      {{"--bands", "7.1,"}, "--bands: \"\" is not a number"},
      {{"--dipole-ft", "85", "--dipole-m", "26"},
       "--dipole-ft and --dipole-m both give the dipole length; give one of them"},
      {{"--impedance", "450", "--vf", "0.9"},
       "--impedance and --vf both choose the feeder; give one of them"},
      {{"--frequency", "7.1", "--bands", "all"},
       "--frequency and --bands exclude each other; give one of them"},
      {{"--frequency", "7.1", "--frequency", "7.2"}, "--frequency is given twice"},
      {{"--csv=yes"}, "--csv takes no value"},
      {{"--csv", "extra"}, "unknown option extra"},
  };
  for (const BadCase& c : cases) {
    const Output r = Start(c.args);
    EXPECT_EQ(r.code, 2) << c.error;
    EXPECT_EQ(r.out, "") << c.error;
    EXPECT_EQ(r.err, "OrvakSE: " + c.error + "\n" + CommandLineUsage);
  }
}

}  // namespace
