// A measured feed point from an antenna analyzer: the one-port Touchstone
// file (.s1p) of versions 1 and 2.0, read whole, as impedances in ohm at
// frequencies in MHz. Anything the reader does not understand is refused with
// the file's name and the line.
#pragma once

#include <complex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// "FILE line 12: the frequencies must ascend (14.1 MHz after 14.2 MHz)", or
// "FILE: ..." for the file as a whole (Line() 0).
class TTouchstoneError : public std::runtime_error {
 public:
  TTouchstoneError(const std::string& fileName, int line, const std::string& what);
  const std::string& FileName() const { return FFileName; }
  int Line() const { return FLine; }

 private:
  std::string FFileName;
  int FLine;
};

struct TMeasuredPoint {
  double frequencyMHz = 0;
  std::complex<double> impedance;  // ohm
  bool operator==(const TMeasuredPoint&) const = default;
};

// The points of a file's text, frequencies strictly ascending; fileName only
// names it in errors. Raises TTouchstoneError.
std::vector<TMeasuredPoint> ParseTouchstone(std::string_view text, const std::string& fileName);

// Reads and parses the file at path (at most TouchstoneMaxBytes). Raises
// TTouchstoneError, also for a file that is missing or cannot be read.
constexpr std::size_t TouchstoneMaxBytes = 16u << 20;
std::vector<TMeasuredPoint> ReadTouchstone(const std::string& path);

// The impedance at frequencyMHz, linear between the two points around it.
// Raises std::out_of_range for a frequency outside the points ("The measured
// feed point covers 3.5 to 3.8 MHz; 7.1 MHz lies outside it.") and
// std::invalid_argument for no points.
std::complex<double> MeasuredImpedanceAt(const std::vector<TMeasuredPoint>& points,
                                         double frequencyMHz);
