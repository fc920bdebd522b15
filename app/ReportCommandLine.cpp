#include "app/ReportCommandLine.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <memory>
#include <ostream>

#include "app/CommandLine.h"
#include "app/FeederCharts.h"
#include "app/ReportPdf.h"
#include "app/TunerCommandLine.h"
#include "app/tuner/NecDeck.h"
#include "app/tuner/NecRunner.h"
#include "controls/chart/PLX_rchart.h"
#include "platform/Application.h"
#include "platform/Errors.h"
#include "platform/QtText.h"

namespace {

bool isMode(const std::string& option) { return option == "--tuner" || option == "--find-feeder"; }

bool takesValue(const std::string& option) {
  return option == "--report" || IsTunerValueOption(option);
}

// The feeder and its line, which the Feeder check shares with the tuner view.
bool isSharedFeeder(const std::string& option) {
  return option == "--feeder-m" || option == "--feeder-ft" || option == "--line" ||
         option == "--line-loss";
}

// The tuner view's options other than the shared feeder need its modes.
void requireMode(const std::map<std::string, std::string>& given) {
  if (given.count("--tuner") || given.count("--find-feeder")) return;
  for (const auto& [option, value] : given) {
    if (IsTunerValueOption(option) && !isSharedFeeder(option)) {
      throw EBadArgument(option + " belongs to --tuner or --find-feeder; give one of them");
    }
  }
}

// The line the Feeder check and Tuner pages share: --line's, or without one
// the Tuner page's first (window line), which the Feeder check page also
// starts with. A custom line is "Custom" of its velocity factor there.
TLineChoice sharedLine(const TTransmissionLine& line) {
  TLineChoice choice;
  for (size_t i = 0; i < LinePresets.size(); ++i) {
    if (LinePresets[i].line == line) {
      choice.line = int(i);
      return choice;
    }
  }
  choice.line = CustomLine;
  choice.custom = line;
  return choice;
}

// Every frequency of the options as the window's list calculates it, each
// done one drawn on a chart laid out as the window's first chart.
void calculate(const TCommandLine& o, TReportInput& input) {
  TCustomRChart chart;
  LoadFirstChart(chart);
  std::vector<double> frequencies;
  if (o.bands.empty()) frequencies.push_back(o.frequencyMHz);
  for (int band : o.bands) frequencies.push_back(BandPresets[size_t(band)].frequency);
  TFeederState state;
  InitFeederState(state, o.frequencyMHz);
  state.LLWL = o.feederConstant;
  for (double f : frequencies) {
    const TCalcResult result = CalcSingle(state, f, o.dipoleFeet);
    input.calculations.push_back(ReportCalculationOf(state, result, o.dipoleFeet));
    if (result.done) PlotCalculation(chart, state, f, false);
  }
  input.chart = ReportChartOf(chart);
}

TReportTuner tunerPart(const std::map<std::string, std::string>& given, const TCommandLine& o) {
  TReportTuner tuner;
  tuner.setup = TunerSetupOf(given, o.dipoleFeet);
  const TTunerResult result = ComputeTunerResult(tuner.setup, o.bands, o.frequencyMHz);
  if (given.count("--find-feeder")) tuner.spans = result.finder;
  if (!given.count("--tuner")) return tuner;
  tuner.rows = result.rows;
  // The chart's bars show the lengths that suit every band only where the
  // report lists them.
  auto chart = std::make_shared<TTunerResult>(result);
  if (!tuner.spans) chart->finder.spans.clear();
  tuner.chart = std::move(chart);
  return tuner;
}

TCommandLine commonOptions(const std::vector<std::string>& rest) {
  const TCommandLineParse common = ParseCommandLine(rest);
  if (!common.options) throw EBadArgument(common.error);
  if (common.options->csv)
    throw EBadArgument("--csv and --report exclude each other; give one of them");
  return *common.options;
}

// The toolkit draws the document's text with its fonts; without the
// window's application it runs one without a display. Its own notes (such
// as a missing runtime folder) are no output of ours and stay unprinted.
class HeadlessApplication {
 public:
  HeadlessApplication() {
    if (QCoreApplication::instance()) return;
    FPrevious = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    FApplication = std::make_unique<QGuiApplication>(FArgc, FArgv);
    RegisterProgramFonts();
  }
  ~HeadlessApplication() {
    if (!FApplication) return;
    FApplication.reset();
    qInstallMessageHandler(FPrevious);
  }
  HeadlessApplication(const HeadlessApplication&) = delete;
  HeadlessApplication& operator=(const HeadlessApplication&) = delete;

 private:
  char FProgram[8] = "OrvakSE";
  char FOption[10] = "-platform";
  char FPlatform[10] = "offscreen";
  int FArgc = 3;
  char* FArgv[4] = {FProgram, FOption, FPlatform, nullptr};
  QtMessageHandler FPrevious = nullptr;
  std::unique_ptr<QGuiApplication> FApplication;
};

// An argument's text, in the locale's encoding as the system hands it over.
std::u16string fromArgument(const std::string& text) {
  return FromQString(QString::fromLocal8Bit(text));
}

}  // namespace

bool IsReportCommandLine(const std::vector<std::string>& args) {
  for (const std::string& a : args) {
    if (a.substr(0, a.find('=')) == "--report") return true;
  }
  return false;
}

TReportInput ReportInputOfArguments(const std::vector<std::string>& args,
                                    std::u16string& fileName) {
  std::vector<std::string> rest;
  const auto given = TakeOptions(args, isMode, takesValue, rest);
  if (given.at("--report").empty()) throw EBadArgument("--report needs the name of a file");
  requireMode(given);
  const TCommandLine o = commonOptions(rest);
  TReportInput input;
  input.date = ReportDate();
  input.frequencyMHz = o.frequencyMHz;
  input.bands = o.bands;
  input.dipoleFeet = o.dipoleFeet;
  input.feeder = {fromArgument(o.impedance), o.feederConstant};
  input.check.dipoleFeet = o.dipoleFeet;
  for (int band : o.bands) input.check.checked[size_t(band)] = true;
  const TTunerSetup shared = TunerSetupOf(given, o.dipoleFeet);
  input.line = sharedLine(shared.line);
  input.check.line = FeederLineOf(input.line.line);
  input.check.customFactor = input.line.custom.velocityFactor;
  input.check.feederMetres = shared.feederM;
  calculate(o, input);
  if (given.count("--tuner") || given.count("--find-feeder")) input.tuner = tunerPart(given, o);
  fileName = fromArgument(given.at("--report"));
  return input;
}

int RunReportCommandLine(const std::vector<std::string>& args, std::ostream& out,
                         std::ostream& err) {
  for (const std::string& a : args) {
    if (a == "--help") return DeliverOutput(CommandLineUsage, out, err);
  }
  const HeadlessApplication application;
  return RunWithTheAntennaModel(
      [&args] {
        std::u16string fileName;
        const TReportInput input = ReportInputOfArguments(args, fileName);
        SaveReportPdf(fileName, input);
      },
      err);
}
