#include "app/tuner/NecRunner.h"

#include <csignal>
#include <cstring>

#include "app/tuner/NecOutput.h"
#include "app/tuner/NecProcess.h"

const char* const NecMissingMessage =
    "The antenna model needs the program nec2c (Debian package nec2c).";

namespace {

// A crude bound on the cache: a long session of many geometries starts afresh
// rather than growing without limit.
constexpr size_t kMaxCachedDecks = 20000;

std::string oneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

// Why nec2c gave no result: its own last word, from the report or its log.
std::string rejection(const TNecProcessResult& r) {
  std::string why = LastReportLine(r.report);
  if (why.empty()) why = LastReportLine(r.log);
  if (why.empty()) why = "exit status " + std::to_string(r.code);
  return "nec2c rejected the antenna model: " + oneLine(why);
}

TNecOutcome outcomeOf(const TNecProcessResult& r) {
  switch (r.end) {
    case TNecProcessResult::NotFound:
      return {TNecStatus::Missing, {}, NecMissingMessage};
    case TNecProcessResult::Cancelled:
      return {TNecStatus::Cancelled, {}, "cancelled"};
    case TNecProcessResult::Failed:
      return {TNecStatus::Failed, {}, "nec2c could not be run: " + oneLine(r.error)};
    case TNecProcessResult::Signalled:
      return {TNecStatus::Crashed, {}, "nec2c crashed (" + std::string(strsignal(r.code)) + ")"};
    case TNecProcessResult::Exited:
      break;
  }
  if (r.code != 0) return {TNecStatus::Rejected, {}, rejection(r)};
  try {
    const std::vector<TNecFeedPoint> points = ParseNecOutput(r.report);
    if (points.size() != 1)
      return {TNecStatus::Failed, {}, "nec2c reported more than one frequency for one deck"};
    return {TNecStatus::Done, points[0].impedance, {}};
  } catch (const ENecOutput& e) {
    return {TNecStatus::Failed, {}, "nec2c's report cannot be read: " + std::string(e.what())};
  }
}

int workerCount(int wanted, size_t decks) {
  int n = wanted > 0 ? wanted : int(std::thread::hardware_concurrency());
  if (n < 1) n = 1;
  return int(std::min<size_t>(size_t(n), decks));
}

}  // namespace

std::optional<std::complex<double>> TNecCache::Find(const std::string& deck) const {
  const std::lock_guard lock(mutex_);
  const auto found = entries_.find(deck);
  if (found == entries_.end()) return std::nullopt;
  return found->second;
}

void TNecCache::Store(const std::string& deck, std::complex<double> impedance) {
  const std::lock_guard lock(mutex_);
  if (entries_.size() >= kMaxCachedDecks) entries_.clear();
  entries_[deck] = impedance;
}

size_t TNecCache::Size() const {
  const std::lock_guard lock(mutex_);
  return entries_.size();
}

void TNecCache::Clear() {
  const std::lock_guard lock(mutex_);
  entries_.clear();
}

TNecRun::TNecRun(std::vector<std::string> decks, TNecCache& cache, TNecRunOptions options)
    : decks_(std::move(decks)),
      cache_(cache),
      options_(std::move(options)),
      outcomes_(decks_.size()),
      answered_(decks_.size(), false) {
  size_t toCompute = 0;
  for (size_t i = 0; i < decks_.size(); ++i) {
    if (const auto z = cache_.Find(decks_[i])) {
      outcomes_[i] = {TNecStatus::Done, *z, {}};
      answered_[i] = true;
      ++done_;
    } else {
      ++toCompute;
    }
  }
  activeWorkers_ = workerCount(options_.parallel, toCompute);
  if (activeWorkers_ == 0) {
    report();
    return;
  }
  const int wanted = activeWorkers_;
  try {
    for (int i = 0; i < wanted; ++i) workers_.emplace_back([this] { work(); });
  } catch (...) {  // no thread to be had: stop the ones started before leaving
    {
      const std::lock_guard lock(mutex_);
      activeWorkers_ -= wanted - int(workers_.size());
    }
    Cancel();
    Wait();
    throw;
  }
}

TNecRun::~TNecRun() {
  Cancel();
  Wait();
}

void TNecRun::work() {
  for (;;) {
    size_t index = 0;
    {
      const std::lock_guard lock(mutex_);
      while (next_ < decks_.size() && answered_[next_]) ++next_;
      if (next_ >= decks_.size() || cancelled_.load()) break;
      index = next_++;
      if (missing_) {  // no use trying again: the rest are missing too
        outcomes_[index] = {TNecStatus::Missing, {}, NecMissingMessage};
        answered_[index] = true;
        ++done_;
        continue;
      }
    }
    const TNecOutcome outcome = compute(decks_[index]);
    {
      const std::lock_guard lock(mutex_);
      outcomes_[index] = outcome;
      answered_[index] = true;
      ++done_;
      if (outcome.status == TNecStatus::Missing) missing_ = true;
    }
    report();
  }
  {
    const std::lock_guard lock(mutex_);
    if (--activeWorkers_ > 0) return;
    for (size_t i = 0; i < decks_.size(); ++i) {
      if (!answered_[i]) outcomes_[i] = {TNecStatus::Cancelled, {}, "cancelled"};
    }
  }
  report();
}

TNecOutcome TNecRun::compute(const std::string& deck) {
  if (const auto z = cache_.Find(deck))
    return {TNecStatus::Done, *z, {}};  // a twin deck of this run
  const TNecOutcome outcome = outcomeOf(RunNecProcess(options_.program, deck, cancelled_));
  if (outcome.status == TNecStatus::Done) cache_.Store(deck, outcome.impedance);
  return outcome;
}

void TNecRun::report() {
  if (options_.onProgress) options_.onProgress(Progress());
}

TNecProgress TNecRun::Progress() const {
  const std::lock_guard lock(mutex_);
  return {done_, int(decks_.size()), activeWorkers_ == 0};
}

void TNecRun::Cancel() { cancelled_.store(true); }

void TNecRun::Wait() {
  for (std::thread& t : workers_) {
    if (t.joinable()) t.join();
  }
}

const std::vector<TNecOutcome>& TNecRun::Outcomes() const {
  const std::lock_guard lock(mutex_);
  if (activeWorkers_ != 0) throw std::logic_error("TNecRun::Outcomes: the run has not finished");
  return outcomes_;
}

std::vector<TNecOutcome> RunNec(const std::vector<std::string>& decks, TNecCache& cache,
                                TNecRunOptions options) {
  TNecRun run(decks, cache, std::move(options));
  run.Wait();
  return run.Outcomes();
}

std::vector<std::complex<double>> ImpedancesOf(const std::vector<TNecOutcome>& outcomes) {
  std::vector<std::complex<double>> impedances;
  for (const TNecOutcome& o : outcomes) {
    if (o.status == TNecStatus::Missing) throw ENecMissing();
    if (o.status != TNecStatus::Done) throw ENecFailed(o.message);
    impedances.push_back(o.impedance);
  }
  return impedances;
}
