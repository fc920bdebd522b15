// The antenna's feed point across every band in use, from as few runs of the
// antenna model as will do. A band is computed on one mesh, its upper edge's,
// so that its feed point varies smoothly with the frequency: first at its
// edges, quarter points and centre, then, where the interpolation between
// those cannot follow the impedance (near an antiresonance it turns fast), at
// more points until it can. Between the computed points the feed point is
// interpolated, locally by the bilinear function of the frequency through
// three of them, the form an impedance takes near a resonance. Where a band's
// centre reaches kilo-ohms, where the mesh matters most, it is computed again
// on a mesh 1.5 times as fine, and the difference is its uncertainty.
//
// The sweep only plans and interpolates: its owner runs the decks it asks for
// (on the window's worker threads or at once on the command line) and hands
// back their feed points, round after round, until it is complete.
#pragma once

#include <complex>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/tuner/BandPlan.h"
#include "app/tuner/FeederFinder.h"
#include "app/tuner/NecDeck.h"

// A feed point the antenna model cannot vouch for: not finite, or R <= 0.
class ENoFeedPoint : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The interpolation is refined where two neighbouring local interpolants
// differ by more than this fraction of |Z| in the middle between two computed
// points, a safe distance below the 2 % the interpolation is held to.
constexpr double SweepTolerance = 0.005;
// A centre whose |Z| exceeds this is computed again on a finer mesh.
constexpr double UncertaintyAboveOhm = 1500;
constexpr double UncertaintyMeshFactor = 1.5;
// The uncertainty is worth showing above this fraction.
constexpr double UncertaintyShownAbove = 0.03;

// A row of the tuner's table stands at a band's centre, or at the lone frequency.
struct TSweepCentre {
  TSweepCentre() = default;
  TSweepCentre(double frequencyMHz_, std::complex<double> feedImpedance_,
               std::optional<double> uncertainty_, int group_)
      : frequencyMHz(frequencyMHz_),
        feedImpedance(feedImpedance_),
        uncertainty(uncertainty_),
        group(group_) {}

  double frequencyMHz = 0;
  std::complex<double> feedImpedance;  // as computed on the band's mesh
  // |Z_fine - Z| / |Z|, where |Z| exceeds UncertaintyAboveOhm and the finer
  // mesh is within the model's limit.
  std::optional<double> uncertainty;
  int group = -1;  // the band, -1 for the lone frequency
  // Why the band has no feed point (a measurement that does not cover it);
  // empty when it has.
  std::string error;
};

class TFeedPointSweep {
 public:
  // bands: indices into the region's plan, in the order wanted; none: the
  // frequency alone. Raises what NecDeck raises for the model.
  TFeedPointSweep(const TDipoleModel& model, TRegion region, const std::vector<int>& bands,
                  double frequencyMHz);

  // The decks to run next; none once the sweep is complete.
  const std::vector<std::string>& Pending() const { return FPending; }
  // The feed points of the pending decks, in their order. Raises
  // ENoFeedPoint, naming the frequency, for one that is not finite or has
  // R <= 0, and std::invalid_argument for a count that does not fit.
  void Take(const std::vector<std::complex<double>>& feedPoints);
  bool Complete() const { return FPending.empty(); }
  // Decks taken so far, the uncertainty runs included.
  int Runs() const { return FRuns; }

  // Once complete: every band's sweep points (BandSweepPoints) with their
  // feed points, band after band, or the lone frequency.
  std::vector<TFinderFrequency> Points() const;
  std::vector<TSweepCentre> Centres() const;
  // The frequencies the model computed for the i-th band of the sweep.
  std::vector<double> ModelFrequencies(size_t i) const;
  // The interpolated feed point of the i-th band at a frequency within it.
  std::complex<double> FeedPointAt(size_t i, double frequencyMHz) const;
  int Segments(size_t i) const { return FBands.at(i).segments; }
  size_t BandCount() const { return FBands.size(); }

 private:
  struct TRequest {
    size_t band;
    size_t point;  // an index into its points
    bool fine;     // the centre on the finer mesh
  };
  struct TBandSweep {
    int group = -1;
    int segments = 0;
    int fineSegments = 0;  // 0: none within the model's limit
    std::vector<double> points;
    std::vector<std::optional<std::complex<double>>> computed;  // per point
    std::optional<std::complex<double>> fineCentre;
    bool fineAsked = false;
    size_t Centre() const { return points.size() / 2; }
  };

  void plan();
  void planBand(size_t b);
  int segmentsOf(const TRequest& r) const;
  std::vector<size_t> nodesOf(const TBandSweep& band) const;
  // The bilinear interpolant through the three nodes from nodes[first] on.
  static std::complex<double> throughNodes(const TBandSweep& band, const std::vector<size_t>& nodes,
                                           size_t first, double frequencyMHz);
  std::complex<double> interpolate(const TBandSweep& band, const std::vector<size_t>& nodes,
                                   double frequencyMHz) const;
  double estimatedError(const TBandSweep& band, const std::vector<size_t>& nodes, size_t k) const;

  TDipoleModel FModel;
  std::vector<TBandSweep> FBands;
  std::vector<TRequest> FRequests;
  std::vector<std::string> FPending;
  int FRuns = 0;
};
