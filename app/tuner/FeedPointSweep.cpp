#include "app/tuner/FeedPointSweep.h"

#include <algorithm>
#include <cmath>

#include "app/tuner/NumberText.h"

namespace {

using Complex = std::complex<double>;

// The bilinear function (a + b f) / (1 + c f) through three points, in
// barycentric form: with weights w_k = z_{k+2} - z_{k+1} (cyclic), both sums
// lose their quadratic terms. Where a weight vanishes no such function
// passes through all three, and the parabola through them stands in.
Complex throughThree(const double* f, const Complex* z, double x) {
  for (int k = 0; k < 3; ++k) {
    if (x == f[k]) return z[k];
  }
  const Complex w[3] = {z[2] - z[1], z[0] - z[2], z[1] - z[0]};
  const double scale = std::max({std::abs(z[0]), std::abs(z[1]), std::abs(z[2])});
  const bool bilinear = std::min({std::abs(w[0]), std::abs(w[1]), std::abs(w[2])}) > 1e-12 * scale;
  if (bilinear) {
    Complex numerator, denominator;
    for (int k = 0; k < 3; ++k) {
      numerator += w[k] * z[k] / (x - f[k]);
      denominator += w[k] / (x - f[k]);
    }
    return numerator / denominator;
  }
  Complex parabola;
  for (int k = 0; k < 3; ++k) {
    double basis = 1;
    for (int j = 0; j < 3; ++j) {
      if (j != k) basis *= (x - f[j]) / (f[k] - f[j]);
    }
    parabola += basis * z[k];
  }
  return parabola;
}

std::string usableFeedPointError(double frequencyMHz, Complex z) {
  return "The antenna model gives no usable feed point at " + TrimmedText(frequencyMHz, 6) +
         " MHz: " +
         (std::isfinite(z.real()) && std::isfinite(z.imag())
              ? "R = " + TrimmedText(z.real(), 3) + " ohm, which is not above 0"
              : std::string("it is not a finite number"));
}

void requireUsable(double frequencyMHz, Complex z) {
  if (!(z.real() > 0) || !std::isfinite(z.real()) || !std::isfinite(z.imag()))
    throw ENoFeedPoint(usableFeedPointError(frequencyMHz, z));
}

// The odd segment count UncertaintyMeshFactor times as fine, or 0 beyond the
// model's limit.
int finerSegments(int segments) {
  int finer = int(std::ceil(segments * UncertaintyMeshFactor));
  if (finer % 2 == 0) ++finer;
  return finer <= MaxSegments ? finer : 0;
}

}  // namespace

TFeedPointSweep::TFeedPointSweep(const TDipoleModel& model, TRegion region,
                                 const std::vector<int>& bands, double frequencyMHz)
    : FModel(model) {
  const auto add = [this](int group, std::vector<double> points) {
    TBandSweep sweep;
    sweep.group = group;
    sweep.segments = SegmentCount(FModel.lengthM, points.back());
    sweep.fineSegments = finerSegments(sweep.segments);
    sweep.computed.resize(points.size());
    sweep.points = std::move(points);
    NecDeck(FModel, sweep.points.back(), sweep.segments);  // raises for a model it cannot take
    FBands.push_back(std::move(sweep));
  };
  if (bands.empty()) add(-1, {frequencyMHz});
  for (int b : bands) add(b, BandSweepPoints(BandPlan(region).at(size_t(b))));
  plan();
}

// Where the points computed so far leave room for doubt.
void TFeedPointSweep::plan() {
  FRequests.clear();
  FPending.clear();
  for (size_t b = 0; b < FBands.size(); ++b) planBand(b);
  // The longest runs first, so that the last ones to start are short and the
  // model's child processes all end near the same time.
  std::stable_sort(
      FRequests.begin(), FRequests.end(), [this](const TRequest& a, const TRequest& b) {
        return segmentsOf(a) > segmentsOf(b);
      });
  for (const TRequest& r : FRequests) {
    const TBandSweep& band = FBands[r.band];
    FPending.push_back(NecDeck(FModel, band.points[r.point], segmentsOf(r)));
  }
}

int TFeedPointSweep::segmentsOf(const TRequest& r) const {
  return r.fine ? FBands[r.band].fineSegments : FBands[r.band].segments;
}

void TFeedPointSweep::planBand(size_t b) {
  TBandSweep& band = FBands[b];
  const size_t last = band.points.size() - 1;
  if (!band.computed[0]) {  // the first round: edges, quarter points, centre
    for (size_t quarter = 0; quarter <= 4 && last > 0; ++quarter)
      FRequests.push_back({b, quarter * last / 4, false});
    if (last == 0) FRequests.push_back({b, 0, false});
    return;
  }
  const std::vector<size_t> nodes = nodesOf(band);
  for (size_t k = 0; k + 1 < nodes.size(); ++k) {
    if (nodes[k + 1] - nodes[k] >= 2 && estimatedError(band, nodes, k) > SweepTolerance)
      FRequests.push_back({b, (nodes[k] + nodes[k + 1]) / 2, false});
  }
  const Complex centre = *band.computed[band.Centre()];
  if (!band.fineAsked && band.fineSegments > 0 && std::abs(centre) > UncertaintyAboveOhm) {
    band.fineAsked = true;
    FRequests.push_back({b, band.Centre(), true});
  }
}

