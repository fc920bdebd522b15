// The window's report: saved from the first chart's popup menu and from the
// Feeder check page, of what the window shows, with the same text as the
// command line's report of the same inputs.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cctype>
#include <sstream>
#include <string>

#include "app/CommandLine.h"
#include "app/FeederCharts.h"
#include "app/FeederCheckPage.h"
#include "app/ReportChart.h"
#include "app/TunerCommandLine.h"
#include "app/TunerPage.h"
#include "platform/QtText.h"
#include "support/FailingSaves.h"
#include "support/PixelMask.h"
#include "tests/app/PageTestSupport.h"
#include "tests/app/PdfReading.h"
#include "tests/app/WindowFixture.h"
#include "tests/app/tuner/NecTestSupport.h"

namespace {

namespace fs = std::filesystem;
using namespace pdf_reading;

struct WindowReport : WindowFixture {
  QTemporaryDir folder;
  std::u16string answer;  // the name the "dialog" gives back
  int asked = 0;

  void prepare(TfrmMain& w) override {
    w.AskSaveFileName = [this](const std::u16string&,
                               const std::u16string& filter,
                               const std::u16string& suggested) {
      EXPECT_EQ(filter, u"PDF documents (*.pdf)");
      EXPECT_EQ(suggested, u"feeder-report.pdf");
      ++asked;
      return answer;
    };
  }

  fs::path Path(const std::string& name) const {
    return fs::path(folder.path().toStdString()) / name;
  }

  QAction* ReportEntry() const {
    for (QAction* action : window->puRc->actions()) {
      if (action->objectName() == QStringLiteral("SaveReport1")) return action;
    }
    return nullptr;
  }

  // The menu's entry, or a page's button.
  void Trigger(QPushButton* button) {
    if (button) {
      button->click();
    } else {
      ReportEntry()->trigger();
    }
  }

  // Saves through the menu entry or a page's button into the file.
  fs::path Save(const std::string& name, QPushButton* button = nullptr) {
    const fs::path file = Path(name);
    answer = FromQString(QString::fromStdString(file.string()));
    Trigger(button);
    return file;
  }

  // The menu's entry and the two pages' buttons.
  std::vector<QPushButton*> Buttons() const {
    return {nullptr, window->TabSheet3->btnReport, window->TabSheet4->btnReport};
  }

  // The command line's report of these options.
  fs::path CommandLineReport(const std::string& name, std::vector<std::string> options) {
    const fs::path file = Path(name);
    options.insert(options.begin(), {"--report", file.string()});
    std::ostringstream out, err;
    EXPECT_EQ(RunCommandLine(options, out, err), 0) << err.str();
    EXPECT_EQ(out.str() + err.str(), "");
    return file;
  }

