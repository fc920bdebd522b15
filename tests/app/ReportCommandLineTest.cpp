// --report on the command line: what it writes, its errors and exit codes.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/ReportCommandLine.h"
#include "platform/Locale.h"
#include "support/FailingSaves.h"
#include "tests/app/tuner/NecTestSupport.h"

namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

struct Output {
  int code;
  std::string out;
  std::string err;
};

struct ReportCommandLine : ::testing::Test {
  QTemporaryDir folder;

  void SetUp() override { SetLocaleDecimalSeparator(u'.'); }
  void TearDown() override { SetLocaleDecimalSeparator(0); }

  std::string Path(const std::string& name) const {
    return (fs::path(folder.path().toStdString()) / name).string();
  }

  static Output Start(const Args& args) {
    std::ostringstream out, err;
    const int code = RunCommandLine(args, out, err);
    return {code, out.str(), err.str()};
  }

  static TReportInput Input(const Args& options) {
    std::u16string unused;
    Args args = {"--report", "unused.pdf"};
    args.insert(args.end(), options.begin(), options.end());
    return ReportInputOfArguments(args, unused);
  }
};

TEST_F(ReportCommandLine, ItWritesThePdfAndPrintsNothing) {
  const Output r = Start({"--report", Path("report.pdf"), "--bands", "all"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out + r.err, "");
  EXPECT_EQ(failing_saves::FileBytes(Path("report.pdf")).substr(0, 5), "%PDF-");
  EXPECT_EQ(Start({"--report=" + Path("inline.pdf")}).code, 0);
  EXPECT_TRUE(fs::exists(Path("inline.pdf")));
}

// The options fill the input as the window's controls would.
TEST_F(ReportCommandLine, TheOptionsAreTheWindowsInputs) {
  const TReportInput single =
      Input({"--frequency", "14.2", "--dipole-m", "20", "--impedance", "600"});
  EXPECT_EQ(single.frequencyMHz, 14.2);
  EXPECT_TRUE(single.bands.empty());
  EXPECT_EQ(single.dipoleFeet, 65.62);
  EXPECT_EQ(single.feeder.impedance, u"600");
  EXPECT_EQ(single.feeder.constant, FeederConstant450);
  ASSERT_EQ(single.calculations.size(), 1u);
  EXPECT_EQ(single.calculations[0].maxima->dipoleFeet, 65.62);
  EXPECT_EQ(single.calculations[0].dipoleFeet, 65.62);
  EXPECT_EQ(single.calculations[0].feederConstant, FeederConstant450);
  EXPECT_EQ(single.chart.items->NumItems(), 8);  // the eight marks
  // Without --line the line both pages start with, window line.
  EXPECT_EQ(single.line, TLineChoice{});
  EXPECT_EQ(single.check.line, DefaultFeederLine);
  EXPECT_EQ(single.check.feederMetres, 20);
  EXPECT_FALSE(single.tuner);

  const TReportInput bands =
      Input({"--bands", "1.8,7.1", "--vf", "0.7", "--feeder-ft", "50", "--line", "450,0.7,1.5"});
  EXPECT_EQ(bands.bands, (std::vector<int>{0, 3}));
  EXPECT_EQ(bands.feeder.impedance, u"");
  ASSERT_EQ(bands.calculations.size(), 2u);
  EXPECT_FALSE(bands.calculations[0].maxima);  // too short
  EXPECT_EQ(bands.calculations[0].minimumFeet, 375 / 1.8);
  EXPECT_EQ(bands.calculations[0].dipoleFeet, 85.30);
  EXPECT_DOUBLE_EQ(bands.calculations[0].feederConstant, 983.57 * 0.7);
  EXPECT_EQ(bands.chart.items->NumItems(), 8);
  EXPECT_EQ(bands.check.line, CustomFeederLine);  // --line's, as the pages share it
  EXPECT_EQ(bands.check.customFactor, 0.7);
  EXPECT_EQ(bands.line.line, CustomLine);
  EXPECT_EQ(bands.line.custom, (TTransmissionLine{450, 0.7, 1.5e-3, std::nullopt}));
  EXPECT_TRUE(bands.check.checked[0] && bands.check.checked[3] && !bands.check.checked[1]);
  EXPECT_DOUBLE_EQ(bands.check.feederMetres, 50 * MetresPerFoot);
  EXPECT_EQ(Input({"--line", "open600"}).check.line, FeederLineOf(1));
  EXPECT_EQ(Input({"--line", "open600"}).line.line, 1);
  EXPECT_EQ(Input({"--impedance", "300"}).check.line, DefaultFeederLine);
}

TEST_F(ReportCommandLine, BadArgumentsExitTwoWithTheUsage) {
  for (const Args& args : {Args{"--report"},
                           Args{"--report", ""},
                           Args{"--report", "r.pdf", "--csv"},
                           Args{"--report", "r.pdf", "--height", "3"},
                           Args{"--report", "r.pdf", "--power", "5"},
                           Args{"--report", "r.pdf", "--feeder-m", "1", "--feeder-ft", "3"},
                           Args{"--report", "r.pdf", "--feeder-m", "-1"},
                           Args{"--report", "a.pdf", "--report", "b.pdf"},
                           Args{"--report", "r.pdf", "--frequency", "abc"},
                           Args{"--report=r.pdf", "--bogus"},
                           Args{"--report", "r.pdf", "--tuner=1"}}) {
    const Output r = Start(args);
    EXPECT_EQ(r.code, 2) << args.back();
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_EQ(r.err.rfind("OrvakSE: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("\nUsage: OrvakSE"), std::string::npos) << r.err;
  }
  EXPECT_FALSE(fs::exists("r.pdf"));
  const auto firstLine = [](const Args& args) {
    std::istringstream err(Start(args).err);
    std::string line;
    std::getline(err, line);
    return line;
  };
  EXPECT_EQ(firstLine({"--report", "r.pdf", "--csv"}),
            "OrvakSE: --csv and --report exclude each other; give one of them");
  EXPECT_EQ(firstLine({"--report", "r.pdf", "--height", "3"}),
            "OrvakSE: --height belongs to --tuner or --find-feeder; give one of them");
  EXPECT_EQ(firstLine({"--report", ""}), "OrvakSE: --report needs the name of a file");
}

TEST_F(ReportCommandLine, HelpPrintsTheUsageWithTheReport) {
  const Output r = Start({"--report", "r.pdf", "--help"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, CommandLineUsage);
  EXPECT_NE(r.out.find("  --report FILE.pdf"), std::string::npos);
  EXPECT_FALSE(fs::exists("r.pdf"));
}

// A file that cannot be written: one line naming it and the reason, exit 1,
// and an existing file byte-identical; only regular files are replaced.
TEST_F(ReportCommandLine, AFileThatCannotBeWrittenExitsOneAndLosesNothing) {
  const Output missing = Start({"--report", Path("no such folder/r.pdf")});
  EXPECT_EQ(missing.code, 1);
  EXPECT_EQ(missing.err,
            "OrvakSE: Cannot write the file \"" + Path("no such folder/r.pdf") +
                "\": No such file or directory\n");
  const failing_saves::TSave save = [](const fs::path& name) {
    const Output r = Start({"--report", name.string()});
    EXPECT_EQ(r.code, r.err.empty() ? 0 : 1) << r.err;
    return r.err;
  };
  failing_saves::ExpectWriteFailuresLoseNothing(save, Path(""), "r.pdf");
  failing_saves::ExpectOnlyRegularFilesReplaced(save, Path(""), "r.pdf");
}

TEST_F(ReportCommandLine, TheTunerViewNeedsNec2c) {
  TemporaryFolderScope temporary;
  const char* old = std::getenv("PATH");
  const std::string saved = old ? old : "";
  setenv("PATH", temporary.Path().c_str(), 1);  // a folder without nec2c
  const Output r = Start({"--report", Path("r.pdf"), "--find-feeder"});
  setenv("PATH", saved.c_str(), 1);
  EXPECT_EQ(r.code, 3);
  EXPECT_EQ(r.err, "OrvakSE: The antenna model needs the program nec2c (Debian package nec2c).\n");
  EXPECT_FALSE(fs::exists(Path("r.pdf")));
}

// --tuner and --find-feeder together: the table and the spans, as their own
// command lines compute them.
TEST_F(ReportCommandLine, TheTunerViewsResultsAreComputedWhenAskedFor) {
  SKIP_WITHOUT_NEC2C();
  TemporaryFolderScope temporary;
  const TReportInput both =
      Input({"--bands", "7.1,14.2", "--tuner", "--find-feeder", "--feeder-m", "12"});
  ASSERT_TRUE(both.tuner);
  EXPECT_EQ(both.tuner->rows.size(), 2u);
  EXPECT_TRUE(both.tuner->spans);
  EXPECT_EQ(both.tuner->setup.feederM, 12);
  EXPECT_EQ(both.check.feederMetres, 12);
  const TReportInput table = Input({"--frequency", "7.1", "--tuner", "--line", "open600"});
  EXPECT_EQ(table.tuner->rows.size(), 1u);
  EXPECT_FALSE(table.tuner->spans);
  EXPECT_EQ(table.tuner->setup.line, LinePresets[1].line);
  EXPECT_TRUE(Input({"--find-feeder"}).tuner->rows.empty());
}

}  // namespace
