// The tuner view's table: for each band (at its centre) or the lone
// frequency, the antenna's feed point carried through the feeder to the
// tuner, whether the tuner can match the band across its whole width, and
// the first current maximum of physics beside the classic rule's. Plain
// values; the page and the command line both build their output from these
// rows.
#pragma once

#include <array>
#include <complex>
#include <optional>
#include <string>
#include <vector>

#include "app/tuner/BandPlan.h"
#include "app/tuner/FeedPointSweep.h"
#include "app/tuner/FeedSource.h"
#include "app/tuner/FeederFinder.h"
#include "app/tuner/NecDeck.h"
#include "app/tuner/TransmissionLine.h"
#include "app/tuner/Tuner.h"

// Everything the tuner view computes from, besides the frequencies. The line
// and the feeder length are the ones the Feeder check page shares.
struct TTunerSetup {
  TDipoleModel antenna;  // its length is the first page's dipole
  TFeedSource feed;      // the antenna model, or a feed point from outside it
  TTransmissionLine line = LinePresets[0].line;
  double feederM = 20;
  double powerW = 100;
  TTuner tuner;
  TRegion region = TRegion::Region1;
  bool operator==(const TTunerSetup&) const = default;
};

// A line result that is not a finite number: nothing the page may show.
class ENoLineResult : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TTunerRow {
  double frequencyMHz = 0;
  // Why the band has no row (a measurement that does not cover it); when it
  // is not empty, nothing below is.
  std::string error;
  std::complex<double> feedImpedance;
  std::optional<double> feedUncertainty;  // fraction, where the finer mesh was run
  double matchedLossDbPer100m = 0;
  TLineEnds ends;
  TGroupVerdict verdict;      // the band across its width, at the feeder length
  double lineWavelength = 0;  // m
  // m from the antenna, physics; none where |I| only grows towards the tuner.
  std::optional<double> firstCurrentMaximum;
  // The classic rule's, when the dipole is long enough for it.
  std::optional<double> classicMaximum;
  bool ruleDiffers = false;  // more than λ_line / 16 apart
  // A tuner network's least-loss setting at the centre, its loss from the
  // rig to the antenna (network and line, infinite without a match), and why
  // the band fails where the network is what stops it.
  std::optional<TNetworkMatch> network;
  double totalFromRigDb = 0;
  std::string networkReason;
  bool CanMatch() const { return error.empty() && verdict.Matches(); }
  // The uncertainty worth showing: above UncertaintyShownAbove.
  std::optional<double> ShownUncertainty() const;
};

// Raises std::invalid_argument for a bad line or tuner, or a feeder length or
// power that is not finite and >= 0 (power > 0); ENoLineResult for a figure
// that comes out as no finite number.
TTunerRow TunerRow(const TTunerSetup& setup, const TSweepCentre& centre,
                   const TGroupVerdict& verdict);
// The rows at the centres, each band judged across its points.
std::vector<TTunerRow> TunerRows(const TTunerSetup& setup, const std::vector<TSweepCentre>& centres,
                                 const std::vector<TFinderFrequency>& points);

// The classic rule's first current maximum in metres for a line of the given
// velocity factor (its feeder constant 983.57 ft·MHz × VF), or none when the
// dipole is too short for the frequency.
std::optional<double> ClassicFirstMaximum(double frequencyMHz, double dipoleFeet,
                                          double velocityFactor);

// The classic rule and physics disagree where their maxima lie further apart
// than this fraction of a line wavelength.
constexpr double RuleToleranceFraction = 1.0 / 16;

// What the tuner view has computed, for the page, its chart and a report:
// the inputs, one row per band centre (or the frequency), every band's sweep
// and the feeder lengths that suit every band across its width.
struct TTunerResult {
  TTunerSetup setup;
  std::vector<int> bands;           // the checked bands, indices into the band plan
  double frequencyMHz = 0;          // used when no band is checked
  std::vector<int> finderExcluded;  // bands left out of the finder
  std::vector<TTunerRow> rows;
  std::vector<TSweepCentre> centres;
  std::vector<TFinderFrequency> sweep;
  TFinderResult finder;
};

// What a group is called: "3.5-3.8 MHz", or the lone frequency.
std::string GroupText(int group, TRegion region, double frequencyMHz);

// Why no feeder length suits every band: "No feeder length from 0.5 to 60 m
// suits every band: 3.5-3.8 MHz stops it (without it the others share 1.20 m
// of lengths)." With spans that suit the most bands, it says how many.
std::string NoSpanMessage(const TFinderResult& result, TRegion region, double frequencyMHz);

// The match column: "yes", or "no, 3.59 MHz" at the band's worst point.
std::string MatchText(const TTunerRow& row);

// A tuner network's columns for the command line's table: the network's
// loss, the total loss from the rig (network and line), C at the rig side,
// L, C at the antenna side, the higher capacitor voltage and the coil's
// current; empty where the network has no such part or does not match.
extern const std::array<const char*, 7> NetworkColumns;
std::array<std::string, 7> NetworkRowTexts(const TTunerRow& row);
// The same as the CSV's: net_loss_dB, C_in_pF, L_uH, C_out_pF, C_in_Vpk,
// C_out_Vpk, L_Arms.
extern const std::array<const char*, 7> NetworkCsvColumns;
std::array<std::string, 7> NetworkCsvTexts(const TTunerRow& row);
// The SWR to three significant digits, "." the decimal separator: "1.50",
// "18.9", "189"; "> 999" from 999.5 on, where more digits say nothing a
// reader can use; "-" for no number.
std::string SwrText(double swr);

// The table's columns and a row's cells as text, "." the decimal separator:
// MHz, feed R and X, the feed point's uncertainty, SWR, tuner R and X,
// matched and total loss in dB, efficiency %, peak V, whether the tuner
// matches, the first current maximum and the classic rule's ("-" when none).
extern const std::array<const char*, 14> TunerColumns;
std::array<std::string, 14> TunerRowTexts(const TTunerRow& row);

// The table as comma-separated values: its fixed header's fields and a row's
// cells, "." the decimal separator: MHz, feed R and X, tuner R and X, SWR,
// total loss in dB, efficiency %, peak V, the first current maximum (empty
// when none), then the matched loss in dB and the feed point's uncertainty in
// % (empty unless shown).
extern const std::array<const char*, 12> TunerCsvColumns;
std::array<std::string, 12> TunerCsvTexts(const TTunerRow& row);

// The feeder finder's spans the same way: from, to and best length in
// metres, the frequency that limits the span, its margin ("x1.52"; for a
// network the worst total loss from the rig, "2.31 dB") and the bands it
// does not suit.
extern const std::array<const char*, 6> SpanColumns;
std::array<std::string, 6> SpanTexts(const TFeederSpan& span, TRegion region,
                                     TTuner::TKind tuner = TTuner::Internal);
// A span's or a verdict's worst score as its column shows it.
std::string MarginText(double worstMargin, TTuner::TKind tuner);
