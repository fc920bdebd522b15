// nec2c as child processes: the real program on small decks, its report read,
// the cache, and every way a run can fail, with nothing left behind.
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "NecTestSupport.h"
#include "app/tuner/NecDeck.h"
#include "app/tuner/NecOutput.h"
#include "app/tuner/NecRunner.h"

namespace {

using Clock = std::chrono::steady_clock;

// The reference's example: a 26 m wire of 1 mm radius, 10 m over average
// ground, ten frequencies from 1.8 MHz in 3 MHz steps.
const std::string kTenFrequencies =
    "CM 26 m doublet at 10 m over average ground\nCE\n"
    "GW 1 51 -13.0 0 10 13.0 0 10 0.001\nGE 1\nGN 2 0 0 0 13 0.005\n"
    "EX 0 1 26 0 1.0 0.0\nFR 0 10 0 0 1.8 3.0\nXQ\nEN\n";

struct NecRun : ::testing::Test {
  void SetUp() override { SKIP_WITHOUT_NEC2C(); }
  TemporaryFolderScope temporary;
  TNecCache cache;

  // An executable shell script standing in for nec2c.
  std::string FakeProgram(const std::string& name, const std::string& body) {
    const std::string path = (temporary.Path() / name).string();
    std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path;
  }
  std::vector<std::string> Decks(const std::vector<double>& frequencies, TDipoleModel model = {}) {
    std::vector<std::string> decks;
    for (double f : frequencies) decks.push_back(NecDeck(model, f));
    return decks;
  }
  // Only the fake programs are left in the folder.
  bool NothingLeftBehind() const {
    for (const auto& entry : std::filesystem::directory_iterator(temporary.Path())) {
      if (entry.path().filename().string().rfind("orvak-nec-", 0) == 0) return false;
    }
    return true;
  }
};

TEST_F(NecRun, ReadsTheFeedPointOfEveryFrequencyInARealReport) {
  TNecRunOptions options;
  const std::vector<TNecOutcome> one = RunNec({kTenFrequencies}, cache, options);
  // A ten-frequency deck is not what the runner is for: it says so.
  ASSERT_EQ(one[0].status, TNecStatus::Failed);
  EXPECT_EQ(one[0].message, "nec2c reported more than one frequency for one deck");
  // The report itself, read as the runner reads it.
  const std::string deckPath = (temporary.Path() / "ten.nec").string();
  const std::string reportPath = (temporary.Path() / "ten.txt").string();
  std::ofstream(deckPath) << kTenFrequencies;
  ASSERT_EQ(std::system(("nec2c -i" + deckPath + " -o" + reportPath + " >/dev/null 2>&1").c_str()),
            0);
  std::ifstream file(reportPath);
  const std::string report((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
  const std::vector<TNecFeedPoint> points = ParseNecOutput(report);
  ASSERT_EQ(points.size(), 10u);
  for (size_t i = 0; i < points.size(); ++i)
    EXPECT_NEAR(points[i].frequencyMHz, 1.8 + 3.0 * i, 1e-9) << i;
  // About 3.5 - j1900 Ω at 1.8 MHz and 96 - j91 Ω at 16.8 MHz.
  EXPECT_NEAR(points[0].impedance.real(), 3.5, 0.5);
  EXPECT_NEAR(points[0].impedance.imag(), -1900, 50);
  EXPECT_NEAR(points[5].impedance.real(), 96, 5);
  EXPECT_NEAR(points[5].impedance.imag(), -91, 5);
}

TEST_F(NecRun, AListGivesEachFrequencyWhatItGivesAlone) {
  const std::vector<double> frequencies = {3.65, 7.1, 14.175, 28.85};
  const std::vector<std::complex<double>> together =
      ImpedancesOf(RunNec(Decks(frequencies), cache));
  ASSERT_EQ(together.size(), frequencies.size());
  for (size_t i = 0; i < frequencies.size(); ++i) {
    TNecCache fresh;
    EXPECT_EQ(ImpedancesOf(RunNec(Decks({frequencies[i]}), fresh))[0], together[i])
        << frequencies[i];
  }
  EXPECT_TRUE(NothingLeftBehind());
}

TEST_F(NecRun, CachedDecksNeedNoProgram) {
  const std::vector<std::string> decks = Decks({7.1, 14.175});
  const auto first = ImpedancesOf(RunNec(decks, cache));
  EXPECT_EQ(cache.Size(), 2u);
  TNecRunOptions nowhere;
  nowhere.program = "orvak-no-such-nec2c";
  TNecRun again(decks, cache, nowhere);
  const TNecProgress progress = again.Progress();  // answered at construction
  EXPECT_TRUE(progress.finished);
  EXPECT_EQ(progress.done, 2);
  EXPECT_EQ(ImpedancesOf(again.Outcomes()), first);
}

TEST_F(NecRun, AMissingProgramIsSaidPlainly) {
  TNecRunOptions options;
  options.program = "orvak-no-such-nec2c";
  const std::vector<TNecOutcome> outcomes = RunNec(Decks({3.65, 7.1, 14.175}), cache, options);
  for (const TNecOutcome& o : outcomes) {
    EXPECT_EQ(o.status, TNecStatus::Missing);
    EXPECT_EQ(o.message, "The antenna model needs the program nec2c (Debian package nec2c).");
  }
  EXPECT_THROW(ImpedancesOf(outcomes), ENecMissing);
  EXPECT_EQ(cache.Size(), 0u);
  EXPECT_TRUE(NothingLeftBehind());
}

TEST_F(NecRun, ARejectedDeckGivesNec2csOwnWords) {
  std::string deck = NecDeck(TDipoleModel{}, 7.1);
  deck.replace(deck.find("LD 5"), 2, "ZZ");
  const std::vector<TNecOutcome> outcomes = RunNec({deck}, cache);
  EXPECT_EQ(outcomes[0].status, TNecStatus::Rejected);
  EXPECT_EQ(outcomes[0].message.rfind("nec2c rejected the antenna model: ", 0), 0u)
      << outcomes[0].message;
  EXPECT_NE(outcomes[0].message.find("FAULTY DATA CARD"), std::string::npos) << outcomes[0].message;
  EXPECT_THROW(ImpedancesOf(outcomes), ENecFailed);
  EXPECT_TRUE(NothingLeftBehind());
}

TEST_F(NecRun, ACrashOrAnUnreadableReportIsAnError) {
  TNecRunOptions crash;
  crash.program = FakeProgram("crash", "kill -SEGV $$");
  const TNecOutcome crashed = RunNec(Decks({7.1}), cache, crash)[0];
  EXPECT_EQ(crashed.status, TNecStatus::Crashed);
  EXPECT_EQ(crashed.message, "nec2c crashed (SIGSEGV, segmentation fault)");
  TNecRunOptions silent;
  silent.program = FakeProgram("silent", "exit 0");
  const TNecOutcome empty = RunNec(Decks({7.1}), cache, silent)[0];
  EXPECT_EQ(empty.status, TNecStatus::Failed);
  EXPECT_EQ(empty.message, "nec2c's report cannot be read: the report has no feed-point table");
  EXPECT_EQ(cache.Size(), 0u);
  EXPECT_TRUE(NothingLeftBehind());
}

// The children run at a lower priority than the window's thread, which then
// gets a core whenever it needs one while a child runs on every core.
TEST_F(NecRun, ChildrenRunAtALowerPriority) {
  TNecRunOptions options;
  const std::string seen = (temporary.Path() / "niceness").string();
  // The priority is lowered just after the start: the child waits for it.
  options.program = FakeProgram("niceness",
                                "for i in $(seq 100); do n=$(nice); [ \"$n\" -ge 10 ] && break; "
                                "sleep 0.02; done; echo $n > '" +
                                    seen + "'; exit 0");
  RunNec(Decks({7.1}), cache, options);
  std::ifstream file(seen);
  int niceness = -1;
  file >> niceness;
  EXPECT_GE(niceness, 10);
}

TEST_F(NecRun, CancelStopsRunningChildrenAtOnce) {
  TNecRunOptions options;
  options.program = FakeProgram("slow", "exec sleep 30");
  options.parallel = 2;
  std::atomic<int> reports{0};
  std::atomic<bool> sawFinished{false};
  options.onProgress = [&](TNecProgress p) {
    ++reports;
    if (p.finished) sawFinished = true;
  };
  TNecRun run(Decks({3.65, 7.1, 14.175, 21.225}), cache, options);
  const auto start = Clock::now();
  run.Cancel();
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(50));  // Cancel itself does not wait
  run.Wait();
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
  EXPECT_TRUE(run.Progress().finished);
  for (const TNecOutcome& o : run.Outcomes()) EXPECT_EQ(o.status, TNecStatus::Cancelled);
  EXPECT_TRUE(sawFinished.load());
  EXPECT_GE(reports.load(), 1);
  EXPECT_TRUE(NothingLeftBehind());
}

TEST_F(NecRun, ProgressCountsUpToTheTotal) {
  std::atomic<int> calls{0};
  std::atomic<bool> sawFinished{false};
  TNecRunOptions options;
  options.onProgress = [&](TNecProgress p) {
    ++calls;
    EXPECT_EQ(p.total, 3);
    if (p.finished) sawFinished = true;
  };
  TNecRun run(Decks({3.65, 7.1, 14.175}), cache, options);
  run.Wait();
  EXPECT_EQ(run.Progress().done, 3);
  EXPECT_EQ(calls.load(), 4);  // one per deck, one at the finish
  EXPECT_TRUE(sawFinished.load());
}

TEST(NecOutput, AReportWithoutItsTableIsAnError) {
  EXPECT_THROW(ParseNecOutput("nothing here\n"), ENecOutput);
  EXPECT_THROW(
      ParseNecOutput(" --------- ANTENNA INPUT PARAMETERS ---------\n TAG SEG\n No: No:\n"),
      ENecOutput);
  EXPECT_THROW(
      ParseNecOutput(" --------- ANTENNA INPUT PARAMETERS ---------\n h\n h\n 1 26 1.0E+00 x\n"),
      ENecOutput);
  EXPECT_EQ(LastReportLine("a\n  FAULTY DATA CARD  \n\n \n"), "FAULTY DATA CARD");
  EXPECT_EQ(LastReportLine(""), "");
}

}  // namespace
