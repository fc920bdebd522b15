#include "app/tuner/NecRunner.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string_view>

#include "app/tuner/NecOutput.h"

const char* const NecMissingMessage =
    "The antenna model needs the program nec2c (Debian package nec2c).";

namespace {

// A crude bound on the cache: a long session of many geometries starts afresh
// rather than growing without limit.
constexpr size_t kMaxCachedDecks = 20000;
// Of a line nec2c or the system wrote, what a message shows.
constexpr size_t kMaxErrorCharacters = 200;

bool isFailure(TNecStatus status) {
  return status != TNecStatus::Done && status != TNecStatus::Cancelled;
}

// Text of the engine's for a one-line message: line breaks and tabs become
// blanks, other control characters \xNN, and past kMaxErrorCharacters
// characters (not bytes: no UTF-8 sequence is cut) it ends in "...".
std::string oneLine(std::string_view text) {
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string line;
  size_t characters = 0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    const bool continues = (byte & 0xC0) == 0x80;
    if (!continues && characters >= kMaxErrorCharacters) return line + "...";
    if (c == '\n' || c == '\r' || c == '\t') {
      line += ' ';
    } else if (byte < 0x20 || byte == 0x7F) {
      line += "\\x";
      line += kHex[byte >> 4];
      line += kHex[byte & 0xF];
      characters += 3;
    } else {
      line += c;
    }
    if (!continues) ++characters;
  }
  return line;
}

// Seconds for people: "30", "0.3", "1.25".
std::string seconds(std::chrono::milliseconds duration) {
  const long long ms = duration.count();
  std::string text = std::to_string(ms / 1000);
  if (ms % 1000 == 0) return text;
  std::string fraction = std::to_string(1000 + ms % 1000).substr(1);
  while (fraction.back() == '0') fraction.pop_back();
  return text + "." + fraction;
}

std::string bytes(size_t count) {
  constexpr size_t kMB = size_t(1) << 20;
  return count % kMB == 0 ? std::to_string(count / kMB) + " MB" : std::to_string(count) + " bytes";
}

// Why nec2c gave no result: its own last word, from the report or its log.
std::string rejection(const TNecProcessResult& r) {
  std::string why = LastReportLine(r.report);
  if (why.empty()) why = LastReportLine(r.log);
  if (why.empty()) why = "exit status " + std::to_string(r.code);
  return "nec2c rejected the antenna model: " + oneLine(why);
}

TNecOutcome outcomeOf(const TNecProcessResult& r, const TNecProcessLimits& limits) {
  if (r.outputCut)
    return {TNecStatus::Failed, {}, "nec2c wrote more than " + bytes(limits.maxOutputBytes)};
  switch (r.end) {
    case TNecProcessResult::NotFound:
      return {TNecStatus::Missing, {}, NecMissingMessage};
    case TNecProcessResult::Cancelled:
      return {TNecStatus::Cancelled, {}, "cancelled"};
    case TNecProcessResult::Failed:
      return {TNecStatus::Failed, {}, "nec2c could not be run: " + oneLine(r.error)};
    case TNecProcessResult::TimedOut:
      return {
          TNecStatus::Failed, {}, "nec2c did not finish within " + seconds(limits.deadline) + " s"};
    case TNecProcessResult::Signalled:
      return {TNecStatus::Crashed, {}, "nec2c crashed (" + SignalText(r.code) + ")"};
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
    return {TNecStatus::Failed, {}, "nec2c's report cannot be read: " + oneLine(e.what())};
  }
}

// The segments of the deck's wires: the second number of each GW card.
long long segmentsOf(const std::string& deck) {
  std::istringstream lines(deck);
  long long segments = 0;
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    std::string card;
    long long tag = 0, count = 0;
    if (fields >> card && card == "GW" && fields >> tag >> count && count > 0) segments += count;
  }
  return segments;
}

int workerCount(int wanted, size_t decks) {
  int n = wanted > 0 ? wanted : int(std::thread::hardware_concurrency());
  if (n < 1) n = 1;
  return int(std::min<size_t>(size_t(n), decks));
}

}  // namespace

std::optional<std::complex<double>> TNecCache::Find(const std::string& deck) const {
  const std::lock_guard lock(FMutex);
  const auto found = FEntries.find(deck);
  if (found == FEntries.end()) return std::nullopt;
  return found->second;
}

void TNecCache::Store(const std::string& deck, std::complex<double> impedance) {
  const std::lock_guard lock(FMutex);
  if (FEntries.size() >= kMaxCachedDecks) FEntries.clear();
  FEntries[deck] = impedance;
}

size_t TNecCache::Size() const {
  const std::lock_guard lock(FMutex);
  return FEntries.size();
}

void TNecCache::Clear() {
  const std::lock_guard lock(FMutex);
  FEntries.clear();
}

