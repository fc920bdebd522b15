// The report as a PDF, read back with the Poppler tools: its text, its pages,
// its chart's resolution, its paper, its layout, and its saving.
#include "app/ReportPdf.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <cstdlib>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/ReportCommandLine.h"
#include "platform/Errors.h"
#include "platform/Locale.h"
#include "platform/QtText.h"
#include "platform/Utf8.h"
#include "support/FailingSaves.h"
#include "tests/app/PdfReading.h"

namespace {

namespace fs = std::filesystem;
using namespace pdf_reading;

constexpr double kPoint = 72 / 25.4;  // points a millimetre

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The list's line of a calculation: its frequency, the dipole and its eight
// lengths.
std::string ListLine(double frequency, const std::string& label) {
  TFeederState state;
  InitFeederState(state, frequency);
  CalcSingle(state, frequency, 85.30);
  std::string line = label + " MHz 26.00 m";
  for (const std::u16string& length : FeederListLines(state)) line += " " + ToUtf8(length);
  return line;
}

// The environment variables given, set or unset, for the scope's length.
using Environment = std::map<std::string, std::optional<std::string>>;

class EnvironmentScope {
 public:
  explicit EnvironmentScope(const Environment& values) {
    for (const auto& [name, value] : values) {
      const char* old = std::getenv(name.c_str());
      FOld[name] = old ? std::optional<std::string>(old) : std::nullopt;
      set(name, value);
    }
  }
  ~EnvironmentScope() {
    for (const auto& [name, value] : FOld) set(name, value);
  }

 private:
  static void set(const std::string& name, const std::optional<std::string>& value) {
    if (value) {
      setenv(name.c_str(), value->c_str(), 1);
    } else {
      unsetenv(name.c_str());
    }
  }
  std::map<std::string, std::optional<std::string>> FOld;
};

struct ReportPdfTest : ::testing::Test {
  QTemporaryDir folder;

  void SetUp() override { SetLocaleDecimalSeparator(u'.'); }
  void TearDown() override { SetLocaleDecimalSeparator(0); }

  fs::path Path(const std::string& name) const {
    return fs::path(folder.path().toStdString()) / name;
  }

  // The command line's input for these options.
  static TReportInput Input(std::vector<std::string> options) {
    options.insert(options.begin(), {"--report", "unused.pdf"});
    std::u16string unused;
    return ReportInputOfArguments(options, unused);
  }

