#include "app/tuner/NecProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <list>
#include <mutex>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kCancelPollMs = 10;
// One child runs on every core: a lower priority lets the window's thread
// have a core whenever it needs one.
constexpr int kChildNiceness = 10;
constexpr int kChildFailed = 127;
const std::string kDeckName = "deck.nec";
const std::string kReportName = "report.txt";
const std::string kLogName = "log.txt";

[[noreturn]] void fail(const char* what) {
  throw std::system_error(errno, std::generic_category(), what);
}

// ---- Descriptors

class TFd {
 public:
  TFd() = default;
  explicit TFd(int fd) : FFd(fd) {}
  ~TFd() { reset(); }
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  TFd& operator=(TFd&& other) noexcept {
    reset();
    FFd = std::exchange(other.FFd, -1);
    return *this;
  }
  int get() const { return FFd; }
  int release() { return std::exchange(FFd, -1); }
  void reset() {
    if (FFd >= 0) close(FFd);
    FFd = -1;
  }

 private:
  int FFd = -1;
};

int openCloseOnExec(const std::string& path, int flags, mode_t mode = 0) {
  for (;;) {
    const int fd = open(path.c_str(), flags | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EINTR) return fd;
  }
}

// A descriptor for the child: close-on-exec, so that no other child started
// meanwhile inherits it, and above the standard three, so that setting up the
// child's 0, 1 and 2 cannot overwrite it (they may be closed here).
int forChild(int fd, const char* what) {
  if (fd < 0) fail(what);
  if (fd > 2) return fd;
  const int moved = fcntl(fd, F_DUPFD_CLOEXEC, 3);
  const int error = errno;
  close(fd);
  errno = error;
  if (moved < 0) fail(what);
  return moved;
}

void writeFile(const fs::path& path, std::string_view text) {
  TFd fd(openCloseOnExec(path, O_WRONLY | O_CREAT | O_EXCL, 0600));
  if (fd.get() < 0) fail("cannot write the deck");
  while (!text.empty()) {
    const ssize_t written = write(fd.get(), text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) fail("cannot write the deck");
    text.remove_prefix(size_t(written));
  }
  if (close(fd.release()) != 0 && errno != EINTR) fail("cannot write the deck");
}

// The start of a file, at most max bytes; cut is set when there is more. A
// file that is not there reads as empty: nec2c writes no report when it
// stops early.
std::string readBounded(const fs::path& path, size_t max, bool& cut) {
  const TFd fd(openCloseOnExec(path, O_RDONLY));
  if (fd.get() < 0) {
    if (errno == ENOENT) return {};
    fail("cannot read nec2c's output");
  }
  std::string text;
  std::vector<char> buffer(size_t(1) << 16);
  while (text.size() <= max) {
    const ssize_t n = read(fd.get(), buffer.data(), std::min(buffer.size(), max + 1 - text.size()));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) fail("cannot read nec2c's output");
    if (n == 0) break;
    text.append(buffer.data(), size_t(n));
  }
  if (text.size() > max) {
    cut = true;
    text.resize(max);
  }
  return text;
}

// The program's absolute path as a search of PATH finds it, or "" when there
// is none: the child then needs no search between fork and exec, and a
// relative name means there what it means here.
std::string programPath(const std::string& program) {
  if (program.empty()) return {};
  if (program.find('/') != std::string::npos) return fs::absolute(program).string();
  const char* path = std::getenv("PATH");
  const std::string dirs = path ? path : "/bin:/usr/bin";
  for (size_t start = 0; start <= dirs.size();) {
    size_t colon = dirs.find(':', start);
    if (colon == std::string::npos) colon = dirs.size();
    const std::string dir = dirs.substr(start, colon - start);
    const fs::path candidate = fs::absolute(fs::path(dir.empty() ? "." : dir) / program);
    struct stat file {};
    if (stat(candidate.c_str(), &file) == 0 && S_ISREG(file.st_mode) &&
        access(candidate.c_str(), X_OK) == 0)
      return candidate.string();
    start = colon + 1;
  }
  return {};
}

// A fresh folder under the temporary folder, by its absolute path.
fs::path newFolder() {
  std::error_code noTemporary;
  const fs::path temporary = fs::temp_directory_path(noTemporary);
  if (noTemporary) throw std::system_error(noTemporary, "cannot make a temporary folder");
  std::string pattern = (fs::absolute(temporary) / "orvak-nec-XXXXXX").string();
  if (!mkdtemp(pattern.data())) fail("cannot make a temporary folder");
  return pattern;
}

