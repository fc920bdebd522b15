#include "app/TunerCommandLine.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "app/CommandLine.h"
#include "app/FeederEngine.h"
#include "app/TunerTable.h"
#include "app/tuner/FeederFinder.h"
#include "app/tuner/NecRunner.h"
#include "app/tuner/NumberText.h"
#include "app/tuner/Touchstone.h"

const char* const TunerCommandLineUsage =
    "The tuner view, with the antenna modelled by nec2c (a copper dipole):\n"
    "  --tuner             a table for the frequency or each band's centre: feed\n"
    "                      point, SWR on the line, the impedance at the tuner,\n"
    "                      matched and total loss, efficiency, peak voltage,\n"
    "                      whether the tuner matches the band across its width,\n"
    "                      first current maximum\n"
    "  --find-feeder       the feeder lengths from 0.5 to 60 m at which the tuner\n"
    "                      matches the frequency or every band across its width,\n"
    "                      best worst-case margin first (or, when none does, the\n"
    "                      lengths that suit the most bands); after the table when\n"
    "                      given with --tuner\n"
    "  --height M          height of the dipole, above 0 up to 1000 (default 10)\n"
    "  --ground CLASS|EPS,SIGMA\n"
    "                      free, perfect, very-good, average (default), poor,\n"
    "                      very-poor, extremely-poor, fresh-water, salt-water, or a\n"
    "                      permittivity 1 to 100 and a conductivity 0 to 10 S/m\n"
    "  --wire-mm D         wire diameter, above 0 up to 50 (default 2.0)\n"
    "  --line window450|open600|twin300|Z0,VF,D_MM[,TAN_DELTA]\n"
    "                      the feeder (default window450), or Z0 above 0 up to\n"
    "                      2000 ohm, velocity factor 0.50 to 1.00, conductor\n"
    "                      diameter above 0 up to 50 mm (the wires at least two\n"
    "                      diameters apart) and the loss tangent of its\n"
    "                      dielectric, 0 to 0.1 (default 0)\n"
    "  --line-loss DB,MHZ[,DB,MHZ]\n"
    "                      a measured matched loss in dB per 100 m instead of the\n"
    "                      conductors': at one frequency (growing with the root\n"
    "                      of the frequency), or at two (split into a conductor\n"
    "                      part and a dielectric part growing with the frequency)\n"
    "  --feeder-m M        feeder length, 0 up to 1000 (default 20)\n"
    "  --feeder-ft FT      feeder length in feet, 0 up to 3000\n"
    "  --power W           transmitter power, above 0 up to 100000 (default 100)\n"
    "  --tuner-swr S       internal tuner: SWR up to S on 50 ohm, 1 to 100 (default 3)\n"
    "  --tuner-z MIN,MAX   external tuner: |Z| from MIN to MAX ohm,\n"
    "                      0 < MIN < MAX <= 100000\n"
    "  --region 1|2|3      IARU band plan of the band edges (default 1)\n"
    "  with --frequency, --bands, --dipole-ft, --dipole-m and --csv as above.\n";