  // The first page as a user sets it: Clear graph, the bands checked, the
  // impedance chosen, Calc selected; the Feeder check page's feeder.
  void Calculate(const std::vector<int>& bands, int impedance, const QString& feederMetres,
                 int line) {
    window->btnClearGraph->click();
    for (int band : bands) window->SetChecked(band, true);
    window->cbZ0->setCurrentIndex(impedance);
    window->btnBatch->click();
    window->TabSheet3->nioFeedLenm->SetNioValue(feederMetres.toDouble());
    window->TabSheet3->nioFeedLenmChange(nullptr);
    window->TabSheet3->cbLine->setCurrentIndex(line);
  }
};

// The date is the one difference two reports may have, across midnight:
// every "dddd-dd-dd" becomes "DATE".
std::string WithoutDates(std::string text) {
  const auto digits = [&text](size_t at, size_t n) {
    for (size_t i = at; i < at + n; ++i) {
      if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    }
    return true;
  };
  for (size_t i = 0; i + 10 <= text.size(); ++i) {
    if (digits(i, 4) && text[i + 4] == '-' && digits(i + 5, 2) && text[i + 7] == '-' &&
        digits(i + 8, 2)) {
      text.replace(i, 10, "DATE");
    }
  }
  return text;
}

TEST_F(WindowReport, TheMenuAndTheFeederCheckAndTunerPagesOfferIt) {
  ASSERT_NE(ReportEntry(), nullptr);
  EXPECT_EQ(ReportEntry()->text(), QStringLiteral("Save report as PDF\u2026"));
  QPushButton* button = window->TabSheet3->btnReport;
  EXPECT_EQ(button->text(), QStringLiteral("Save report as PDF\u2026"));
  EXPECT_EQ(button->parentWidget(), window->TabSheet3);
  EXPECT_EQ(button->geometry(), QRect(536, 102, 124, 25));
  EXPECT_EQ(window->TabSheet3->TabOrder().back(), button);
  // Clear of the table's header and its first row.
  EXPECT_FALSE(button->geometry().intersects(window->TabSheet3->Rows[0].warning->geometry()));
  EXPECT_LE(button->geometry().bottom(), window->TabSheet3->Rows[0].band->geometry().top());
  // The Tuner page's beside its sub-pages' tabs, whichever shows.
  QPushButton* tuner = window->TabSheet4->btnReport;
  EXPECT_EQ(tuner->text(), QStringLiteral("Save report as PDF\u2026"));
  EXPECT_EQ(window->TabSheet4->tabs->cornerWidget(Qt::TopRightCorner), tuner);
  EXPECT_EQ(window->TabSheet4->TabOrder().back(), tuner);
}

TEST_F(WindowReport, EachSavesWhatTheWindowShowsAndACancelSavesNothing) {
  SKIP_WITHOUT_POPPLER();
  answer.clear();
  for (QPushButton* button : Buttons()) Trigger(button);
  EXPECT_EQ(asked, 3);
  EXPECT_TRUE(fs::is_empty(Path("")));
  for (QPushButton* button : Buttons()) {
    const fs::path file = Save("report-" + std::to_string(asked) + ".pdf", button);
    const std::vector<std::string> lines = Lines(file);
    EXPECT_NE(std::find(lines.begin(),
                        lines.end(),
                        "7.1 MHz 26.00 m 13.36 32.37 51.39 70.41 89.43 108.44 127.46 146.48"),
              lines.end())
        << Text(file);
    EXPECT_EQ(Images(file).size(), 1u);
  }
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(errors.empty());
}

// The bands with two the dipole is too short for, the 300 ohm feeder, a
// feeder of 12.5 m on the Feeder check page of its first line: the window's
// report and the command line's hold the same text, also in a comma locale.
TEST_F(WindowReport, ItHoldsTheTextOfTheCommandLinesReportOfTheSameInputs) {
  SKIP_WITHOUT_POPPLER();
  Calculate({0, 1, 3, 5}, 0, QStringLiteral("12.5"), DefaultFeederLine);
  EXPECT_EQ(messages.size(), 2u);  // 1.8 and 3.7 MHz
  const std::vector<std::string> options = {
      "--bands", "1.8,3.7,7.1,14.2", "--impedance", "300", "--feeder-m", "12.5"};
  const std::string window1 = WithoutDates(Text(Save("window.pdf")));
  EXPECT_EQ(window1, WithoutDates(Text(CommandLineReport("command-line.pdf", options))));
  EXPECT_NE(window1.find("Z0 300 \u03A9"), std::string::npos) << window1;
  EXPECT_NE(window1.find("12.50 m (41 ft 0.1 in)"), std::string::npos) << window1;
  SetLocaleDecimalSeparator(u',');
  const std::string comma = WithoutDates(Text(Save("window-comma.pdf")));
  EXPECT_EQ(comma, WithoutDates(Text(CommandLineReport("command-line-comma.pdf", options))));
  EXPECT_NE(comma.find("12,50 m (41 ft 0,1 in)"), std::string::npos) << comma;
}

// The Feeder check page's line is --line's, a preset or the user's own: the
// Inputs name it, the Feeder check refers to it.
TEST_F(WindowReport, TheCheckPagesLineIsTheCommandLinesLine) {
  SKIP_WITHOUT_POPPLER();
  Calculate({3}, 1, QStringLiteral("20"), FeederLineOf(1));
  const std::string preset = WithoutDates(Text(Save("preset.pdf")));
  EXPECT_EQ(preset,
            WithoutDates(
                Text(CommandLineReport("preset-cl.pdf", {"--bands", "7.1", "--line", "open600"}))));
  EXPECT_NE(preset.find("Open wire 600 \u03A9, 2 mm: Z0 600 \u03A9, velocity factor 0.97"),
            std::string::npos)
      << preset;
  EXPECT_NE(preset.find("as in the Inputs"), std::string::npos) << preset;
  window->TabSheet3->cbLine->setCurrentIndex(CustomFeederLine);
  window->TabSheet3->nioVF->SetNioValue(0.5);
  window->TabSheet3->nioVFChange(nullptr);
  const std::string custom = WithoutDates(Text(Save("custom.pdf")));
  EXPECT_EQ(custom,
            WithoutDates(Text(CommandLineReport("custom-cl.pdf",
                                                {"--bands", "7.1", "--line", "450,0.5,1.024"}))));
  EXPECT_NE(custom.find("custom line: Z0 450 \u03A9, velocity factor 0.5, conductors 1.024 mm"),
            std::string::npos)
      << custom;
  EXPECT_NE(custom.find("constant 491.79 ft\u00B7MHz)"), std::string::npos) << custom;
  // "450/600" stays the page's choice: the check names it, the Inputs no line.
  window->TabSheet3->cbLine->setCurrentIndex(ClassicFeederLine);
  const std::string classic = WithoutDates(Text(Save("classic.pdf")));
  EXPECT_NE(classic.find("450/600, velocity factor 0.90 (feeder constant 886.00 ft\u00B7MHz)"),
            std::string::npos)
      << classic;
  EXPECT_EQ(classic.find("custom line"), std::string::npos) << classic;
}

// A dipole typed after the start-up calculation: the Inputs give the new
// length and say that the list differs; its row keeps the dipole it was
// computed with. Calculated again, the list agrees.
TEST_F(WindowReport, ARowKeepsTheDipoleItWasComputedWith) {
  SKIP_WITHOUT_POPPLER();
  TypeOver(*window->nioDipolLenm, u"41");
  const std::string note = "The list below was computed with other values: see each row.";
  std::vector<std::string> lines = Lines(Save("typed.pdf"));
  const auto has = [&lines](const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  };
  EXPECT_TRUE(has("Dipole length 41.00 m (134.51 ft)"));
  EXPECT_TRUE(has(note));
  EXPECT_TRUE(has("7.1 MHz 26.00 m 13.36 32.37 51.39 70.41 89.43 108.44 127.46 146.48"));
  window->btnCalc->click();
  lines = Lines(Save("both.pdf"));
  EXPECT_TRUE(has(note));
  EXPECT_TRUE(has("7.1 MHz 26.00 m 13.36 32.37 51.39 70.41 89.43 108.44 127.46 146.48"));
  const auto row41 = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
    return line.rfind("7.1 MHz 41.00 m 9.35 ", 0) == 0;
  });
  EXPECT_NE(row41, lines.end());
  window->btnClearGraph->click();
  window->btnCalc->click();
  lines = Lines(Save("again.pdf"));
  EXPECT_FALSE(has(note));
  EXPECT_EQ(std::count_if(lines.begin(),
                          lines.end(),
                          [](const std::string& line) { return line.rfind("7.1 MHz ", 0) == 0; }),
            2);  // the list's row and the Feeder check's
  EXPECT_TRUE(errors.empty());
}

