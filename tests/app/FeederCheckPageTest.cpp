// The "Feeder check" page: its layout, the rows of the bands in use, the
// results as the user types, the mirrored length fields, the line choice and
// the errors; and its place in the main window.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <cmath>

#include "app/FeederCheck.h"
#include "app/FeederCheckPage.h"
#include "app/FeederEngine.h"
#include "app/u_frmMain.h"
#include "platform/Dialogs.h"
#include "platform/Locale.h"
#include "platform/QtText.h"
#include "tests/app/PageTestSupport.h"

namespace {

constexpr int k71 = 3;  // the 7.1 MHz row

struct FeederCheckPage : ::testing::Test {
  std::unique_ptr<TFeederCheckPage> page;
  std::array<bool, 10> none{};

  void SetUp() override {
    SetLocaleDecimalSeparator(u'.');
    page = std::make_unique<TFeederCheckPage>();
    page->resize(668, 437);
    page->show();
    QApplication::processEvents();
  }
  void TearDown() override {
    page.reset();
    SetLocaleDecimalSeparator(0);
  }

  const TFeederCheckPage::TBandRow& Row(int band) const { return page->Rows[size_t(band)]; }
  std::u16string Change(int band) const {
    const TNumLab& c = *Row(band).change;
    return c.LeftText() + u" " + FormatFixed(c.Value(), 2, u'.') + u" " + c.RightText();
  }
  int VisibleRows() const {
    int n = 0;
    for (const auto& row : page->Rows) n += row.band->isVisible();
    return n;
  }
};

TEST_F(FeederCheckPage, Layout) {
  EXPECT_EQ(Of(*page->nioFeedLenm), (Rect{2, 19, 201, 25}));
  EXPECT_EQ(Of(*page->nioFeedLenft), (Rect{2, 50, 201, 25}));
  EXPECT_EQ(Of(page->cbLine), (Rect{256, 20, 170, 21}));
  EXPECT_EQ(Of(*page->nioVF), (Rect{210, 50, 216, 25}));
  EXPECT_EQ(Of(*page->nlConstant), (Rect{440, 50, 205, 25}));
  EXPECT_EQ(Of(page->lblDipole), (Rect{440, 24, 205, 13}));
  EXPECT_EQ(Of(page->nioFeedLenm->Widget()->parentWidget()), (Rect{8, 4, 652, 88}));
  // All ten rows with no band checked, 28 pixels apart from y 130.
  ASSERT_EQ(VisibleRows(), 10);
  for (int i = 0; i < 10; ++i) {
    const auto& row = Row(i);
    const int top = 130 + 28 * i;
    EXPECT_EQ(Of(row.band), (Rect{16, top, 54, 25})) << i;
    EXPECT_EQ(Of(*row.nearest), (Rect{70, top, 96, 25})) << i;
    EXPECT_EQ(Of(*row.change), (Rect{168, top, 128, 25})) << i;
    EXPECT_EQ(Of(row.feetInches), (Rect{300, top, 84, 25})) << i;
    EXPECT_EQ(Of(row.warning), (Rect{384, top, 276, 25})) << i;
  }
  EXPECT_EQ(Of(Row(0).message), (Rect{70, 130, 590, 25}));
}

// The page starts with the Tuner page's line, window line, whose velocity
// factor gives the constant.
TEST_F(FeederCheckPage, TheDefaultsAtTwentyMetres) {
  page->SetCalculatorInputs(85.30, none);
  EXPECT_EQ(page->nioFeedLenm->Text(), u"20.00");
  EXPECT_EQ(page->nioFeedLenft->Text(), u"65.62");
  EXPECT_EQ(page->cbLine->currentIndex(), DefaultFeederLine);
  EXPECT_EQ(page->cbLine->currentText(),
            QStringLiteral("Window line 450 \u03A9 (Z0 400 \u03A9 measured), #18"));
  EXPECT_EQ(page->Inputs().line, TFeederCheckInputs{}.line);
  EXPECT_EQ(page->nioVF->Text(), u"0.91");
  EXPECT_TRUE(page->nioVF->ReadOnly());
  EXPECT_DOUBLE_EQ(page->nlConstant->Value(), 983.57 * 0.91);
  EXPECT_EQ(page->lblDipole->text(), QStringLiteral("Dipole length 85.30 ft (first page)"));
  const auto& row = Row(k71);
  EXPECT_EQ(row.band->text(), QStringLiteral("7.1 MHz"));
  // The calculator's first maximum at 886 (13.355 m) grows with the constant.
  EXPECT_NEAR(row.nearest->Value(), 13.355 * 983.57 * 0.91 / 886, 1e-3);
  EXPECT_EQ(Change(k71), u"cut 6.51 m");
  EXPECT_EQ(row.feetInches->text(), QStringLiteral("21 ft 4.2 in"));
  EXPECT_FALSE(row.warning->isVisible());
}

// "450/600", the calculator's own constant, stays a choice.
TEST_F(FeederCheckPage, TheCalculatorsConstantAtTwentyMetres) {
  page->SetCalculatorInputs(85.30, none);
  page->cbLine->setCurrentIndex(ClassicFeederLine);
  EXPECT_EQ(page->cbLine->currentText(), QStringLiteral("450/600"));
  EXPECT_EQ(page->nioVF->Text(), u"0.90");
  EXPECT_TRUE(page->nioVF->ReadOnly());
  EXPECT_DOUBLE_EQ(page->nlConstant->Value(), 886.0);
  const auto& row = Row(k71);
  EXPECT_NEAR(row.nearest->Value(), 13.355, 1e-3);
  EXPECT_EQ(Change(k71), u"cut 6.64 m");
  EXPECT_EQ(row.feetInches->text(), QStringLiteral("21 ft 9.6 in"));
  EXPECT_FALSE(row.warning->isVisible());
}

TEST_F(FeederCheckPage, TypingRecomputesAndMirrorsTheFeet) {
  page->cbLine->setCurrentIndex(ClassicFeederLine);  // the figures of 886
  TypeOver(*page->nioFeedLenm, u"22");
  EXPECT_EQ(page->nioFeedLenft->Text(), u"72.18");
  EXPECT_EQ(Change(k71), u"cut 8.64 m");
  ASSERT_TRUE(Row(k71).warning->isVisible());
  EXPECT_EQ(Row(k71).warning->text(),
            QStringLiteral("Avoid: 0.86 m from a voltage maximum at 22.86 m"));
  TypeOver(*page->nioFeedLenft, u"16.4");  // 5.00 m
  EXPECT_EQ(page->nioFeedLenm->Text(), u"5.00");
  EXPECT_EQ(Change(k71), u"add 8.36 m");
  // A quarter wave before the first current maximum lies a voltage maximum.
  EXPECT_EQ(Row(k71).warning->text(),
            QStringLiteral("Avoid: 1.15 m from a voltage maximum at 3.85 m"));
  TypeOver(*page->nioFeedLenm, u"20");
  EXPECT_FALSE(Row(k71).warning->isVisible());
}

TEST_F(FeederCheckPage, OnlyTheCheckedBandsHaveRowsFromTheTop) {
  std::array<bool, 10> checked{};
  checked[3] = checked[9] = true;
  page->SetCalculatorInputs(85.30, checked);
  EXPECT_EQ(VisibleRows(), 2);
  EXPECT_EQ(Of(Row(3).band).top, 130);
  EXPECT_EQ(Of(*Row(3).nearest).top, 130);
  EXPECT_EQ(Of(Row(9).band).top, 158);
  EXPECT_EQ(Of(Row(9).warning).top, 158);
}

TEST_F(FeederCheckPage, ATooShortDipoleShowsTheMessageShortenedWithTheWholeOnTheTooltip) {
  page->SetCalculatorInputs(85.30, none);
  const auto& row = Row(0);  // 1.8 MHz
  ASSERT_TRUE(row.message->isVisible());
  EXPECT_FALSE(row.nearest->Visible());
  EXPECT_FALSE(row.change->Visible());
  const QString full = row.message->toolTip();
  EXPECT_TRUE(full.startsWith(QStringLiteral("Dipole length is too short for this frequency")));
  EXPECT_TRUE(full.contains(QStringLiteral("208.3ft.")));
  EXPECT_LE(row.message->fontMetrics().horizontalAdvance(row.message->text()),
            row.message->width());
  EXPECT_TRUE(Row(k71).nearest->Visible());
}

TEST_F(FeederCheckPage, LinesAndTheirVelocityFactors) {
  page->cbLine->setCurrentIndex(1);  // window line, VF 0.91
  EXPECT_EQ(page->nioVF->Text(), u"0.91");
  EXPECT_TRUE(page->nioVF->ReadOnly());
  EXPECT_NEAR(page->nlConstant->Value(), 983.57 * 0.91, 1e-9);
  page->cbLine->setCurrentIndex(4);  // custom: the user's own factor
  EXPECT_FALSE(page->nioVF->ReadOnly());
  TypeOver(*page->nioVF, u"0.66");
  EXPECT_NEAR(page->nlConstant->Value(), 983.57 * 0.66, 1e-9);
  EXPECT_EQ(VisibleRows(), 10);
  page->cbLine->setCurrentIndex(0);  // "450/600": 886, shown as its factor
  EXPECT_EQ(page->nioVF->Text(), u"0.90");
  page->cbLine->setCurrentIndex(4);  // the user's factor comes back
  EXPECT_EQ(page->nioVF->Text(), u"0.66");
}

// The first page's constant, the physical lines of the tuner view, "Custom".
TEST_F(FeederCheckPage, TheLineEntries) {
  QStringList entries;
  for (int i = 0; i < page->cbLine->count(); ++i) entries << page->cbLine->itemText(i);
  EXPECT_EQ(entries,
            (QStringList{QStringLiteral("450/600"),
                         QStringLiteral("Window line 450 \u03A9 (Z0 400 \u03A9 measured), #18"),
                         QStringLiteral("Open wire 600 \u03A9, 2 mm"),
                         QStringLiteral("Twin lead 300 \u03A9, #20"),
                         QStringLiteral("Custom")}));
  // The box is too narrow for the long names: its list and tooltip show them whole.
  page->cbLine->setCurrentIndex(1);
  EXPECT_EQ(page->cbLine->toolTip(), entries[1]);
  EXPECT_GE(page->cbLine->view()->minimumWidth(),
            page->cbLine->fontMetrics().horizontalAdvance(entries[1]));
}

TEST_F(FeederCheckPage, BadValuesGiveAClearErrorAndNoRows) {
  page->cbLine->setCurrentIndex(4);
  TypeOver(*page->nioVF, u"0.3");
  EXPECT_TRUE(page->lblError->isVisible());
  EXPECT_EQ(page->lblError->text(),
            QStringLiteral("The velocity factor must lie between 0.50 and 1.00."));
  EXPECT_EQ(VisibleRows(), 0);
  EXPECT_TRUE(page->nlConstant->Empty());
  EXPECT_EQ(page->nioVF->Text(), u"0.3");  // what the user typed stays
  TypeOver(*page->nioVF, u"0.9");
  EXPECT_FALSE(page->lblError->isVisible());
  EXPECT_EQ(VisibleRows(), 10);
  TypeOver(*page->nioFeedLenm, u"-2");
  EXPECT_EQ(page->lblError->text(), QStringLiteral("The feeder length must not be negative."));
  EXPECT_EQ(VisibleRows(), 0);
}

// The first maximum at 7.1 MHz lies 4 to 5 mm short of 13.36 m.
TEST_F(FeederCheckPage, AKeepRowShowsNoChangeInFeetAndInchesEither) {
  page->cbLine->setCurrentIndex(ClassicFeederLine);  // the figures of 886
  TypeOver(*page->nioFeedLenm, u"13.36");
  EXPECT_EQ(Change(k71), u"keep 0.00 m");
  EXPECT_EQ(Row(k71).feetInches->text(), QStringLiteral("0 ft 0.0 in"));
  TypeOver(*page->nioFeedLenm, u"13.37");
  EXPECT_EQ(Change(k71), u"cut 0.01 m");
  EXPECT_EQ(Row(k71).feetInches->text(), QStringLiteral("0 ft 0.6 in"));
}

// Typed in feet, the length is not taken back from the metres field and its
// two decimals.
TEST_F(FeederCheckPage, AFeederTypedInFeetIsUsedAsTyped) {
  page->cbLine->setCurrentIndex(4);
  TypeOver(*page->nioVF, u"0.75");
  TypeOver(*page->nioFeedLenft, u"123.45");
  EXPECT_EQ(page->nioFeedLenm->Text(), u"37.63");
  int differs = 0;  // rows the rounded metres would show otherwise
  for (int i = 0; i < 10; ++i) {
    const double f = BandPresets[size_t(i)].frequency;
    const TFeederCheck exact = CheckFeeder(f, 85.30, 983.57 * 0.75, 123.45 * MetresPerFoot);
    if (!exact.done) continue;
    const auto shown = [](const TFeederCheck& c) {
      return ToQString(FeetInchesText(std::abs(c.change) < 0.005 ? 0.0 : c.change));
    };
    EXPECT_EQ(Row(i).feetInches->text(), shown(exact)) << f;
    EXPECT_DOUBLE_EQ(Row(i).nearest->Value(), exact.nearestMaximum) << f;
    differs += shown(exact) != shown(CheckFeeder(f, 85.30, 983.57 * 0.75, 37.63));
  }
  EXPECT_GT(differs, 0) << "the case does not tell the two apart";
  TypeOver(*page->nioFeedLenm, u"37.63");  // typed in metres, used as typed
  EXPECT_EQ(page->nioFeedLenft->Text(), u"123.46");
  EXPECT_DOUBLE_EQ(Row(k71).nearest->Value(),
                   CheckFeeder(7.1, 85.30, 983.57 * 0.75, 37.63).nearestMaximum);
}

// The widest word stays clear of the nearest maximum's column.
TEST_F(FeederCheckPage, TheChangeWordKeepsItsDistanceFromTheColumnBefore) {
  page->cbLine->setCurrentIndex(ClassicFeederLine);  // the figures of 886
  TypeOver(*page->nioFeedLenm, u"13.36");
  const TNumLab& change = *Row(k71).change;
  const TNumLab& nearest = *Row(k71).nearest;
  ASSERT_EQ(change.LeftText(), u"keep");
  const QImage shot = page->grab().toImage();
  const QColor face = shot.pixelColor(change.Left() + 1, change.Top() + 1);
  int ink = -1;
  for (int x = change.Left(); x < change.Left() + change.LeftSpace() && ink < 0; ++x) {
    for (int y = change.Top(); y < change.Top() + change.Height(); ++y) {
      if (shot.pixelColor(x, y) != face) {
        ink = x;
        break;
      }
    }
  }
  ASSERT_GE(ink, 0) << "no word drawn";
  EXPECT_GE(ink, nearest.Left() + nearest.Width() + 4) << "the word touches the column before";
}

// A comma locale: every number the page writes takes its comma; what it
// computes stays the same.
TEST_F(FeederCheckPage, NumbersFollowTheLocale) {
  SetLocaleDecimalSeparator(u',');
  page = std::make_unique<TFeederCheckPage>();
  page->resize(668, 437);
  page->show();
  page->cbLine->setCurrentIndex(ClassicFeederLine);  // the figures of 886
  TypeOver(*page->nioFeedLenm, u"22");
  const auto& row = Row(k71);
  EXPECT_EQ(page->lblDipole->text(), QStringLiteral("Dipole length 85,30 ft (first page)"));
  EXPECT_EQ(row.warning->text(), QStringLiteral("Avoid: 0,86 m from a voltage maximum at 22,86 m"));
  EXPECT_TRUE(row.warning->toolTip().contains(QStringLiteral("(2,38 m)")))
      << row.warning->toolTip().toStdString();
  const QString feetInches = row.feetInches->text();
  EXPECT_TRUE(feetInches.startsWith(QStringLiteral("28 ft ")) && feetInches.contains(u',') &&
              !feetInches.contains(u'.'))
      << feetInches.toStdString();
  for (const TNumLab* label : {row.nearest.get(), row.change.get(), page->nlConstant.get()}) {
    EXPECT_TRUE(label->Comma()) << label->Name().size();
  }
  EXPECT_TRUE(Row(0).message->toolTip().contains(QStringLiteral("208,3ft.")))
      << Row(0).message->toolTip().toStdString();
}

TEST(FeederCheckInTheWindow, AThirdTabThatTakesTheCalculatorsValues) {
  SetLocaleDecimalSeparator(u'.');
  SetMessageBoxHook([](const std::u16string&) {});
  {
    TfrmMain window;
    window.show();
    QApplication::processEvents();
    ASSERT_EQ(window.PageControl1->count(), 4);
    EXPECT_EQ(window.PageControl1->tabText(2), QStringLiteral("Feeder check"));
    EXPECT_EQ(window.PageControl1->currentIndex(), 0);
    window.SetChecked(3, true);
    window.niodiplenft->SetNioValue(90.0);
    window.PageControl1->setCurrentIndex(2);
    QApplication::processEvents();
    EXPECT_EQ(window.TabSheet3->lblDipole->text(),
              QStringLiteral("Dipole length 90.00 ft (first page)"));
    EXPECT_TRUE(window.TabSheet3->Rows[3].band->isVisible());
    EXPECT_FALSE(window.TabSheet3->Rows[4].band->isVisible());
  }
  SetMessageBoxHook(nullptr);
  SetLocaleDecimalSeparator(0);
}

// Shown, the page follows every input of the first page it shows, as it
// changes: the checked bands, a typed dipole length, the step buttons.
TEST(FeederCheckInTheWindow, ThePageFollowsTheCalculatorWhileShown) {
  SetLocaleDecimalSeparator(u'.');
  SetMessageBoxHook([](const std::u16string&) {});
  {
    TfrmMain window;
    window.show();
    window.PageControl1->setCurrentIndex(2);
    QApplication::processEvents();
    const TFeederCheckPage& page = *window.TabSheet3;
    const auto dipole = [&page] { return page.lblDipole->text().toStdString(); };
    window.SetChecked(3, true);
    EXPECT_TRUE(page.Rows[3].band->isVisible());
    EXPECT_FALSE(page.Rows[4].band->isVisible());
    window.SetChecked(4, true);
    EXPECT_TRUE(page.Rows[4].band->isVisible());
    window.SetChecked(3, false);
    EXPECT_FALSE(page.Rows[3].band->isVisible());
    EXPECT_EQ(page.Rows[4].band->y(), 130);
    TypeOver(*window.niodiplenft, u"90");
    EXPECT_EQ(dipole(), "Dipole length 90.00 ft (first page)");
    TypeOver(*window.nioDipolLenm, u"30");
    EXPECT_EQ(dipole(), "Dipole length 98.43 ft (first page)");
    window.btnDipolPluss->click();
    EXPECT_EQ(dipole(), "Dipole length 98.75 ft (first page)");
    window.btnDipolDec->click();
    window.btnDipolDec->click();
    EXPECT_EQ(dipole(), "Dipole length 98.10 ft (first page)");
  }
  SetMessageBoxHook(nullptr);
  SetLocaleDecimalSeparator(0);
}

}  // namespace