void TFeedPointSweep::Take(const std::vector<std::complex<double>>& feedPoints) {
  if (feedPoints.size() != FRequests.size())
    throw std::invalid_argument("The feed points do not fit the decks asked for");
  for (size_t i = 0; i < FRequests.size(); ++i) {
    const TRequest& r = FRequests[i];
    TBandSweep& band = FBands[r.band];
    requireUsable(band.points[r.point], feedPoints[i]);
    (r.fine ? band.fineCentre : band.computed[r.point]) = feedPoints[i];
  }
  FRuns += int(FRequests.size());
  plan();
}

std::complex<double> TFeedPointSweep::throughNodes(const TBandSweep& band,
                                                   const std::vector<size_t>& nodes, size_t first,
                                                   double frequencyMHz) {
  double f[3];
  Complex z[3];
  for (size_t j = 0; j < 3; ++j) {
    f[j] = band.points[nodes[first + j]];
    z[j] = *band.computed[nodes[first + j]];
  }
  return throughThree(f, z, frequencyMHz);
}

std::vector<size_t> TFeedPointSweep::nodesOf(const TBandSweep& band) const {
  std::vector<size_t> nodes;
  for (size_t i = 0; i < band.points.size(); ++i) {
    if (band.computed[i]) nodes.push_back(i);
  }
  return nodes;
}

// The bilinear interpolants through the nodes k-1, k, k+1 and k, k+1, k+2
// differ between nodes k and k+1 by about as much as either misses there; at
// a band's ends the neighbouring one, reaching out, stands in for the missing
// one.
double TFeedPointSweep::estimatedError(const TBandSweep& band, const std::vector<size_t>& nodes,
                                       size_t k) const {
  const size_t n = nodes.size();
  if (n < 4) return 0;
  const size_t a = k == 0 ? 0 : k + 2 >= n ? n - 3 : k - 1;
  const size_t b = k == 0 ? 1 : k + 2 >= n ? n - 4 : k;
  const double x = band.points[(nodes[k] + nodes[k + 1]) / 2];
  const Complex difference = throughNodes(band, nodes, a, x) - throughNodes(band, nodes, b, x);
  return std::abs(difference) / std::abs(interpolate(band, nodes, x));
}

// Between nodes k and k+1: the two bilinear interpolants through their
// neighbours, blended linearly, so that the curve passes through every node
// and turns smoothly; one of them alone at a band's ends.
std::complex<double> TFeedPointSweep::interpolate(const TBandSweep& band,
                                                  const std::vector<size_t>& nodes,
                                                  double frequencyMHz) const {
  if (nodes.size() == 1) return *band.computed[nodes[0]];
  size_t k = 0;
  while (k + 2 < nodes.size() && band.points[nodes[k + 1]] <= frequencyMHz) ++k;
  const double f0 = band.points[nodes[k]], f1 = band.points[nodes[k + 1]];
  if (frequencyMHz == f0) return *band.computed[nodes[k]];
  if (frequencyMHz == f1) return *band.computed[nodes[k + 1]];
  const auto through = [&](size_t first) { return throughNodes(band, nodes, first, frequencyMHz); };
  if (nodes.size() == 2) {
    const double w = (frequencyMHz - f0) / (f1 - f0);
    return (1 - w) * *band.computed[nodes[0]] + w * *band.computed[nodes[1]];
  }
  const bool hasLeft = k >= 1, hasRight = k + 2 < nodes.size();
  if (!hasLeft) return through(k);
  if (!hasRight) return through(k - 1);
  const double w = (frequencyMHz - f0) / (f1 - f0);
  return (1 - w) * through(k - 1) + w * through(k);
}

std::vector<TFinderFrequency> TFeedPointSweep::Points() const {
  std::vector<TFinderFrequency> points;
  for (const TBandSweep& band : FBands) {
    const std::vector<size_t> nodes = nodesOf(band);
    for (double f : band.points) {
      const Complex z = interpolate(band, nodes, f);
      requireUsable(f, z);
      points.push_back({f, z, band.group});
    }
  }
  return points;
}

std::vector<TSweepCentre> TFeedPointSweep::Centres() const {
  std::vector<TSweepCentre> centres;
  for (const TBandSweep& band : FBands) {
    const Complex z = band.computed[band.Centre()].value_or(Complex{});
    TSweepCentre centre{band.points[band.Centre()], z, std::nullopt, band.group};
    if (band.fineCentre) centre.uncertainty = std::abs(*band.fineCentre - z) / std::abs(z);
    centres.push_back(centre);
  }
  return centres;
}

std::vector<double> TFeedPointSweep::ModelFrequencies(size_t i) const {
  std::vector<double> frequencies;
  for (size_t n : nodesOf(FBands.at(i))) frequencies.push_back(FBands[i].points[n]);
  return frequencies;
}

std::complex<double> TFeedPointSweep::FeedPointAt(size_t i, double frequencyMHz) const {
  const TBandSweep& band = FBands.at(i);
  return interpolate(band, nodesOf(band), frequencyMHz);
}
