// The tuner view's computation for the window: the antenna model runs in the
// background (nec2c child processes in worker threads), round after round as
// the band sweep asks for feed points, and the rows and the feeder finder's
// spans follow from them. The window's thread only starts a round, polls it
// and cancels it, so no frame waits for nec2c. No toolkit.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/TunerTable.h"
#include "app/tuner/FeedPointSweep.h"
#include "app/tuner/NecRunner.h"

// Everything the page computes from.
struct TTunerInputs {
  TTunerSetup setup;
  std::vector<int> bands;  // the checked bands; none: the frequency alone
  double frequencyMHz = 7.1;
  std::vector<int> finderExcluded;  // bands the finder leaves out
  bool operator==(const TTunerInputs&) const = default;
};

enum class TTunerState { Idle, Running, Done, Failed };

class TTunerCompute {
 public:
  // options.onProgress is left to the caller; the program is nec2c unless given.
  explicit TTunerCompute(TNecRunOptions options = {});
  ~TTunerCompute();
  TTunerCompute(const TTunerCompute&) = delete;
  TTunerCompute& operator=(const TTunerCompute&) = delete;

  // Takes new inputs. When the antenna or the frequencies differ from the
  // last ones, a run that is out of date is cancelled and the band sweep
  // starts for the new ones (answered at once where the cache holds every
  // deck); otherwise only what follows from the feed points is computed
  // again, at once. Inputs the model or the line cannot take end in Failed
  // with the reason.
  void SetInputs(const TTunerInputs& inputs);
  // Ends a run in progress: Failed, "Cancelled.".
  void Cancel();
  // Stops a run in progress without a verdict (Idle): the feed points it has
  // computed stay in the cache, so that the same inputs later resume where it
  // stopped.
  void Stop();
  // Takes the outcome of a round that has finished and starts the next one;
  // true when the state has changed from Running to Done or Failed.
  bool Poll();

  TTunerState State() const { return FState; }
  // Decks with an outcome out of those asked for so far, over every round.
  TNecProgress Progress() const;
  // Done: what was computed; otherwise null.
  const TTunerResult* Result() const { return FState == TTunerState::Done ? &FResult : nullptr; }
  // Failed: why, one or more sentences.
  const std::string& Error() const { return FError; }
  const TTunerInputs& Inputs() const { return FInputs; }
  // Feed points the session has computed; kept for the whole session.
  TNecCache& Cache() { return FCache; }

 private:
  void startSweep();
  void startRound();
  void retireRun();
  void reapRetired();
  void finishRound();
  void finishSweep();
  void takeSourcePoints();
  void computeLinePart(bool withTable, bool withSpans);
  void fail(const std::string& why);

  TNecRunOptions FOptions;
  TNecCache FCache;
  std::unique_ptr<TNecRun> FRun;
  // Cancelled runs whose workers are still stopping: waiting for them here
  // would hold up the window, so they go when they have finished.
  std::vector<std::unique_ptr<TNecRun>> FRetired;
  TTunerInputs FInputs;
  bool FHaveInputs = false;
  TTunerState FState = TTunerState::Idle;
  std::optional<TFeedPointSweep> FSweep;
  bool FSweepDone = false;  // FResult's sweep and centres stand for FInputs
  TTunerResult FResult;
  std::string FError;
};
