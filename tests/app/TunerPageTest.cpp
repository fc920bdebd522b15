// The "Tuner" page: its layout, the table and chart at the defaults, the
// command line's numbers on the page, the crosshair that sets the feeder
// length, recomputing as inputs change (cancelled runs, the cache), the
// errors on the page, the shared line and feeder with the Feeder check page.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QThread>
#include <sstream>

#include "app/CommandLine.h"
#include "app/FeederCheckPage.h"
#include "app/FeederEngine.h"
#include "app/TunerChart.h"
#include "app/TunerPage.h"
#include "app/tuner/NumberText.h"
#include "app/u_frmMain.h"
#include "platform/Dialogs.h"
#include "platform/Locale.h"
#include "platform/QtText.h"
#include "tests/app/PageTestSupport.h"
#include "tests/app/WindowFixture.h"
#include "tuner/NecTestSupport.h"

namespace {

// Runs the event loop until the page has stopped computing, at most 60 s.
bool WaitForPage(const TTunerPage& page) {
  QElapsedTimer clock;
  clock.start();
  while (page.Compute().State() == TTunerState::Running) {
    if (clock.elapsed() > 60000) return false;
    QApplication::processEvents();
    QThread::msleep(2);
  }
  QApplication::processEvents();
  return true;
}

std::string CommandLine(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  EXPECT_EQ(RunCommandLine(args, out, err), 0) << err.str();
  return out.str();
}

std::string CsvOf(const std::u16string& tableText) {
  std::string csv = ToQString(tableText).toStdString();
  for (char& c : csv) {
    if (c == '\t') c = ',';
  }
  return csv;
}

std::string Text(const QLabel* label) { return label->text().toStdString(); }

struct TunerPage : ::testing::Test {
  TemporaryFolderScope temporary;
  std::unique_ptr<TTunerPage> page;

