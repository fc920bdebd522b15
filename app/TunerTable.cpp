#include "app/TunerTable.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "app/FeederCheck.h"
#include "app/FeederEngine.h"
#include "app/tuner/NumberText.h"

namespace {

bool finite(std::complex<double> z) { return std::isfinite(z.real()) && std::isfinite(z.imag()); }

void requireFinite(const TTunerRow& row) {
  const TLineEnds& e = row.ends;
  if (!finite(e.tunerImpedance) || !std::isfinite(e.totalLossDb) || !std::isfinite(e.efficiency) ||
      !std::isfinite(e.peakVoltage) || !std::isfinite(e.matchedLossDb)) {
    throw ENoLineResult("The line gives no finite result at " + TrimmedText(row.frequencyMHz, 6) +
                        " MHz for this feeder length: choose a shorter feeder");
  }
}

}  // namespace

std::optional<double> TTunerRow::ShownUncertainty() const {
  if (feedUncertainty && *feedUncertainty > UncertaintyShownAbove) return feedUncertainty;
  return std::nullopt;
}

std::optional<double> ClassicFirstMaximum(double frequencyMHz, double dipoleFeet,
                                          double velocityFactor) {
  TFeederState state;
  InitFeederState(state, frequencyMHz);
  state.LLWL = FreeSpaceConstant * velocityFactor;
  if (!CalcSingle(state, frequencyMHz, dipoleFeet).done) return std::nullopt;
  return state.fedlinm[0];
}

TTunerRow TunerRow(const TTunerSetup& setup, const TSweepCentre& centre,
                   const TGroupVerdict& verdict) {
  CheckLine(setup.line);
  CheckTuner(setup.tuner);
  if (!(setup.feederM >= 0) || !std::isfinite(setup.feederM) || !(setup.powerW > 0) ||
      !std::isfinite(setup.powerW)) {
    throw std::invalid_argument("The feeder length must be at least 0 and the power above 0");
  }
  const double f = centre.frequencyMHz;
  TTunerRow row;
  row.frequencyMHz = f;
  row.feedImpedance = centre.feedImpedance;
  row.feedUncertainty = centre.uncertainty;
  row.matchedLossDbPer100m = MatchedLossDbPer100m(setup.line, f);
  row.ends = ThroughTheLine(setup.line, centre.feedImpedance, f, setup.feederM, setup.powerW);
  requireFinite(row);
  row.verdict = verdict;
  row.lineWavelength = LineWavelength(setup.line, f);
  row.firstCurrentMaximum = FirstCurrentMaximum(LineWave(setup.line, f), centre.feedImpedance);
  row.classicMaximum =
      ClassicFirstMaximum(f, setup.antenna.lengthM / MetresPerFoot, setup.line.velocityFactor);
  if (row.classicMaximum && row.firstCurrentMaximum) {
    row.ruleDiffers =
        MaximaApart(*row.firstCurrentMaximum, *row.classicMaximum, row.lineWavelength) >
        RuleToleranceFraction * row.lineWavelength;
  }
  if (setup.tuner.kind == TTuner::Network) {
    row.network = MatchNetwork(setup.tuner.network, row.ends.tunerImpedance, f, setup.powerW);
    row.totalFromRigDb = row.network->matches && row.ends.efficiency > 0
                             ? TotalLossDb(*row.network, std::min(row.ends.efficiency, 1.0))
                             : std::numeric_limits<double>::infinity();
  }
  return row;
}

namespace {

// Why a network fails a band: at its worst point.
std::string networkReasonAt(const TTunerSetup& setup, const std::vector<TFinderFrequency>& points,
                            const TGroupVerdict& verdict) {
  for (const TFinderFrequency& p : points) {
    if (p.group != verdict.group || p.frequencyMHz != verdict.worstMHz) continue;
    const TLineEnds ends =
        ThroughTheLine(setup.line, p.feedImpedance, p.frequencyMHz, setup.feederM, setup.powerW);
    const TNetworkMatch match =
        MatchNetwork(setup.tuner.network, ends.tunerImpedance, p.frequencyMHz, setup.powerW);
    return "at " + TrimmedText(p.frequencyMHz, 4) + " MHz, " +
           MismatchReason(setup.tuner.network, match);
  }
  return {};
}

}  // namespace