  fs::path Written(const TReportInput& input, TPaper paper = TPaper::A4,
                   const std::string& name = "report.pdf") {
    const fs::path file = Path(name);
    WriteFile(file, ReportPdf(input, paper));
    return file;
  }
};

TEST_F(ReportPdfTest, TheInputsAndEveryListedLengthAreTextOfTheDocument) {
  SKIP_WITHOUT_POPPLER();
  const fs::path file =
      Written(Input({"--bands", "1.8,7.1,14.2", "--dipole-m", "26", "--feeder-m", "12.5"}));
  const std::vector<std::string> lines = Lines(file);
  for (const std::string& line : std::vector<std::string>{
           "Orvak SE version 1.0: feeder report",
           "Bands 1.8 MHz, 7.1 MHz, 14.2 MHz",
           "Dipole length 26.00 m (85.30 ft)",
           "Feeder of the list Z0 450 \u03A9, the calculator's feeder constant 886.00 "
           "ft\u00B7MHz",
           ListLine(7.1, "7.1"),
           ListLine(14.2, "14.2"),
           "Feeder length 12.50 m (41 ft 0.1 in)",
           "Line as in the Inputs",
           "7.1 MHz 13.49 m add 0.99 m (3 ft 3.0 in)"}) {
    EXPECT_TRUE(Contains(lines, line)) << line << "\n" << Text(file);
  }
  // Too short: a statement in the list and in the Feeder check alike.
  const std::string text = Text(file);
  const std::string tooShort = "The dipole is too short for 1.8 MHz: it needs at least 208.3 ft.";
  ASSERT_NE(text.find(tooShort), std::string::npos) << text;
  EXPECT_NE(text.find(tooShort, text.find(tooShort) + 1), std::string::npos) << text;
  EXPECT_EQ(text.find("Please"), std::string::npos) << text;
  EXPECT_EQ(lines.back(),
            "Orvak SE version 1.0, feeder report of " + ToUtf8(ReportDate()) + " Page 1 of 1");
  EXPECT_EQ(Info(file, "Title"), "Orvak SE version 1.0: feeder report");
  // The values of every block of facts begin in one column.
  std::map<std::string, double> starts;
  for (const Word& w : Words(file)) starts.emplace(w.text, w.xMin);
  EXPECT_NEAR(starts.at("26.00"), starts.at("12.50"), 0.01);
}

TEST_F(ReportPdfTest, NumbersTakeTheLocalesDecimalSeparator) {
  SKIP_WITHOUT_POPPLER();
  SetLocaleDecimalSeparator(u',');
  const fs::path file = Written(Input({"--frequency", "7.1"}));
  const std::vector<std::string> lines = Lines(file);
  EXPECT_TRUE(Contains(lines, "7,1 MHz 26,00 m 13,36 32,37 51,39 70,41 89,43 108,44 127,46 146,48"))
      << Text(file);
  EXPECT_TRUE(Contains(lines, "Dipole length 26,00 m (85,30 ft)")) << Text(file);
  EXPECT_EQ(Text(file).find("13.36"), std::string::npos);
}

// The first page renders, with the chart's data area in its colour; the
// chart in the document is one picture of 300 pixels an inch of paper,
// stored without loss.
TEST_F(ReportPdfTest, TheFirstPageRendersAndTheChartHas300PixelsAnInch) {
  SKIP_WITHOUT_POPPLER();
  const fs::path file = Written(Input({"--bands", "all"}));
  const QImage page = Render(file, 1, 40, Path(""));
  ASSERT_FALSE(page.isNull());
  EXPECT_EQ(page.width(), 331);  // 210 mm at 40 dots an inch
  EXPECT_EQ(page.height(), 468);
  // The data area: 155 mm x 87 mm at 40 dots an inch, less its grid.
  int chartColoured = 0;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      const QRgb p = page.pixel(x, y);
      chartColoured +=
          std::abs(qRed(p) - 0x3A) + std::abs(qGreen(p) - 0x6E) + std::abs(qBlue(p) - 0xA5) < 24;
    }
  }
  EXPECT_GT(chartColoured, 25000);
  const std::vector<Image> images = Images(file);
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].width, 2056);  // 174 mm at 300 dots an inch, rounded up
  EXPECT_GE(images[0].xPpi, 300);
  EXPECT_GE(images[0].yPpi, 300);
  EXPECT_EQ(images[0].encoding, "image");  // not "jpeg"
}

// A tuner view computed for the bands: its rows, its sweep and its finder.
TReportTuner ComputedTuner(const TTunerSetup& setup) {
  auto result = std::make_shared<TTunerResult>();
  result->setup = setup;
  result->bands = {3, 5};
  result->centres = {{7.1, {60, 30}, std::nullopt, 3}, {14.175, {2300, -1800}, 0.071, 5}};
  result->sweep = {{7.1, {60, 30}, 3}, {14.175, {2300, -1800}, 5}};
  result->rows = TunerRows(setup, result->centres, result->sweep);
  result->finder.table =
      std::make_shared<const TFinderTable>(setup.line, setup.tuner, result->sweep, setup.powerW);
  TReportTuner tuner;
  tuner.setup = setup;
  tuner.rows = result->rows;
  tuner.chart = result;
  return tuner;
}

// One line for the whole document: the Inputs name it, the Feeder check and
// the tuner view refer to it; the Tuner chart follows the table at 300
// pixels an inch, as the first chart does.
TEST_F(ReportPdfTest, OneLineNameAndTheTunerChartAt300PixelsAnInch) {
  SKIP_WITHOUT_POPPLER();
  TReportInput input = Input({"--bands", "7.1,14.2"});
  TTunerSetup setup;
  setup.antenna.lengthM = input.dipoleFeet * MetresPerFoot;
  input.tuner = ComputedTuner(setup);
  const fs::path file = Written(input);
  const std::string text = Text(file);
  const std::string name = "Window line 450 \u03A9 (Z0 400 \u03A9 measured), #18";
  ASSERT_NE(text.find(name), std::string::npos) << text;
  EXPECT_EQ(text.find(name, text.find(name) + 1), std::string::npos) << text;
  EXPECT_EQ(text.find("450/600"), std::string::npos) << text;
  EXPECT_EQ(text.find("velocity factor 0.90"), std::string::npos) << text;
  const std::vector<std::string> lines = Lines(file);
  EXPECT_TRUE(Contains(lines, "Line as in the Inputs")) << text;
  EXPECT_NE(text.find("at the tuner"), std::string::npos) << text;
  const std::vector<Image> images = Images(file);
  ASSERT_EQ(images.size(), 2u);
  for (const Image& image : images) {
    EXPECT_EQ(image.width, 2056);
    EXPECT_GE(image.xPpi, 300);
    EXPECT_GE(image.yPpi, 300);
    EXPECT_EQ(image.encoding, "image");
  }
  EXPECT_EQ(images[1].height, 1066);  // the Tuner page's proportions, 648 x 336
}

