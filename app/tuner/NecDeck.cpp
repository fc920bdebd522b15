#include "app/tuner/NecDeck.h"

#include <cmath>

#include "app/tuner/NumberText.h"

const std::array<TGroundClass, 9> GroundClasses = {{
    {"free", u"free space", {TGroundKind::FreeSpace, 1, 0}},
    {"perfect", u"perfect ground", {TGroundKind::Perfect, 1, 0}},
    {"very-good", u"very good", {TGroundKind::Real, 20, 0.0303}},
    {"average", u"average", {TGroundKind::Real, 13, 0.005}},
    {"poor", u"poor", {TGroundKind::Real, 13, 0.002}},
    {"very-poor", u"very poor", {TGroundKind::Real, 5, 0.001}},
    {"extremely-poor", u"extremely poor", {TGroundKind::Real, 3, 0.001}},
    {"fresh-water", u"fresh water", {TGroundKind::Real, 80, 0.001}},
    {"salt-water", u"salt water", {TGroundKind::Real, 81, 5}},
}};

const std::array<TWireGauge, 5> WireGauges = {{
    {u"AWG 10", 2.588},
    {u"AWG 12", 2.053},
    {u"AWG 14", 1.628},
    {u"AWG 16", 1.291},
    {u"AWG 18", 1.024},
}};

namespace {

void requirePositive(double value, const char* what) {
  if (!(value > 0) || !std::isfinite(value)) {
    throw std::invalid_argument(std::string(what) + " must be a finite number above 0");
  }
}

void checkArguments(const TDipoleModel& model, double frequencyMHz) {
  requirePositive(model.lengthM, "The dipole length");
  requirePositive(model.wireDiameterM, "The wire diameter");
  requirePositive(frequencyMHz, "The frequency");
  if (!std::isfinite(model.heightM))
    throw std::invalid_argument("The height must be a finite number");
  const TGround& g = model.ground;
  if (g.kind == TGroundKind::Real &&
      (!(g.permittivity >= 1) || !(g.conductivity >= 0) || !std::isfinite(g.permittivity) ||
       !std::isfinite(g.conductivity))) {
    throw std::invalid_argument(
        "A real ground needs a permittivity of at least 1 and a conductivity of at least 0");
  }
}

std::string millimetres(double metres) { return TrimmedText(metres * 1000, 1) + " mm"; }

void checkGeometry(const TDipoleModel& model, double frequencyMHz, int segments) {
  const double radius = model.wireDiameterM / 2;
  const double segment = model.lengthM / segments;
  if (segment < MinSegmentRadii * radius) {
    throw EAntennaGeometry("The wire is too thick for the antenna model at " +
                           TrimmedText(frequencyMHz, 6) + " MHz: its segments of " +
                           millimetres(segment) + " are shorter than " +
                           TrimmedText(MinSegmentRadii, 0) + " wire radii (" +
                           millimetres(MinSegmentRadii * radius) + "). Choose a thinner wire.");
  }
  if (model.ground.kind != TGroundKind::FreeSpace && model.heightM < MinHeightRadii * radius) {
    throw EAntennaGeometry(
        "The wire is too close to the ground for the antenna model: " + millimetres(model.heightM) +
        " is less than " + TrimmedText(MinHeightRadii, 0) + " wire radii (" +
        millimetres(MinHeightRadii * radius) + ") above it.");
  }
}

std::string groundCards(const TGround& ground) {
  switch (ground.kind) {
    case TGroundKind::FreeSpace:
      return "GE 0\n";
    case TGroundKind::Perfect:
      return "GE 1\nGN 1\n";
    case TGroundKind::Real:
      break;
  }
  return "GE 1\nGN 2 0 0 0 " + ShortestText(ground.permittivity) + " " +
         ShortestText(ground.conductivity) + "\n";
}

}  // namespace

int SegmentCount(double lengthM, double frequencyMHz) {
  const double wavelength = SpeedOfLight / (frequencyMHz * 1e6);
  const double needed = std::ceil(80 * lengthM / wavelength);
  const double odd = std::fmod(needed, 2) == 1 ? needed : needed + 1;
  if (!(odd <= MaxSegments)) {  // compared before the conversion, which would overflow
    throw EAntennaGeometry("The dipole is too long for the antenna model at " +
                           TrimmedText(frequencyMHz, 6) + " MHz: it needs " + TrimmedText(odd, 0) +
                           " segments, and the model takes at most " + std::to_string(MaxSegments) +
                           ".");
  }
  return std::max(21, int(odd));
}

std::string NecDeck(const TDipoleModel& model, double frequencyMHz) {
  checkArguments(model, frequencyMHz);
  return NecDeck(model, frequencyMHz, SegmentCount(model.lengthM, frequencyMHz));
}

std::string NecDeck(const TDipoleModel& model, double frequencyMHz, int segments) {
  checkArguments(model, frequencyMHz);
  if (segments < 21 || segments % 2 == 0 || segments > MaxSegments)
    throw std::invalid_argument("A dipole's mesh needs an odd number of segments from 21 up");
  checkGeometry(model, frequencyMHz, segments);
  // Lengths to nine significant digits, the frequency to 1 Hz: far below what
  // changes the result, nothing rounded to 0, and the same model always gives
  // the same text.
  const std::string half = SignificantText(model.lengthM / 2, 9);
  const std::string height = SignificantText(model.heightM, 9);
  return "CM Orvak SE dipole\nCE\n"
         "GW 1 " +
         std::to_string(segments) + " -" + half + " 0 " + height + " " + half + " 0 " + height +
         " " + SignificantText(model.wireDiameterM / 2, 9) + "\n" + groundCards(model.ground) +
         "LD 5 1 0 0 5.8E7\n"
         "EX 0 1 " +
         std::to_string(segments / 2 + 1) +
         " 0 1 0\n"
         "FR 0 1 0 0 " +
         TrimmedText(frequencyMHz, 6) +
         " 0\n"
         "XQ\nEN\n";
}
