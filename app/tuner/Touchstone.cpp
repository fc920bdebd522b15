#include "app/tuner/Touchstone.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <numbers>
#include <optional>

#include "app/tuner/NumberText.h"

namespace {

enum class TParameter { S, Y, Z };
enum class TFormat { MA, DB, RI };

struct TOptions {
  double toMHz = 1e3;  // GHz
  TParameter parameter = TParameter::S;
  TFormat format = TFormat::MA;
  double reference = 50;
};

// A refusal at the line being read; the parser adds the file and the line.
struct TLineError {
  std::string what;
};

std::string lower(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = char(std::tolower(static_cast<unsigned char>(c)));
  return result;
}

std::vector<std::string_view> wordsOf(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
    const size_t start = i;
    while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

// A number as Touchstone writes it: a leading "+" is allowed.
double numberOf(std::string_view word) {
  std::string_view digits = word;
  if (digits.size() > 1 && digits[0] == '+' && digits[1] != '-') digits.remove_prefix(1);
  const std::optional<double> value = ReadNumber(digits);
  if (!value) throw TLineError{"'" + std::string(word) + "' is not a finite number"};
  return *value;
}

std::string mhzText(double mhz) { return TrimmedText(mhz, 9) + " MHz"; }

TOptions readOptions(std::string_view line) {
  TOptions options;
  const std::vector<std::string_view> words = wordsOf(line.substr(1));
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string w = lower(words[i]);
    if (w == "hz") options.toMHz = 1e-6;
    else if (w == "khz") options.toMHz = 1e-3;
    else if (w == "mhz") options.toMHz = 1;
    else if (w == "ghz") options.toMHz = 1e3;
    else if (w == "s") options.parameter = TParameter::S;
    else if (w == "y") options.parameter = TParameter::Y;
    else if (w == "z") options.parameter = TParameter::Z;
    else if (w == "g" || w == "h")
      throw TLineError{std::string(1, char(std::toupper(w[0]))) + " parameters are not supported"};
    else if (w == "ma") options.format = TFormat::MA;
    else if (w == "db") options.format = TFormat::DB;
    else if (w == "ri") options.format = TFormat::RI;
    else if (w == "r") {
      if (i + 1 == words.size()) throw TLineError{"the option R needs a resistance"};
      options.reference = numberOf(words[++i]);
      if (!(options.reference > 0)) throw TLineError{"the reference resistance must be above 0"};
    } else {
      throw TLineError{"unknown option '" + std::string(words[i]) + "'"};
    }
  }
  return options;
}

std::complex<double> valueOf(const TOptions& options, double a, double b) {
  const double degrees = std::numbers::pi / 180;
  switch (options.format) {
    case TFormat::RI:
      return {a, b};
    case TFormat::MA:
      return std::polar(a, b * degrees);
    default:
      return std::polar(std::pow(10.0, a / 20), b * degrees);
  }
}

// The impedance a value stands for: S against the reference resistance; Z
// and Y normalised to it in version 1, in ohm and siemens in version 2.
std::complex<double> impedanceOf(const TOptions& options, bool version2, std::complex<double> v) {
  const double r = options.reference;
  std::complex<double> z;
  if (options.parameter == TParameter::S) {
    if (v == 1.0) throw TLineError{"S = 1 stands for no finite impedance"};
    z = r * (1.0 + v) / (1.0 - v);
  } else if (options.parameter == TParameter::Z) {
    z = version2 ? v : r * v;
  } else {
    if (v == 0.0) throw TLineError{"Y = 0 stands for no finite impedance"};
    z = version2 ? 1.0 / v : r / v;
  }
  if (!std::isfinite(z.real()) || !std::isfinite(z.imag()))
    throw TLineError{"the value stands for no finite impedance"};
  return z;
}

// Reads the file line by line; version 2 keywords switch its state.
class TParser {
 public:
  explicit TParser(const std::string& fileName) : FFileName(fileName) {}
  std::vector<TMeasuredPoint> parse(std::string_view text);

