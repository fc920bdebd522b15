#include "app/tuner/TunerNetwork.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <stdexcept>

#include "app/tuner/NumberText.h"

namespace {

using Z = std::complex<double>;

constexpr double kRig = 50;  // ohm, the rig side's impedance to reach
// A solved setting whose rig-side impedance strays further than this from
// 50 + j0 Ω (rounding near a degenerate quadratic) is not taken.
constexpr double kMatchTolerance = 1e-7;
constexpr double kMatchNorm = (kMatchTolerance * kRig) * (kMatchTolerance * kRig);
// Ranges are closed; a value computed for a range end may round just past it.
constexpr double kRangeSlack = 1e-9;
// Samples of the free capacitor across its range: the loss along the family
// of matching settings is smooth in its logarithm, with at most a few
// extrema, each refined below.
constexpr int kSamples = 24;
constexpr int kRefineSteps = 40;
// How far beyond its range the search for the nearest setting of a load that
// does not match lets the free capacitor go, as a factor.
constexpr double kShortfallReach = 1e4;
constexpr int kShortfallSamples = 400;
constexpr double kInf = std::numeric_limits<double>::infinity();

enum class TTopology { T, Pi, ShuntLAtRig, ShuntLAtAntenna, ShuntCAtRig, ShuntCAtAntenna };

// A setting as reactance magnitudes (ohm): capacitors 1/(ωC), the coil ωL;
// 0 for a position the topology does not have.
struct TSetting {
  double rigC = 0;
  double coil = 0;
  double antC = 0;
};

// The network at one frequency: a component of reactance x is x times its
// unit impedance (kCoil for the coil, kCap for a capacitor).
struct TParts {
  double omega = 0;
  Z kCoil, kCap;
  Z yCoil, yCap;                     // their inverses, the unit admittances
  double capLow = 0, capHigh = 0;    // reactance range of a capacitor
  double coilLow = 0, coilHigh = 0;  // of the coil
};

TParts partsAt(const TTunerNetwork& network, double frequencyMHz) {
  TParts parts;
  parts.omega = 2 * std::numbers::pi * frequencyMHz * 1e6;
  parts.kCoil = Z(1 / network.inductorQ, 1);
  parts.kCap = Z(1 / network.capacitorQ, -1);
  parts.yCoil = 1.0 / parts.kCoil;
  parts.yCap = 1.0 / parts.kCap;
  parts.capLow = 1 / (parts.omega * network.capacitorPf.high * 1e-12);
  parts.capHigh = 1 / (parts.omega * network.capacitorPf.low * 1e-12);
  parts.coilLow = parts.omega * network.inductorUh.low * 1e-6;
  parts.coilHigh = parts.omega * network.inductorUh.high * 1e-6;
  return parts;
}

// Complex quotients written out: the library's division guards against
// infinities and NaN with a call per division, which the solver's inner loop
// cannot afford. A non-finite result is refused where a setting is checked.
Z inverse(Z b) {
  const double scale = 1 / (b.real() * b.real() + b.imag() * b.imag());
  return {b.real() * scale, -b.imag() * scale};
}
Z quotient(Z a, Z b) { return a * inverse(b); }

Z parallel(Z a, Z b) { return quotient(a * b, a + b); }

// The circuit driven with 1 A (RMS) into its rig side.
struct TCircuit {
  Z zIn;
  Z iRigC, iCoil, iAntC, iLoad;
  Z vRigC, vAntC;  // across each capacitor
};

TCircuit solveCircuit(TTopology topology, const TParts& parts, const TSetting& s, Z zLoad) {
  const Z zRigC = s.rigC * parts.kCap, zCoil = s.coil * parts.kCoil, zAntC = s.antC * parts.kCap;
  TCircuit c;
  switch (topology) {
    case TTopology::T: {
      const Z zArm = zAntC + zLoad, zNode = parallel(zCoil, zArm);
      c.zIn = zRigC + zNode;
      c.iRigC = 1, c.iCoil = quotient(zNode, zCoil), c.iAntC = c.iLoad = quotient(zNode, zArm);
      break;
    }
    case TTopology::Pi: {
      const Z zOut = parallel(zAntC, zLoad), zArm = zCoil + zOut;
      c.zIn = parallel(zRigC, zArm);
      c.iRigC = quotient(c.zIn, zRigC), c.iCoil = quotient(c.zIn, zArm);
      c.iAntC = quotient(c.iCoil * zOut, zAntC), c.iLoad = quotient(c.iCoil * zOut, zLoad);
      break;
    }
    case TTopology::ShuntLAtRig: {
      const Z zArm = zAntC + zLoad;
      c.zIn = parallel(zCoil, zArm);
      c.iCoil = quotient(c.zIn, zCoil), c.iAntC = c.iLoad = quotient(c.zIn, zArm);
      break;
    }
    case TTopology::ShuntLAtAntenna: {
      const Z zNode = parallel(zCoil, zLoad);
      c.zIn = zRigC + zNode;
      c.iRigC = 1, c.iCoil = quotient(zNode, zCoil), c.iLoad = quotient(zNode, zLoad);
      break;
    }
    case TTopology::ShuntCAtRig: {
      const Z zArm = zCoil + zLoad;
      c.zIn = parallel(zRigC, zArm);
      c.iRigC = quotient(c.zIn, zRigC), c.iCoil = c.iLoad = quotient(c.zIn, zArm);
      break;
    }
    case TTopology::ShuntCAtAntenna: {
      const Z zNode = parallel(zAntC, zLoad);
      c.zIn = zCoil + zNode;
      c.iCoil = 1, c.iAntC = quotient(zNode, zAntC), c.iLoad = quotient(zNode, zLoad);
      break;
    }
  }
  c.vRigC = c.iRigC * zRigC, c.vAntC = c.iAntC * zAntC;
  return c;
}

// ---- the two-element section ----
//
// Every network here, with all but two of its components given, reduces to
//   u p + M(v) = target,  M(v) = (α v + β) / (γ v + δ)
// for two unknown reactances (or susceptances) u and v: u p is the element at
// the rig side as impedance (series) or admittance (shunt), M what it looks
// into, a Möbius function of the other unknown. With a = Re p / Im p, the
// imaginary part gives u = (Im target - Im M) / Im p, and the real part then
// reads Re(c M) = τ with c = 1 + j a and τ = Re(c target). Multiplied out with
// |γ v + δ|^2:
//   v^2 [Re(c α γ*) - τ|γ|^2] + v [Re(c (α δ* + β γ*)) - 2τ Re(γ δ*)]
//       + [Re(c β δ*) - τ|δ|^2] = 0.
struct TSection {
  Z p, alpha, beta, gamma, delta, target;
};

struct TRoots {
  int count = 0;
  double u[2] = {0, 0};
  double v[2] = {0, 0};
};

// The quadratic's coefficients; the discriminant tells where roots exist.
struct TQuadratic {
  double a, b, c;
  double discriminant() const { return b * b - 4 * a * c; }
};

TQuadratic quadraticOf(const TSection& s) {
  const Z c(1, s.p.real() / s.p.imag());
  const double tau = (c * s.target).real();
  return {(c * s.alpha * std::conj(s.gamma)).real() - tau * std::norm(s.gamma),
          (c * (s.alpha * std::conj(s.delta) + s.beta * std::conj(s.gamma))).real() -
              2 * tau * (s.gamma * std::conj(s.delta)).real(),
          (c * s.beta * std::conj(s.delta)).real() - tau * std::norm(s.delta)};
}

// Roots in ascending v (the two branches of a family of settings).
TRoots solveSection(const TSection& s) {
  const TQuadratic q = quadraticOf(s);
  const double d = q.discriminant();
  TRoots roots;
  if (!(d >= 0)) return roots;
  // The stable pair of formulas: no difference of nearly equal numbers.
  const double h = -0.5 * (q.b + std::copysign(std::sqrt(d), q.b));
  double v[2];
  int n = 0;
  if (q.a != 0) v[n++] = h / q.a;
  if (h != 0) v[n++] = q.c / h;
  if (n == 2 && v[1] < v[0]) std::swap(v[0], v[1]);
  for (int i = 0; i < n; ++i) {
    const Z m = quotient(s.alpha * v[i] + s.beta, s.gamma * v[i] + s.delta);
    const double u = (s.target.imag() - m.imag()) / s.p.imag();
    if (!std::isfinite(u) || !std::isfinite(v[i])) continue;
    roots.u[roots.count] = u, roots.v[roots.count] = v[i], ++roots.count;
  }
  return roots;
}

// ---- the families of settings ----

// The T or the Pi with its antenna-side capacitor given: the rig-side
// element (u) and the coil (v).
TSection sectionForAntennaC(TTopology topology, const TParts& p, double antC, Z zLoad) {
  if (topology == TTopology::T) {  // series C1 into (L || (C2 + load)), v = ωL
    const Z arm = zLoad + antC * p.kCap;
    return {p.kCap, p.kCoil * arm, 0, p.kCoil, arm, kRig};
  }
  // Pi, in admittances: shunt C1 beside 1 / (ωL kCoil + 1 / yOut).
  const Z yOut = inverse(zLoad) + p.yCap / antC;
  return {p.yCap, 0, yOut, p.kCoil * yOut, 1, 1 / kRig};
}

TSetting settingOf(TTopology topology, double antC, double u, double v) {
  if (topology == TTopology::T) return {u, v, antC};
  return {1 / u, v, antC};  // Pi: u is 1 / |X| of the rig-side capacitor
}

// The T or the Pi with its rig-side capacitor or its coil at a range end:
// the other of the two and the antenna-side capacitor (v).
TSection sectionForRigC(TTopology topology, const TParts& p, double rigC, Z zLoad) {
  if (topology == TTopology::T) {  // shunt L beside 1 / (C2 + load), in admittances
    return {p.yCoil, 0, 1, p.kCap, zLoad, inverse(kRig - rigC * p.kCap)};
  }
  // Pi: series L into (C2 || load), in impedances.
  const Z yRest = 1 / kRig - p.yCap / rigC;
  return {p.kCoil, p.kCap * zLoad, 0, p.kCap, zLoad, inverse(yRest)};
}

TSection sectionForCoil(TTopology topology, const TParts& p, double coil, Z zLoad) {
  const Z zCoil = coil * p.kCoil;
  if (topology == TTopology::T) {  // series C1 into (L || (C2 + load))
    return {p.kCap, zCoil * p.kCap, zCoil * zLoad, p.kCap, zCoil + zLoad, kRig};
  }
  // Pi: shunt C1 beside 1 / (L + (C2 || load)), in admittances.
  return {p.yCap, p.kCap, zLoad, (zCoil + zLoad) * p.kCap, zCoil * zLoad, 1 / kRig};
}

// An L network's one section: the rig-side element (u) and the other (v).
TSection sectionForL(TTopology topology, const TParts& p, Z zLoad) {
  switch (topology) {
    case TTopology::ShuntLAtAntenna:  // series C into (L || load)
      return {p.kCap, p.kCoil * zLoad, 0, p.kCoil, zLoad, kRig};
    case TTopology::ShuntCAtAntenna:  // series L into (C || load)
      return {p.kCoil, p.kCap * zLoad, 0, p.kCap, zLoad, kRig};
    case TTopology::ShuntLAtRig:  // shunt L beside 1 / (C + load)
      return {p.yCoil, 0, 1, p.kCap, zLoad, 1 / kRig};
    default:  // shunt C beside 1 / (L + load)
      return {p.yCap, 0, 1, p.kCoil, zLoad, 1 / kRig};
  }
}

TSetting settingOfL(TTopology topology, double u, double v) {
  switch (topology) {
    case TTopology::ShuntLAtAntenna:
      return {u, v, 0};
    case TTopology::ShuntCAtAntenna:
      return {0, u, v};
    case TTopology::ShuntLAtRig:
      return {0, 1 / u, v};
    default:
      return {1 / u, v, 0};
  }
}

bool hasRigC(TTopology t) {
  return t == TTopology::T || t == TTopology::Pi || t == TTopology::ShuntLAtAntenna ||
         t == TTopology::ShuntCAtRig;
}
bool hasAntC(TTopology t) {
  return t == TTopology::T || t == TTopology::Pi || t == TTopology::ShuntLAtRig ||
         t == TTopology::ShuntCAtAntenna;
}

bool within(double x, double low, double high) {
  return x >= low * (1 - kRangeSlack) && x <= high * (1 + kRangeSlack);
}

bool inRange(TTopology t, const TParts& p, const TSetting& s) {
  return within(s.coil, p.coilLow, p.coilHigh) &&
         (!hasRigC(t) || within(s.rigC, p.capLow, p.capHigh)) &&
         (!hasAntC(t) || within(s.antC, p.capLow, p.capHigh));
}

// Fast path: the rig-side impedance and the load's current of solveCircuit
// with one complex inverse per branching node instead of all the currents;
// the solver calls it about a hundred times per load.
struct TTransfer {
  Z zIn, iLoad;
};

TTransfer transferOf(TTopology topology, const TParts& parts, const TSetting& s, Z zLoad) {
  const Z zRigC = s.rigC * parts.kCap, zCoil = s.coil * parts.kCoil, zAntC = s.antC * parts.kCap;
  switch (topology) {
    case TTopology::T: {  // the load's share of the node's current: zCoil / (zCoil + zArm)
      const Z share = zCoil * inverse(zCoil + zAntC + zLoad);
      return {zRigC + (zAntC + zLoad) * share, share};
    }
    case TTopology::Pi: {
      const Z toLoad = zAntC * inverse(zAntC + zLoad), zArm = zCoil + zLoad * toLoad;
      const Z iCoil = zRigC * inverse(zRigC + zArm);
      return {zArm * iCoil, iCoil * toLoad};
    }
    case TTopology::ShuntLAtRig: {
      const Z iLoad = zCoil * inverse(zCoil + zAntC + zLoad);
      return {(zAntC + zLoad) * iLoad, iLoad};
    }
    case TTopology::ShuntLAtAntenna: {
      const Z iLoad = zCoil * inverse(zCoil + zLoad);
      return {zRigC + zLoad * iLoad, iLoad};
    }
    case TTopology::ShuntCAtRig: {
      const Z iLoad = zRigC * inverse(zRigC + zCoil + zLoad);
      return {(zCoil + zLoad) * iLoad, iLoad};
    }
    default: {
      const Z iLoad = zAntC * inverse(zAntC + zLoad);
      return {zCoil + zLoad * iLoad, iLoad};
    }
  }
}

// The efficiency of a setting that matches, or none.
std::optional<double> efficiencyOf(TTopology t, const TParts& p, const TSetting& s, Z zLoad) {
  if (!inRange(t, p, s)) return std::nullopt;
  const TTransfer c = transferOf(t, p, s, zLoad);
  if (!(std::norm(c.zIn - kRig) <= kMatchNorm)) return std::nullopt;
  return std::norm(c.iLoad) * zLoad.real() / c.zIn.real();
}

// The best setting found so far of one topology.
struct TBest {
  double efficiency = -1;
  TSetting setting;
  void offer(TTopology t, const TParts& p, const TSetting& s, Z zLoad) {
    const std::optional<double> e = efficiencyOf(t, p, s, zLoad);
    if (e && *e > efficiency) efficiency = *e, setting = s;
  }
};

// ---- the least loss ----

// The T or the Pi: every setting that matches lies on the curve traced by the
// two roots as the antenna-side capacitor runs through its range; t in 0..1
// runs through it in equal steps of its logarithm.
struct TFamily {
  TTopology topology;
  const TParts& parts;
  Z zLoad;

