// One child process on one deck, with fake programs in nec2c's place: its
// folder and file names, its descriptors, its deadline, its process group
// and the bound on its output, with nothing left behind.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "NecTestSupport.h"
#include "app/tuner/NecProcess.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using std::chrono::seconds;

struct NecProcess : ::testing::Test {
  TemporaryFolderScope temporary;
  std::atomic<bool> cancelled{false};

  std::string Fake(const std::string& name, const std::string& body) {
    return FakeNec(temporary.Path(), name, body);
  }
  std::string Quoted(const fs::path& path) const { return "'" + path.string() + "'"; }
  fs::path Path(const std::string& name) const { return temporary.Path() / name; }
};

// The folder is the child's working folder, and the deck and the report are
// named there bare: nec2c refuses names over 75 characters.
TEST_F(NecProcess, RunsInAFolderOfItsOwnOnBareFileNames) {
  const std::string program =
      Fake("bare",
           "[ \"$1\" = -ideck.nec ] && [ \"$2\" = -oreport.txt ] && [ $# = 2 ] || exit 9\n"
           "case $(basename \"$(pwd)\") in orvak-nec-*) ;; *) exit 8;; esac\n"
           "[ \"$(cd .. && pwd -P)\" = '" +
               fs::canonical(temporary.Path()).string() +
               "' ] || exit 7\n"
               "cp deck.nec report.txt; echo logged; echo to stderr >&2");
  const TNecProcessResult r = RunNecProcess(program, "the deck\n", cancelled);
  EXPECT_EQ(r.end, TNecProcessResult::Exited);
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.report, "the deck\n");
  EXPECT_EQ(r.log, "logged\nto stderr\n");
  EXPECT_FALSE(r.outputCut);
  EXPECT_TRUE(NoNecFolderIn(temporary.Path()));
}

// A relative name is found where it was meant, though the child starts in
// another folder; a missing or unusable program says which.
TEST_F(NecProcess, FindsTheProgramAsNamedHere) {
  Fake("relative", "echo ran > report.txt");
  const fs::path before = fs::current_path();
  fs::current_path(temporary.Path());
  const TNecProcessResult relative = RunNecProcess("./relative", "", cancelled);
  fs::current_path(before);
  EXPECT_EQ(relative.end, TNecProcessResult::Exited);
  EXPECT_EQ(relative.report, "ran\n");
  EXPECT_EQ(RunNecProcess("orvak-no-such-nec2c", "", cancelled).end, TNecProcessResult::NotFound);
  EXPECT_EQ(RunNecProcess(Path("none").string(), "", cancelled).end, TNecProcessResult::NotFound);
  std::ofstream(Path("plain")) << "not a program\n";
  const TNecProcessResult plain = RunNecProcess(Path("plain").string(), "", cancelled);
  EXPECT_EQ(plain.end, TNecProcessResult::Failed);
  EXPECT_EQ(plain.error, Path("plain").string() + ": Permission denied");
  EXPECT_TRUE(NoNecFolderIn(temporary.Path()));
}

// Descriptors the process can hand on to a child (those without
// close-on-exec), besides the standard three.
std::set<int> inheritableDescriptors() {
  std::set<int> fds;
  for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
    const int fd = std::stoi(entry.path().filename().string());
    const int flags = fcntl(fd, F_GETFD);
    if (fd > 2 && flags >= 0 && !(flags & FD_CLOEXEC)) fds.insert(fd);
  }
  return fds;
}

// Children started side by side get none of each other's files: each holds
// its three and what ls itself opens.
TEST_F(NecProcess, AChildGetsOnlyItsOwnThreeDescriptors) {
  const std::set<int> inherited = inheritableDescriptors();
  const std::string program =
      Fake("fds", "exec ls -1 /proc/self/fd > " + Quoted(Path("fds")) + ".$$");
  std::vector<std::thread> runs;
  for (int i = 0; i < 4; ++i) runs.emplace_back([&] { RunNecProcess(program, "deck", cancelled); });
  for (std::thread& t : runs) t.join();
  int lists = 0;
  for (const auto& entry : fs::directory_iterator(temporary.Path())) {
    if (entry.path().filename().string().rfind("fds.", 0) != 0) continue;
    ++lists;
    std::set<int> others;
    for (const pid_t fd : PidsIn(entry.path())) {
      if (fd > 2 && !inherited.count(fd)) others.insert(fd);
    }
    EXPECT_LE(others.size(), 1u) << "ls's own folder, and nothing else: " << entry.path();
  }
  EXPECT_EQ(lists, 4);
}

// A wrapper that starts another process and waits: the whole group dies.
std::string wrapperBody(const fs::path& pids) {
  return "sh -c 'sleep 30; : orvak-grandchild' &\necho $! >> '" + pids.string() +
         "'\necho $$ >> '" + pids.string() + "'\nwait";
}