 private:
  void readLine(std::string_view line);
  void readKeyword(std::string_view line);
  void readData(std::string_view line);
  void finish();
  [[noreturn]] void fail(const std::string& what) const {
    throw TTouchstoneError(FFileName, FLine, what);
  }

  std::string FFileName;
  int FLine = 0;
  TOptions FOptions;
  bool FSeenOptions = false;
  bool FVersion2 = false;
  bool FInNetworkData = false;
  bool FEnded = false;
  bool FAwaitingReference = false;
  int FPorts = 0;
  long FDeclaredPoints = -1;
  std::vector<TMeasuredPoint> FPoints;
};

std::vector<TMeasuredPoint> TParser::parse(std::string_view text) {
  size_t start = 0;
  // The empty rest after a last line's newline is no line of its own.
  while (start < text.size() || (start == 0 && text.empty())) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    ++FLine;
    std::string_view line = text.substr(start, end - start);
    line = line.substr(0, std::min(line.find('!'), line.size()));
    try {
      readLine(line);
    } catch (const TLineError& e) {
      fail(e.what);
    }
    if (end == text.size()) break;
    start = end + 1;
  }
  finish();
  return FPoints;
}

void TParser::readLine(std::string_view line) {
  const std::vector<std::string_view> words = wordsOf(line);
  if (words.empty()) return;
  if (FEnded) throw TLineError{"nothing may follow [End]"};
  if (FAwaitingReference) {
    FAwaitingReference = false;
    if (words[0][0] == '[') throw TLineError{"[Reference] needs a resistance"};
    return readKeyword("[Reference] " + std::string(line));
  }
  if (words[0][0] == '[') return readKeyword(line);
  if (words[0][0] == '#') {
    if (FSeenOptions) throw TLineError{"a file has at most one option line"};
    if (!FPoints.empty() || FInNetworkData)
      throw TLineError{"the option line must come before the data"};
    FOptions = readOptions(line.substr(line.find('#')));
    FSeenOptions = true;
    return;
  }
  readData(line);
}

void TParser::readKeyword(std::string_view line) {
  const size_t close = line.find(']');
  if (close == std::string_view::npos) throw TLineError{"a keyword needs its closing ']'"};
  const size_t open = line.find('[');
  const std::string keyword = std::string(line.substr(open, close - open + 1));
  const std::vector<std::string_view> args = wordsOf(line.substr(close + 1));
  const std::string key = lower(keyword);
  if (key == "[version]") {
    if (FVersion2 || FSeenOptions || !FPoints.empty())
      throw TLineError{"[Version] must come first"};
    if (args.size() != 1 || (args[0] != "2.0" && args[0] != "2"))
      throw TLineError{"only version 2.0 is supported"};
    FVersion2 = true;
    return;
  }
  if (!FVersion2) throw TLineError{keyword + " needs [Version] 2.0 before it"};
  if (FInNetworkData && key != "[end]") throw TLineError{keyword + " may not stand in the data"};
  const auto count = [&]() {
    if (args.size() != 1) throw TLineError{keyword + " needs one number"};
    const double n = numberOf(args[0]);
    if (!(n >= 1) || n != std::floor(n) || n > 1e9)
      throw TLineError{keyword + " needs a whole number above 0"};
    return long(n);
  };
  if (key == "[number of ports]") {
    FPorts = int(count());
    if (FPorts != 1)
      throw TLineError{"not a one-port file ([Number of Ports] " + std::string(args[0]) + ")"};
  } else if (key == "[number of frequencies]") {
    FDeclaredPoints = count();
  } else if (key == "[reference]") {
    if (args.empty()) {
      FAwaitingReference = true;
      return;
    }
    if (args.size() != 1)
      throw TLineError{"not a one-port file ([Reference] has more than one value)"};
    FOptions.reference = numberOf(args[0]);
    if (!(FOptions.reference > 0)) throw TLineError{"the reference resistance must be above 0"};
  } else if (key == "[network data]") {
    if (FPorts != 1) throw TLineError{"[Number of Ports] must come before [Network Data]"};
    if (FDeclaredPoints < 0)
      throw TLineError{"[Number of Frequencies] must come before [Network Data]"};
    FInNetworkData = true;
  } else if (key == "[end]") {
    if (!FInNetworkData) throw TLineError{"[End] before [Network Data]"};
    FInNetworkData = false;
    FEnded = true;
  } else {
    throw TLineError{"the keyword " + keyword + " is not supported"};
  }
}