  double logRatio = std::log(parts.capHigh / parts.capLow);

  // The matching settings at one value of the antenna-side capacitor.
  struct TPoint {
    double antC;
    TRoots roots;
    TSetting setting(TTopology t, int branch) const {
      return settingOf(t, antC, roots.u[branch], roots.v[branch]);
    }
  };

  TPoint pointAt(double t) const {
    const double antC = parts.capLow * std::exp(logRatio * t);
    return {antC, solveSection(sectionForAntennaC(topology, parts, antC, zLoad))};
  }
  double efficiencyAt(double t, int branch) const {
    const TPoint point = pointAt(t);
    if (branch >= point.roots.count) return -1;
    return efficiencyOf(topology, parts, point.setting(topology, branch), zLoad).value_or(-1);
  }
};

// Brent's search for the largest efficiency of one branch in [a, b] around
// the sample x that beat its neighbours: parabolas through the last three
// points where the efficiency is smooth, golden sections where they misstep
// (as at the edge of a range, where it drops to -1).
struct TBrent {
  double a, b;
  double x, w, v;     // the best point so far, the second best, the previous w
  double fx, fw, fv;  // their losses (the efficiency, negated)
  double step = 0, lastStep = 0;

  // The next point to try; tol is the smallest step that counts.
  double next(double tol) {
    constexpr double kGoldenShare = 0.3819660112501051;
    const double middle = 0.5 * (a + b);
    if (std::abs(lastStep) > tol) {
      double r = (x - w) * (fx - fv), q = (x - v) * (fx - fw), p = (x - v) * q - (x - w) * r;
      q = 2 * (q - r);
      if (q > 0) p = -p;
      q = std::abs(q);
      const double before = lastStep;
      lastStep = step;
      if (std::abs(p) < std::abs(0.5 * q * before) && p > q * (a - x) && p < q * (b - x)) {
        step = p / q;
        if (x + step - a < 2 * tol || b - x - step < 2 * tol) step = std::copysign(tol, middle - x);
        return x + (std::abs(step) >= tol ? step : std::copysign(tol, step));
      }
    }
    lastStep = x >= middle ? a - x : b - x;
    step = kGoldenShare * lastStep;
    return x + (std::abs(step) >= tol ? step : std::copysign(tol, step));
  }

