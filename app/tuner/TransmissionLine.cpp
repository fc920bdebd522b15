#include "app/tuner/TransmissionLine.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <stdexcept>
#include <string>

#include "app/tuner/NecDeck.h"
#include "app/tuner/NumberText.h"

const std::array<TLinePreset, 3> LinePresets = {{
    {u"Window line 450 Ω (Z0 400 Ω measured), #18",
     "window450",
     {400, 0.91, 1.024e-3, std::nullopt}},
    {u"Open wire 600 Ω, 2 mm", "open600", {600, 0.97, 2.0e-3, std::nullopt}},
    {u"Twin lead 300 Ω, #20", "twin300", {300, 0.80, 0.812e-3, std::nullopt}},
}};

namespace {

using Complex = std::complex<double>;

constexpr double kPi = std::numbers::pi;
constexpr double kMu0 = 4e-7 * kPi;  // H/m
constexpr double kDbPerNeper = 20 / std::numbers::ln10;
// Free space's impedance over π: a two-wire line's Z0 is this times VF times
// acosh(spacing / diameter).
constexpr double kTwoWireOhm = 120;

bool finitePositive(double v) { return v > 0 && std::isfinite(v); }

double nepersPerMetre(const TMeasuredLoss& loss) { return loss.dbPer100m / 100 / kDbPerNeper; }

// A measured matched loss α(f) = a sqrt(f) + b f (Np/m, f in MHz): a for the
// conductors, b for the dielectric.
struct TLossSplit {
  double a = 0;
  double b = 0;
};

TLossSplit splitOf(const TMeasuredLoss& first, const std::optional<TMeasuredLoss>& second) {
  const double f1 = first.frequencyMHz, alpha1 = nepersPerMetre(first);
  if (!second) return {alpha1 / std::sqrt(f1), 0};
  const double f2 = second->frequencyMHz, alpha2 = nepersPerMetre(*second);
  const double r1 = std::sqrt(f1), r2 = std::sqrt(f2);
  const double det = r1 * f2 - r2 * f1;
  TLossSplit split{(alpha1 * f2 - alpha2 * f1) / det, (alpha2 * r1 - alpha1 * r2) / det};
  // Two losses exactly in the ratio of sqrt(f) or of f leave the other part
  // a rounding error away from 0.
  const double scale = std::max(alpha1, alpha2) * 1e-12;
  if (std::abs(split.a * std::max(r1, r2)) < scale) split.a = 0;
  if (std::abs(split.b * std::max(f1, f2)) < scale) split.b = 0;
  return split;
}

void checkMeasuredLoss(const TMeasuredLoss& m) {
  if (!(m.dbPer100m >= 0) || !std::isfinite(m.dbPer100m) || !finitePositive(m.frequencyMHz)) {
    throw std::invalid_argument(
        "A measured loss needs dB per 100 m of at least 0 at a frequency above 0");
  }
}

void checkMeasuredLosses(const TTransmissionLine& line) {
  if (!line.measuredLoss) return;
  checkMeasuredLoss(*line.measuredLoss);
  if (!line.secondMeasuredLoss) return;
  checkMeasuredLoss(*line.secondMeasuredLoss);
  if (line.secondMeasuredLoss->frequencyMHz == line.measuredLoss->frequencyMHz)
    throw std::invalid_argument("The two measured losses need two different frequencies");
  const TLossSplit split = splitOf(*line.measuredLoss, line.secondMeasuredLoss);
  if (split.a < 0 || split.b < 0) {
    throw std::invalid_argument(
        "The two measured losses cannot be split into a conductor loss growing with the root of "
        "the frequency and a dielectric loss growing with the frequency: between them the loss "
        "must grow at least with the root of the frequency and at most in proportion to it");
  }
}

// Per metre of line, both conductors: copper's surface resistance over the
// circumference, raised by the proximity of the other wire.
double conductorResistance(const TTransmissionLine& line, double frequencyHz) {
  const double rs = std::sqrt(kPi * frequencyHz * kMu0 / CopperConductivity);
  const double x = WireSpacingDiameters(line);
  const double proximity = x / std::sqrt(x * x - 1);
  return 2 * rs / (kPi * line.conductorDiameterM) * proximity;
}

}  // namespace

double WireSpacingDiameters(const TTransmissionLine& line) {
  return std::cosh(line.z0 / (kTwoWireOhm * line.velocityFactor));
}

