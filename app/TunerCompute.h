// The tuner view's computation for the window: the antenna model runs in the
// background (nec2c child processes in worker threads), and the rows and the
// all-band feeder lengths follow from its feed points. The window's thread
// only starts a run, polls it and cancels it, so no frame waits for nec2c.
// No toolkit.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/TunerTable.h"
#include "app/tuner/NecRunner.h"

// Everything the page computes from.
struct TTunerInputs {
  TTunerSetup setup;
  std::vector<int> bands;  // the checked bands; none: the frequency alone
  double frequencyMHz = 7.1;
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
  // last ones, a run that is out of date is cancelled and the antenna model
  // starts for the new ones (answered at once where the cache holds every
  // deck); otherwise only the line's part is computed again, at once.
  // Inputs the model or the line cannot take end in Failed with the reason.
  void SetInputs(const TTunerInputs& inputs);
  // Ends a run in progress: Failed, "Cancelled.".
  void Cancel();
  // Takes the outcome of a run that has finished; true when the state has
  // changed from Running to Done or Failed.
  bool Poll();

  TTunerState State() const { return FState; }
  TNecProgress Progress() const;
  // Done: what was computed; otherwise null.
  const TTunerResult* Result() const { return FState == TTunerState::Done ? &FResult : nullptr; }
  // Failed: why, one or more sentences.
  const std::string& Error() const { return FError; }
  const TTunerInputs& Inputs() const { return FInputs; }
  // Feed points the session has computed; kept for the whole session.
  TNecCache& Cache() { return FCache; }

 private:
  void startRun();
  void retireRun();
  void reapRetired();
  void finishRun();
  void computeLinePart(bool withFinder);
  void computeRows();
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
  std::vector<TBandFrequency> FFrequencies;       // edges and centres, as run
  std::vector<std::complex<double>> FFeedPoints;  // theirs, once Done
  TTunerResult FResult;
  std::string FError;
};
