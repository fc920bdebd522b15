// The antenna model as NEC-2 sees it: a straight horizontal copper dipole,
// centre-fed, in free space or over a ground, written as a deck of cards for
// one frequency. Each frequency gets its own mesh, so its result never depends
// on which other frequencies are computed with it.
#pragma once

#include <array>
#include <stdexcept>
#include <string>

constexpr double SpeedOfLight = 299792458.0;  // m/s
constexpr double CopperConductivity = 5.8e7;  // S/m, the dipole's wire and the line's conductors

enum class TGroundKind { FreeSpace, Perfect, Real };

struct TGround {
  TGroundKind kind = TGroundKind::Real;
  double permittivity = 13;     // relative, for a real ground
  double conductivity = 0.005;  // S/m, for a real ground
  bool operator==(const TGround&) const = default;
};

struct TGroundClass {
  const char* word;       // the command line's name: "average"
  const char16_t* label;  // the page's name: "average"
  TGround ground;
};
// Free space, perfect ground, then the real grounds from very good to salt water.
extern const std::array<TGroundClass, 9> GroundClasses;
constexpr int DefaultGroundClass = 3;  // average: εr 13, σ 0.005 S/m

struct TWireGauge {
  const char16_t* label;  // "AWG 12"
  double diameterMm;
};
extern const std::array<TWireGauge, 5> WireGauges;  // AWG 10, 12, 14, 16, 18

struct TDipoleModel {
  double lengthM = 85.30 * 0.3048;  // the first page's default dipole
  double heightM = 10;
  double wireDiameterM = 0.002;
  TGround ground;
  bool operator==(const TDipoleModel&) const = default;
};

// Geometry that NEC-2 cannot model (segments too short for the wire, a wire
// too close to the ground); the message says which.
class EAntennaGeometry : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A segment shorter than this many wire radii breaks the thin-wire kernel.
constexpr double MinSegmentRadii = 8;
// Over ground, the wire's height must be at least this many wire radii.
constexpr double MinHeightRadii = 5;
// More segments than this take NEC-2 many seconds a frequency (the solve
// grows with their cube): a dipole of 25 wavelengths and more is refused.
constexpr int MaxSegments = 2001;

// The mesh at one frequency: the smallest odd number of segments, at least
// 21 and at least 80 per wavelength, so that even the kilo-ohm feed points
// near antiresonance are within a few per cent of a converged mesh. Raises
// EAntennaGeometry when that is more than MaxSegments.
int SegmentCount(double lengthM, double frequencyMHz);

// The deck at one frequency with SegmentCount's mesh, or with the segments
// given (an odd number, at least 21: a band computes all its frequencies on
// the mesh of its upper edge, so that its feed points vary smoothly). Lengths
// are written to nine significant digits, so that no value the model takes is
// rounded away. Raises std::invalid_argument for a length, diameter or
// frequency that is not above 0 (or not finite), a real ground with εr below 1
// or σ below 0, and EAntennaGeometry for geometry NEC-2 cannot model.
std::string NecDeck(const TDipoleModel& model, double frequencyMHz);
std::string NecDeck(const TDipoleModel& model, double frequencyMHz, int segments);