TEST_F(ReportPdfTest, A4OrLetter) {
  SKIP_WITHOUT_POPPLER();
  const TReportInput input = Input({});
  EXPECT_EQ(Info(Written(input, TPaper::A4, "a4.pdf"), "Page size"), "595 x 842 pts (A4)");
  const fs::path letter = Written(input, TPaper::Letter, "letter.pdf");
  EXPECT_EQ(Info(letter, "Page size"), "612 x 792 pts (letter)");
  EXPECT_GE(Images(letter).at(0).xPpi, 300);
}

// The C library's paper of the locale where it is installed (here made into
// a folder of the test's own), else the territory of the locale's name.
TEST_F(ReportPdfTest, ThePaperIsTheLocales) {
  const std::optional<std::string> none;
  {
    const EnvironmentScope c(
        {{"LC_ALL", none}, {"LC_PAPER", none}, {"LANG", none}, {"LOCPATH", none}});
    EXPECT_EQ(LocalePaper(), TPaper::A4);
  }
  for (const auto& [name, paper] :
       std::vector<std::pair<std::string, TPaper>>{{"en_US.UTF-8", TPaper::Letter},
                                                   {"es_MX", TPaper::Letter},
                                                   {"fr_CA.UTF-8", TPaper::Letter},
                                                   {"de_DE.UTF-8", TPaper::A4},
                                                   {"en_GB", TPaper::A4},
                                                   {"C", TPaper::A4}}) {
    const EnvironmentScope notInstalled({{"LC_ALL", none},
                                         {"LANG", "de_DE.UTF-8"},
                                         {"LC_PAPER", name},
                                         {"LOCPATH", Path("none").string()}});
    EXPECT_EQ(LocalePaper(), paper) << name;
  }
  SKIP_OR_FAIL_WITHOUT(fs::exists("/usr/share/i18n/locales/en_US"),
                       "the locale sources (Debian package locales)");
  const fs::path locales = Path("locales");
  fs::create_directory(locales);
  // The data of en_US under a German name: the data decide, not the name;
  // LC_ALL comes before LC_PAPER.
  pdf_reading::Run("localedef -i en_US -f UTF-8 " + Quoted(locales / "de_DE.UTF-8") + " 2>&1");
  const EnvironmentScope installed(
      {{"LC_ALL", none}, {"LANG", none}, {"LOCPATH", locales.string()}});
  const EnvironmentScope letter(Environment{{"LC_PAPER", "de_DE.UTF-8"}});
  EXPECT_EQ(LocalePaper(), TPaper::Letter);
  const EnvironmentScope all(Environment{{"LC_ALL", "C"}});
  EXPECT_EQ(LocalePaper(), TPaper::A4);
}

// Seventy calculations run over pages: each page has its footer, the
// table's header starts every page it goes on, and no row is cut.
TEST_F(ReportPdfTest, LongTablesGoOnOverPagesWithTheirHeaderAndWholeRows) {
  SKIP_WITHOUT_POPPLER();
  TReportInput input = Input({"--bands", "7.1,14.2"});
  while (input.calculations.size() < 70)
    input.calculations.push_back(input.calculations[input.calculations.size() % 2]);
  const fs::path file = Written(input);
  const int pages = std::stoi(Info(file, "Pages"));
  ASSERT_GE(pages, 3);
  // A row of the table: its frequency, "MHz", the dipole and its eight lengths.
  const auto isRow = [](const std::string& line) {
    std::istringstream words(line);
    std::string frequency, unit, dipole, metres, length;
    words >> frequency >> unit >> dipole >> metres;
    int lengths = 0;
    while (words >> length) lengths += IsFixed2(length) ? 1 : 100;
    return (frequency == "7.1" || frequency == "14.2") && unit == "MHz" && dipole == "26.00" &&
           metres == "m" && lengths == 8;
  };
  int rows = 0;
  for (int p = 1; p <= pages; ++p) {
    const std::vector<std::string> lines = Lines(file, p);
    EXPECT_EQ(lines.back(),
              "Orvak SE version 1.0, feeder report of " + ToUtf8(input.date) + " Page " +
                  std::to_string(p) + " of " + std::to_string(pages));
    int here = 0;
    for (const std::string& line : lines) here += isRow(line);
    if (here > 0) {
      EXPECT_TRUE(Contains(lines, "Frequency Dipole 1 2 3 4 5 6 7 8")) << "page " << p;
    }
    rows += here;
  }
  EXPECT_EQ(rows, 70);
}