void CheckLine(const TTransmissionLine& line) {
  if (!finitePositive(line.z0) || !finitePositive(line.velocityFactor) || line.velocityFactor > 1 ||
      !finitePositive(line.conductorDiameterM)) {
    throw std::invalid_argument(
        "A line needs Z0 above 0, a velocity factor above 0 up to 1 and a conductor diameter above "
        "0");
  }
  if (!(line.lossTangent >= 0) || !(line.lossTangent < 1))
    throw std::invalid_argument("A line's loss tangent must lie from 0 to below 1");
  checkMeasuredLosses(line);
  if (!line.measuredLoss && !(WireSpacingDiameters(line) >= MinWireSpacingDiameters)) {
    throw std::invalid_argument(
        "A line of Z0 " + TrimmedText(line.z0, 2) + " ohm and velocity factor " +
        TrimmedText(line.velocityFactor, 3) + " would have its wires " +
        TrimmedText(WireSpacingDiameters(line), 2) +
        " diameters apart, closer than their own diameter: give a higher Z0 or a lower velocity "
        "factor");
  }
}

TLineConstants LineConstants(const TTransmissionLine& line, double frequencyMHz) {
  const double omega = 2 * kPi * frequencyMHz * 1e6;
  TLineConstants k;
  k.l = line.z0 / (line.velocityFactor * SpeedOfLight);
  k.c = 1 / (line.z0 * line.velocityFactor * SpeedOfLight);
  if (!line.measuredLoss) {
    k.r = conductorResistance(line, frequencyMHz * 1e6);
    k.g = omega * k.c * line.lossTangent;
    return k;
  }
  // R and G that give exactly the measured matched loss, split as measured:
  // with R = 2 Z0 α_c s and G = 2 α_d s / Z0, γ = (α_c + α_d) + j s β0 when
  // s² = (β0² + (α_c + α_d)²) / (β0² + 4 α_c α_d).
  const TLossSplit split = splitOf(*line.measuredLoss, line.secondMeasuredLoss);
  const double conductor = split.a * std::sqrt(frequencyMHz);
  const double dielectric = split.b * frequencyMHz;
  const double total = conductor + dielectric;
  const double beta0 = omega * std::sqrt(k.l * k.c);
  const double s =
      std::sqrt((beta0 * beta0 + total * total) / (beta0 * beta0 + 4 * conductor * dielectric));
  k.r = 2 * line.z0 * conductor * s;
  k.g = 2 * dielectric * s / line.z0;
  return k;
}

TLineWave LineWave(const TTransmissionLine& line, double frequencyMHz) {
  const TLineConstants k = LineConstants(line, frequencyMHz);
  const double omega = 2 * kPi * frequencyMHz * 1e6;
  const Complex series{k.r, omega * k.l};
  const Complex shunt{k.g, omega * k.c};
  return {std::sqrt(series / shunt), std::sqrt(series * shunt)};
}

double LineWavelength(const TTransmissionLine& line, double frequencyMHz) {
  return 2 * kPi / PhaseConstant(line, frequencyMHz);
}

double PhaseConstant(const TTransmissionLine& line, double frequencyMHz) {
  return LineWave(line, frequencyMHz).gamma.imag();
}

double MatchedLossNepers(const TTransmissionLine& line, double frequencyMHz) {
  return LineWave(line, frequencyMHz).gamma.real();
}

double MatchedLossDbPer100m(const TTransmissionLine& line, double frequencyMHz) {
  return MatchedLossNepers(line, frequencyMHz) * 100 * kDbPerNeper;
}

std::complex<double> ReflectionOf(std::complex<double> z, std::complex<double> z0) {
  return (z - z0) / (z + z0);
}

double SwrOf(std::complex<double> reflection) {
  const double g = std::abs(reflection);
  return g < 1 ? (1 + g) / (1 - g) : std::numeric_limits<double>::infinity();
}

TLineEnds ThroughTheLine(const TTransmissionLine& line, std::complex<double> zLoad,
                         double frequencyMHz, double lengthM, double powerW) {
  const TLineWave wave = LineWave(line, frequencyMHz);
  const Complex gl = wave.gamma * lengthM;
  const Complex c = std::cosh(gl), s = std::sinh(gl);
  // Voltage and current at the tuner for 1 A into the antenna.
  const Complex vIn = zLoad * c + wave.zc * s;
  const Complex iIn = c + zLoad / wave.zc * s;
  TLineEnds ends;
  ends.tunerImpedance = vIn / iIn;
  ends.reflection = ReflectionOf(zLoad, line.z0);
  ends.swr = SwrOf(ends.reflection);
  ends.matchedLossDb = gl.real() * kDbPerNeper;
  const double pLoad = zLoad.real();
  const double pIn = (vIn * std::conj(iIn)).real();
  const double inf = std::numeric_limits<double>::infinity();
  ends.efficiency = pIn > 0 ? std::max(0.0, pLoad) / pIn : 0;
  ends.totalLossDb = ends.efficiency > 0 ? -10 * std::log10(ends.efficiency) : inf;
  const double rIn = ends.tunerImpedance.real();
  ends.peakVoltage = rIn > 0 ? std::sqrt(2 * powerW * std::norm(ends.tunerImpedance) / rIn) : inf;
  return ends;
}

