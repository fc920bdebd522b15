// The real program as a child process, as a shell starts it: under a
// file-size limit with SIGXFSZ at its default action, and ended by SIGTERM
// while nec2c runs, with a fake engine first on PATH.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstring>
#include <filesystem>
#include <optional>

#include "app/ExportFiles.h"
#include "app/FeederCsv.h"
#include "app/FeederEngine.h"
#include "platform/Bitmap.h"
#include "platform/Errors.h"
#include "platform/ProcessSignals.h"
#include "platform/WholeFile.h"
#include "support/FailingSaves.h"
#include "tests/app/tuner/NecTestSupport.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using failing_saves::FileBytes;
using failing_saves::PutFile;
using std::chrono::seconds;

struct TChildSetup {
  std::vector<std::string> args;
  std::optional<rlim_t> fileSizeLimit;
  std::vector<std::string> environment;  // NAME=VALUE, before the test's own
};

// Puts the child as an interactive shell puts a job in the foreground: the
// signals of the test at their default action, whatever the test runner
// ignores (a background job ignores SIGINT), nothing blocked, and the limit.
// Async-signal-safe calls only.
void asAShellWould(const std::optional<rlim_t>& limit) {
  for (const int signal : {SIGXFSZ, SIGTERM, SIGHUP, SIGINT}) {
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    sigaction(signal, &byDefault, nullptr);
  }
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  if (!limit) return;
  rlimit low{};
  getrlimit(RLIMIT_FSIZE, &low);
  low.rlim_cur = *limit;
  if (setrlimit(RLIMIT_FSIZE, &low) != 0) _exit(120);
}

struct OrvakSE : ::testing::Test {
  QTemporaryDir dir;
  fs::path folder = dir.path().toStdString();

  fs::path Path(const std::string& name) const { return folder / name; }

  // Starts the program in the folder, its output into out.txt and err.txt.
  pid_t Start(const TChildSetup& setup) const {
    std::vector<std::string> args{ORVAK_PROGRAM};
    args.insert(args.end(), setup.args.begin(), setup.args.end());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> environment = setup.environment;
    for (char** e = environ; *e; ++e) environment.push_back(*e);
    std::vector<char*> envp;
    for (std::string& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);
    const std::string out = Path("out.txt").string(), err = Path("err.txt").string();
    const pid_t pid = fork();
    if (pid == 0) {
      const int outFd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      const int errFd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (outFd < 0 || errFd < 0 || dup2(outFd, 1) < 0 || dup2(errFd, 2) < 0 ||
          chdir(folder.c_str()) != 0)
        _exit(121);
      asAShellWould(setup.fileSizeLimit);
      execve(argv[0], argv.data(), envp.data());
      _exit(122);
    }
    return pid;
  }

  // Its status; a program that has not ended within a minute is killed
  // (and so fails the test) rather than left to hang the suite.
  static int Wait(pid_t pid) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > end) kill(pid, SIGKILL);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return status;
  }

  int Run(const TChildSetup& setup) const { return Wait(Start(setup)); }
};

// A write past the limit is a write error like any other: the message, exit
// status 1, no part file, the old file as it was.
TEST_F(OrvakSE, AFileSizeLimitIsAWriteErrorNotAnEnd) {
  struct Case {
    std::vector<std::string> args;
    rlim_t limit;
    std::string error;
  };
  const std::vector<Case> cases{
      {{"--help"}, 1024, "OrvakSE: cannot write the output: File too large\n"},
      {{"--csv", "--bands", "7.1,10.13,14.2,18.13,21.25,24.45,28.5"},
       1024,
       "OrvakSE: cannot write the output: File too large\n"},
      {{"--report", "old.pdf"},
       4096,
       "OrvakSE: Cannot write the file \"old.pdf\": File too large\n"}};
  const std::string oldBytes = "the old report";
  for (const Case& c : cases) {
    PutFile(Path("old.pdf"), oldBytes);
    const int status = Run({c.args, c.limit, {}});
    ASSERT_TRUE(WIFEXITED(status)) << c.args[0] << ": ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 1) << c.args[0];
    EXPECT_EQ(FileBytes(Path("err.txt")), c.error);
    EXPECT_EQ(FileBytes(Path("old.pdf")), oldBytes);
    EXPECT_EQ(failing_saves::Entries(folder), 3u) << "a part file stayed behind";
  }
  // Without the limit, the whole usage.
  EXPECT_EQ(WEXITSTATUS(Run({{"--help"}, std::nullopt, {}})), 0);
  EXPECT_GT(FileBytes(Path("out.txt")).size(), 1024u);
}

