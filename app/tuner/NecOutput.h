// The feed-point impedances in a NEC-2 report.
#pragma once

#include <complex>
#include <stdexcept>
#include <string_view>
#include <vector>

struct TNecFeedPoint {
  double frequencyMHz;             // as the report prints it (five significant digits)
  std::complex<double> impedance;  // ohm
};

// A report without the table it should have, or with a row that does not read.
class ENecOutput : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One entry per frequency block, in the report's order: the impedance of the
// first source row under "ANTENNA INPUT PARAMETERS". Raises ENecOutput when a
// block's row is missing or malformed, or when there is no block at all.
std::vector<TNecFeedPoint> ParseNecOutput(std::string_view report);

// The last line of a report that is not blank, trimmed: where nec2c says why
// it stopped.
std::string LastReportLine(std::string_view report);