namespace {

struct TTunerOptions {
  bool table = false;
  bool findFeeder = false;
  TTunerSetup setup;
  TCommandLine common;
};

constexpr const char* kModes[] = {"--tuner", "--find-feeder"};
constexpr const char* kValueOptions[] = {
    "--height",       "--ground", "--wire-mm",   "--line",    "--line-loss", "--feeder-m",
    "--feeder-ft",    "--power",  "--tuner-swr", "--tuner-z", "--region",    "--network",
    "--c-pf",         "--l-uh",   "--q-l",       "--q-c",     "--c-kv",      "--balun",
    "--max-net-loss", "--load",   "--s1p",       "--s1p-at"};
// The network's own options, which need --network.
constexpr const char* kNetworkOptions[] = {
    "--c-pf", "--l-uh", "--q-l", "--q-c", "--c-kv", "--balun", "--max-net-loss"};
// The antenna model's options, which a feed point from outside it leaves without use.
constexpr const char* kModelOptions[] = {"--height", "--ground", "--wire-mm"};

template <size_t N>
bool oneOf(const std::string& option, const char* const (&names)[N]) {
  for (const char* n : names) {
    if (option == n) return true;
  }
  return false;
}

double inRange(const std::string& option, const std::string& text, double low, double high,
               bool lowIncluded, const char* range) {
  const std::optional<double> value = ReadNumber(text);
  if (!value) throw EBadArgument(option + ": \"" + text + "\" is not a number");
  if (*value < low || (!lowIncluded && *value == low) || *value > high) {
    throw EBadArgument(option + ": " + text + " is out of range (" + range + ")");
  }
  return *value;
}

// "A,B" or "A,B,C": the parts between the commas, exactly count of them (or
// any count from count to most).
std::vector<std::string> parts(const std::string& option, const std::string& text, size_t count,
                               size_t most = 0) {
  std::vector<std::string> items;
  for (size_t start = 0;;) {
    const size_t comma = text.find(',', start);
    items.push_back(
        text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (items.size() < count || items.size() > std::max(count, most)) {
    throw EBadArgument(option + ": \"" + text + "\" needs " + std::to_string(count) +
                       (most > count ? " to " + std::to_string(most) : std::string()) +
                       " values separated by commas");
  }
  return items;
}

TGround ground(const std::string& text) {
  for (const TGroundClass& c : GroundClasses) {
    if (text == c.word) return c.ground;
  }
  if (text.find(',') == std::string::npos)
    throw EBadArgument("--ground: " + text + " is not a ground (see --help)");
  const auto v = parts("--ground", text, 2);
  return {TGroundKind::Real,
          inRange("--ground", v[0], 1, 100, true, "permittivity 1 to 100"),
          inRange("--ground", v[1], 0, 10, true, "conductivity 0 to 10 S/m")};
}

TTransmissionLine line(const std::string& text) {
  for (const TLinePreset& p : LinePresets) {
    if (text == p.word) return p.line;
  }
  if (text.find(',') == std::string::npos)
    throw EBadArgument("--line: " + text + " is not a line (see --help)");
  const auto v = parts("--line", text, 3, 4);
  const TTransmissionLine custom{
      inRange("--line", v[0], 0, 2000, false, "Z0 above 0 up to 2000 ohm"),
      inRange("--line", v[1], 0.5, 1, true, "velocity factor 0.50 to 1.00"),
      inRange("--line", v[2], 0, 50, false, "diameter above 0 up to 50 mm") / 1000,
      std::nullopt,
      v.size() == 4 ? inRange("--line", v[3], 0, 0.1, true, "loss tangent 0 to 0.1") : 0};
  try {
    CheckLine(custom);
  } catch (const std::invalid_argument& error) {  // wires closer than their diameter
    throw EBadArgument("--line: " + text + ": " + error.what());
  }
  return custom;
}

// The measured matched loss, at one frequency or two, on the line given.
void measuredLoss(TTransmissionLine& line, const std::string& text) {
  const auto v = parts("--line-loss", text, 2, 4);
  if (v.size() == 3) throw EBadArgument("--line-loss: \"" + text + "\" needs 2 or 4 values");
  const auto loss = [&](size_t i) {
    return TMeasuredLoss{
        inRange("--line-loss", v[i], 0, 100, true, "0 up to 100 dB per 100 m"),
        inRange("--line-loss", v[i + 1], 0.001, 1000, true, "0.001 up to 1000 MHz")};
  };
  line.measuredLoss = loss(0);
  line.secondMeasuredLoss.reset();
  if (v.size() == 4) line.secondMeasuredLoss = loss(2);
  try {
    CheckLine(line);
  } catch (const std::invalid_argument& error) {  // two losses that do not split
    throw EBadArgument("--line-loss: " + text + ": " + error.what());
  }
}

TTuner externalTuner(const std::string& text) {
  const auto v = parts("--tuner-z", text, 2);
  TTuner tuner{TTuner::External,
               3,
               inRange("--tuner-z", v[0], 0, 1e5, false, "above 0 up to 100000 ohm"),
               inRange("--tuner-z", v[1], 0, 1e5, false, "above 0 up to 100000 ohm")};
  if (tuner.minZ >= tuner.maxZ)
    throw EBadArgument("--tuner-z: " + text + ": MIN must be below MAX");
  return tuner;
}

TComponentRange componentRange(const std::string& option, const std::string& text,
                               const char* range) {
  const auto v = parts(option, text, 2);
  const TComponentRange r{inRange(option, v[0], 0, 1e5, false, range),
                          inRange(option, v[1], 0, 1e5, false, range)};
  if (!(r.low < r.high)) throw EBadArgument(option + ": " + text + ": MIN must be below MAX");
  return r;
}

TTunerNetwork networkOf(const std::string& value) {
  if (value == "t") return DefaultNetwork(TNetworkKind::HighPassT);
  if (value == "pi") return DefaultNetwork(TNetworkKind::LowPassPi);
  if (value == "l") return DefaultNetwork(TNetworkKind::LNetwork);
  throw EBadArgument("--network: " + value + " is not t, pi or l");
}

// A network option on the network --network chose.
void applyToNetwork(TTunerNetwork& n, const std::string& option, const std::string& value) {
  if (option == "--c-pf") n.capacitorPf = componentRange(option, value, "above 0 up to 100000 pF");
  if (option == "--l-uh") n.inductorUh = componentRange(option, value, "above 0 up to 100000 uH");
  if (option == "--q-l")
    n.inductorQ = inRange(option, value, 0, 1e5, false, "above 0 up to 100000");
  if (option == "--q-c")
    n.capacitorQ = inRange(option, value, 0, 1e5, false, "above 0 up to 100000");
  if (option == "--c-kv")
    n.capacitorRatingV = inRange(option, value, 0, 1000, false, "above 0 up to 1000 kV") * 1000;
  if (option == "--balun") {
    if (value != "1" && value != "4") throw EBadArgument("--balun: " + value + " is not 1 or 4");
    n.balun = value == "1" ? 1 : 4;
  }
  if (option == "--max-net-loss")
    n.lossLimitDb = inRange(option, value, 0, 100, true, "0 up to 100 dB");
}

// The feed point of --load or --s1p instead of the antenna model.
void applyToFeed(TFeedSource& feed, const std::string& option, const std::string& value) {
  if (option == "--load") {
    const auto v = parts(option, value, 2);
    feed.kind = TFeedSource::Fixed;
    feed.fixed = {inRange(option, v[0], 0, 1e6, false, "R above 0 up to 1000000 ohm"),
                  inRange(option, v[1], -1e6, 1e6, true, "X from -1000000 to 1000000 ohm")};
  }
  if (option == "--s1p") {
    feed.kind = TFeedSource::Measured;
    feed.fileName = value;
    try {
      feed.points = ReadTouchstone(value);
    } catch (const TTouchstoneError& error) {
      throw EBadArgument("--s1p: " + std::string(error.what()));
    }
  }
  if (option == "--s1p-at") {
    if (value != "feed" && value != "tuner")
      throw EBadArgument("--s1p-at: " + value + " is not feed or tuner");
    feed.atTuner = value == "tuner";
  }
}

void apply(TTunerSetup& s, const std::string& option, const std::string& value) {
  if (oneOf(option, kNetworkOptions)) applyToNetwork(s.tuner.network, option, value);
  if (option == "--load" || option == "--s1p" || option == "--s1p-at")
    applyToFeed(s.feed, option, value);
  if (option == "--height")
    s.antenna.heightM = inRange(option, value, 0, 1000, false, "above 0 up to 1000");
  if (option == "--ground") s.antenna.ground = ground(value);
  if (option == "--wire-mm")
    s.antenna.wireDiameterM = inRange(option, value, 0, 50, false, "above 0 up to 50") / 1000;
  if (option == "--line") s.line = line(value);
  if (option == "--line-loss") measuredLoss(s.line, value);
  if (option == "--feeder-m") s.feederM = inRange(option, value, 0, 1000, true, "0 up to 1000");
  if (option == "--feeder-ft")
    s.feederM = inRange(option, value, 0, 3000, true, "0 up to 3000") * MetresPerFoot;
  if (option == "--power") s.powerW = inRange(option, value, 0, 1e5, false, "above 0 up to 100000");
  if (option == "--tuner-swr")
    s.tuner = {TTuner::Internal, inRange(option, value, 1, 100, true, "1 to 100"), 10, 1500};
  if (option == "--tuner-z") s.tuner = externalTuner(value);
  if (option == "--region") {
    if (value != "1" && value != "2" && value != "3")
      throw EBadArgument("--region: " + value + " is not 1, 2 or 3");
    s.region = value == "1" ? TRegion::Region1 : value == "2" ? TRegion::Region2 : TRegion::Region3;
  }
}

void rejectPair(const std::map<std::string, std::string>& given, const char* a, const char* b,
                const char* why) {
  if (given.count(a) && given.count(b))
    throw EBadArgument(std::string(a) + " and " + b + " " + why);
}

void rejectTunerPairs(const std::map<std::string, std::string>& given) {
  rejectPair(given, "--feeder-m", "--feeder-ft", "both give the feeder length; give one of them");
  rejectPair(given, "--tuner-swr", "--tuner-z", "both choose the tuner; give one of them");
  rejectPair(given, "--tuner-swr", "--network", "both choose the tuner; give one of them");
  rejectPair(given, "--tuner-z", "--network", "both choose the tuner; give one of them");
  rejectPair(given, "--load", "--s1p", "both give the feed point; give one of them");
  for (const char* option : kNetworkOptions) {
    if (given.count(option) && !given.count("--network"))
      throw EBadArgument(std::string(option) + " belongs to --network; give it too");
  }
  if (given.count("--s1p-at") && !given.count("--s1p"))
    throw EBadArgument("--s1p-at belongs to --s1p; give it too");
  for (const char* model : kModelOptions) {
    for (const char* feed : {"--load", "--s1p"}) {
      rejectPair(given, model, feed, "exclude each other: the feed point is not the model's");
    }
  }
}

TTunerOptions parse(const std::vector<std::string>& args) {
  std::vector<std::string> rest;
  const auto given = TakeOptions(
      args, [](const std::string& o) { return oneOf(o, kModes); }, IsTunerValueOption, rest);
  if (!given.count("--tuner") && !given.count("--find-feeder")) {
    throw EBadArgument(given.begin()->first +
                       " belongs to --tuner or --find-feeder; give one of them");
  }
  rejectTunerPairs(given);
  for (const std::string& a : rest) {
    const std::string option = a.substr(0, a.find('='));
    if (option == "--impedance" || option == "--vf") {
      throw EBadArgument(option +
                         " chooses the classic feeder; with --tuner or --find-feeder give --line");
    }
  }
  const TCommandLineParse common = ParseCommandLine(rest);
  if (!common.options) throw EBadArgument(common.error);
  TTunerOptions o;
  o.common = *common.options;
  o.table = given.count("--tuner") > 0;
  o.findFeeder = given.count("--find-feeder") > 0;
  if (o.table && o.findFeeder && o.common.csv) {
    throw EBadArgument(
        "--tuner and --find-feeder print two tables of different columns: with --csv give one of "
        "them");
  }
  o.setup = TunerSetupOf(given, o.common.dipoleFeet);
  return o;
}

// Columns as wide as their widest text, right-aligned, two spaces apart.
template <size_t N>
void printColumns(const std::array<const char*, N>& header,
                  const std::vector<std::array<std::string, N>>& rows,
                  const std::vector<std::string>& ends, std::ostream& out) {
  std::array<size_t, N> widths{};
  for (size_t i = 0; i < N; ++i) {
    widths[i] = std::string(header[i]).size();
    for (const auto& row : rows) widths[i] = std::max(widths[i], row[i].size());
  }
  const auto line = [&](const auto& cells, const std::string& end) {
    std::string text;
    for (size_t i = 0; i < N; ++i) {
      const std::string cellText = cells[i];
      text +=
          std::string(i ? 2 : 0, ' ') + std::string(widths[i] - cellText.size(), ' ') + cellText;
    }
    text += end;
    while (!text.empty() && text.back() == ' ') text.pop_back();
    out << text << '\n';
  };
  line(header, "");
  for (size_t r = 0; r < rows.size(); ++r) line(rows[r], r < ends.size() ? ends[r] : "");
}

std::string groundText(const TGround& g) {
  if (g.kind == TGroundKind::FreeSpace) return "in free space";
  if (g.kind == TGroundKind::Perfect) return "over perfect ground";
  for (const TGroundClass& c : GroundClasses) {
    if (c.ground == g) return std::string("over ") + c.word + " ground";
  }
  return "over ground of permittivity " + ShortestText(g.permittivity) + ", " +
         ShortestText(g.conductivity) + " S/m";
}

std::string lineText(const TTransmissionLine& l) {
  for (const TLinePreset& p : LinePresets) {
    if (p.line == l) return p.word;
  }
  const auto measured = [](const TMeasuredLoss& m) {
    return TrimmedText(m.dbPer100m, 3) + " dB/100 m at " + TrimmedText(m.frequencyMHz, 3) + " MHz";
  };
  std::string text = "Z0 " + TrimmedText(l.z0, 2) + " ohm, VF " + TrimmedText(l.velocityFactor, 3);
  if (l.measuredLoss) {
    text += ", measured loss " + measured(*l.measuredLoss);
    if (l.secondMeasuredLoss) text += " and " + measured(*l.secondMeasuredLoss);
    return text;
  }
  text += ", " + TrimmedText(l.conductorDiameterM * 1000, 3) + " mm";
  if (l.lossTangent > 0) text += ", tan delta " + TrimmedText(l.lossTangent, 6);
  return text;
}

std::string tunerText(const TTuner& t) {
  if (t.kind == TTuner::External)
    return "external tuner, |Z| from " + TrimmedText(t.minZ, 2) + " to " + TrimmedText(t.maxZ, 2) +
           " ohm";
  if (t.kind == TTuner::Network) {
    const TTunerNetwork& n = t.network;
    const char* kind = n.kind == TNetworkKind::HighPassT   ? "high-pass T network"
                       : n.kind == TNetworkKind::LowPassPi ? "low-pass Pi network"
                                                           : "L network";
    return std::string(kind) + ", C " + TrimmedText(n.capacitorPf.low, 2) + "-" +
           TrimmedText(n.capacitorPf.high, 2) + " pF, L " + TrimmedText(n.inductorUh.low, 3) + "-" +
           TrimmedText(n.inductorUh.high, 3) + " uH, QL " + TrimmedText(n.inductorQ, 1) + ", QC " +
           TrimmedText(n.capacitorQ, 1) + ", capacitors " +
           TrimmedText(n.capacitorRatingV / 1000, 3) + " kV, balun " + std::to_string(n.balun) +
           ":1, at most " + TrimmedText(n.lossLimitDb, 2) + " dB lost in it";
  }
  return "internal tuner, SWR up to " + TrimmedText(t.maxSwr, 2) + " on 50 ohm";
}

std::string antennaText(const TTunerSetup& s) {
  const TFeedSource& feed = s.feed;
  if (feed.kind == TFeedSource::Fixed)
    return "Feed point fixed at " + TrimmedText(feed.fixed.real(), 2) +
           (feed.fixed.imag() < 0 ? " - j" : " + j") + TrimmedText(std::abs(feed.fixed.imag()), 2) +
           " ohm";
  if (feed.kind == TFeedSource::Measured)
    return "Feed point measured in " + feed.fileName +
           (feed.atTuner ? " at the tuner end of the feeder" : " at the feed point");
  return "Dipole " + FixedText(s.antenna.lengthM, 2) + " m of " +
         TrimmedText(s.antenna.wireDiameterM * 1000, 3) + " mm copper wire at " +
         TrimmedText(s.antenna.heightM, 2) + " m " + groundText(s.antenna.ground);
}

void printSetup(const TTunerSetup& s, std::ostream& out) {
  out << antennaText(s) << "; feeder " << FixedText(s.feederM, 2) << " m of " << lineText(s.line)
      << "; " << TrimmedText(s.powerW, 1) << " W; " << tunerText(s.tuner) << ".\n";
}

// The CSV's fields, one line, the network's after the others'.
template <class Fields>
void csvLine(std::ostream& out, const Fields& fields, const std::array<std::string, 7>* network) {
  for (size_t i = 0; i < fields.size(); ++i) out << (i ? "," : "") << fields[i];
  if (network) {
    for (const std::string& cell : *network) out << ',' << cell;
  }
  out << '\n';
}

void printCsv(const TTunerOptions& o, const std::vector<TTunerRow>& rows, std::ostream& out,
              std::ostream& err) {
  const bool network = o.setup.tuner.kind == TTuner::Network;
  std::array<std::string, 7> header;
  std::copy(NetworkCsvColumns.begin(), NetworkCsvColumns.end(), header.begin());
  csvLine(out, TunerCsvColumns, network ? &header : nullptr);
  for (const TTunerRow& r : rows) {
    if (!r.error.empty()) {
      err << TrimmedText(r.frequencyMHz, 4) << " MHz: " << r.error << '\n';
      continue;
    }
    const std::array<std::string, 7> cells = NetworkCsvTexts(r);
    csvLine(out, TunerCsvTexts(r), network ? &cells : nullptr);
  }
}

// Rows whose band has no feed point, and where a network stops a band, say why.
void printRowNotes(const std::vector<TTunerRow>& rows, std::ostream& out) {
  for (const TTunerRow& r : rows) {
    const std::string why = !r.error.empty() ? r.error : r.networkReason;
    if (!why.empty()) out << TrimmedText(r.frequencyMHz, 4) << " MHz: " << why << '\n';
  }
}

void printTable(const TTunerOptions& o, const std::vector<TTunerRow>& rows, std::ostream& out,
                std::ostream& err) {
  if (o.common.csv) {
    printCsv(o, rows, out, err);
    return;
  }
  printSetup(o.setup, out);
  constexpr size_t kColumns = TunerColumns.size() + NetworkColumns.size();
  const bool network = o.setup.tuner.kind == TTuner::Network;
  std::array<const char*, kColumns> header{};
  std::copy(TunerColumns.begin(), TunerColumns.end(), header.begin());
  std::copy(NetworkColumns.begin(), NetworkColumns.end(), header.begin() + TunerColumns.size());
  std::vector<std::array<std::string, kColumns>> texts;
  std::vector<std::string> marks;
  bool differs = false, uncertain = false;
  for (const TTunerRow& r : rows) {
    if (!r.error.empty()) continue;
    std::array<std::string, kColumns> cells{};
    const auto base = TunerRowTexts(r);
    const auto net = NetworkRowTexts(r);
    std::copy(base.begin(), base.end(), cells.begin());
    std::copy(net.begin(), net.end(), cells.begin() + base.size());
    texts.push_back(cells);
    marks.push_back(r.ruleDiffers ? " *" : "");
    differs = differs || r.ruleDiffers;
    uncertain = uncertain || r.ShownUncertainty();
  }
  if (network) {
    printColumns(header, texts, marks, out);
  } else {
    std::array<const char*, TunerColumns.size()> plainHeader{};
    std::copy(TunerColumns.begin(), TunerColumns.end(), plainHeader.begin());
    std::vector<std::array<std::string, TunerColumns.size()>> plain;
    for (const auto& t : texts) {
      plain.emplace_back();
      std::copy(t.begin(), t.begin() + TunerColumns.size(), plain.back().begin());
    }
    printColumns(plainHeader, plain, marks, out);
  }
  printRowNotes(rows, out);
  out << "SWR on the line against its nominal Z0 of " << TrimmedText(o.setup.line.z0, 2)
      << " ohm; \"match\" judges each band across its width and names its worst point.\n";
  if (network)
    out << "net dB: lost in the network; rig dB: from the rig to the antenna, network and line; "
           "max Vpk: the higher capacitor's peak voltage (! above its rating).\n";
  if (uncertain) out << "+/-: the feed point on a mesh 1.5 times as fine differs by this much.\n";
  if (differs)
    out << "* the classic rule's first current maximum lies more than 1/16 line wavelength away\n";
}

void printSpans(const TTunerOptions& o, const TTunerResult& result, std::ostream& out,
                std::ostream& err) {
  const TFinderResult& finder = result.finder;
  const std::string noSpan = NoSpanMessage(finder, o.setup.region, o.common.frequencyMHz);
  if (o.common.csv) {
    out << "from_m,to_m,worst_MHz,failing_bands\n";
    for (const TFeederSpan& s : finder.spans) {
      const auto texts = SpanTexts(s, o.setup.region, o.setup.tuner.kind);
      std::string failing = texts[5];
      std::replace(failing.begin(), failing.end(), ',', ';');
      out << texts[0] << ',' << texts[1] << ',' << texts[3] << ',' << failing << '\n';
    }
    if (!finder.SuitsAll()) err << noSpan << '\n';
    return;
  }
  if (!o.table) printSetup(o.setup, out);
  if (!finder.SuitsAll()) out << noSpan << '\n';
  if (finder.spans.empty()) return;
  if (finder.SuitsAll())
    out << "Feeder lengths at which the tuner matches every band across its width, best first:\n";
  std::vector<std::array<std::string, SpanColumns.size()>> texts;
  for (const TFeederSpan& s : finder.spans)
    texts.push_back(SpanTexts(s, o.setup.region, o.setup.tuner.kind));
  std::array<const char*, SpanColumns.size()> header = SpanColumns;
  if (o.setup.tuner.kind == TTuner::Network) header[4] = "rig dB";  // the worst total loss
  if (finder.SuitsAll()) {
    std::array<const char*, 5> five;
    std::copy_n(header.begin(), 5, five.begin());
    std::vector<std::array<std::string, 5>> cells;
    for (const auto& t : texts) cells.push_back({t[0], t[1], t[2], t[3], t[4]});
    printColumns(five, cells, {}, out);
  } else {
    printColumns(header, texts, {}, out);
  }
}

void run(const TTunerOptions& o, std::ostream& out, std::ostream& err) {
  const TTunerResult result = ComputeTunerResult(o.setup, o.common.bands, o.common.frequencyMHz);
  if (o.table) printTable(o, result.rows, out, err);
  if (o.table && o.findFeeder) out << '\n';
  if (o.findFeeder) printSpans(o, result, out, err);
}

}  // namespace

bool IsTunerValueOption(const std::string& option) { return oneOf(option, kValueOptions); }

TTunerSetup TunerSetupOf(const std::map<std::string, std::string>& options, double dipoleFeet) {
  rejectTunerPairs(options);
  TTunerSetup setup;
  setup.antenna.lengthM = dipoleFeet * MetresPerFoot;
  // The network first, so that its own options change it rather than it them.
  if (options.count("--network")) setup.tuner = TTuner(networkOf(options.at("--network")));
  for (const auto& [option, value] : options) {
    if (IsTunerValueOption(option) && option != "--network") apply(setup, option, value);
  }
  if (setup.tuner.kind == TTuner::Network) {
    try {
      CheckNetwork(setup.tuner.network);
    } catch (const std::invalid_argument& error) {
      throw EBadArgument(std::string("--network: ") + error.what());
    }
  }
  return setup;
}

TTunerResult ComputeTunerResult(const TTunerSetup& setup, const std::vector<int>& bands,
                                double frequencyMHz) {
  TTunerResult result;
  result.setup = setup;
  result.bands = bands;
  result.frequencyMHz = frequencyMHz;
  if (setup.feed.kind == TFeedSource::Model) {
    TFeedPointSweep sweep(setup.antenna, setup.region, bands, frequencyMHz);
    TNecCache cache;
    while (!sweep.Complete()) sweep.Take(ImpedancesOf(RunNec(sweep.Pending(), cache)));
    result.sweep = sweep.Points();
    result.centres = sweep.Centres();
  } else {
    TSourcePoints source =
        FeedPointsOf(setup.feed, setup.line, setup.feederM, setup.region, bands, frequencyMHz);
    result.sweep = std::move(source.points);
    result.centres = std::move(source.centres);
  }
  result.rows = TunerRows(setup, result.centres, result.sweep);
  if (!result.sweep.empty())
    result.finder = FindFeederSpans(setup.line, setup.tuner, result.sweep, setup.powerW);
  return result;
}

int RunWithTheAntennaModel(const std::function<void()>& work, std::ostream& err) {
  const auto badArgument = [&err](const char* error) {
    err << "OrvakSE: " << error << '\n' << CommandLineUsage << TunerCommandLineUsage;
    return 2;
  };
  try {
    work();
  } catch (const EBadArgument& error) {
    return badArgument(error.what());
  } catch (const EAntennaGeometry& error) {  // a bad value, but no option's: no usage
    err << "OrvakSE: " << error.what() << '\n';
    return 2;
  } catch (const ENecMissing& error) {
    err << "OrvakSE: " << error.what() << '\n';
    return 3;
  } catch (const std::exception& error) {
    err << "OrvakSE: " << error.what() << '\n';
    return 1;
  }
  return 0;
}

bool IsTunerCommandLine(const std::vector<std::string>& args) {
  for (const std::string& a : args) {
    const std::string option = a.substr(0, a.find('='));
    if (oneOf(option, kModes) || oneOf(option, kValueOptions)) return true;
  }
  return false;
}

int RunTunerCommandLine(const std::vector<std::string>& args, std::ostream& out,
                        std::ostream& err) {
  for (const std::string& a : args) {
    if (a == "--help")
      return DeliverOutput(std::string(CommandLineUsage) + TunerCommandLineUsage, out, err);
  }
  std::ostringstream text;
  const int code = RunWithTheAntennaModel([&] { run(parse(args), text, err); }, err);
  if (code != 0) return code;
  return DeliverOutput(text.str(), out, err);
}
