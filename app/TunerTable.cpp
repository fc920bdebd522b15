#include "app/TunerTable.h"

#include <cmath>
#include <stdexcept>

#include "app/FeederCheck.h"
#include "app/FeederEngine.h"
#include "app/tuner/NumberText.h"

std::optional<double> ClassicFirstMaximum(double frequencyMHz, double dipoleFeet,
                                          double velocityFactor) {
  TFeederState state;
  InitFeederState(state, frequencyMHz);
  state.LLWL = FreeSpaceConstant * velocityFactor;
  if (!CalcSingle(state, frequencyMHz, dipoleFeet).done) return std::nullopt;
  return state.fedlinm[0];
}

TTunerRow TunerRow(const TTunerSetup& setup, double frequencyMHz,
                   std::complex<double> feedImpedance) {
  CheckLine(setup.line);
  CheckTuner(setup.tuner);
  if (!(setup.feederM >= 0) || !std::isfinite(setup.feederM) || !(setup.powerW > 0) ||
      !std::isfinite(setup.powerW)) {
    throw std::invalid_argument("The feeder length must be at least 0 and the power above 0");
  }
  TTunerRow row;
  row.frequencyMHz = frequencyMHz;
  row.feedImpedance = feedImpedance;
  row.matchedLossDbPer100m = MatchedLossDbPer100m(setup.line, frequencyMHz);
  row.ends = ThroughTheLine(setup.line, feedImpedance, frequencyMHz, setup.feederM, setup.powerW);
  row.canMatch = CanMatch(setup.tuner, row.ends.tunerImpedance);
  row.lineWavelength = LineWavelength(setup.line, frequencyMHz);
  row.firstCurrentMaximum = FirstCurrentMaximum(row.ends.reflection, row.lineWavelength);
  row.classicMaximum = ClassicFirstMaximum(
      frequencyMHz, setup.antenna.lengthM / MetresPerFoot, setup.line.velocityFactor);
  if (row.classicMaximum) {
    row.ruleDiffers =
        MaximaApart(row.firstCurrentMaximum, *row.classicMaximum, row.lineWavelength) >
        RuleToleranceFraction * row.lineWavelength;
  }
  return row;
}

std::string NoSpanMessage(const TFinderResult& result, TRegion region, double frequencyMHz) {
  const std::string stopper = result.stoppingGroup < 0
                                  ? FixedText(frequencyMHz, 4) + " MHz"
                                  : BandText(BandPlan(region).at(size_t(result.stoppingGroup)));
  std::string text =
      "No feeder length from 0.5 to 60 m suits every frequency: " + stopper + " stops it";
  if (result.othersShareM > 0)
    text += " (without it the others share " + FixedText(result.othersShareM, 2) + " m of lengths)";
  return text + ".";
}

const std::array<const char*, 13> TunerColumns = {"MHz",
                                                  "feed R",
                                                  "feed X",
                                                  "SWR",
                                                  "tuner R",
                                                  "tuner X",
                                                  "loss dB",
                                                  "total dB",
                                                  "eff %",
                                                  "peak V",
                                                  "match",
                                                  "max m",
                                                  "rule m"};

std::array<std::string, 13> TunerRowTexts(const TTunerRow& r) {
  return {FixedText(r.frequencyMHz, 4),
          FixedText(r.feedImpedance.real(), 2),
          FixedText(r.feedImpedance.imag(), 2),
          FixedText(r.ends.swr, 2),
          FixedText(r.ends.tunerImpedance.real(), 2),
          FixedText(r.ends.tunerImpedance.imag(), 2),
          FixedText(r.ends.matchedLossDb, 3),
          FixedText(r.ends.totalLossDb, 3),
          FixedText(r.ends.efficiency * 100, 1),
          FixedText(r.ends.peakVoltage, 0),
          r.canMatch ? "yes" : "no",
          FixedText(r.firstCurrentMaximum, 2),
          r.classicMaximum ? FixedText(*r.classicMaximum, 2) : "-"};
}

const std::array<const char*, 10> TunerCsvColumns = {"MHz",
                                                     "feed_R",
                                                     "feed_X",
                                                     "tuner_R",
                                                     "tuner_X",
                                                     "SWR",
                                                     "loss_dB",
                                                     "efficiency_pct",
                                                     "peak_V",
                                                     "first_current_max_m"};

std::array<std::string, 10> TunerCsvTexts(const TTunerRow& r) {
  return {FixedText(r.frequencyMHz, 4),
          FixedText(r.feedImpedance.real(), 2),
          FixedText(r.feedImpedance.imag(), 2),
          FixedText(r.ends.tunerImpedance.real(), 2),
          FixedText(r.ends.tunerImpedance.imag(), 2),
          FixedText(r.ends.swr, 2),
          FixedText(r.ends.totalLossDb, 3),
          FixedText(r.ends.efficiency * 100, 2),
          FixedText(r.ends.peakVoltage, 1),
          FixedText(r.firstCurrentMaximum, 2)};
}

const std::array<const char*, 5> SpanColumns = {"from m", "to m", "best m", "worst MHz", "margin"};

std::array<std::string, 5> SpanTexts(const TFeederSpan& s) {
  return {FixedText(s.fromM, 2),
          FixedText(s.toM, 2),
          FixedText(s.bestM, 2),
          FixedText(s.worstMHz, 4),
          "x" + FixedText(std::exp(s.worstMargin), 2)};
}