std::complex<double> FeedPointOf(const TTransmissionLine& line, std::complex<double> zTuner,
                                 double frequencyMHz, double lengthM) {
  const TLineWave wave = LineWave(line, frequencyMHz);
  const Complex t = std::tanh(wave.gamma * lengthM);
  return wave.zc * (zTuner - wave.zc * t) / (wave.zc - zTuner * t);
}

namespace {

// |I(d)|² at d from the antenna goes as e^{2αd} + |Γ|² e^{-2αd} - 2 |Γ| cos(2βd - φ),
// Γ = |Γ| e^{jφ} against Zc; half its slope is
// h(d) = α (e^{2αd} - |Γ|² e^{-2αd}) + 2 β |Γ| sin(2βd - φ).
struct TCurrentSlope {
  double alpha, beta, g, phi;
  double operator()(double d) const {
    return alpha * (std::exp(2 * alpha * d) - g * g * std::exp(-2 * alpha * d)) +
           2 * beta * g * std::sin(2 * beta * d - phi);
  }
};

// The zero of slope between a, where it is > 0, and b, where it is <= 0.
double zeroBetween(const TCurrentSlope& slope, double a, double b) {
  for (int i = 0; i < 100; ++i) {
    const double m = (a + b) / 2;
    (slope(m) > 0 ? a : b) = m;
  }
  return (a + b) / 2;
}

// Where slope is least within [a, b] (golden section; it has one minimum there).
double leastBetween(const TCurrentSlope& slope, double a, double b) {
  constexpr double kGolden = 0.6180339887498949;
  double x1 = b - kGolden * (b - a), x2 = a + kGolden * (b - a);
  double y1 = slope(x1), y2 = slope(x2);
  for (int i = 0; i < 100; ++i) {
    if (y1 < y2) {
      b = x2, x2 = x1, y2 = y1, x1 = b - kGolden * (b - a), y1 = slope(x1);
    } else {
      a = x1, x1 = x2, y1 = y2, x2 = a + kGolden * (b - a), y2 = slope(x2);
    }
  }
  return (a + b) / 2;
}

// A maximum this close to the antenna, on either side, is the feed point's
// own: the table's centimetres show it as 0.00 m.
constexpr double kAtTheAntennaM = 0.005;

}  // namespace

std::optional<double> FirstCurrentMaximum(const TLineWave& wave, std::complex<double> zLoad) {
  const Complex reflection = ReflectionOf(zLoad, wave.zc);
  const TCurrentSlope slope{
      wave.gamma.real(), wave.gamma.imag(), std::abs(reflection), std::arg(reflection)};
  if (slope.g == 0 && slope.alpha == 0) return 0.0;  // flat: the antenna is as good as any
  // The standing wave's maxima lie near 2βd - φ = π (mod 2π), a half wave
  // apart; the loss shifts each a little towards the antenna, and where it
  // outweighs the standing wave there is none.
  const double halfWave = kPi / slope.beta, eighth = halfWave / 4;
  double centre = (kPi + slope.phi) / (2 * slope.beta);
  centre += halfWave * (std::floor((-eighth - centre) / halfWave) + 1);
  for (int k = 0; k < 3; ++k, centre += halfWave) {
    // h falls from its top λ/8 before centre through the maximum to its
    // least about λ/8 after it. The first term grows with d and the second
    // repeats every half wave, so once that least stays above 0 it does for
    // good: no maximum here or further on.
    const double low = centre - eighth;
    const double least = leastBetween(slope, centre, centre + halfWave / 2);
    if (!(slope(least) <= 0) || !(slope(low) > 0)) return std::nullopt;
    const double maximum = zeroBetween(slope, low, least);
    if (std::abs(maximum) < kAtTheAntennaM) return 0.0;
    if (maximum > 0) return maximum;
  }
  return std::nullopt;
}

double MaximaApart(double a, double b, double lineWavelength) {
  const double halfWave = lineWavelength / 2;
  double apart = std::fmod(std::abs(a - b), halfWave);
  return std::min(apart, halfWave - apart);
}
