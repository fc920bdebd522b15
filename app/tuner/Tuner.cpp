#include "app/tuner/Tuner.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

void CheckTuner(const TTuner& tuner) {
  const bool internalOk = tuner.maxSwr >= 1 && std::isfinite(tuner.maxSwr);
  const bool externalOk = tuner.minZ > 0 && tuner.minZ < tuner.maxZ && std::isfinite(tuner.maxZ);
  if (tuner.kind == TTuner::Internal && !internalOk) {
    throw std::invalid_argument("An internal tuner needs a largest SWR of at least 1");
  }
  if (tuner.kind == TTuner::External && !externalOk) {
    throw std::invalid_argument("An external tuner needs 0 < Zmin < Zmax");
  }
}

double TunerMargin(const TTuner& tuner, std::complex<double> z) {
  if (!std::isfinite(z.real()) || !std::isfinite(z.imag()))
    return -std::numeric_limits<double>::infinity();
  if (tuner.kind == TTuner::External) {
    const double logZ = std::log(std::abs(z));
    return std::min(logZ - std::log(tuner.minZ), std::log(tuner.maxZ) - logZ);
  }
  const double g = std::abs((z - TunerReference) / (z + TunerReference));
  if (!(g < 1)) return -std::numeric_limits<double>::infinity();
  return std::log(tuner.maxSwr) - std::log((1 + g) / (1 - g));
}

bool CanMatch(const TTuner& tuner, std::complex<double> z) { return TunerMargin(tuner, z) >= 0; }
