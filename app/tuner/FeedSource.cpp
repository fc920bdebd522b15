#include "app/tuner/FeedSource.h"

#include <cmath>
#include <stdexcept>

#include "app/tuner/NumberText.h"

namespace {

using Complex = std::complex<double>;

bool finite(Complex z) { return std::isfinite(z.real()) && std::isfinite(z.imag()); }

Complex rawAt(const TFeedSource& source, double frequencyMHz) {
  if (source.kind == TFeedSource::Fixed) return source.fixed;
  return MeasuredImpedanceAt(source.points, frequencyMHz);
}

// The feed point at a frequency, the line taken back off a measurement at
// the tuner end; raises ENoFeedPoint for one no model of the antenna could give.
Complex feedPointAt(const TFeedSource& source, const TTransmissionLine& line, double lengthM,
                    double frequencyMHz) {
  Complex z = rawAt(source, frequencyMHz);
  if (source.kind == TFeedSource::Measured && source.atTuner)
    z = FeedPointOf(line, z, frequencyMHz, lengthM);
  if (!(z.real() > 0) || !finite(z)) {
    throw ENoFeedPoint("The measured feed point is no usable load at " +
                       TrimmedText(frequencyMHz, 6) + " MHz: R = " + TrimmedText(z.real(), 3) +
                       " ohm" + (source.atTuner ? " once the feeder is taken back off" : ""));
  }
  return z;
}

// A band's points and centre, or its centre with the reason it has none.
void addBand(const TFeedSource& source, const TTransmissionLine& line, double lengthM, int group,
             const std::vector<double>& frequencies, TSourcePoints& out) {
  TSweepCentre centre;
  centre.group = group;
  centre.frequencyMHz = frequencies[frequencies.size() / 2];
  std::vector<TFinderFrequency> points;
  try {
    for (double f : frequencies)
      points.push_back({f, feedPointAt(source, line, lengthM, f), group});
  } catch (const std::out_of_range& outside) {  // the measurement does not cover the band
    centre.error = outside.what();
    out.centres.push_back(centre);
    return;
  }
  centre.feedImpedance = points[frequencies.size() / 2].feedImpedance;
  out.centres.push_back(centre);
  out.points.insert(out.points.end(), points.begin(), points.end());
}

}  // namespace

void CheckFeedSource(const TFeedSource& source) {
  if (source.kind == TFeedSource::Fixed && (!(source.fixed.real() > 0) || !finite(source.fixed)))
    throw std::invalid_argument("A fixed feed point needs a finite R above 0 and a finite X");
  if (source.kind == TFeedSource::Measured && source.points.empty())
    throw std::invalid_argument("A measured feed point needs a file with points");
}

TSourcePoints FeedPointsOf(const TFeedSource& source, const TTransmissionLine& line, double lengthM,
                           TRegion region, const std::vector<int>& bands, double frequencyMHz) {
  if (source.kind == TFeedSource::Model)
    throw std::invalid_argument("The antenna model's feed points come from its band sweep");
  CheckFeedSource(source);
  CheckLine(line);
  TSourcePoints out;
  if (bands.empty()) addBand(source, line, lengthM, -1, {frequencyMHz}, out);
  for (int b : bands)
    addBand(source, line, lengthM, b, BandSweepPoints(BandPlan(region).at(size_t(b))), out);
  return out;
}