  void take(double u, double fu) {
    if (fu <= fx) {
      (u >= x ? a : b) = x;
      v = w, fv = fw, w = x, fw = fx, x = u, fx = fu;
      return;
    }
    (u < x ? a : b) = u;
    if (fu <= fw || w == x) {
      v = w, fv = fw, w = u, fw = fu;
    } else if (fu <= fv || v == x || v == w) {
      v = u, fv = fu;
    }
  }
};

void refineMaximum(const TFamily& f, int branch, double a, double b, double x, double ex,
                   TBest& best) {
  constexpr double kTolerance = 1e-6;  // of t, which runs 0..1 over the range
  TBrent brent{a, b, x, x, x, -ex, -ex, -ex};
  for (int step = 0; step < kRefineSteps; ++step) {
    if (std::abs(brent.x - 0.5 * (brent.a + brent.b)) <= 2 * kTolerance - 0.5 * (brent.b - brent.a))
      break;
    const double u = brent.next(kTolerance);
    brent.take(u, -f.efficiencyAt(u, branch));
  }
  const TFamily::TPoint point = f.pointAt(brent.x);
  if (branch < point.roots.count)
    best.offer(f.topology, f.parts, point.setting(f.topology, branch), f.zLoad);
}

// Where the two branches meet (the discriminant changes sign between two
// samples), both end: the settings there are candidates too.
void refineFold(const TFamily& f, double a, double b, TBest& best) {
  const bool rootsAtA = f.pointAt(a).roots.count > 0;
  for (int step = 0; step < 40; ++step) {
    const double m = 0.5 * (a + b);
    (f.pointAt(m).roots.count > 0) == rootsAtA ? a = m : b = m;
  }
  const TFamily::TPoint point = f.pointAt(rootsAtA ? a : b);
  for (int k = 0; k < point.roots.count; ++k)
    best.offer(f.topology, f.parts, point.setting(f.topology, k), f.zLoad);
}

// The settings where the rig-side capacitor or the coil sits at an end of
// its range, in closed form: the ends of the stretches of the curve that lie
// within the ranges.
void offerRangeEnds(TTopology t, const TParts& p, Z zLoad, TBest& best) {
  for (const double rigC : {p.capLow, p.capHigh}) {
    const TRoots roots = solveSection(sectionForRigC(t, p, rigC, zLoad));
    for (int k = 0; k < roots.count; ++k) {
      const double coil = t == TTopology::T ? 1 / roots.u[k] : roots.u[k];
      best.offer(t, p, {rigC, coil, roots.v[k]}, zLoad);
    }
  }
  for (const double coil : {p.coilLow, p.coilHigh}) {
    const TRoots roots = solveSection(sectionForCoil(t, p, coil, zLoad));
    for (int k = 0; k < roots.count; ++k) {
      const double rigC = t == TTopology::T ? roots.u[k] : 1 / roots.u[k];
      best.offer(t, p, {rigC, coil, roots.v[k]}, zLoad);
    }
  }
}

// The T or the Pi: the largest efficiency over the curve's stretches within
// the ranges. Candidates: the samples, the range ends (the curve's stretches
// end there or at a fold), the folds, and each branch's interior maxima.
TBest bestOfFamily(TTopology topology, const TParts& parts, Z zLoad) {
  const TFamily f{topology, parts, zLoad};
  TBest best;
  std::array<std::array<double, 2>, kSamples> efficiency;
  std::array<int, kSamples> counts;
  const auto tAt = [](int i) { return double(i) / (kSamples - 1); };
  for (int i = 0; i < kSamples; ++i) {
    const TFamily::TPoint point = f.pointAt(tAt(i));
    counts[size_t(i)] = point.roots.count;
    for (int k = 0; k < 2; ++k) {
      const TSetting setting = point.setting(topology, std::min(k, 1));
      const std::optional<double> e =
          k < point.roots.count ? efficiencyOf(topology, parts, setting, zLoad) : std::nullopt;
      efficiency[size_t(i)][size_t(k)] = e.value_or(-1);
      if (e && *e > best.efficiency) best.efficiency = *e, best.setting = setting;
    }
  }
  offerRangeEnds(topology, parts, zLoad, best);
  for (int i = 0; i + 1 < kSamples; ++i) {
    if ((counts[size_t(i)] == 0) != (counts[size_t(i + 1)] == 0))
      refineFold(f, tAt(i), tAt(i + 1), best);
  }
  for (int k = 0; k < 2; ++k) {
    for (int i = 0; i < kSamples; ++i) {
      const double e = efficiency[size_t(i)][size_t(k)];
      const bool peak = e >= 0 && (i == 0 || e >= efficiency[size_t(i - 1)][size_t(k)]) &&
                        (i + 1 == kSamples || e >= efficiency[size_t(i + 1)][size_t(k)]);
      if (peak) {
        refineMaximum(
            f, k, tAt(std::max(i - 1, 0)), tAt(std::min(i + 1, kSamples - 1)), tAt(i), e, best);
      }
    }
  }
  return best;
}

TBest bestOfL(TTopology topology, const TParts& parts, Z zLoad) {
  TBest best;
  const TRoots roots = solveSection(sectionForL(topology, parts, zLoad));
  for (int k = 0; k < roots.count; ++k)
    best.offer(topology, parts, settingOfL(topology, roots.u[k], roots.v[k]), zLoad);
  return best;
}

constexpr std::array<TTopology, 4> kLTopologies = {TTopology::ShuntLAtRig,
                                                   TTopology::ShuntLAtAntenna,
                                                   TTopology::ShuntCAtRig,
                                                   TTopology::ShuntCAtAntenna};

TLArrangement arrangementOf(TTopology t) {
  switch (t) {
    case TTopology::ShuntLAtRig:
      return TLArrangement::ShuntLAtRig;
    case TTopology::ShuntLAtAntenna:
      return TLArrangement::ShuntLAtAntenna;
    case TTopology::ShuntCAtRig:
      return TLArrangement::ShuntCAtRig;
    default:
      return TLArrangement::ShuntCAtAntenna;
  }
}

// ---- the nearest setting when none matches ----

// How far a setting lies outside the ranges: the sum over its components of
// |ln(value / range end)| beyond the end; 0 within them.
double distanceOutside(TTopology t, const TParts& p, const TSetting& s) {
  const auto outside = [](double x, double low, double high) {
    if (!(x > 0) || !std::isfinite(x)) return kInf;
    return std::max({0.0, std::log(x / high), std::log(low / x)});
  };
  return outside(s.coil, p.coilLow, p.coilHigh) +
         (hasRigC(t) ? outside(s.rigC, p.capLow, p.capHigh) : 0) +
         (hasAntC(t) ? outside(s.antC, p.capLow, p.capHigh) : 0);
}

struct TNearest {
  double distance = kInf;
  TTopology topology = TTopology::T;
  TSetting setting;
  void offer(TTopology t, const TParts& p, const TSetting& s, Z zLoad) {
    const double d = distanceOutside(t, p, s);
    if (!(d < distance)) return;
    const TCircuit c = solveCircuit(t, p, s, zLoad);
    if (std::norm(c.zIn - kRig) <= kMatchNorm) distance = d, topology = t, setting = s;
  }
};

TNearest nearestSetting(TNetworkKind kind, const TParts& parts, Z zLoad) {
  TNearest nearest;
  if (kind == TNetworkKind::LNetwork) {
    for (const TTopology t : kLTopologies) {
      const TRoots roots = solveSection(sectionForL(t, parts, zLoad));
      for (int k = 0; k < roots.count; ++k)
        nearest.offer(t, parts, settingOfL(t, roots.u[k], roots.v[k]), zLoad);
    }
    return nearest;
  }
  const TTopology t = kind == TNetworkKind::HighPassT ? TTopology::T : TTopology::Pi;
  const double low = parts.capLow / kShortfallReach, high = parts.capHigh * kShortfallReach;
  for (int i = 0; i < kShortfallSamples; ++i) {
    const double antC = low * std::pow(high / low, double(i) / (kShortfallSamples - 1));
    const TRoots roots = solveSection(sectionForAntennaC(t, parts, antC, zLoad));
    for (int k = 0; k < roots.count; ++k)
      nearest.offer(t, parts, settingOf(t, antC, roots.u[k], roots.v[k]), zLoad);
  }
  return nearest;
}

double capacitancePf(const TParts& p, double reactance) { return 1e12 / (p.omega * reactance); }
double inductanceUh(const TParts& p, double reactance) { return 1e6 * reactance / p.omega; }

std::vector<TRangeShortfall> shortfallsOf(const TTunerNetwork& network, const TParts& p,
                                          const TNearest& nearest) {
  std::vector<TRangeShortfall> shortfalls;
  if (!std::isfinite(nearest.distance)) return shortfalls;
  const auto check = [&](TNetworkPart part, double value, const TComponentRange& range) {
    if (value > range.high * (1 + kRangeSlack))
      shortfalls.push_back({part, value, range.high, true});
    if (value < range.low * (1 - kRangeSlack))
      shortfalls.push_back({part, value, range.low, false});
  };
  const TSetting& s = nearest.setting;
  if (hasRigC(nearest.topology))
    check(TNetworkPart::RigCapacitor, capacitancePf(p, s.rigC), network.capacitorPf);
  check(TNetworkPart::Inductor, inductanceUh(p, s.coil), network.inductorUh);
  if (hasAntC(nearest.topology))
    check(TNetworkPart::AntennaCapacitor, capacitancePf(p, s.antC), network.capacitorPf);
  return shortfalls;
}

// ---- the result ----

bool overRating(const TTunerNetwork& network, const TNetworkMatch& m) {
  return m.rigCapacitorPeakV.value_or(0) > network.capacitorRatingV ||
         m.antennaCapacitorPeakV.value_or(0) > network.capacitorRatingV;
}

TNetworkMatch describeMatch(const TTunerNetwork& network, const TParts& p, TTopology t,
                            const TBest& best, Z zLoad, double powerW) {
  TNetworkMatch m;
  m.matches = m.resistiveLoad = true;
  if (network.kind == TNetworkKind::LNetwork) m.arrangement = arrangementOf(t);
  const TSetting& s = best.setting;
  const TCircuit c = solveCircuit(t, p, s, zLoad);
  const double current = std::sqrt(powerW / c.zIn.real());  // RMS into the rig side
  const double peak = std::numbers::sqrt2 * current;
  m.inductorUh = inductanceUh(p, s.coil);
  m.inductorCurrentA = std::abs(c.iCoil) * current;
  if (hasRigC(t)) {
    m.rigCapacitorPf = capacitancePf(p, s.rigC);
    m.rigCapacitorPeakV = std::abs(c.vRigC) * peak;
  }
  if (hasAntC(t)) {
    m.antennaCapacitorPf = capacitancePf(p, s.antC);
    m.antennaCapacitorPeakV = std::abs(c.vAntC) * peak;
  }
  m.efficiency = best.efficiency;
  m.lossDb = -10 * std::log10(best.efficiency);
  m.overRating = overRating(network, m);
  return m;
}

void checkOperatingPoint(double frequencyMHz, double powerW) {
  if (!(frequencyMHz > 0) || !std::isfinite(frequencyMHz))
    throw std::invalid_argument("The tuner network needs a frequency above 0 MHz");
  if (!(powerW > 0) || !std::isfinite(powerW))
    throw std::invalid_argument("The tuner network needs a power above 0 W");
}

// The least-loss setting, or (explain) the nearest one outside the ranges.
TNetworkMatch solveNetwork(const TTunerNetwork& network, Z zLoad, double frequencyMHz,
                           double powerW, bool explain) {
  CheckNetwork(network);
  checkOperatingPoint(frequencyMHz, powerW);
  const Z z = zLoad / double(network.balun);
  if (!(z.real() > 0) || !std::isfinite(z.real()) || !std::isfinite(z.imag())) return {};
  const TParts parts = partsAt(network, frequencyMHz);
  TNetworkMatch m;
  m.resistiveLoad = true;
  TBest best;
  TTopology topology = TTopology::T;
  if (network.kind == TNetworkKind::LNetwork) {
    for (const TTopology t : kLTopologies) {
      const TBest b = bestOfL(t, parts, z);
      if (b.efficiency > best.efficiency) best = b, topology = t;
    }
  } else {
    topology = network.kind == TNetworkKind::HighPassT ? TTopology::T : TTopology::Pi;
    best = bestOfFamily(topology, parts, z);
  }
  if (best.efficiency > 0) return describeMatch(network, parts, topology, best, z, powerW);
  if (explain) m.shortfalls = shortfallsOf(network, parts, nearestSetting(network.kind, parts, z));
  return m;
}

// Three significant digits at most: "312", "35.2", "0.0534".
std::string significant(double value) {
  if (!(value > 0) || !std::isfinite(value)) return ShortestText(value);
  const int magnitude = int(std::floor(std::log10(std::abs(value))));
  return TrimmedText(value, std::clamp(2 - magnitude, 0, 12));
}

std::string unitOf(TNetworkPart part) { return part == TNetworkPart::Inductor ? " µH" : " pF"; }

}  // namespace