void TParser::readData(std::string_view line) {
  if (FVersion2 && !FInNetworkData) throw TLineError{"data must follow [Network Data]"};
  const std::vector<std::string_view> words = wordsOf(line);
  if (words.size() > 3)
    throw TLineError{"not a one-port file (more than one value on a data line)"};
  if (words.size() < 3) throw TLineError{"a data line needs a frequency and two numbers"};
  const double frequency = numberOf(words[0]) * FOptions.toMHz;
  if (!(frequency >= 0) || !std::isfinite(frequency))
    throw TLineError{"a frequency must be 0 or more"};
  if (!FPoints.empty() && !(frequency > FPoints.back().frequencyMHz)) {
    throw TLineError{"the frequencies must ascend (" + mhzText(frequency) + " after " +
                     mhzText(FPoints.back().frequencyMHz) + ")"};
  }
  const std::complex<double> value = valueOf(FOptions, numberOf(words[1]), numberOf(words[2]));
  FPoints.push_back({frequency, impedanceOf(FOptions, FVersion2, value)});
}

void TParser::finish() {
  if (FAwaitingReference) fail("[Reference] needs a resistance");
  if (FVersion2 && !FEnded) fail("the file ends without [End]");
  if (FPoints.empty()) fail("the file holds no data");
  if (FVersion2 && long(FPoints.size()) != FDeclaredPoints) {
    fail("[Number of Frequencies] says " + std::to_string(FDeclaredPoints) + ", the data holds " +
         std::to_string(FPoints.size()));
  }
}

}  // namespace

TTouchstoneError::TTouchstoneError(const std::string& fileName, int line, const std::string& what)
    : std::runtime_error(fileName + (line > 0 ? " line " + std::to_string(line) : std::string()) +
                         ": " + what),
      FFileName(fileName),
      FLine(line) {}

std::vector<TMeasuredPoint> ParseTouchstone(std::string_view text, const std::string& fileName) {
  return TParser(fileName).parse(text);
}

std::vector<TMeasuredPoint> ReadTouchstone(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw TTouchstoneError(path, 0, "the file cannot be opened");
  std::string text;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    text.append(buffer, size_t(in.gcount()));
    if (text.size() > TouchstoneMaxBytes)
      throw TTouchstoneError(path, 0, "the file is larger than 16 MiB");
  }
  if (in.bad()) throw TTouchstoneError(path, 0, "the file cannot be read");
  return ParseTouchstone(text, path);
}

std::complex<double> MeasuredImpedanceAt(const std::vector<TMeasuredPoint>& points,
                                         double frequencyMHz) {
  if (points.empty()) throw std::invalid_argument("The measured feed point holds no points");
  if (!(frequencyMHz >= points.front().frequencyMHz &&
        frequencyMHz <= points.back().frequencyMHz)) {
    throw std::out_of_range(
        "The measured feed point covers " + TrimmedText(points.front().frequencyMHz, 9) + " to " +
        mhzText(points.back().frequencyMHz) + "; " + mhzText(frequencyMHz) + " lies outside it.");
  }
  const auto above = std::lower_bound(
      points.begin(), points.end(), frequencyMHz, [](const TMeasuredPoint& p, double f) {
        return p.frequencyMHz < f;
      });
  if (above->frequencyMHz == frequencyMHz) return above->impedance;
  const auto below = above - 1;
  const double share =
      (frequencyMHz - below->frequencyMHz) / (above->frequencyMHz - below->frequencyMHz);
  return below->impedance + share * (above->impedance - below->impedance);
}
