#include "app/FeederCsv.h"

#include <charconv>

namespace {

constexpr const char* kHeader =
    "frequency_MHz,index,length_m,length_ft,dipole_ft,feeder_constant_ft_MHz\n";

std::string fixed(double value, int decimals) {
  char buffer[400];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals).ptr;
  return std::string(buffer, end);
}

// The frequency as it was given: the shortest text that reads back the same.
std::string shortest(double value) {
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

}  // namespace

TCalculatedMaxima CalculatedMaxima(const TFeederState& state, double dipoleFeet) {
  return {state.freq, dipoleFeet, state.LLWL, state.fedlinm, state.fedlinft};
}

std::string FeederCsv(const std::vector<TCalculatedMaxima>& results) {
  std::string csv = kHeader;
  for (const TCalculatedMaxima& r : results) {
    for (size_t i = 0; i < r.metres.size(); ++i) {
      csv += shortest(r.frequencyMHz) + ',' + std::to_string(i + 1) + ',' + fixed(r.metres[i], 2) +
             ',' + fixed(r.feet[i], 2) + ',' + fixed(r.dipoleFeet, 2) + ',' +
             fixed(r.feederConstant, 2) + '\n';
    }
  }
  return csv;
}