TTunerNetwork DefaultNetwork(TNetworkKind kind) {
  TTunerNetwork network;
  network.kind = kind;
  if (kind != TNetworkKind::HighPassT) network.capacitorPf = {10, 2000};
  return network;
}

void CheckNetwork(const TTunerNetwork& network) {
  const auto checkRange = [](const TComponentRange& r, const char* what, const char* unit) {
    if (!std::isfinite(r.low) || !std::isfinite(r.high) || !(r.low > 0) || !(r.low < r.high)) {
      throw std::invalid_argument(std::string("The tuner's ") + what + " range (" +
                                  ShortestText(r.low) + " to " + ShortestText(r.high) + " " + unit +
                                  ") must run from above 0 up to a larger finite value");
    }
  };
  checkRange(network.capacitorPf, "capacitor", "pF");
  checkRange(network.inductorUh, "inductor", "µH");
  const auto checkPositive = [](double value, const char* what, const char* unit) {
    if (!(value > 0) || !std::isfinite(value)) {
      throw std::invalid_argument(std::string("The tuner's ") + what + " (" + ShortestText(value) +
                                  unit + ") must be a finite number above 0");
    }
  };
  checkPositive(network.inductorQ, "inductor Q", "");
  checkPositive(network.capacitorQ, "capacitor Q", "");
  checkPositive(network.capacitorRatingV, "capacitor voltage rating", " V");
  if (!(network.lossLimitDb >= 0) || !std::isfinite(network.lossLimitDb)) {
    throw std::invalid_argument("The tuner's loss limit (" + ShortestText(network.lossLimitDb) +
                                " dB) must be a finite number of at least 0 dB");
  }
  if (network.balun != 1 && network.balun != 4) {
    throw std::invalid_argument("The tuner's balun (" + std::to_string(network.balun) +
                                ":1) must be 1:1 or 4:1");
  }
}