TEST_F(NecProcess, ADeadlineKillsTheWholeProcessGroup) {
  const std::string program = Fake("hang", wrapperBody(Path("pids")));
  TNecProcessLimits limits;
  limits.deadline = seconds(2);  // time enough for the wrapper to start its child
  const auto start = Clock::now();
  const TNecProcessResult r = RunNecProcess(program, "deck", cancelled, limits);
  EXPECT_EQ(r.end, TNecProcessResult::TimedOut);
  EXPECT_GE(Clock::now() - start, seconds(2));
  EXPECT_LT(Clock::now() - start, seconds(20));
  const std::vector<pid_t> pids = PidsIn(Path("pids"));
  EXPECT_EQ(pids.size(), 2u);
  EXPECT_TRUE(ProcessesEndWithin(pids, "orvak-", seconds(15)));
  EXPECT_TRUE(NoNecFolderIn(temporary.Path()));
}

TEST_F(NecProcess, CancellingKillsTheWholeProcessGroup) {
  const std::string program = Fake("wrapper", wrapperBody(Path("pids")));
  std::thread canceller([&] {
    LinesWithin(Path("pids"), 2, seconds(10));
    cancelled = true;
  });
  const TNecProcessResult r = RunNecProcess(program, "deck", cancelled);
  canceller.join();
  EXPECT_EQ(r.end, TNecProcessResult::Cancelled);
  const std::vector<pid_t> pids = PidsIn(Path("pids"));
  EXPECT_EQ(pids.size(), 2u);
  EXPECT_TRUE(ProcessesEndWithin(pids, "orvak-", seconds(15)));
  EXPECT_TRUE(NoNecFolderIn(temporary.Path()));
}

// A child that ends leaves no process of its group running either.
TEST_F(NecProcess, AWrappersStragglersDieWhenItEnds) {
  const std::string program = Fake(
      "straggler", "sh -c 'sleep 30; : orvak-grandchild' &\necho $! >> " + Quoted(Path("pids")));
  const TNecProcessResult r = RunNecProcess(program, "deck", cancelled);
  EXPECT_EQ(r.end, TNecProcessResult::Exited);
  const std::vector<pid_t> pids = PidsIn(Path("pids"));
  EXPECT_EQ(pids.size(), 1u);
  EXPECT_TRUE(ProcessesEndWithin(pids, "orvak-", seconds(15)));
}

// Whatever it writes, the files on the disk and what is read of them stay
// within the bound.
TEST_F(NecProcess, OutputIsBounded) {
  TNecProcessLimits limits;
  limits.maxOutputBytes = 100000;
  const std::string program = Fake("huge",
                                   "head -c 3000000 /dev/zero > report.txt\n"
                                   "head -c 3000000 /dev/zero > " +
                                       Quoted(Path("outside")) + "\nhead -c 3000000 /dev/zero");
  const TNecProcessResult r = RunNecProcess(program, "deck", cancelled, limits);
  EXPECT_TRUE(r.outputCut);
  EXPECT_EQ(r.report.size(), 100000u);
  EXPECT_EQ(r.log.size(), 100000u);
  EXPECT_LE(fs::file_size(Path("outside")), 100001u);
  EXPECT_TRUE(NoNecFolderIn(temporary.Path()));
}

TEST_F(NecProcess, ACrashNamesItsSignal) {
  const TNecProcessResult r = RunNecProcess(Fake("crash", "kill -SEGV $$"), "deck", cancelled);
  EXPECT_EQ(r.end, TNecProcessResult::Signalled);
  EXPECT_EQ(r.code, SIGSEGV);
}

// A wait that fails is a failure, never an exit status 0: with SIGCHLD
// ignored the system reaps the child itself, and the wait finds none.
TEST_F(NecProcess, AFailedWaitIsAFailure) {
  struct sigaction ignore {
  }, before{};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGCHLD, &ignore, &before);
  const TNecProcessResult r = RunNecProcess(Fake("quick", "echo done > report.txt"), "", cancelled);
  sigaction(SIGCHLD, &before, nullptr);
  EXPECT_EQ(r.end, TNecProcessResult::Failed);
  EXPECT_EQ(r.error, "cannot wait for nec2c: No child processes");
  EXPECT_TRUE(NoNecFolderIn(temporary.Path()));
}

// Every step of the start can fail: it says which, and leaves nothing.
TEST_F(NecProcess, AStartThatFailsSaysWhyAndLeavesNothing) {
  const std::string program = Fake("never", "echo ran >> " + Quoted(Path("ran")));
  setenv("TMPDIR", Path("missing").c_str(), 1);
  const TNecProcessResult noFolder = RunNecProcess(program, "deck", cancelled);
  setenv("TMPDIR", temporary.Path().c_str(), 1);
  EXPECT_EQ(noFolder.end, TNecProcessResult::Failed);
  EXPECT_EQ(noFolder.error, "cannot make a temporary folder: No such file or directory");
  EXPECT_FALSE(fs::exists(Path("ran")));
  EXPECT_TRUE(NoNecFolderIn(temporary.Path()));
}

TEST(SignalText, NamesTheSignalAndWhatItMeans) {
  const std::vector<std::pair<int, std::string>> cases{
      {SIGSEGV, "SIGSEGV, segmentation fault"},
      {SIGXFSZ, "SIGXFSZ, file size limit exceeded"},
      {SIGKILL, "SIGKILL, killed"},
      {SIGABRT, "SIGABRT, aborted"},
      {0, "signal 0"},
      {SIGRTMIN + 3, "signal " + std::to_string(SIGRTMIN + 3)}};
  for (const auto& [signal, text] : cases) EXPECT_EQ(SignalText(signal), text) << signal;
}

}  // namespace
