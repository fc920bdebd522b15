#include "app/TunerCompute.h"

#include <stdexcept>

namespace {

// Whether the feed points stand: the same antenna (or the same feed point from
// outside the model) at the same frequencies. A measurement at the tuner end
// depends on the line it is taken back off, too.
bool sameFeedPoints(const TTunerInputs& a, const TTunerInputs& b) {
  const TTunerSetup &s = a.setup, &t = b.setup;
  const bool measuredAtTuner = s.feed.kind == TFeedSource::Measured && s.feed.atTuner;
  return s.feed == t.feed && (s.feed.kind != TFeedSource::Model || s.antenna == t.antenna) &&
         (!measuredAtTuner || (s.line == t.line && s.feederM == t.feederM)) &&
         s.region == t.region && a.bands == b.bands &&
         (!a.bands.empty() || a.frequencyMHz == b.frequencyMHz);
}

// Whether the finder's table depends on something that changed: a network's
// verdict also depends on the power (its capacitors' voltages).
bool sameFinderTable(const TTunerSetup& a, const TTunerSetup& b) {
  return a.line == b.line && a.tuner == b.tuner &&
         (a.tuner.kind != TTuner::Network || a.powerW == b.powerW);
}

std::string sentence(std::string text) {
  if (!text.empty() && text.back() != '.') text += '.';
  return text;
}

}  // namespace

TTunerCompute::TTunerCompute(TNecRunOptions options) : FOptions(std::move(options)) {}

TTunerCompute::~TTunerCompute() = default;

void TTunerCompute::SetInputs(const TTunerInputs& inputs) {
  const TTunerInputs before = FInputs;
  // The antenna's feed points stand, or are on their way, for these inputs.
  const bool antennaCurrent = FHaveInputs && sameFeedPoints(inputs, before) &&
                              (FState == TTunerState::Running || FSweepDone);
  FInputs = inputs;
  FHaveInputs = true;
  if (!antennaCurrent) {
    startSweep();
    return;
  }
  if (FState == TTunerState::Running) return;  // its end takes the new inputs
  // Only what changed: dragging the feeder length leaves the finder as it is,
  // and leaving a band out of it only picks its spans anew.
  const bool tableCurrent =
      FState == TTunerState::Done && sameFinderTable(before.setup, inputs.setup);
  const bool spansCurrent = tableCurrent && before.finderExcluded == inputs.finderExcluded;
  computeLinePart(!tableCurrent, !spansCurrent);
}

void TTunerCompute::startSweep() {
  retireRun();
  reapRetired();
  FSweep.reset();
  FSweepDone = false;
  if (FInputs.setup.feed.kind != TFeedSource::Model) {
    takeSourcePoints();
    return;
  }
  try {
    FSweep.emplace(
        FInputs.setup.antenna, FInputs.setup.region, FInputs.bands, FInputs.frequencyMHz);
  } catch (const std::exception& error) {  // EAntennaGeometry, or values the model cannot take
    fail(error.what());
    return;
  }
  startRound();
  Poll();  // everything cached: done at once
}

// The run is made before the state says it runs: if no thread can be had,
// the page sees the failure, never a run that is not there.
void TTunerCompute::startRound() {
  try {
    FRun = std::make_unique<TNecRun>(FSweep->Pending(), FCache, FOptions);
  } catch (const std::exception& error) {
    fail(std::string("The antenna model could not be started: ") + error.what());
    return;
  }
  FState = TTunerState::Running;
}

void TTunerCompute::Cancel() {
  if (FState != TTunerState::Running) return;
  retireRun();
  FSweep.reset();
  fail("Cancelled");
}

void TTunerCompute::Stop() {
  if (FState != TTunerState::Running) return;
  retireRun();
  FSweep.reset();
  FState = TTunerState::Idle;
}

void TTunerCompute::retireRun() {
  if (!FRun) return;
  FRun->Cancel();
  FRetired.push_back(std::move(FRun));
}

// A finished run's workers have stopped: destroying it joins them at once.
void TTunerCompute::reapRetired() {
  std::erase_if(FRetired,
                [](const std::unique_ptr<TNecRun>& run) { return run->Progress().finished; });
}

bool TTunerCompute::Poll() {
  reapRetired();
  while (FState == TTunerState::Running && FRun->Progress().finished) {
    finishRound();
    if (FState != TTunerState::Running) return true;
  }
  return false;
}

TNecProgress TTunerCompute::Progress() const {
  const int before = FSweep ? FSweep->Runs() : 0;
  if (!FRun) return {before, before, true};
  const TNecProgress round = FRun->Progress();
  return {before + round.done, before + round.total, round.finished};
}

void TTunerCompute::finishRound() {
  FRun->Wait();
  const std::vector<TNecOutcome> outcomes = FRun->Outcomes();
  FRun.reset();
  try {
    FSweep->Take(ImpedancesOf(outcomes));
  } catch (const std::exception& error) {  // ENecMissing, ENecFailed, ENoFeedPoint
    fail(error.what());
    return;
  }
  if (FSweep->Complete()) {
    finishSweep();
  } else {
    startRound();
  }
}

// A feed point from outside the model: no run, its points at once.
void TTunerCompute::takeSourcePoints() {
  try {
    const TTunerSetup& s = FInputs.setup;
    TSourcePoints source =
        FeedPointsOf(s.feed, s.line, s.feederM, s.region, FInputs.bands, FInputs.frequencyMHz);
    FResult.sweep = std::move(source.points);
    FResult.centres = std::move(source.centres);
  } catch (const std::exception& error) {  // a bad source or line, ENoFeedPoint
    fail(error.what());
    return;
  }
  FSweepDone = true;
  computeLinePart(true, true);
}

void TTunerCompute::finishSweep() {
  try {
    FResult.sweep = FSweep->Points();
    FResult.centres = FSweep->Centres();
  } catch (const std::exception& error) {  // ENoFeedPoint
    fail(error.what());
    return;
  }
  FSweepDone = true;
  computeLinePart(true, true);
}

// What follows from the feed points: the rows and, when asked, the finder's
// table and its spans.
void TTunerCompute::computeLinePart(bool withTable, bool withSpans) {
  try {
    FResult.setup = FInputs.setup;
    FResult.bands = FInputs.bands;
    FResult.frequencyMHz = FInputs.frequencyMHz;
    FResult.finderExcluded = FInputs.finderExcluded;
    FResult.rows = TunerRows(FInputs.setup, FResult.centres, FResult.sweep);
    if (FResult.sweep.empty()) {  // no band has a feed point: nothing to find
      FResult.finder = {};
    } else if (withTable) {
      FResult.finder.table = std::make_shared<const TFinderTable>(
          FInputs.setup.line, FInputs.setup.tuner, FResult.sweep, FInputs.setup.powerW);
    }
    if (!FResult.sweep.empty() && (withTable || withSpans))
      FResult.finder = SpansOf(FResult.finder.table, FInputs.finderExcluded);
    FState = TTunerState::Done;
  } catch (const std::exception& error) {  // std::invalid_argument, ENoLineResult
    fail(error.what());
  }
}

void TTunerCompute::fail(const std::string& why) {
  FState = TTunerState::Failed;
  FError = sentence(why);
}
