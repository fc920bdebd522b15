// The tuner as a real network: a high-pass T, a low-pass Pi or an L network
// with the ranges of its capacitors and its coil, their losses and the
// voltages and currents they carry. The network matches a load when a setting
// within the ranges brings its rig side to exactly 50 + j0 Ω with the losses
// included; of all such settings it takes the one that loses least.
//
// Component model, at the frequency of the load: a coil of reactance X = ωL
// is X (1/QL + j), a capacitor of reactance X = -1/(ωC) is |X|/QC + jX (the
// loss of each as a resistance in series, from its unloaded Q). The balun is
// ideal; a 4:1 balun shows the network the load's impedance divided by 4.
#pragma once

#include <complex>
#include <optional>
#include <string>
#include <vector>

enum class TNetworkKind {
  HighPassT,  // series C at the rig side, shunt L, series C at the antenna side
  LowPassPi,  // shunt C at the rig side, series L, shunt C at the antenna side
  LNetwork    // one L and one C, in whichever of four arrangements loses least
};

// The four arrangements of an L network, named by its shunt element and the
// side that element stands on; the other element is in series.
enum class TLArrangement {
  ShuntLAtRig,      // high-pass: shunt L at the rig side, series C
  ShuntLAtAntenna,  // high-pass: series C, shunt L at the antenna side
  ShuntCAtRig,      // low-pass: shunt C at the rig side, series L
  ShuntCAtAntenna   // low-pass: series L, shunt C at the antenna side
};

struct TComponentRange {
  double low = 0;
  double high = 0;
  bool operator==(const TComponentRange&) const = default;
};

struct TTunerNetwork {
  TNetworkKind kind = TNetworkKind::HighPassT;
  TComponentRange capacitorPf{10, 250};  // every capacitor of the network
  TComponentRange inductorUh{0.1, 28};
  double inductorQ = 150;          // unloaded
  double capacitorQ = 1000;        // unloaded
  double capacitorRatingV = 1500;  // peak
  int balun = 1;                   // 1 or 4 (the impedance ratio)
  double lossLimitDb = 1;
  bool operator==(const TTunerNetwork&) const = default;
};

// The defaults of a kind: 10-250 pF for the T; 10-2000 pF for the Pi and the
// L, whose capacitors stand across (or in series with) the low impedances and
// need hundreds of pF on 160 and 80 m; 0.1-28 µH for all.
TTunerNetwork DefaultNetwork(TNetworkKind kind);

// Raises std::invalid_argument with a sentence naming the value unless every
// range has 0 < low < high, both Qs and the rating are > 0, the loss limit is
// >= 0, the balun is 1 or 4, and every number is finite.
void CheckNetwork(const TTunerNetwork& network);

enum class TNetworkPart { RigCapacitor, Inductor, AntennaCapacitor };

// A component that would have to leave its range for the network to match.
struct TRangeShortfall {
  TNetworkPart part = TNetworkPart::Inductor;
  double needed = 0;  // pF or µH
  double limit = 0;   // the end of the range it passes
  bool above = false;
};

// The setting that matches with least loss, or why there is none. A position
// the network does not have is std::nullopt (the T and the Pi have both
// capacitors; an L network the one its arrangement places).
struct TNetworkMatch {
  bool matches = false;
  bool resistiveLoad = false;                // the load's resistance is finite and above 0
  std::optional<TLArrangement> arrangement;  // L networks only
  std::optional<double> rigCapacitorPf;
  double inductorUh = 0;
  std::optional<double> antennaCapacitorPf;
  double efficiency = 0;  // power into the load / power into the network
  double lossDb = 0;      // 10 lg(1 / efficiency)
  // Across each capacitor's terminals (its current times its impedance), at
  // the power into the network.
  std::optional<double> rigCapacitorPeakV;
  std::optional<double> antennaCapacitorPeakV;
  double inductorCurrentA = 0;  // RMS
  bool overRating = false;      // a capacitor's peak voltage exceeds the rating solved with
  // No match: the components that would leave their ranges in the setting
  // nearest to the ranges (empty when no setting at all reaches 50 + j0 Ω, or
  // when the load's resistance is not above 0).
  std::vector<TRangeShortfall> shortfalls;
};

// The network between the rig (50 Ω) and zLoad at frequencyMHz, with powerW
// into it from the rig. Raises std::invalid_argument for a bad network, a
// frequency or a power that is not finite and > 0. A load whose resistance is
// not above 0, or that is not finite, never matches.
TNetworkMatch MatchNetwork(const TTunerNetwork& network, std::complex<double> zLoad,
                           double frequencyMHz, double powerW);

// The one verdict shared by the finder, the table and the status line: the
// network matches, loses no more than its limit and no capacitor exceeds its
// rating.
bool TunerMatches(const TTunerNetwork& network, const TNetworkMatch& match);
// TunerMatches(network, MatchNetwork(...)) without looking for the
// shortfalls of a load that does not match: the fast judge's direct solve.
bool TunerMatchesLoad(const TTunerNetwork& network, std::complex<double> zLoad, double frequencyMHz,
                      double powerW);
// Why TunerMatches is false, as one sentence ("C at the antenna side would
// need 312 pF, more than 250 pF."); empty when it is true.
std::string MismatchReason(const TTunerNetwork& network, const TNetworkMatch& match);

// The score to rank by, lower is better: the network's loss plus the line's,
// in dB, from the line's efficiency (0 < efficiency <= 1, else
// std::invalid_argument). Infinite when the network does not match.
double TotalLossDb(const TNetworkMatch& match, double lineEfficiency);

// The component's name in sentences: "C at the rig side", "L", "C at the
// antenna side".
std::string PartName(TNetworkPart part);
