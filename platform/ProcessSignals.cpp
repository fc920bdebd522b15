#include "ProcessSignals.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <thread>
#include <utility>

namespace {

constexpr int kTerminationSignals[] = {SIGTERM, SIGHUP, SIGINT};

int gPipe[2] = {-1, -1};
std::atomic<int> gSignal{0};

// Async-signal-safe: one byte into a pipe that never blocks (a full pipe
// has told already).
void onTerminationSignal(int signal) {
  const int saved = errno;
  const auto byte = static_cast<unsigned char>(signal);
  [[maybe_unused]] const ssize_t written = write(gPipe[1], &byte, 1);
  errno = saved;
}

void setAction(int signal, void (*handler)(int), int flags) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = flags;
  sigaction(signal, &action, nullptr);
}

// Above the standard three, which may be closed here: the program's output
// must never go into the pipe.
int aboveStandardFiles(int fd) {
  if (fd > 2) return fd;
  const int moved = fcntl(fd, F_DUPFD_CLOEXEC, 3);
  close(fd);
  return moved;
}

bool ignored(int signal) {
  struct sigaction current {};
  return sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

}  // namespace

void PrepareProcessSignals() {
  setAction(SIGXFSZ, SIG_IGN, 0);
  if (gPipe[0] >= 0) return;
  // Without the pipe the termination signals keep their default action.
  int ends[2];
  if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return;
  ends[0] = aboveStandardFiles(ends[0]);
  ends[1] = aboveStandardFiles(ends[1]);
  if (ends[0] < 0 || ends[1] < 0) {
    if (ends[0] >= 0) close(ends[0]);
    if (ends[1] >= 0) close(ends[1]);
    return;
  }
  gPipe[0] = ends[0];
  gPipe[1] = ends[1];
  for (const int signal : kTerminationSignals) {
    if (!ignored(signal)) setAction(signal, onTerminationSignal, SA_RESTART | SA_RESETHAND);
  }
}

int TerminationSignalDescriptor() { return gPipe[0]; }

int TerminationSignal() {
  // Reads every byte waiting, so that the pipe stops being readable; the
  // first signal is the one that counts.
  unsigned char byte = 0;
  for (ssize_t n = 0; gPipe[0] >= 0 && (n = read(gPipe[0], &byte, 1)) != 0;) {
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;
    int none = 0;
    gSignal.compare_exchange_strong(none, byte);
  }
  return gSignal.load();
}

void EndOnTerminationSignal(std::function<void()> beforeEnd) {
  if (gPipe[0] < 0) return;
  try {
    std::thread([beforeEnd = std::move(beforeEnd)] {
      pollfd ready{gPipe[0], POLLIN, 0};
      while (TerminationSignal() == 0) poll(&ready, 1, -1);
      beforeEnd();
      EndBySignal(TerminationSignal());
    }).detach();
  } catch (...) {  // no thread to be had: the signals end the program as they would
    for (const int signal : kTerminationSignals) {
      if (!ignored(signal)) setAction(signal, SIG_DFL, 0);
    }
  }
}

void EndBySignal(int signal) {
  setAction(signal, SIG_DFL, 0);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal);
  pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
  raise(signal);
  _exit(128 + signal);  // a signal whose default action does not end the process
}