// The Tuner page's results are the report's tuner view once it has
// computed them: the command line's of the same inputs.
TEST_F(WindowReport, TheTunerPagesResultsAreTheReportsTunerView) {
  SKIP_WITHOUT_POPPLER();
  SKIP_WITHOUT_NEC2C();
  TemporaryFolderScope temporary;
  Calculate({3, 5}, 1, QStringLiteral("20"), DefaultFeederLine);
  QPushButton* button = window->TabSheet4->btnReport;
  const fs::path before = Save("before.pdf", button);
  EXPECT_EQ(Text(before).find("Tuner view"), std::string::npos);  // not computed yet
  EXPECT_EQ(Images(before).size(), 1u);
  window->PageControl1->setCurrentWidget(window->TabSheet4);
  ASSERT_TRUE(QTest::qWaitFor([this] { return window->TabSheet4->Result() != nullptr; }, 60000));
  const fs::path file = Save("window.pdf", button);
  const std::string fromWindow = WithoutDates(Text(file));
  EXPECT_NE(fromWindow.find("Tuner view"), std::string::npos);
  // One line named once; the Tuner chart after the table, at 300 pixels an inch.
  const std::string name = "Window line 450 \u03A9 (Z0 400 \u03A9 measured), #18";
  ASSERT_NE(fromWindow.find(name), std::string::npos);
  EXPECT_EQ(fromWindow.find(name, fromWindow.find(name) + 1), std::string::npos) << fromWindow;
  const std::vector<Image> images = Images(file);
  ASSERT_EQ(images.size(), 2u);
  for (const Image& image : images) EXPECT_GE(std::min(image.xPpi, image.yPpi), 300);
  EXPECT_EQ(fromWindow,
            WithoutDates(Text(CommandLineReport(
                "command-line.pdf", {"--bands", "7.1,14.2", "--tuner", "--find-feeder"}))));
}

// At the window's size the report's chart is the window's chart, pixel for
// pixel: built by the same layout, with the same items and ranges.
TEST_F(WindowReport, AtTheWindowsSizeTheChartIsTheWindowsChart) {
  window->cbLengthsToAvoid->setChecked(true);
  window->btnCalc->click();
  window->rc->SetRange(1, 5, 3, 35, 20);
  TBitmap shown, report;
  window->rc->CopyToBitmap(&shown, false);
  RenderReportChart(ReportChartOf(*window->rc), FirstChartWidth, report);
  EXPECT_TRUE(SamePixels(report, shown));
}

TEST_F(WindowReport, SavesThatFailLoseNothingAndOnlyRegularFilesAreReplaced) {
  int n = 0;
  for (QPushButton* button : Buttons()) {
    const fs::path own = Path(std::to_string(n++));
    fs::create_directory(own);
    const failing_saves::TSave save = [this, button](const fs::path& name) {
      messages.clear();
      answer = FromQString(QString::fromStdString(name.string()));
      Trigger(button);
      EXPECT_LE(messages.size(), 1u);
      return messages.empty() ? std::string() : ToQString(messages.back()).toStdString();
    };
    failing_saves::ExpectWriteFailuresLoseNothing(save, own, "report.pdf");
    failing_saves::ExpectOnlyRegularFilesReplaced(save, own, "report.pdf");
  }
  EXPECT_EQ(window->Memo1Lines().size(), 8u);
  EXPECT_TRUE(errors.empty());
}

}  // namespace
