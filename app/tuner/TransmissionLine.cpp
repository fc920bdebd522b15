#include "app/tuner/TransmissionLine.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <stdexcept>

#include "app/tuner/NecDeck.h"

const std::array<TLinePreset, 3> LinePresets = {{
    {u"Window line 450 Ω (Z0 400 Ω measured), #18",
     "window450",
     {400, 0.91, 1.024e-3, std::nullopt}},
    {u"Open wire 600 Ω, 2 mm", "open600", {600, 0.97, 2.0e-3, std::nullopt}},
    {u"Twin lead 300 Ω, #20", "twin300", {300, 0.80, 0.812e-3, std::nullopt}},
}};

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kMu0 = 4e-7 * kPi;  // H/m
constexpr double kDbPerNeper = 20 / std::numbers::ln10;

bool finitePositive(double v) { return v > 0 && std::isfinite(v); }

// Per metre of line, both conductors: copper's surface resistance over the
// circumference, raised by the proximity of the other wire.
double conductorResistance(const TTransmissionLine& line, double frequencyHz) {
  const double rs = std::sqrt(kPi * frequencyHz * kMu0 / CopperConductivity);
  const double x = std::cosh(line.z0 / (120 * line.velocityFactor));
  const double proximity = x / std::sqrt(x * x - 1);
  return 2 * rs / (kPi * line.conductorDiameterM) * proximity;
}

}  // namespace

void CheckLine(const TTransmissionLine& line) {
  if (!finitePositive(line.z0) || !finitePositive(line.velocityFactor) || line.velocityFactor > 1 ||
      !finitePositive(line.conductorDiameterM)) {
    throw std::invalid_argument(
        "A line needs Z0 above 0, a velocity factor above 0 up to 1 and a conductor diameter above "
        "0");
  }
  if (const auto& m = line.measuredLoss;
      m &&
      (!(m->dbPer100m >= 0) || !std::isfinite(m->dbPer100m) || !finitePositive(m->frequencyMHz))) {
    throw std::invalid_argument(
        "A measured loss needs dB per 100 m of at least 0 at a frequency above 0");
  }
}

double LineWavelength(const TTransmissionLine& line, double frequencyMHz) {
  return SpeedOfLight * line.velocityFactor / (frequencyMHz * 1e6);
}

double PhaseConstant(const TTransmissionLine& line, double frequencyMHz) {
  return 2 * kPi / LineWavelength(line, frequencyMHz);
}

double MatchedLossNepers(const TTransmissionLine& line, double frequencyMHz) {
  if (const auto& m = line.measuredLoss) {
    return m->dbPer100m / 100 / kDbPerNeper * std::sqrt(frequencyMHz / m->frequencyMHz);
  }
  return conductorResistance(line, frequencyMHz * 1e6) / (2 * line.z0);
}

double MatchedLossDbPer100m(const TTransmissionLine& line, double frequencyMHz) {
  return MatchedLossNepers(line, frequencyMHz) * 100 * kDbPerNeper;
}

std::complex<double> ReflectionOf(std::complex<double> z, double z0) { return (z - z0) / (z + z0); }

double SwrOf(std::complex<double> reflection) {
  const double g = std::abs(reflection);
  return g < 1 ? (1 + g) / (1 - g) : std::numeric_limits<double>::infinity();
}

TLineEnds ThroughTheLine(const TTransmissionLine& line, std::complex<double> zLoad,
                         double frequencyMHz, double lengthM, double powerW) {
  const double alpha = MatchedLossNepers(line, frequencyMHz);
  const std::complex<double> gammaL{alpha * lengthM, PhaseConstant(line, frequencyMHz) * lengthM};
  const std::complex<double> c = std::cosh(gammaL), s = std::sinh(gammaL);
  // Voltage and current at the tuner for 1 A into the antenna.
  const std::complex<double> vIn = zLoad * c + line.z0 * s;
  const std::complex<double> iIn = c + zLoad / line.z0 * s;
  TLineEnds ends;
  ends.tunerImpedance = vIn / iIn;
  ends.reflection = ReflectionOf(zLoad, line.z0);
  ends.swr = SwrOf(ends.reflection);
  ends.matchedLossDb = alpha * lengthM * kDbPerNeper;
  const double pLoad = zLoad.real();
  const double pIn = (vIn * std::conj(iIn)).real();
  const double inf = std::numeric_limits<double>::infinity();
  ends.efficiency = pIn > 0 ? std::max(0.0, pLoad) / pIn : 0;
  ends.totalLossDb = ends.efficiency > 0 ? -10 * std::log10(ends.efficiency) : inf;
  const double rIn = ends.tunerImpedance.real();
  ends.peakVoltage = rIn > 0 ? std::sqrt(2 * powerW * std::norm(ends.tunerImpedance) / rIn) : inf;
  return ends;
}

double FirstCurrentMaximum(std::complex<double> reflection, double lineWavelength) {
  if (reflection == 0.0) return 0;
  const double halfWave = lineWavelength / 2;
  const double beta = 2 * kPi / lineWavelength;
  double d = std::fmod((std::arg(reflection) - kPi) / (2 * beta), halfWave);
  if (d < 0) d += halfWave;
  if (d >= halfWave) d -= halfWave;
  return d == 0 ? 0.0 : d;  // never -0
}

double MaximaApart(double a, double b, double lineWavelength) {
  const double halfWave = lineWavelength / 2;
  double apart = std::fmod(std::abs(a - b), halfWave);
  return std::min(apart, halfWave - apart);
}