  void SetUp() override {
    SetLocaleDecimalSeparator(u'.');
    Make();
  }
  void TearDown() override {
    page.reset();
    SetLocaleDecimalSeparator(0);
  }
  void Make(TNecRunOptions options = {}) {
    page = std::make_unique<TTunerPage>(std::move(options));
    page->resize(668, 437);
  }
  void ShowAndWait() {
    page->show();
    ASSERT_TRUE(WaitForPage(*page));
  }
  // Every band: 30 runs, long enough to catch the page computing.
  void ShowAllBands() {
    std::array<bool, 10> all;
    all.fill(true);
    page->SetCalculatorInputs(85.30, 7.1, all);
    page->show();
  }
  std::string Cell(int row, int column) const {
    return page->tblBands->item(row, column)->text().toStdString();
  }
};

TEST_F(TunerPage, Layout) {
  page->show();
  EXPECT_EQ(Of(page->cbLine), (Rect{36, 7, 266, 21}));
  EXPECT_EQ(Of(*page->nioFeedLenm), (Rect{308, 5, 186, 25}));
  EXPECT_EQ(Of(*page->nioFeedLenft), (Rect{498, 5, 104, 25}));
  EXPECT_EQ(Of(page->tabs), (Rect{4, 66, 660, 367}));
  EXPECT_EQ(Of(page->tblBands), (Rect{4, 4, 642, 278}));
  EXPECT_EQ(Of(page->chart->Chart()), (Rect{2, 2, 648, 336}));
  QStringList tabs;
  for (int i = 0; i < page->tabs->count(); ++i) tabs << page->tabs->tabText(i);
  EXPECT_EQ(tabs, (QStringList{"Table", "Chart", "Feeder lengths", "Antenna and tuner"}));
  // Ten rows and the header fit the table without scrolling.
  int columns = 0;
  for (int c = 0; c < page->tblBands->columnCount(); ++c) columns += page->tblBands->columnWidth(c);
  EXPECT_LE(columns, page->tblBands->viewport()->width());
  EXPECT_GE(page->tblBands->viewport()->height(),
            10 * page->tblBands->verticalHeader()->defaultSectionSize());
  // What the model is made of is said on the page.
  EXPECT_TRUE(page->lblNotes->text().contains(QStringLiteral("Copper wire")));
  EXPECT_TRUE(page->lblNotes->text().contains(QStringLiteral("against its nominal Z0")));
}

TEST_F(TunerPage, TheDefaultsShowTheTableAndTheChartWithTheCommandLinesNumbers) {
  SKIP_WITHOUT_NEC2C();
  ShowAndWait();
  ASSERT_NE(page->Result(), nullptr) << Text(page->lblStatus);
  ASSERT_EQ(page->tblBands->rowCount(), 1);
  EXPECT_EQ(Cell(0, 0), "7.100");
  EXPECT_EQ(page->cbLine->currentText().toStdString(),
            "Window line 450 \u03A9 (Z0 400 \u03A9 measured), #18");
  EXPECT_EQ(page->nioFeedLenm->Text(), u"20.00");
  EXPECT_GT(page->chart->Chart().NumItems(), 1000);  // the curve, the span bars
  EXPECT_FALSE(page->pbProgress->isVisible());
  // The same inputs on the command line give the same numbers.
  const std::string csv = CommandLine({"--tuner", "--csv"});
  EXPECT_EQ(CsvOf(page->TableText()), csv);
  const TTunerRow& row = page->Result()->rows[0];
  EXPECT_EQ(Cell(0, 2), FixedText(row.ends.swr, 2));
  ASSERT_TRUE(row.firstCurrentMaximum);
  EXPECT_EQ(Cell(0, 9), FixedText(*row.firstCurrentMaximum, 2));
}

TEST_F(TunerPage, CheckedBandsGiveARowEachAndTheFindersLengths) {
  SKIP_WITHOUT_NEC2C();
  std::array<bool, 10> checked{};
  checked[1] = checked[5] = true;  // 3.7 and 14.2 MHz
  page->SetCalculatorInputs(85.30, 7.1, checked);
  TypeOver(*page->nioFeedLenm, u"15");
  ShowAndWait();
  ASSERT_NE(page->Result(), nullptr) << Text(page->lblStatus);
  ASSERT_EQ(page->tblBands->rowCount(), 2);
  EXPECT_EQ(Cell(0, 0), "3.650");
  EXPECT_EQ(Cell(1, 0), "14.175");
  EXPECT_EQ(CsvOf(page->TableText()),
            CommandLine({"--tuner", "--csv", "--bands", "3.7,14.2", "--feeder-m", "15"}));
  // The finder's lengths as the command line lists them.
  const std::string spans = CommandLine({"--find-feeder", "--csv", "--bands", "3.7,14.2"});
  std::string listed = "from_m,to_m,worst_MHz,failing_bands\n";
  for (int r = 0; r < page->tblSpans->rowCount(); ++r) {
    std::string failing = page->tblSpans->item(r, 5)->text().toStdString();
    std::replace(failing.begin(), failing.end(), ',', ';');
    listed += page->tblSpans->item(r, 0)->text().toStdString() + "," +
              page->tblSpans->item(r, 1)->text().toStdString() + "," +
              page->tblSpans->item(r, 3)->text().toStdString() + "," + failing + "\n";
  }
  EXPECT_EQ(listed, spans);
  // A band left out of the finder stays in the table; clicking a span's row
  // takes its best length.
  page->tabs->setCurrentIndex(2);
  page->cbFinderBands[1]->setChecked(false);
  ASSERT_NE(page->Result(), nullptr);
  EXPECT_EQ(page->Result()->finder.groupsIncluded, 1);
  EXPECT_EQ(page->tblBands->rowCount(), 2);
  ASSERT_GT(page->tblSpans->rowCount(), 0);
  emit page->tblSpans->cellClicked(0, 2);
  EXPECT_DOUBLE_EQ(page->FeederMetres(), page->Result()->finder.spans[0].bestM);
  EXPECT_EQ(page->nioFeedLenm->Text(),
            FromQString(QString::fromStdString(FixedText(page->FeederMetres(), 2))));
}

TEST_F(TunerPage, DraggingTheCrosshairSetsTheFeederLengthAndTheTableFollows) {
  SKIP_WITHOUT_NEC2C();
  ShowAndWait();
  page->tabs->setCurrentIndex(1);
  QApplication::processEvents();
  TRChart& chart = page->chart->Chart();
  double reported = -1;
  page->OnFeederChange = [&reported](double metres) { reported = metres; };
  int x = 0, y = 0;
  chart.R2M(1, 20.0, 100.0, x, y);
  chart.MouseMove(ssLeft, x, y);  // picks the crosshair
  chart.R2M(1, 33.3, 100.0, x, y);
  chart.MouseMove(ssLeft, x, y);
  chart.MouseMove(0, x, y);
  double expected = 0, ignored = 0;
  chart.M2R(1, x, y, expected, ignored);
  expected = std::round(expected * 100) / 100;
  EXPECT_NEAR(expected, 33.3, 0.1);
  EXPECT_DOUBLE_EQ(page->FeederMetres(), expected);
  EXPECT_DOUBLE_EQ(reported, expected);
  EXPECT_EQ(page->nioFeedLenm->Text(), FromQString(QString::fromStdString(FixedText(expected, 2))));
  ASSERT_NE(page->Result(), nullptr);
  EXPECT_DOUBLE_EQ(page->Result()->setup.feederM, expected);
  EXPECT_EQ(CsvOf(page->TableText()),
            CommandLine({"--tuner", "--csv", "--feeder-m", FixedText(expected, 2)}));
}

TEST_F(TunerPage, ChangedInputsCancelTheRunThatIsOutOfDateAndEarlierOnesComeFromTheCache) {
  SKIP_WITHOUT_NEC2C();
  ShowAllBands();
  ASSERT_EQ(page->Compute().State(), TTunerState::Running);
  TypeOver(*page->nioHeight, u"12");  // out of date at once
  EXPECT_DOUBLE_EQ(page->Compute().Inputs().setup.antenna.heightM, 12);
  ASSERT_TRUE(WaitForPage(*page));
  ASSERT_NE(page->Result(), nullptr) << Text(page->lblStatus);
  EXPECT_DOUBLE_EQ(page->Result()->setup.antenna.heightM, 12);
  EXPECT_EQ(page->tblBands->rowCount(), 10);
  const std::string at12 = CsvOf(page->TableText());
  TypeOver(*page->nioHeight, u"10");
  ASSERT_TRUE(WaitForPage(*page));
  TypeOver(*page->nioHeight, u"12");
  // Every deck is in the cache: done without waiting.
  EXPECT_EQ(page->Compute().State(), TTunerState::Done);
  EXPECT_EQ(CsvOf(page->TableText()), at12);
}

TEST_F(TunerPage, CancelStopsTheRunAndSaysSo) {
  SKIP_WITHOUT_NEC2C();
  ShowAllBands();
  ASSERT_EQ(page->Compute().State(), TTunerState::Running);
  EXPECT_TRUE(page->pbProgress->isVisible());
  EXPECT_TRUE(page->btnCancel->isVisible());
  EXPECT_EQ(page->pbProgress->maximum(), 50);  // the first round: five points a band
  page->btnCancel->click();
  EXPECT_EQ(page->Compute().State(), TTunerState::Failed);
  EXPECT_EQ(Text(page->lblStatus), "Cancelled.");
  EXPECT_FALSE(page->pbProgress->isVisible());
  EXPECT_EQ(page->tblBands->rowCount(), 0);
  EXPECT_EQ(page->Result(), nullptr);
}

TEST_F(TunerPage, HidingThePageStopsItsRunAndShowingItResumes) {
  SKIP_WITHOUT_NEC2C();
  ShowAllBands();
  ASSERT_EQ(page->Compute().State(), TTunerState::Running);
  page->hide();
  EXPECT_EQ(page->Compute().State(), TTunerState::Idle);
  page->show();
  EXPECT_EQ(page->Compute().State(), TTunerState::Running);
  ASSERT_TRUE(WaitForPage(*page));
  ASSERT_NE(page->Result(), nullptr) << Text(page->lblStatus);
  EXPECT_EQ(page->tblBands->rowCount(), 10);
}

TEST_F(TunerPage, WithoutNec2cThePageSaysWhatItNeedsAndKeepsTheInputs) {
  TNecRunOptions missing;
  missing.program = "/nonexistent/nec2c";
  Make(missing);
  page->show();
  TypeOver(*page->nioPower, u"250");
  ASSERT_TRUE(WaitForPage(*page));
  EXPECT_EQ(Text(page->lblStatus),
            "The antenna model needs the program nec2c (Debian package nec2c).");
  EXPECT_EQ(page->tblBands->rowCount(), 0);
  EXPECT_EQ(page->nioPower->Text(), u"250");
}

struct ErrorCase {
  int wire;  // the wire list's entry; 6: own
  std::u16string diameter;
  std::u16string height;
  std::u16string power;
  std::string status;
};

TEST_F(TunerPage, InputsTheModelCannotTakeShowOnThePage) {
  const ErrorCase cases[] = {
      {0,
       u"",
       u"0.004",
       u"100",
       "The wire is too close to the ground for the antenna model: 4 mm is less than 5 wire "
       "radii (5 mm) above it."},
      {0, u"", u"10", u"0", "The power must lie above 0 up to 100000."},
      {0, u"", u"0", u"100", "The height must lie above 0 up to 1000."},
  };
  page->show();
  for (const ErrorCase& c : cases) {
    page->cbWire->setCurrentIndex(c.wire);
    if (!c.diameter.empty()) TypeOver(*page->nioWireDiameter, c.diameter);
    TypeOver(*page->nioHeight, c.height);
    TypeOver(*page->nioPower, c.power);
    ASSERT_TRUE(WaitForPage(*page));
    EXPECT_EQ(page->lblStatus->toolTip().toStdString(), c.status);
    EXPECT_EQ(page->Result(), nullptr);
    EXPECT_EQ(page->nioHeight->Text(), c.height);  // nothing the user typed is lost
    TypeOver(*page->nioPower, u"100");
    TypeOver(*page->nioHeight, u"10");
    page->cbWire->setCurrentIndex(0);
  }
}

// At 28.5 MHz the dipole has 199 segments of 131 mm: shorter than 8 radii of
// a 45 mm wire. The whole message shows, in two lines.
TEST_F(TunerPage, AWireTooThickForTheMeshIsNamedWithItsFrequency) {
  page->SetCalculatorInputs(85.30, 28.5, {});
  page->show();
  page->cbWire->setCurrentIndex(6);  // own
  TypeOver(*page->nioWireDiameter, u"45");
  ASSERT_TRUE(WaitForPage(*page));
  EXPECT_TRUE(page->lblStatus->toolTip().startsWith(QStringLiteral(
      "The wire is too thick for the antenna model at 28.5 MHz: its segments of 130.7 mm")))
      << Text(page->lblStatus) << "|" << page->lblStatus->toolTip().toStdString();
  EXPECT_EQ(page->Result(), nullptr);
  EXPECT_EQ(page->nioWireDiameter->Text(), u"45");
  EXPECT_EQ(page->lblStatus->text(), page->lblStatus->toolTip());
  EXPECT_LE(page->lblStatus->heightForWidth(page->lblStatus->width()), page->lblStatus->height());
}

TEST_F(TunerPage, NumbersFollowTheLocale) {
  SKIP_WITHOUT_NEC2C();
  SetLocaleDecimalSeparator(u',');
  Make();
  ShowAndWait();
  ASSERT_EQ(page->tblBands->rowCount(), 1);
  EXPECT_EQ(Cell(0, 0), "7,100");
  EXPECT_TRUE(QString::fromStdString(Cell(0, 1)).contains(u',')) << Cell(0, 1);
  EXPECT_TRUE(page->lblStatus->text().contains(QStringLiteral("20,00 m"))) << Text(page->lblStatus);
  EXPECT_TRUE(page->lblDipole->text().startsWith(QStringLiteral("Length 26,00 m")))
      << Text(page->lblDipole);
}

TEST_F(TunerPage, TheChoicesFillTheirFields) {
  page->show();
  page->cbLine->setCurrentIndex(1);  // open wire 600 Ω
  EXPECT_EQ(page->nioZ0->Text(), u"600.0");
  EXPECT_EQ(page->nioVF->Text(), u"0.97");
  EXPECT_TRUE(page->nioZ0->ReadOnly());
  page->cbLine->setCurrentIndex(3);  // custom
  EXPECT_FALSE(page->nioZ0->ReadOnly());
  TypeOver(*page->nioZ0, u"520");
  EXPECT_DOUBLE_EQ(page->LineChoice().custom.z0, 520);
  page->cbMeasuredLoss->setChecked(true);
  TypeOver(*page->nioLossDb, u"1.5");
  ASSERT_TRUE(page->LineChoice().custom.measuredLoss.has_value());
  EXPECT_DOUBLE_EQ(page->LineChoice().custom.measuredLoss->dbPer100m, 1.5);
  page->cbLine->setCurrentIndex(0);
  page->cbLine->setCurrentIndex(3);  // the user's own line comes back
  EXPECT_EQ(page->nioZ0->Text(), u"520.0");
  page->cbWire->setCurrentIndex(2);  // AWG 12
  EXPECT_EQ(page->nioWireDiameter->Text(), u"2.05");
  page->cbGround->setCurrentIndex(7);  // fresh water
  EXPECT_EQ(page->nioPermittivity->Text(), u"80.0");
  page->cbTuner->setCurrentIndex(1);
  EXPECT_FALSE(page->nioMaxSwr->Enabled());
  EXPECT_TRUE(page->nioMinZ->Enabled());
}

// The line and the feeder length are one for both pages; "450/600" stays the
// Feeder check page's own choice.
TEST(TunerAndFeederCheck, ShareTheLineAndTheFeederLength) {
  SetLocaleDecimalSeparator(u'.');
  {
    TFeederCheckPage check;
    TTunerPage tuner;
    ShareFeeder(check, tuner);
    EXPECT_EQ(check.cbLine->currentIndex(), FeederLineOf(tuner.cbLine->currentIndex()));
    // One line from the start.
    EXPECT_EQ(check.LineChoice(), tuner.LineChoice());
    tuner.cbLine->setCurrentIndex(2);  // twin lead
    EXPECT_EQ(check.cbLine->currentIndex(), 3);
    EXPECT_EQ(check.nioVF->Text(), u"0.80");
    check.cbLine->setCurrentIndex(0);  // "450/600": the tuner keeps its line
    EXPECT_EQ(tuner.cbLine->currentIndex(), 2);
    check.cbLine->setCurrentIndex(4);  // custom, with a factor typed here
    TypeOver(*check.nioVF, u"0.66");
    EXPECT_EQ(tuner.cbLine->currentIndex(), 3);
    EXPECT_EQ(tuner.nioVF->Text(), u"0.66");
    TypeOver(*tuner.nioFeedLenm, u"17.5");
    EXPECT_EQ(check.nioFeedLenm->Text(), u"17.50");
    EXPECT_DOUBLE_EQ(check.FeederMetres(), 17.5);
    TypeOver(*check.nioFeedLenft, u"100");
    EXPECT_EQ(tuner.nioFeedLenm->Text(), u"30.48");
    EXPECT_EQ(tuner.nioFeedLenft->Text(), u"100.00");
  }
  SetLocaleDecimalSeparator(0);
}

using TunerInTheWindow = WindowFixture;

TEST_F(TunerInTheWindow, AFourthTabThatFollowsTheCalculator) {
  SKIP_WITHOUT_NEC2C();
  ASSERT_EQ(window->PageControl1->count(), 4);
  EXPECT_EQ(window->PageControl1->tabText(3), QStringLiteral("Tuner"));
  TTunerPage& page = *window->TabSheet4;
  EXPECT_EQ(page.Compute().State(), TTunerState::Idle);  // nothing runs for a hidden page
  window->PageControl1->setCurrentIndex(3);
  ASSERT_TRUE(WaitForPage(page));
  ASSERT_EQ(page.tblBands->rowCount(), 1);
  window->SetChecked(5, true);
  window->niodiplenft->SetNioValue(90.0);
  window->UpdateFeederCheck();
  ASSERT_TRUE(WaitForPage(page));
  ASSERT_EQ(page.tblBands->rowCount(), 1);
  EXPECT_EQ(page.tblBands->item(0, 0)->text(), QStringLiteral("14.175"));
  EXPECT_TRUE(page.lblDipole->text().contains(QStringLiteral("(90.00 ft)")));
  // The feeder typed here shows on the Feeder check page.
  TypeOver(*page.nioFeedLenm, u"12.34");
  EXPECT_EQ(window->TabSheet3->nioFeedLenm->Text(), u"12.34");
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(errors.empty());
}

}  // namespace