// ---- The children alive, for EndNecChildren

struct TLiveChild {
  pid_t group = 0;  // 0 before the start and from the reaping on
  fs::path folder;
};

struct TLiveChildren {
  // Held while a child starts (its folder made, its deck written, the fork),
  // while its group ends and while its folder goes.
  std::mutex mutex;
  std::list<TLiveChild> children;
};

// Never destroyed: the thread that ends the program on a signal may reach it
// while exit runs the destructors.
TLiveChildren& liveChildren() {
  static TLiveChildren* const live = new TLiveChildren;
  return *live;
}

// ---- The child between fork and exec: async-signal-safe calls only

struct TChildSetup {
  pid_t parent = 0;
  const char* program = nullptr;
  char* const* argv = nullptr;
  const char* folder = nullptr;
  int input = -1;
  int output = -1;
  int errorPipe = -1;
  rlimit fileSize{};
};

[[noreturn]] void failInChild(int errorPipe) {
  const int error = errno;
  // A pipe that takes nothing leaves the exit status to tell.
  [[maybe_unused]] const ssize_t written = write(errorPipe, &error, sizeof error);
  _exit(kChildFailed);
}

[[noreturn]] void becomeChild(const TChildSetup& s) {
  setpgid(0, 0);
  // It dies with us, even when we are killed; we may be gone already.
  if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != s.parent) _exit(kChildFailed);
  // Our handlers and ignored signals (SIGXFSZ) are no business of the child's;
  // the signals were blocked for the fork, so none could run our handler here.
  for (int signal = 1; signal < NSIG; ++signal) {
    struct sigaction current {};
    if (sigaction(signal, nullptr, &current) != 0 || current.sa_handler == SIG_DFL) continue;
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    sigaction(signal, &byDefault, nullptr);
  }
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  if (chdir(s.folder) != 0 || dup2(s.input, 0) < 0 || dup2(s.output, 1) < 0 ||
      dup2(s.output, 2) < 0 || setrlimit(RLIMIT_FSIZE, &s.fileSize) != 0)
    failInChild(s.errorPipe);
  setpriority(PRIO_PROCESS, 0, kChildNiceness);  // a child that cannot be reniced runs as it is
  execve(s.program, s.argv, environ);
  failInChild(s.errorPipe);
}

// ---- One child on one deck, from its start until it is reaped and its
// folder is gone

class TChild {
 public:
  TChild(const std::string& program, const std::string& deck, size_t maxOutput);
  ~TChild();
  TChild(const TChild&) = delete;
  TChild& operator=(const TChild&) = delete;

  // errno of an exec that failed (the child is reaped then), 0 once it runs.
  int execError();
  // Until it ends (Exited, still to be reaped), is cancelled or times out.
  TNecProcessResult::TEnd wait(const std::atomic<bool>& cancelled,
                               std::optional<Clock::time_point> deadline) const;
  // Kills what is left of its process group (all of it when it is still
  // running, a wrapper's stragglers otherwise) and reaps it; its status.
  int reap();
  std::string read(const std::string& name, size_t max, bool& cut) const {
    return readBounded(FFolder / name, max, cut);
  }

 private:
  void start(const std::string& program, const std::string& deck, size_t maxOutput);
  void killAndReap() noexcept;

  std::list<TLiveChild>::iterator FEntry;
  fs::path FFolder;
  pid_t FPid = 0;
  bool FReaped = true;
  TFd FErrorPipe;  // the exec's errno, or its end when the exec succeeds
};

TChild::TChild(const std::string& program, const std::string& deck, size_t maxOutput) {
  TLiveChildren& live = liveChildren();
  const std::lock_guard lock(live.mutex);
  FEntry = live.children.emplace(live.children.end());
  try {
    start(program, deck, maxOutput);
  } catch (...) {  // before the fork: there is no child yet
    std::error_code ignored;
    if (!FFolder.empty()) fs::remove_all(FFolder, ignored);
    live.children.erase(FEntry);
    throw;
  }
}