TNecRun::TNecRun(std::vector<std::string> decks, TNecCache& cache, TNecRunOptions options)
    : FDecks(std::move(decks)),
      FCache(cache),
      FOptions(std::move(options)),
      FOutcomes(FDecks.size()),
      FAnswered(FDecks.size(), false) {
  size_t toCompute = 0;
  for (size_t i = 0; i < FDecks.size(); ++i) {
    if (const auto z = FCache.Find(FDecks[i])) {
      FOutcomes[i] = {TNecStatus::Done, *z, {}};
      FAnswered[i] = true;
      ++FDone;
    } else {
      ++toCompute;
    }
  }
  FActiveWorkers = workerCount(FOptions.parallel, toCompute);
  if (FActiveWorkers == 0) {
    report();
    return;
  }
  const int wanted = FActiveWorkers;
  try {
    for (int i = 0; i < wanted; ++i) FWorkers.emplace_back([this] { work(); });
  } catch (...) {  // no thread to be had: stop the ones started before leaving
    {
      const std::lock_guard lock(FMutex);
      FActiveWorkers -= wanted - int(FWorkers.size());
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
      const std::lock_guard lock(FMutex);
      while (FNext < FDecks.size() && FAnswered[FNext]) ++FNext;
      if (FNext >= FDecks.size() || FCancelled.load()) break;
      index = FNext++;
      if (FMissing) {  // no use trying again: the rest are missing too
        FOutcomes[index] = {TNecStatus::Missing, {}, NecMissingMessage};
        FAnswered[index] = true;
        ++FDone;
        continue;
      }
    }
    const TNecOutcome outcome = compute(FDecks[index]);
    {
      const std::lock_guard lock(FMutex);
      FOutcomes[index] = outcome;
      FAnswered[index] = true;
      ++FDone;
      if (outcome.status == TNecStatus::Missing) {
        FMissing = true;
      } else if (isFailure(outcome.status)) {
        FCancelled.store(true);  // the run has failed: the other decks would be in vain
      }
    }
    report();
  }
  {
    const std::lock_guard lock(FMutex);
    if (--FActiveWorkers > 0) return;
    for (size_t i = 0; i < FDecks.size(); ++i) {
      if (!FAnswered[i]) FOutcomes[i] = {TNecStatus::Cancelled, {}, "cancelled"};
    }
  }
  report();
}

TNecOutcome TNecRun::compute(const std::string& deck) {
  if (const auto z = FCache.Find(deck))
    return {TNecStatus::Done, *z, {}};  // a twin deck of this run
  const TNecProcessLimits limits{NecDeadline(deck, FOptions), FOptions.maxOutputBytes};
  const TNecOutcome outcome =
      outcomeOf(RunNecProcess(FOptions.program, deck, FCancelled, limits), limits);
  if (outcome.status == TNecStatus::Done) FCache.Store(deck, outcome.impedance);
  return outcome;
}

void TNecRun::report() {
  if (FOptions.onProgress) FOptions.onProgress(Progress());
}

TNecProgress TNecRun::Progress() const {
  const std::lock_guard lock(FMutex);
  return {FDone, int(FDecks.size()), FActiveWorkers == 0};
}

void TNecRun::Cancel() { FCancelled.store(true); }

void TNecRun::Wait() {
  for (std::thread& t : FWorkers) {
    if (t.joinable()) t.join();
  }
}

const std::vector<TNecOutcome>& TNecRun::Outcomes() const {
  const std::lock_guard lock(FMutex);
  if (FActiveWorkers != 0) throw std::logic_error("TNecRun::Outcomes: the run has not finished");
  return FOutcomes;
}

std::vector<TNecOutcome> RunNec(const std::vector<std::string>& decks, TNecCache& cache,
                                TNecRunOptions options) {
  TNecRun run(decks, cache, std::move(options));
  run.Wait();
  return run.Outcomes();
}

std::vector<std::complex<double>> ImpedancesOf(const std::vector<TNecOutcome>& outcomes) {
  const auto failed = std::find_if(
      outcomes.begin(), outcomes.end(), [](const TNecOutcome& o) { return isFailure(o.status); });
  if (failed != outcomes.end() && failed->status == TNecStatus::Missing) throw ENecMissing();
  if (failed != outcomes.end()) throw ENecFailed(failed->message);
  std::vector<std::complex<double>> impedances;
  for (const TNecOutcome& o : outcomes) {
    if (o.status != TNecStatus::Done) throw ENecFailed(o.message);
    impedances.push_back(o.impedance);
  }
  return impedances;
}

std::chrono::milliseconds NecDeadline(const std::string& deck, const TNecRunOptions& options) {
  const double n = double(segmentsOf(deck));
  const double extra =
      std::chrono::duration<double>(options.deadlinePerSegmentCubed).count() * n * n * n;
  return options.deadline + std::chrono::seconds(static_cast<long long>(std::ceil(extra)));
}