TNetworkMatch MatchNetwork(const TTunerNetwork& network, std::complex<double> zLoad,
                           double frequencyMHz, double powerW) {
  return solveNetwork(network, zLoad, frequencyMHz, powerW, true);
}

bool TunerMatchesLoad(const TTunerNetwork& network, std::complex<double> zLoad, double frequencyMHz,
                      double powerW) {
  return TunerMatches(network, solveNetwork(network, zLoad, frequencyMHz, powerW, false));
}

bool TunerMatches(const TTunerNetwork& network, const TNetworkMatch& match) {
  return match.matches && match.lossDb <= network.lossLimitDb && !overRating(network, match);
}

std::string PartName(TNetworkPart part) {
  switch (part) {
    case TNetworkPart::RigCapacitor:
      return "C at the rig side";
    case TNetworkPart::Inductor:
      return "L";
    default:
      return "C at the antenna side";
  }
}

std::string MismatchReason(const TTunerNetwork& network, const TNetworkMatch& match) {
  if (TunerMatches(network, match)) return {};
  if (!match.matches) {
    if (!match.resistiveLoad) return "A load without resistance (R <= 0 Ω) cannot be matched.";
    if (match.shortfalls.empty()) return "No setting of the network brings this load to 50 Ω.";
    std::string text;
    for (const TRangeShortfall& s : match.shortfalls) {
      text += text.empty() ? PartName(s.part) : "; " + PartName(s.part);
      text += " would need " + significant(s.needed) + unitOf(s.part) +
              (s.above ? ", more than " : ", less than ") + ShortestText(s.limit) + unitOf(s.part);
    }
    return text + ".";
  }
  if (match.lossDb > network.lossLimitDb) {
    return "The network would lose " + FixedText(match.lossDb, 2) + " dB, more than the " +
           ShortestText(network.lossLimitDb) + " dB limit.";
  }
  const bool rig = match.rigCapacitorPeakV.value_or(0) > network.capacitorRatingV;
  const double volts = rig ? *match.rigCapacitorPeakV : match.antennaCapacitorPeakV.value_or(0);
  return PartName(rig ? TNetworkPart::RigCapacitor : TNetworkPart::AntennaCapacitor) +
         " would see " + significant(volts) + " V peak, more than its " +
         ShortestText(network.capacitorRatingV) + " V rating.";
}

double TotalLossDb(const TNetworkMatch& match, double lineEfficiency) {
  if (!(lineEfficiency > 0 && lineEfficiency <= 1))
    throw std::invalid_argument("The line's efficiency must lie above 0 and at most 1");
  if (!match.matches) return kInf;
  return match.lossDb - 10 * std::log10(lineEfficiency);
}
