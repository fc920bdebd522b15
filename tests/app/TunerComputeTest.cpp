// The tuner view's computation behind the page: a run serves inputs that
// leave the antenna alone, is replaced when the antenna changes, and the
// line's part follows at once once the feed points stand.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "app/TunerCompute.h"
#include "app/tuner/FeederFinder.h"
#include "tuner/NecTestSupport.h"

namespace {

struct TunerCompute : ::testing::Test {
  TemporaryFolderScope temporary;
  std::atomic<int> runsEnded{0};

  TNecRunOptions Counting() {
    TNecRunOptions options;
    options.onProgress = [this](TNecProgress p) {
      if (p.finished) ++runsEnded;
    };
    return options;
  }
  static TTunerInputs AllBands() {
    TTunerInputs inputs;
    for (int band = 0; band < 10; ++band) inputs.bands.push_back(band);
    return inputs;
  }
  static bool Finish(TTunerCompute& compute) {
    for (int i = 0; i < 6000 && compute.State() == TTunerState::Running; ++i) {
      compute.Poll();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return compute.State() != TTunerState::Running;
  }
};

TEST_F(TunerCompute, ARunServesNewInputsThatLeaveTheAntennaAlone) {
  SKIP_WITHOUT_NEC2C();
  auto owned = std::make_unique<TTunerCompute>(Counting());
  TTunerCompute& compute = *owned;
  TTunerInputs inputs = AllBands();
  compute.SetInputs(inputs);
  ASSERT_EQ(compute.State(), TTunerState::Running);
  inputs.setup.feederM = 31;
  inputs.setup.powerW = 400;
  inputs.setup.tuner = {TTuner::External, 3, 10, 2000};
  compute.SetInputs(inputs);
  ASSERT_TRUE(Finish(compute));
  ASSERT_NE(compute.Result(), nullptr) << compute.Error();
  EXPECT_EQ(compute.Result()->setup, inputs.setup);
  EXPECT_EQ(compute.Result()->rows.size(), 10u);
  // Every band's sweep points: 21 each, 69 for 10 m (Region 1).
  EXPECT_EQ(compute.Result()->sweep.size(), 9 * 21u + 69u);
  owned.reset();  // every round has ended: the first, and the uncertainty runs
  EXPECT_GE(runsEnded, 2);
}

TEST_F(TunerCompute, AChangedAntennaReplacesTheRun) {
  SKIP_WITHOUT_NEC2C();
  auto owned = std::make_unique<TTunerCompute>(Counting());
  TTunerCompute& compute = *owned;
  TTunerInputs inputs = AllBands();
  compute.SetInputs(inputs);
  inputs.setup.antenna.heightM = 14;
  compute.SetInputs(inputs);
  ASSERT_TRUE(Finish(compute));
  ASSERT_NE(compute.Result(), nullptr) << compute.Error();
  EXPECT_DOUBLE_EQ(compute.Result()->setup.antenna.heightM, 14);
  owned.reset();  // the cancelled run has ended too
  EXPECT_GE(runsEnded, 3);
}

// Once done, a new line, tuner, feeder or power is computed at once, the
// finder's lengths included.
TEST_F(TunerCompute, TheLinesPartFollowsAtOnce) {
  SKIP_WITHOUT_NEC2C();
  TTunerCompute compute(Counting());
  TTunerInputs inputs = AllBands();
  compute.SetInputs(inputs);
  ASSERT_TRUE(Finish(compute));
  const int rounds = runsEnded;
  inputs.setup.line = LinePresets[1].line;
  inputs.setup.tuner = {TTuner::External, 3, 20, 1000};
  inputs.setup.feederM = 12.5;
  compute.SetInputs(inputs);
  ASSERT_EQ(compute.State(), TTunerState::Done);
  EXPECT_EQ(runsEnded, rounds);
  const TTunerResult& result = *compute.Result();
  const std::vector<TTunerRow> rows = TunerRows(inputs.setup, result.centres, result.sweep);
  EXPECT_EQ(result.rows[3].ends.tunerImpedance, rows[3].ends.tunerImpedance);
  EXPECT_EQ(result.rows[3].CanMatch(), rows[3].CanMatch());
  const TFinderResult expected =
      FindFeederSpans(inputs.setup.line, inputs.setup.tuner, result.sweep, inputs.setup.powerW);
  ASSERT_EQ(result.finder.spans.size(), expected.spans.size());
  for (size_t i = 0; i < expected.spans.size(); ++i)
    EXPECT_DOUBLE_EQ(result.finder.spans[i].fromM, expected.spans[i].fromM);
  // Leaving a band out of the finder picks its spans anew from the same table.
  inputs.finderExcluded = {0};
  compute.SetInputs(inputs);
  ASSERT_EQ(compute.State(), TTunerState::Done);
  EXPECT_EQ(compute.Result()->finder.table, result.finder.table);
  EXPECT_EQ(compute.Result()->finder.groupsIncluded, 9);
  inputs.setup.tuner = {TTuner::External, 3, 30, 10};  // Zmin above Zmax
  compute.SetInputs(inputs);
  EXPECT_EQ(compute.State(), TTunerState::Failed);
  EXPECT_EQ(compute.Error(), "An external tuner needs 0 < Zmin < Zmax.");
}

// Stopped (the page hidden), it keeps what it computed: the same inputs
// later resume where it stopped.
TEST_F(TunerCompute, AStoppedRunResumesFromTheCache) {
  SKIP_WITHOUT_NEC2C();
  TTunerCompute compute(Counting());
  const TTunerInputs inputs = AllBands();
  compute.SetInputs(inputs);
  for (int i = 0; i < 2000 && compute.Progress().done < 10; ++i) {
    compute.Poll();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  compute.Stop();
  EXPECT_EQ(compute.State(), TTunerState::Idle);
  EXPECT_EQ(compute.Result(), nullptr);
  const size_t cached = compute.Cache().Size();
  EXPECT_GT(cached, 0u);
  compute.SetInputs(inputs);
  ASSERT_TRUE(Finish(compute));
  ASSERT_NE(compute.Result(), nullptr) << compute.Error();
  EXPECT_GT(compute.Cache().Size(), cached);
}

}  // namespace