std::vector<TTunerRow> TunerRows(const TTunerSetup& setup, const std::vector<TSweepCentre>& centres,
                                 const std::vector<TFinderFrequency>& points) {
  const std::vector<TGroupVerdict> verdicts =
      points.empty() ? std::vector<TGroupVerdict>{}
                     : JudgeGroups(setup.line, setup.tuner, points, setup.feederM, setup.powerW);
  std::vector<TTunerRow> rows;
  for (const TSweepCentre& centre : centres) {
    if (!centre.error.empty()) {
      TTunerRow row;
      row.frequencyMHz = centre.frequencyMHz;
      row.error = centre.error;
      rows.push_back(row);
      continue;
    }
    const auto verdict =
        std::find_if(verdicts.begin(), verdicts.end(), [&](const TGroupVerdict& v) {
          return v.group == centre.group;
        });
    if (verdict == verdicts.end())
      throw std::invalid_argument("A row's band has no points to be judged at");
    rows.push_back(TunerRow(setup, centre, *verdict));
    if (setup.tuner.kind == TTuner::Network && !verdict->Matches())
      rows.back().networkReason = networkReasonAt(setup, points, *verdict);
  }
  return rows;
}

std::string GroupText(int group, TRegion region, double frequencyMHz) {
  return group < 0 ? TrimmedText(frequencyMHz, 4) + " MHz"
                   : BandText(BandPlan(region).at(size_t(group)));
}

std::string NoSpanMessage(const TFinderResult& result, TRegion region, double frequencyMHz) {
  if (!result.table && result.groupsIncluded == 0) return "No band has a feed point to judge.";
  if (result.groupsIncluded == 0) return "Every band is left out of the feeder finder.";
  const std::string stopper = GroupText(result.stoppingGroup, region, frequencyMHz);
  if (result.groupsIncluded == 1) return "No feeder length from 0.5 to 60 m suits " + stopper + ".";
  std::string text = "No feeder length from 0.5 to 60 m suits every band: " + stopper + " stops it";
  if (result.othersShareM > 0)
    text += " (without it the others share " + FixedText(result.othersShareM, 2) + " m of lengths)";
  text += ".";
  if (!result.spans.empty()) {
    text += " The lengths below suit " + std::to_string(result.groupsSuited) + " of the " +
            std::to_string(result.groupsIncluded) + " bands.";
  }
  return text;
}

std::string MatchText(const TTunerRow& row) {
  if (row.CanMatch()) return "yes";
  if (!row.error.empty()) return "-";
  return "no, " + TrimmedText(row.verdict.worstMHz, 4) + " MHz";
}

std::string MarginText(double worstMargin, TTuner::TKind tuner) {
  if (tuner == TTuner::Network) return FixedText(-worstMargin, 2) + " dB";
  return "x" + FixedText(std::exp(worstMargin), 2);
}

const std::array<const char*, 7> NetworkColumns = {
    "net dB", "rig dB", "C rig pF", "L uH", "C ant pF", "max Vpk", "L Arms"};
const std::array<const char*, 7> NetworkCsvColumns = {
    "net_loss_dB", "C_in_pF", "L_uH", "C_out_pF", "C_in_Vpk", "C_out_Vpk", "L_Arms"};

namespace {

std::string optionalText(const std::optional<double>& value, int decimals) {
  return value ? FixedText(*value, decimals) : "";
}

// The network's cells when it matches at the centre, else none.
const TNetworkMatch* matchedNetwork(const TTunerRow& r) {
  return r.network && r.network->matches ? &*r.network : nullptr;
}

}  // namespace

std::array<std::string, 7> NetworkRowTexts(const TTunerRow& r) {
  const TNetworkMatch* m = matchedNetwork(r);
  if (!m) return {};
  const double highest =
      std::max(m->rigCapacitorPeakV.value_or(0), m->antennaCapacitorPeakV.value_or(0));
  return {FixedText(m->lossDb, 2),
          FixedText(r.totalFromRigDb, 2),
          optionalText(m->rigCapacitorPf, 1),
          FixedText(m->inductorUh, 2),
          optionalText(m->antennaCapacitorPf, 1),
          FixedText(highest, 0) + (m->overRating ? "!" : ""),
          FixedText(m->inductorCurrentA, 2)};
}

