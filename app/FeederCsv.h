// The calculated feeder lengths as comma-separated values: a header row, then
// one row per current maximum. "." is the decimal separator whatever the
// locale, so that every spreadsheet and script reads the file the same way.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/FeederEngine.h"

// The eight maxima of one calculation with what they were calculated from.
struct TCalculatedMaxima {
  double frequencyMHz;
  double dipoleFeet;
  double feederConstant;  // feet x MHz
  std::array<double, 8> metres;
  std::array<double, 8> feet;
};

// The maxima of the state's last calculation (which must have been done).
TCalculatedMaxima CalculatedMaxima(const TFeederState& state, double dipoleFeet);

std::string FeederCsv(const std::vector<TCalculatedMaxima>& results);
