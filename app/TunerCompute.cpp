#include "app/TunerCompute.h"

#include <stdexcept>

namespace {

bool sameAntenna(const TTunerInputs& a, const TTunerInputs& b) {
  return a.setup.antenna == b.setup.antenna && a.setup.region == b.setup.region &&
         a.bands == b.bands && (!a.bands.empty() || a.frequencyMHz == b.frequencyMHz);
}

// Whether the finder's result depends on something that changed.
bool sameFinderInputs(const TTunerSetup& a, const TTunerSetup& b) {
  return a.line == b.line && a.tuner == b.tuner;
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
  const bool antennaCurrent = FHaveInputs && sameAntenna(inputs, before) &&
                              (FState == TTunerState::Running || !FFeedPoints.empty());
  FInputs = inputs;
  FHaveInputs = true;
  if (!antennaCurrent) {
    startRun();
    return;
  }
  if (FState == TTunerState::Running) return;  // its end takes the new inputs
  // The line's part alone, and the finder only when the line or the tuner
  // changed (dragging the feeder length changes neither).
  const bool finderCurrent =
      FState == TTunerState::Done && sameFinderInputs(before.setup, inputs.setup);
  computeLinePart(!finderCurrent);
}

void TTunerCompute::startRun() {
  retireRun();
  reapRetired();
  FFeedPoints.clear();
  std::vector<std::string> decks;
  try {
    FFrequencies = BandEdgesAndCentres(FInputs.setup.region, FInputs.bands, FInputs.frequencyMHz);
    for (const TBandFrequency& f : FFrequencies)
      decks.push_back(NecDeck(FInputs.setup.antenna, f.frequencyMHz));
  } catch (const std::exception& error) {  // EAntennaGeometry, or values the model cannot take
    fail(error.what());
    return;
  }
  FState = TTunerState::Running;
  FRun = std::make_unique<TNecRun>(std::move(decks), FCache, FOptions);
  Poll();  // everything cached: done at once
}

void TTunerCompute::Cancel() {
  if (FState != TTunerState::Running) return;
  retireRun();
  fail("Cancelled");
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
  if (FState != TTunerState::Running || !FRun->Progress().finished) return false;
  finishRun();
  return true;
}

TNecProgress TTunerCompute::Progress() const {
  if (FRun) return FRun->Progress();
  return {0, 0, true};
}

void TTunerCompute::finishRun() {
  FRun->Wait();
  std::vector<TNecOutcome> outcomes = FRun->Outcomes();
  FRun.reset();
  try {
    FFeedPoints = ImpedancesOf(outcomes);
  } catch (const std::exception& error) {  // ENecMissing, ENecFailed
    fail(error.what());
    return;
  }
  FResult.finderFrequencies.clear();
  for (size_t i = 0; i < FFrequencies.size(); ++i) {
    FResult.finderFrequencies.push_back(
        {FFrequencies[i].frequencyMHz, FFeedPoints[i], FFrequencies[i].band});
  }
  computeLinePart(true);
}

// What follows from the feed points: the rows and, when asked, the finder.
void TTunerCompute::computeLinePart(bool withFinder) {
  try {
    computeRows();
    if (withFinder)
      FResult.finder =
          FindFeederSpans(FInputs.setup.line, FInputs.setup.tuner, FResult.finderFrequencies);
    FState = TTunerState::Done;
  } catch (const std::invalid_argument& error) {
    fail(error.what());
  }
}

// The rows stand at the band centres: the middle of each band's three
// frequencies, or the one frequency.
void TTunerCompute::computeRows() {
  FResult.setup = FInputs.setup;
  FResult.bands = FInputs.bands;
  FResult.frequencyMHz = FInputs.frequencyMHz;
  FResult.rows.clear();
  const size_t step = FInputs.bands.empty() ? 1 : 3;
  for (size_t i = step / 2; i < FResult.finderFrequencies.size(); i += step) {
    const TFinderFrequency& f = FResult.finderFrequencies[i];
    FResult.rows.push_back(TunerRow(FInputs.setup, f.frequencyMHz, f.feedImpedance));
  }
}

void TTunerCompute::fail(const std::string& why) {
  FState = TTunerState::Failed;
  FError = sentence(why);
}