std::array<std::string, 7> NetworkCsvTexts(const TTunerRow& r) {
  const TNetworkMatch* m = matchedNetwork(r);
  if (!m) return {};
  return {FixedText(m->lossDb, 3),
          optionalText(m->rigCapacitorPf, 2),
          FixedText(m->inductorUh, 3),
          optionalText(m->antennaCapacitorPf, 2),
          optionalText(m->rigCapacitorPeakV, 1),
          optionalText(m->antennaCapacitorPeakV, 1),
          FixedText(m->inductorCurrentA, 3)};
}

std::string SwrText(double swr) {
  if (std::isnan(swr)) return "-";
  if (std::isinf(swr)) return "> 999";
  // Decided on the rounded text, so that 9.996 becomes "10.0", not "10.00".
  for (int decimals = 2; decimals >= 0; --decimals) {
    const std::string text = FixedText(swr, decimals);
    const size_t wholeDigits = std::min(text.find('.'), text.size());
    if (wholeDigits <= size_t(3 - decimals)) return text;
  }
  return "> 999";
}

const std::array<const char*, 14> TunerColumns = {"MHz",
                                                  "feed R",
                                                  "feed X",
                                                  "+/-",
                                                  "SWR",
                                                  "tuner R",
                                                  "tuner X",
                                                  "matched dB",
                                                  "total dB",
                                                  "eff %",
                                                  "peak V",
                                                  "match",
                                                  "max m",
                                                  "rule m"};

namespace {

std::string uncertaintyText(const TTunerRow& r) {
  const auto u = r.ShownUncertainty();
  return u ? TrimmedText(*u * 100, 0) + "%" : "";
}

std::string optionalMetres(const std::optional<double>& m, const char* none) {
  return m ? FixedText(*m, 2) : none;
}

}  // namespace

std::array<std::string, 14> TunerRowTexts(const TTunerRow& r) {
  return {FixedText(r.frequencyMHz, 4),
          FixedText(r.feedImpedance.real(), 2),
          FixedText(r.feedImpedance.imag(), 2),
          uncertaintyText(r),
          FixedText(r.ends.swr, 2),
          FixedText(r.ends.tunerImpedance.real(), 2),
          FixedText(r.ends.tunerImpedance.imag(), 2),
          FixedText(r.ends.matchedLossDb, 3),
          FixedText(r.ends.totalLossDb, 3),
          FixedText(r.ends.efficiency * 100, 1),
          FixedText(r.ends.peakVoltage, 0),
          MatchText(r),
          optionalMetres(r.firstCurrentMaximum, "-"),
          optionalMetres(r.classicMaximum, "-")};
}

const std::array<const char*, 12> TunerCsvColumns = {"MHz",
                                                     "feed_R",
                                                     "feed_X",
                                                     "tuner_R",
                                                     "tuner_X",
                                                     "SWR",
                                                     "loss_dB",
                                                     "efficiency_pct",
                                                     "peak_V",
                                                     "first_current_max_m",
                                                     "matched_dB",
                                                     "feed_uncertainty_pct"};

std::array<std::string, 12> TunerCsvTexts(const TTunerRow& r) {
  const auto u = r.ShownUncertainty();
  return {FixedText(r.frequencyMHz, 4),
          FixedText(r.feedImpedance.real(), 2),
          FixedText(r.feedImpedance.imag(), 2),
          FixedText(r.ends.tunerImpedance.real(), 2),
          FixedText(r.ends.tunerImpedance.imag(), 2),
          FixedText(r.ends.swr, 2),
          FixedText(r.ends.totalLossDb, 3),
          FixedText(r.ends.efficiency * 100, 2),
          FixedText(r.ends.peakVoltage, 1),
          optionalMetres(r.firstCurrentMaximum, ""),
          FixedText(r.ends.matchedLossDb, 3),
          u ? FixedText(*u * 100, 1) : ""};
}

const std::array<const char*, 6> SpanColumns = {
    "from m", "to m", "best m", "worst MHz", "margin", "fails"};

std::array<std::string, 6> SpanTexts(const TFeederSpan& s, TRegion region, TTuner::TKind tuner) {
  std::string fails;
  for (int group : s.failingGroups)
    fails += (fails.empty() ? "" : ", ") + GroupText(group, region, 0);
  return {FixedText(s.fromM, 2),
          FixedText(s.toM, 2),
          FixedText(s.bestM, 2),
          FixedText(s.worstMHz, 4),
          MarginText(s.worstMargin, tuner),
          fails};
}
