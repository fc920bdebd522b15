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

  std::string FakeProgram(const std::string& name, const std::string& body) {
    return FakeNec(temporary.Path(), name, body);
  }
  std::vector<std::string> Decks(const std::vector<double>& frequencies, TDipoleModel model = {}) {
    std::vector<std::string> decks;
    for (double f : frequencies) decks.push_back(NecDeck(model, f));
    return decks;
  }
  // Only the fake programs are left in the folder.
  bool NothingLeftBehind() const { return NoNecFolderIn(temporary.Path()); }
};

// The runs with fake programs need no nec2c.
struct NecFakeRun : NecRun {
  void SetUp() override {}
  std::string Pids() const { return (temporary.Path() / "pids").string(); }
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

TEST_F(NecFakeRun, ACrashOrAnUnreadableReportIsAnError) {
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
TEST_F(NecFakeRun, ChildrenRunAtALowerPriority) {
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

TEST_F(NecFakeRun, CancelStopsRunningChildrenAtOnce) {
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

// nec2c takes file names of at most 75 characters: a long temporary folder
// must not reach them.
TEST_F(NecRun, ALongTemporaryFolderPathIsNoProblem) {
  std::filesystem::path folder = temporary.Path();
  while (folder.string().size() < 200) folder /= "long-folder-name";
  std::filesystem::create_directories(folder);
  setenv("TMPDIR", folder.c_str(), 1);
  const std::vector<TNecOutcome> outcomes = RunNec(Decks({7.1}), cache);
  setenv("TMPDIR", temporary.Path().c_str(), 1);
  ASSERT_EQ(outcomes[0].status, TNecStatus::Done) << outcomes[0].message;
  EXPECT_TRUE(std::filesystem::is_empty(folder));
}

// A deck that fails cancels the others of its run, whose children are
// killed at once; the failure, not a cancellation, is what the run says.
TEST_F(NecFakeRun, TheFirstFailureCancelsTheRestOfTheRun) {
  TNecRunOptions options;
  options.program = FakeProgram("fails-at-7.1",
                                "grep -q 'FR 0 1 0 0 7.1 ' deck.nec && { sleep 0.2; echo BAD CARD; "
                                "exit 1; }\necho $$ >> '" +
                                    Pids() + "'\nexec sleep 30");
  options.parallel = 2;
  const auto start = Clock::now();
  const std::vector<TNecOutcome> outcomes =
      RunNec(Decks({3.65, 7.1, 14.175, 21.225}), cache, options);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(outcomes[0].status, TNecStatus::Cancelled);
  EXPECT_EQ(outcomes[1].status, TNecStatus::Rejected);
  EXPECT_EQ(outcomes[1].message, "nec2c rejected the antenna model: BAD CARD");
  EXPECT_EQ(outcomes[2].status, TNecStatus::Cancelled);
  EXPECT_EQ(outcomes[3].status, TNecStatus::Cancelled);
  try {
    ImpedancesOf(outcomes);
    ADD_FAILURE() << "no error";
  } catch (const ENecFailed& e) {
    EXPECT_STREQ(e.what(), "nec2c rejected the antenna model: BAD CARD");
  }
  EXPECT_TRUE(ProcessesEndWithin(PidsIn(Pids()), "sleep", std::chrono::seconds(15)));
  EXPECT_TRUE(NothingLeftBehind());
}

// What each misbehaving program is told as, within its deadline.
TEST_F(NecFakeRun, EveryMisbehaviourIsReportedInOneShortLine) {
  struct Case {
    const char* name;
    std::string body;
    std::string message;
  };
  const std::string x195(195, 'x');
  const std::vector<Case> cases{
      {"hangs", "exec sleep 30", "nec2c did not finish within 0.3 s"},
      {"writes-nothing", "exit 3", "nec2c rejected the antenna model: exit status 3"},
      {"one-long-line",
       "printf 'A\001'; head -c 100000 /dev/zero | tr '\\0' x; exit 1",
       "nec2c rejected the antenna model: A\\x01" + x195 + "..."},
      {"tabs-and-escapes",
       "printf 'a\tb\033[31mc\n\n'; exit 2",
       "nec2c rejected the antenna model: a b\\x1B[31mc"},
      {"floods", "head -c 3000000 /dev/zero", "nec2c wrote more than 1 MB"},
      {"crashes", "kill -ABRT $$", "nec2c crashed (SIGABRT, aborted)"}};
  for (const Case& c : cases) {
    TNecRunOptions options;
    options.program = FakeProgram(c.name, c.body);
    // A short deadline for the one that hangs; the others have all the time
    // a loaded machine needs.
    options.deadline = std::chrono::milliseconds(c.body == "exec sleep 30" ? 300 : 60000);
    options.deadlinePerSegmentCubed = {};
    options.maxOutputBytes = size_t(1) << 20;
    const auto start = Clock::now();
    const TNecOutcome outcome = RunNec(Decks({7.1}), cache, options)[0];
    EXPECT_NE(outcome.status, TNecStatus::Done) << c.name;
    EXPECT_EQ(outcome.message, c.message) << c.name;
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(30)) << c.name;
  }
  EXPECT_EQ(cache.Size(), 0u);
  EXPECT_TRUE(NothingLeftBehind());
}

// The deadline grows with the cube of the deck's segments, as the solve's
// time does: a second per 10^8 segments cubed, in whole seconds.
TEST(NecDeadline, GrowsWithTheCubeOfTheSegments) {
  TNecRunOptions options;
  options.deadline = std::chrono::milliseconds(30000);
  options.deadlinePerSegmentCubed = std::chrono::nanoseconds(10);
  const auto deck = [](int segments) {
    return "CM x\nCE\nGW 1 " + std::to_string(segments) + " -5 0 10 5 0 10 0.001\nGE 1\n";
  };
  EXPECT_EQ(NecDeadline("", options), std::chrono::seconds(30));
  EXPECT_EQ(NecDeadline(deck(21), options), std::chrono::seconds(31));     // 0.09 ms
  EXPECT_EQ(NecDeadline(deck(1001), options), std::chrono::seconds(41));   // 10.03 s
  EXPECT_EQ(NecDeadline(deck(2001), options), std::chrono::seconds(111));  // 80.12 s
  // Two wires: their segments together.
  EXPECT_EQ(NecDeadline(deck(1000) + deck(1001), options), std::chrono::seconds(111));
}

}  // namespace
