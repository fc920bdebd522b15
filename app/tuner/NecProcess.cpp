#include "app/tuner/NecProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kCancelPollMs = 10;

// A fresh folder under the system's temporary folder, removed with all it holds.
class TTemporaryFolder {
 public:
  TTemporaryFolder() {
    std::string pattern = (fs::temp_directory_path() / "orvak-nec-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
      throw std::system_error(errno, std::generic_category(), "temporary folder");
    path_ = pattern;
  }
  ~TTemporaryFolder() {
    std::error_code ignored;  // nothing more to do if it cannot go
    fs::remove_all(path_, ignored);
  }
  TTemporaryFolder(const TTemporaryFolder&) = delete;
  TTemporaryFolder& operator=(const TTemporaryFolder&) = delete;
  fs::path operator/(const char* name) const { return path_ / name; }

 private:
  fs::path path_;
};

void writeFile(const fs::path& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary);
  file << text;
  file.flush();
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

std::string readFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// Waits for the child, killing it once cancelled is seen. A pidfd wakes the
// wait the moment the child ends; without one, short sleeps do.
int waitForChild(pid_t pid, const std::atomic<bool>& cancelled, bool& killed) {
  const int pidfd = int(syscall(SYS_pidfd_open, pid, 0));
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (cancelled.load()) {
      kill(pid, SIGKILL);  // still our unreaped child: the pid cannot be reused yet
      killed = true;
      waitpid(pid, &status, 0);
      break;
    }
    if (pidfd >= 0) {
      pollfd ready{pidfd, POLLIN, 0};
      poll(&ready, 1, kCancelPollMs);
    } else {
      usleep(1000);
    }
  }
  if (pidfd >= 0) close(pidfd);
  return status;
}

constexpr int kChildNiceness = 10;

// Starts the child with its standard output and error in logPath; 0 or errno.
int spawn(const std::string& program, const std::vector<std::string>& args, const fs::path& logPath,
          pid_t& pid) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(
      &actions, 1, logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const int error = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  // One child runs on every core: a lower priority lets the window's thread
  // have a core whenever it needs one. A child that cannot be reniced just
  // runs as it is.
  if (error == 0) setpriority(PRIO_PROCESS, id_t(pid), kChildNiceness);
  return error;
}

}  // namespace

TNecProcessResult RunNecProcess(const std::string& program, const std::string& deck,
                                const std::atomic<bool>& cancelled) {
  TNecProcessResult result;
  try {
    const TTemporaryFolder folder;
    const fs::path deckPath = folder / "deck.nec", reportPath = folder / "report.txt",
                   logPath = folder / "log.txt";
    writeFile(deckPath, deck);
    pid_t pid = 0;
    const int error =
        spawn(program, {"-i" + deckPath.string(), "-o" + reportPath.string()}, logPath, pid);
    if (error == ENOENT) return {TNecProcessResult::NotFound, error, {}, {}, {}};
    if (error != 0)
      return {TNecProcessResult::Failed, error, {}, {}, program + ": " + std::strerror(error)};
    bool killed = false;
    const int status = waitForChild(pid, cancelled, killed);
    if (killed) return {TNecProcessResult::Cancelled, 0, {}, {}, {}};
    result.report = readFile(reportPath);
    result.log = readFile(logPath);
    result.end = WIFSIGNALED(status) ? TNecProcessResult::Signalled : TNecProcessResult::Exited;
    result.code = WIFSIGNALED(status) ? WTERMSIG(status) : WEXITSTATUS(status);
  } catch (const std::exception& e) {
    result = {TNecProcessResult::Failed, 0, {}, {}, e.what()};
  }
  return result;
}