// A section's facts are not left at the foot of a page while the table they
// introduce starts the next: all ten bands fill page 1 up to the Feeder
// check, which then starts page 2 with its facts and its table.
TEST_F(ReportPdfTest, FactsStayOnThePageOfTheirTable) {
  SKIP_WITHOUT_POPPLER();
  const fs::path file = Written(Input({"--bands", "all"}));
  const int pages = std::stoi(Info(file, "Pages"));
  for (int p = 1; p <= pages; ++p) {
    const std::vector<std::string> lines = Lines(file, p);
    EXPECT_EQ(Contains(lines, "Feeder check"),
              Contains(lines, "Band Nearest maximum Change to reach it Warning"))
        << "page " << p;
  }
}

// Every word inside the text area or the footer's band, on A4 and Letter, the
// fourteen columns of the tuner table included; the lengths right-aligned
// in their columns.
TEST_F(ReportPdfTest, NothingLeavesTheTextAreaAndColumnsAreAligned) {
  SKIP_WITHOUT_POPPLER();
  TReportInput input = Input({"--bands", "all"});
  TReportTuner tuner;
  for (double f : {1.905, 3.65, 28.85}) {
    const TSweepCentre centre{f, {2299.2, -1806.2}, 0.071, 0};
    tuner.rows.push_back(TunerRow(tuner.setup, centre, {0, false, -1, 3.59}));
  }
  TFinderResult spans;
  spans.spans = {{8.97, 17.43, 11.73, std::log(11.52), 7.2, {}}};
  spans.groupsIncluded = spans.groupsSuited = 3;
  tuner.spans = spans;
  input.tuner = tuner;
  for (const TPaper paper : {TPaper::A4, TPaper::Letter}) {
    const fs::path file = Written(input, paper, paper == TPaper::A4 ? "a4.pdf" : "letter.pdf");
    const double width = paper == TPaper::A4 ? 595 : 612, height = paper == TPaper::A4 ? 842 : 792;
    const std::vector<Word> words = Words(file);
    ASSERT_GT(words.size(), 500u);
    for (const Word& w : words) {
      EXPECT_GE(w.xMin, 18 * kPoint - 0.5) << w.text;
      EXPECT_LE(w.xMax, width - 18 * kPoint + 0.5) << w.text;
      const bool text = w.yMax <= height - 22 * kPoint + 0.5,
                 footer = w.yMin >= height - 14 * kPoint;
      EXPECT_TRUE(text || footer) << w.text << " on page " << w.page << " at " << w.yMin;
    }
    // The lengths' rows: the numbers right of the frequencies (the dipole's
    // and the eight lengths) end at the same x, column by column.
    std::map<double, std::vector<double>> rows;  // a row's top: its numbers' right ends
    for (const Word& w : words) {
      if (IsFixed2(w.text) && w.page == 1 && w.xMin > 80) {
        rows[std::round(w.yMin * 10) / 10].push_back(w.xMax);
      }
    }
    std::vector<std::vector<double>> tableRows;
    for (const auto& [top, ends] : rows) {
      if (ends.size() == 9) tableRows.push_back(ends);
    }
    ASSERT_EQ(tableRows.size(), 8u);  // the bands from 5.35 MHz on
    for (const auto& ends : tableRows) {
      for (size_t c = 0; c < 9; ++c) EXPECT_NEAR(ends[c], tableRows[0][c], 0.05) << c;
    }
  }
}

TEST_F(ReportPdfTest, SavesThatFailLoseNothingAndOnlyRegularFilesAreReplaced) {
  const TReportInput input = Input({});
  const failing_saves::TSave save = [&input](const fs::path& name) {
    try {
      SaveReportPdf(FromQString(QString::fromStdString(name.string())), input);
    } catch (const EFileError& error) {
      return std::string(error.what());
    }
    return std::string();
  };
  failing_saves::ExpectWriteFailuresLoseNothing(save, Path(""), "report.pdf");
  failing_saves::ExpectOnlyRegularFilesReplaced(save, Path(""), "report.pdf");
  EXPECT_EQ(failing_saves::FileBytes(Path("linked-report.pdf")).substr(0, 5), "%PDF-");
}

}  // namespace