void TChild::start(const std::string& program, const std::string& deck, size_t maxOutput) {
  FEntry->folder = FFolder = newFolder();
  writeFile(FFolder / kDeckName, deck);
  const TFd input(forChild(openCloseOnExec("/dev/null", O_RDONLY), "cannot open /dev/null"));
  const TFd output(forChild(openCloseOnExec(FFolder / kLogName, O_WRONLY | O_CREAT | O_EXCL, 0600),
                            "cannot make nec2c's log"));
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) fail("cannot make a pipe");
  TFd errorRead(ends[0]);
  TFd errorWrite(forChild(ends[1], "cannot make a pipe"));
  std::string path = program, deckOption = "-i" + kDeckName, reportOption = "-o" + kReportName;
  char* const argv[] = {path.data(), deckOption.data(), reportOption.data(), nullptr};
  TChildSetup setup{getpid(),
                    path.c_str(),
                    argv,
                    FFolder.c_str(),
                    input.get(),
                    output.get(),
                    errorWrite.get(),
                    {}};
  if (getrlimit(RLIMIT_FSIZE, &setup.fileSize) != 0) fail("cannot read the file-size limit");
  setup.fileSize.rlim_cur = std::min(setup.fileSize.rlim_cur, rlim_t(maxOutput) + 1);
  sigset_t all, before;
  sigfillset(&all);
  pthread_sigmask(SIG_SETMASK, &all, &before);
  const pid_t pid = fork();
  if (pid == 0) becomeChild(setup);
  const int forkError = errno;
  pthread_sigmask(SIG_SETMASK, &before, nullptr);
  errno = forkError;
  if (pid < 0) fail("cannot start nec2c");
  // The child does the same: whichever runs first, the group is there
  // before anyone kills it.
  setpgid(pid, pid);
  FPid = pid;
  FReaped = false;
  FEntry->group = pid;
  FErrorPipe = std::move(errorRead);
}

int TChild::execError() {
  int error = 0;
  ssize_t n = 0;
  do {
    n = ::read(FErrorPipe.get(), &error, sizeof error);
  } while (n < 0 && errno == EINTR);
  FErrorPipe.reset();
  if (n == 0) return 0;
  if (n != ssize_t(sizeof error)) error = n < 0 ? errno : EIO;
  killAndReap();
  return error;
}

TNecProcessResult::TEnd TChild::wait(const std::atomic<bool>& cancelled,
                                     std::optional<Clock::time_point> deadline) const {
  // A pidfd wakes the wait the moment the child ends; without one, short
  // sleeps do.
  const TFd pidfd(int(syscall(SYS_pidfd_open, FPid, 0)));
  for (;;) {
    siginfo_t info{};
    if (waitid(P_PID, id_t(FPid), &info, WEXITED | WNOHANG | WNOWAIT) != 0) {
      if (errno == EINTR) continue;
      fail("cannot wait for nec2c");
    }
    if (info.si_pid == FPid) return TNecProcessResult::Exited;
    if (cancelled.load()) return TNecProcessResult::Cancelled;
    int waitMs = kCancelPollMs;
    if (deadline) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now());
      if (left.count() <= 0) return TNecProcessResult::TimedOut;
      waitMs = int(std::min<long long>(waitMs, left.count()));
    }
    pollfd ready{pidfd.get(), POLLIN, 0};
    poll(&ready, pidfd.get() >= 0 ? 1 : 0, pidfd.get() >= 0 ? waitMs : 1);
  }
}

int TChild::reap() {
  kill(-FPid, SIGKILL);  // the unreaped child keeps the group's number from reuse
  {
    const std::lock_guard lock(liveChildren().mutex);
    FEntry->group = 0;
  }
  FReaped = true;
  int status = 0;
  while (waitpid(FPid, &status, 0) < 0) {
    if (errno != EINTR) fail("cannot wait for nec2c");
  }
  return status;
}

void TChild::killAndReap() noexcept {
  if (FReaped) return;
  kill(-FPid, SIGKILL);
  {
    const std::lock_guard lock(liveChildren().mutex);
    FEntry->group = 0;
  }
  FReaped = true;
  int status = 0;
  while (waitpid(FPid, &status, 0) < 0 && errno == EINTR) {
  }
}

TChild::~TChild() {
  killAndReap();  // an error on the way: the child must not outlive its run
  TLiveChildren& live = liveChildren();
  const std::lock_guard lock(live.mutex);
  std::error_code ignored;  // nothing more to do if it cannot go
  fs::remove_all(FFolder, ignored);
  live.children.erase(FEntry);
}

// ---- Signal names

struct TSignalName {
  int signal;
  const char* text;
};

