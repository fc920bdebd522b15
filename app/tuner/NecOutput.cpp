#include "app/tuner/NecOutput.h"

#include <charconv>
#include <sstream>
#include <string>

namespace {

std::string trimmed(std::string_view line) {
  const size_t first = line.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const size_t last = line.find_last_not_of(" \t\r");
  return std::string(line.substr(first, last - first + 1));
}

// A number in the report's form ("1.2345E+02"), the whole token.
bool readNumber(const std::string& token, double& value) {
  const char* end = token.data() + token.size();  // from_chars ignores the locale
  const auto [ptr, ec] = std::from_chars(token.data(), end, value);
  return !token.empty() && ec == std::errc() && ptr == end;
}

// "FREQUENCY : 1.8000E+00 MHz": the number after the colon.
double frequencyOf(const std::string& line) {
  std::istringstream fields(line.substr(line.find(':') + 1));
  std::string token;
  double value = 0;
  if (!(fields >> token) || !readNumber(token, value))
    throw ENecOutput("unreadable frequency line: " + line);
  return value;
}

// "TAG SEG V(re im) I(re im) Z(re im) ...": the impedance, fields 7 and 8.
std::complex<double> impedanceOf(const std::string& row) {
  std::istringstream fields(row);
  std::string token;
  double values[8] = {};
  for (double& v : values) {
    if (!(fields >> token) || !readNumber(token, v))
      throw ENecOutput("unreadable feed-point row: " + row);
  }
  return {values[6], values[7]};
}

}  // namespace

std::vector<TNecFeedPoint> ParseNecOutput(std::string_view report) {
  std::vector<TNecFeedPoint> points;
  std::istringstream lines{std::string(report)};
  std::string line;
  double frequency = 0;
  while (std::getline(lines, line)) {
    if (line.find("FREQUENCY :") != std::string::npos) frequency = frequencyOf(line);
    if (line.find("ANTENNA INPUT PARAMETERS") == std::string::npos) continue;
    std::string header1, header2, row;
    if (!std::getline(lines, header1) || !std::getline(lines, header2) ||
        !std::getline(lines, row)) {
      throw ENecOutput("the report ends inside its feed-point table");
    }
    points.push_back({frequency, impedanceOf(row)});
  }
  if (points.empty()) throw ENecOutput("the report has no feed-point table");
  return points;
}

std::string LastReportLine(std::string_view report) {
  size_t end = report.size();
  while (end > 0) {
    const size_t start = report.rfind('\n', end - 1);
    const size_t from = start == std::string_view::npos ? 0 : start + 1;
    std::string line = trimmed(report.substr(from, end - from));
    if (!line.empty()) return line;
    if (start == std::string_view::npos) break;
    end = start;
  }
  return {};
}
