// Runs nec2c on decks as child processes, as many at once as the machine has
// cores, in threads of their own: the caller's thread only starts a run,
// polls its progress (or hears of it through a callback), cancels it, and
// reads the outcomes when it has finished. Results are cached by deck text.
#pragma once

#include <atomic>
#include <chrono>
#include <complex>
#include <functional>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "app/tuner/NecProcess.h"

// The text of the error when the program cannot be found.
extern const char* const NecMissingMessage;

enum class TNecStatus { Done, Missing, Rejected, Crashed, Failed, Cancelled };

struct TNecOutcome {
  TNecStatus status = TNecStatus::Cancelled;
  std::complex<double> impedance;  // the feed point, when Done
  std::string message;             // why not, one line, otherwise
};

// Feed-point impedances by deck text; safe to share between threads.
class TNecCache {
 public:
  std::optional<std::complex<double>> Find(const std::string& deck) const;
  void Store(const std::string& deck, std::complex<double> impedance);
  size_t Size() const;
  void Clear();

 private:
  mutable std::mutex FMutex;
  std::unordered_map<std::string, std::complex<double>> FEntries;
};

struct TNecProgress {
  int done = 0;  // decks with an outcome, cached ones included
  int total = 0;
  bool finished = false;  // every worker has stopped: the outcomes may be read
};

struct TNecRunOptions {
  std::string program = "nec2c";  // looked up on PATH unless it holds a "/"
  int parallel = 0;               // child processes at once; 0: one per core
  // Called from a worker thread after each deck and once more when the run has
  // finished; it must return quickly and must not destroy the run.
  std::function<void(TNecProgress)> onProgress;
  // How long one nec2c may take on a deck of n segments: deadline plus
  // deadlinePerSegmentCubed times n^3 (the solve's growth), ten times what it
  // takes on a quiet machine. Past it the child is killed and the deck fails.
  std::chrono::milliseconds deadline{30000};
  std::chrono::duration<double, std::nano> deadlinePerSegmentCubed{10};
  // What nec2c may write to each of its files (see NecProcess.h).
  size_t maxOutputBytes = NecMaxOutputBytes;
};

// One run over a list of decks, one feed point each. Construction returns at
// once (cached decks are answered there); the decks are computed by worker
// threads. The first deck that fails (other than for a missing program, which
// all the rest share) cancels the others: the run has failed then. The
// object must outlive its workers: the destructor cancels and waits for
// them, which takes a few milliseconds at most.
class TNecRun {
 public:
  TNecRun(std::vector<std::string> decks, TNecCache& cache, TNecRunOptions options = {});
  ~TNecRun();
  TNecRun(const TNecRun&) = delete;
  TNecRun& operator=(const TNecRun&) = delete;

  TNecProgress Progress() const;
  // Returns at once: no further child starts, running ones are killed within
  // about 10 ms, and the decks without an outcome end as Cancelled.
  void Cancel();
  // Blocks until the run has finished and its workers have returned, their
  // last progress report included. Called by the run's owner only.
  void Wait();
  // One outcome per deck, in the decks' order; only once finished.
  const std::vector<TNecOutcome>& Outcomes() const;

 private:
  void work();
  void report();
  TNecOutcome compute(const std::string& deck);

  const std::vector<std::string> FDecks;
  TNecCache& FCache;
  const TNecRunOptions FOptions;
  std::vector<TNecOutcome> FOutcomes;
  std::vector<bool> FAnswered;
  mutable std::mutex FMutex;
  size_t FNext = 0;
  int FDone = 0;
  int FActiveWorkers = 0;
  bool FMissing = false;
  std::atomic<bool> FCancelled{false};
  std::vector<std::thread> FWorkers;
};

// The synchronous use, for the command line: runs and waits.
std::vector<TNecOutcome> RunNec(const std::vector<std::string>& decks, TNecCache& cache,
                                TNecRunOptions options = {});

class ENecMissing : public std::runtime_error {
 public:
  ENecMissing() : std::runtime_error(NecMissingMessage) {}
};
// nec2c rejected a deck, crashed, or its report could not be read.
class ENecFailed : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The impedances of a finished run; raises ENecMissing or ENecFailed for the
// first outcome that failed, else ENecFailed "cancelled" when one was
// cancelled (decks cancelled by another's failure do not hide it).
std::vector<std::complex<double>> ImpedancesOf(const std::vector<TNecOutcome>& outcomes);

// How long nec2c may take on the deck by the options (a whole number of
// seconds beyond options.deadline).
std::chrono::milliseconds NecDeadline(const std::string& deck, const TNecRunOptions& options);