constexpr TSignalName kSignalNames[] = {
    {SIGHUP, "SIGHUP, hangup"},
    {SIGINT, "SIGINT, interrupt"},
    {SIGQUIT, "SIGQUIT, quit"},
    {SIGILL, "SIGILL, illegal instruction"},
    {SIGTRAP, "SIGTRAP, trace or breakpoint trap"},
    {SIGABRT, "SIGABRT, aborted"},
    {SIGBUS, "SIGBUS, bus error"},
    {SIGFPE, "SIGFPE, floating-point exception"},
    {SIGKILL, "SIGKILL, killed"},
    {SIGUSR1, "SIGUSR1, user-defined signal 1"},
    {SIGSEGV, "SIGSEGV, segmentation fault"},
    {SIGUSR2, "SIGUSR2, user-defined signal 2"},
    {SIGPIPE, "SIGPIPE, broken pipe"},
    {SIGALRM, "SIGALRM, alarm clock"},
    {SIGTERM, "SIGTERM, terminated"},
    {SIGSTKFLT, "SIGSTKFLT, stack fault"},
    {SIGCHLD, "SIGCHLD, child stopped or ended"},
    {SIGCONT, "SIGCONT, continued"},
    {SIGSTOP, "SIGSTOP, stopped"},
    {SIGTSTP, "SIGTSTP, stopped at the terminal"},
    {SIGTTIN, "SIGTTIN, stopped for terminal input"},
    {SIGTTOU, "SIGTTOU, stopped for terminal output"},
    {SIGURG, "SIGURG, urgent data on a socket"},
    {SIGXCPU, "SIGXCPU, CPU time limit exceeded"},
    {SIGXFSZ, "SIGXFSZ, file size limit exceeded"},
    {SIGVTALRM, "SIGVTALRM, virtual timer expired"},
    {SIGPROF, "SIGPROF, profiling timer expired"},
    {SIGWINCH, "SIGWINCH, window size changed"},
    {SIGIO, "SIGIO, I/O possible"},
    {SIGPWR, "SIGPWR, power failure"},
    {SIGSYS, "SIGSYS, bad system call"},
};

}  // namespace

TNecProcessResult RunNecProcess(const std::string& program, const std::string& deck,
                                const std::atomic<bool>& cancelled) {
  return RunNecProcess(program, deck, cancelled, TNecProcessLimits{});
}

TNecProcessResult RunNecProcess(const std::string& program, const std::string& deck,
                                const std::atomic<bool>& cancelled,
                                const TNecProcessLimits& limits) {
  TNecProcessResult result;
  try {
    const std::string path = programPath(program);
    if (path.empty()) return {TNecProcessResult::NotFound, ENOENT, {}, {}, {}};
    TChild child(path, deck, limits.maxOutputBytes);
    if (const int error = child.execError()) {
      if (error == ENOENT) return {TNecProcessResult::NotFound, error, {}, {}, {}};
      return {TNecProcessResult::Failed,
              error,
              {},
              {},
              program + ": " + std::generic_category().message(error)};
    }
    std::optional<Clock::time_point> deadline;
    if (limits.deadline.count() > 0) deadline = Clock::now() + limits.deadline;
    const TNecProcessResult::TEnd end = child.wait(cancelled, deadline);
    const int status = child.reap();
    if (end != TNecProcessResult::Exited) return {end, 0, {}, {}, {}};
    result.report = child.read(kReportName, limits.maxOutputBytes, result.outputCut);
    result.log = child.read(kLogName, limits.maxOutputBytes, result.outputCut);
    result.end = WIFSIGNALED(status) ? TNecProcessResult::Signalled : TNecProcessResult::Exited;
    result.code = WIFSIGNALED(status) ? WTERMSIG(status) : WEXITSTATUS(status);
  } catch (const std::exception& e) {
    result = {TNecProcessResult::Failed, 0, {}, {}, e.what(), false};
  }
  return result;
}

std::string SignalText(int signal) {
  for (const TSignalName& name : kSignalNames) {
    if (name.signal == signal) return name.text;
  }
  return "signal " + std::to_string(signal);
}

void EndNecChildren() {
  TLiveChildren& live = liveChildren();
  live.mutex.lock();  // for good: no child starts, ends or is reported again
  for (const TLiveChild& child : live.children) {
    if (child.group > 0) kill(-child.group, SIGKILL);
  }
  for (const TLiveChild& child : live.children) {
    std::error_code ignored;
    if (!child.folder.empty()) fs::remove_all(child.folder, ignored);
  }
}