// The window's PNG and CSV saves, in a child set up as the program's main
// sets itself up: their write past the limit is an error with a message.
TEST_F(OrvakSE, TheWindowsSavesUnderAFileSizeLimitFailWithAMessage) {
  TBitmap picture(300, 200);  // noise, which no encoder squeezes below the limit
  uint32_t noise = 1;
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x)
      picture.ScanLine(y)[x] = (noise *= 1664525u) += 1013904223u;
  }
  std::vector<TCalculatedMaxima> rows(40, TCalculatedMaxima{});
  const std::vector<std::pair<std::string, std::string>> saves{{"chart.png", PngBytes(picture)},
                                                               {"lengths.csv", FeederCsv(rows)}};
  for (const auto& [name, bytes] : saves) {
    ASSERT_GT(bytes.size(), 1024u) << name;
    PutFile(Path(name), "old");
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const std::string target = Path(name).string();
    const std::u16string wide(target.begin(), target.end());
    const pid_t pid = fork();
    if (pid == 0) {
      asAShellWould(1024);
      PrepareProcessSignals();
      std::string message = "no error";
      try {
        WriteWholeFile(wide, bytes);
      } catch (const EFileError& e) {
        message = e.what();
      }
      [[maybe_unused]] const ssize_t n = write(pipeEnds[1], message.data(), message.size());
      _exit(0);
    }
    close(pipeEnds[1]);
    std::string message;
    char buffer[512];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
      message.append(buffer, size_t(n));
    close(pipeEnds[0]);
    const int status = Wait(pid);
    ASSERT_TRUE(WIFEXITED(status)) << name << ": ended by signal " << WTERMSIG(status);
    EXPECT_EQ(message, "Cannot write the file \"" + target + "\": File too large");
    EXPECT_EQ(FileBytes(Path(name)), "old");
  }
  EXPECT_EQ(failing_saves::Entries(folder), 2u) << "a part file stayed behind";
}

// SIGTERM during an all-band run: the engine's processes (a wrapper and what
// it started) and folders are gone, and the program ends as by SIGTERM.
TEST_F(OrvakSE, SigtermDuringARunLeavesNothingBehind) {
  fs::create_directory(Path("bin"));
  fs::create_directory(Path("tmp"));
  const std::string pids = Path("pids").string();
  FakeNec(Path("bin"),
          "nec2c",
          "sh -c 'sleep 30; : orvak-grandchild' &\necho $! >> '" + pids + "'\necho $$ >> '" + pids +
              "'\nwait");
  const char* path = std::getenv("PATH");
  const pid_t program = Start({{"--tuner", "--bands", "all"},
                               std::nullopt,
                               {"PATH=" + Path("bin").string() + ":" + (path ? path : ""),
                                "TMPDIR=" + Path("tmp").string()}});
  const bool started = LinesWithin(pids, 2, seconds(30));
  kill(program, SIGTERM);
  const int status = Wait(program);
  ASSERT_TRUE(started) << FileBytes(Path("err.txt"));
  ASSERT_TRUE(WIFSIGNALED(status)) << "exit status " << WEXITSTATUS(status);
  EXPECT_EQ(WTERMSIG(status), SIGTERM);
  EXPECT_TRUE(ProcessesEndWithin(PidsIn(pids), "orvak-", seconds(15)));
  EXPECT_TRUE(fs::is_empty(Path("tmp")));
  EXPECT_EQ(FileBytes(Path("out.txt")), "");
}

// Whether the process has installed its handler for the signal.
bool catches(pid_t pid, int signal) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("SigCgt:", 0) == 0)
      return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1;
  }
  return false;
}

// The window takes the signal through its message loop, closes and ends as
// by the signal.
TEST_F(OrvakSE, TheWindowEndsAsByTheSignal) {
  for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
    const pid_t program = Start({{}, std::nullopt, {"QT_QPA_PLATFORM=offscreen"}});
    const auto end = std::chrono::steady_clock::now() + seconds(30);
    bool caught = false;
    while (!(caught = catches(program, signal)) && std::chrono::steady_clock::now() < end)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(caught) << signal;
    kill(program, signal);
    const int status = Wait(program);
    ASSERT_TRUE(WIFSIGNALED(status)) << "exit status " << WEXITSTATUS(status);
    EXPECT_EQ(WTERMSIG(status), signal);
  }
}

}  // namespace
