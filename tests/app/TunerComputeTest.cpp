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
  EXPECT_EQ(compute.Result()->finderFrequencies.size(), 30u);
  owned.reset();  // every run has ended
  EXPECT_EQ(runsEnded, 1);
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
  EXPECT_EQ(runsEnded, 2);
}

// Once done, a new line, tuner, feeder or power is computed at once, the
// finder's lengths included.
TEST_F(TunerCompute, TheLinesPartFollowsAtOnce) {
  SKIP_WITHOUT_NEC2C();
  TTunerCompute compute(Counting());
  TTunerInputs inputs = AllBands();
  compute.SetInputs(inputs);
  ASSERT_TRUE(Finish(compute));
  inputs.setup.line = LinePresets[1].line;
  inputs.setup.tuner = {TTuner::External, 3, 20, 1000};
  inputs.setup.feederM = 12.5;
  compute.SetInputs(inputs);
  ASSERT_EQ(compute.State(), TTunerState::Done);
  EXPECT_EQ(runsEnded, 1);
  const TTunerResult& result = *compute.Result();
  const TTunerRow row =
      TunerRow(inputs.setup, result.rows[3].frequencyMHz, result.rows[3].feedImpedance);
  EXPECT_EQ(result.rows[3].ends.tunerImpedance, row.ends.tunerImpedance);
  EXPECT_EQ(result.rows[3].canMatch, row.canMatch);
  const TFinderResult expected =
      FindFeederSpans(inputs.setup.line, inputs.setup.tuner, result.finderFrequencies);
  ASSERT_EQ(result.finder.spans.size(), expected.spans.size());
  for (size_t i = 0; i < expected.spans.size(); ++i)
    EXPECT_DOUBLE_EQ(result.finder.spans[i].fromM, expected.spans[i].fromM);
  inputs.setup.tuner = {TTuner::External, 3, 30, 10};  // Zmin above Zmax
  compute.SetInputs(inputs);
  EXPECT_EQ(compute.State(), TTunerState::Failed);
  EXPECT_EQ(compute.Error(), "An external tuner needs 0 < Zmin < Zmax.");
}

}  // namespace
