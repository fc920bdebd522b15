// The first chart's additions to the window: the lengths to avoid, the wheel
// zoom with its keys, and saving the picture and the lengths from the popup
// menu (with the file dialog replaced by a hook).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <string>
#include <vector>

#include "app/u_frmMain.h"
#include "controls/chart/rules/PLX_HugePages.h"
#include "platform/Dialogs.h"
#include "platform/Locale.h"
#include "platform/QtText.h"
#include "platform/ScopeGuard.h"
#include "support/FailingSaves.h"
#include "support/PixelMask.h"
#include "tests/app/WindowFixture.h"

namespace {

struct Ranges {
  double xl, xh, yl, yh;
  bool operator==(const Ranges&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Ranges& r) {
  return out << r.xl << ".." << r.xh << " x " << r.yl << ".." << r.yh;
}

struct WindowExtras : WindowFixture {
  QTemporaryDir folder;
  std::vector<std::u16string> asked;  // captions the file dialog was opened with
  std::u16string answer;              // the name the "dialog" gives back

  void prepare(TfrmMain& w) override {
    w.AskSaveFileName =
        [this](const std::u16string& caption, const std::u16string&, const std::u16string&) {
          asked.push_back(caption);
          return answer;
        };
  }

  Ranges Shown(int layer = 1) const {
    TRChart& rc = *window->rc;
    return {rc.ScalePropsX(layer).RangeLow(),
            rc.ScalePropsX(layer).RangeHigh(),
            rc.ScalePropsY(layer).RangeLow(),
            rc.ScalePropsY(layer).RangeHigh()};
  }

  // Wheel turns over the first chart at a control pixel; 120 is a notch up.
  void Wheel(int delta, int x = 345, int y = 208) {
    QWidget* chart = window->rc->Widget();
    const QPointF at(x, y);
    QWheelEvent wheel(at,
                      chart->mapToGlobal(at),
                      QPoint(),
                      QPoint(0, delta),
                      Qt::NoButton,
                      Qt::NoModifier,
                      Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(chart, &wheel);
  }

  // A key as the keyboard sends it to the focused widget (the "Exit" button
  // unless a test moves the focus).
  void Press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, QWidget* to = nullptr) {
    QWidget* target = to ? to : window->Button1;
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(target, &press);
  }

  QString Path(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }

  void Choose(const QString& path) { answer = FromQString(path); }

  QAction* MenuItem(int index) const { return window->puRc->actions().at(index); }

  std::vector<TrcChartItem> ItemsOfKind(TrcItem kind) const {
    std::vector<TrcChartItem> found;
    const TrcItemStore& store = window->rc->Store();
    for (int i = 0; i < store.NumItems(); ++i) {
      if (store.GetItemParams(i).ItemKind == kind) found.push_back(store.GetItemParams(i));
    }
    return found;
  }
};

const Ranges kHome = {0, 40, 1.5, 30};

// ---------------------------------------------------------------------------
// Lengths to avoid

TEST_F(WindowExtras, TheCheckBoxStartsUncheckedInTheFreeSpaceOfTheFirstPage) {
  QCheckBox* box = window->cbLengthsToAvoid;
  EXPECT_EQ(box->text(), QStringLiteral("Show lengths to avoid"));
  EXPECT_FALSE(box->isChecked());
  EXPECT_EQ(box->geometry(), QRect(524, 402, 136, 25));
  EXPECT_EQ(box->parentWidget(), window->btnClearGraph->parentWidget());
  EXPECT_EQ(box->objectName(), QStringLiteral("cbLengthsToAvoid"));
  EXPECT_TRUE(ItemsOfKind(tkLine).empty());  // unchecked: only the eight marks
  EXPECT_EQ(window->rc->Store().NumItems(), 8);
}

// Checked, a calculation adds thick red bars on their own layer, on the
// frequency's row around every voltage maximum; the marks stay as they were.
TEST_F(WindowExtras, CheckedEveryCalculationDrawsRedBarsOnTheirOwnLayer) {
  window->cbLengthsToAvoid->setChecked(true);
  window->btnCalc->click();
  const std::vector<TrcChartItem> bars = ItemsOfKind(tkLine);
  ASSERT_EQ(bars.size(), 9u);
  for (const TrcChartItem& bar : bars) {
    EXPECT_EQ(bar.Layer, 5);
    EXPECT_EQ(bar.Color, clRed);
    EXPECT_EQ(bar.LWid, 5);
    EXPECT_DOUBLE_EQ(bar.y, 7.1);
    EXPECT_DOUBLE_EQ(bar.y2, 7.1);
  }
  EXPECT_NEAR(bars[1].x, 20.487, 1e-3);  // 22.86 m less 1/16 of 38.04 m
  EXPECT_NEAR(bars[1].x2, 25.242, 1e-3);
  EXPECT_EQ(ItemsOfKind(tkMarkAt).size(), 16u);
  TRChart& rc = *window->rc;
  EXPECT_EQ(rc.ActiveLayer(), 1);  // the mouse read-outs still use layer 1
  EXPECT_EQ(rc.LineWidth(), 1);
  EXPECT_FALSE(rc.ScalePropsX(5).Visible());
  EXPECT_FALSE(rc.ScalePropsY(5).Visible());
  // On screen: row 289 (7.1 MHz) is red from 20.49 m (column 352) to 25.24 m
  // (column 422), five rows thick; the disc at 32.37 m (column 528) keeps
  // its yellow.
  const TBitmap& shown = rc.Surface();
  // The round pen's ends: the outer rows a pixel shorter; the line's last
  // pixel (column 422) is left out, as for every line of the chart.
  EXPECT_EQ(MaskOf(shown, clRed, 348, 285, 8, 9),
            Rows({"........",
                  "........",
                  ".....###",
                  "....####",
                  "....####",
                  "....####",
                  ".....###",
                  "........",
                  "........"}));
  EXPECT_EQ(MaskOf(shown, clRed, 416, 287, 8, 5),
            Rows({"#####...", "######..", "######..", "######..", "#####..."}));
  EXPECT_EQ(shown.PixelColor(528, 289), clYellow);
}

// A failure while the bars are drawn (here the store cannot grow) leaves
// the chart's drawing state as the calculation found it.
TEST_F(WindowExtras, AFailureWhileDrawingTheBarsLeavesTheDrawingStateAsItWas) {
  TRChart& rc = *window->rc;
  TrcItemStore& store = rc.Store();
  window->cbLengthsToAvoid->setChecked(true);
  while (store.NumAllocated() - store.NumItems() > 8)
    rc.MarkAt(1, 2, 24);  // room for the marks alone
  store.SetReallocForTesting([](void*, std::size_t) -> void* { return nullptr; });
  const TScopeGuard growAgain([&store] { store.SetReallocForTesting(&HugePageRealloc); });
  const int layer = rc.ActiveLayer();
  const uint8_t width = rc.LineWidth();
  window->btnCalc->click();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(rc.ActiveLayer(), layer);
  EXPECT_EQ(rc.DataColor(), FeederMarkColor);
  EXPECT_EQ(rc.LineWidth(), width);
  EXPECT_TRUE(rc.AutoRedraw());
}

TEST_F(WindowExtras, ClearGraphClearsTheBarsAndUncheckedAddsNone) {
  window->cbLengthsToAvoid->setChecked(true);
  window->btnCalc->click();
  window->btnClearGraph->click();
  EXPECT_EQ(window->rc->Store().NumItems(), 0);
  window->cbLengthsToAvoid->setChecked(false);
  window->btnCalc->click();
  EXPECT_TRUE(ItemsOfKind(tkLine).empty());
  EXPECT_EQ(MaskOf(window->rc->Surface(), clRed, 50, 20, 591, 336).find('#'), std::string::npos);
}

// The bars follow layer 1's ranges: zoomed, they stay under the same
// feeder lengths.
TEST_F(WindowExtras, TheBarsZoomWithTheMarks) {
  window->cbLengthsToAvoid->setChecked(true);
  window->btnCalc->click();
  Wheel(120);
  EXPECT_EQ(Shown(5), Shown(1));
  int x1 = 0, y1 = 0, x5 = 0, y5 = 0;
  window->rc->R2M(1, 22.86, 7.1, x1, y1);
  window->rc->R2M(5, 22.86, 7.1, x5, y5);
  EXPECT_EQ(x5, x1);
  EXPECT_EQ(y5, y1);
  EXPECT_EQ(window->rc->Surface().PixelColor(x1, y1), clRed);
}

// ---------------------------------------------------------------------------
// Zoom

TEST_F(WindowExtras, AWheelNotchZoomsBothAxesAboutThePointer) {
  EXPECT_EQ(Shown(), kHome);
  EXPECT_DOUBLE_EQ(window->rc->TickPosX(1), 0.0);
  Wheel(120);  // up, at 20 m and 14.006 MHz
  const Ranges in = Shown();
  EXPECT_DOUBLE_EQ(in.xl, 4.0);
  EXPECT_DOUBLE_EQ(in.xh, 36.0);
  EXPECT_NEAR((in.yh - in.yl) * 1.25, 28.5, 1e-9);
  EXPECT_NEAR(in.yl, 14.00597 - (14.00597 - 1.5) / 1.25, 1e-4);
  // The axes are labelled afresh: the first tick is now at 4 m.
  EXPECT_DOUBLE_EQ(window->rc->TickPosX(1), 4.0);
  Wheel(-120);
  const Ranges back = Shown();
  EXPECT_NEAR(back.xl, 0, 1e-9);
  EXPECT_NEAR(back.xh, 40, 1e-9);
}

TEST_F(WindowExtras, HalfNotchesAddUpAndThePointerStaysInTheDataArea) {
  Wheel(60);
  EXPECT_EQ(Shown(), kHome);
  Wheel(60, 5, 390);  // outside, below left: zooms about the corner 0 m, 1.5 MHz
  const Ranges in = Shown();
  EXPECT_DOUBLE_EQ(in.xl, 0);
  EXPECT_DOUBLE_EQ(in.xh, 32);
  EXPECT_DOUBLE_EQ(in.yl, 1.5);
  EXPECT_DOUBLE_EQ(in.yh, 1.5 + 28.5 / 1.25);
}

// The wheel stops a million times in or out from home: a bigger step is not
// taken at all, single notches stop at the limit, and nothing fails.
TEST_F(WindowExtras, TheWheelStopsAtTheZoomLimits) {
  Wheel(120 * 200);
  Wheel(-120 * 4000);
  EXPECT_EQ(Shown(), kHome);
  for (int i = 0; i < 70; ++i) Wheel(120);
  const Ranges in = Shown();
  EXPECT_GE(in.xh - in.xl, 40 / 1e6);
  EXPECT_LT(in.xh - in.xl, 40 / 1e6 * 1.25);
  EXPECT_GE(in.yh - in.yl, 28.5 / 1e6);
  EXPECT_TRUE(errors.empty());
  Press(Qt::Key_Home);
  EXPECT_EQ(Shown(), kHome);
}

TEST_F(WindowExtras, CtrlZAndCtrlYStepThroughTheZoomsAndHomeGoesHome) {
  Press(Qt::Key_Z, Qt::ControlModifier);  // nothing before the layout's ranges
  EXPECT_EQ(Shown(), kHome);
  Wheel(120);
  const Ranges one = Shown();
  Wheel(120, 100, 100);
  const Ranges two = Shown();
  ASSERT_NE(one, two);
  Press(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Shown(), one);
  Press(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Shown(), kHome);
  Press(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Shown(), kHome);
  Press(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Shown(), one);
  Press(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Shown(), two);
  Press(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Shown(), two);
  Press(Qt::Key_Home);
  EXPECT_EQ(Shown(), kHome);
  EXPECT_EQ(Shown(5), kHome);
  Press(Qt::Key_Z, Qt::ControlModifier);  // Home is a step of its own
  EXPECT_EQ(Shown(), two);
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(errors.empty());
}

// The keys reach the chart only when no control uses them, and only while
// its page shows.
TEST_F(WindowExtras, ControlsKeepTheirKeysAndOtherPagesIgnoreThem) {
  Wheel(120);
  const Ranges zoomed = Shown();
  window->nioFreq->SetFocus();
  Press(Qt::Key_Home, Qt::NoModifier, window->nioFreq->Widget());
  EXPECT_EQ(Shown(), zoomed);
  window->PageControl1->setCurrentIndex(1);
  Press(Qt::Key_Home);
  Press(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Shown(), zoomed);
  window->PageControl1->setCurrentIndex(0);
  Press(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Shown(), kHome);
}

TEST_F(WindowExtras, TheLeftButtonStillDragsTheCrossHairAfterAZoom) {
  Wheel(120);
  TRChart& rc = *window->rc;
  rc.MouseMove(ssLeft, 60, 200);
  rc.MouseMove(ssLeft, 345, 208);
  EXPECT_DOUBLE_EQ(rc.CrossHair1().PosX(), 20.0);
  rc.MouseMove(0, 345, 208);
  EXPECT_EQ(Shown().xl, 4.0);
}

// ---------------------------------------------------------------------------
// Export

TEST_F(WindowExtras, ThePopupMenuOffersTheThreeSavesAfterCopy) {
  ASSERT_EQ(window->puRc->actions().size(), 4);
  EXPECT_EQ(MenuItem(0)->text(), QStringLiteral("Copy to clipboard"));
  EXPECT_EQ(MenuItem(1)->text(), QStringLiteral("Save picture as PNG\u2026"));
  EXPECT_EQ(MenuItem(2)->text(), QStringLiteral("Save lengths as CSV\u2026"));
  EXPECT_EQ(MenuItem(3)->text(), QStringLiteral("Save report as PDF\u2026"));
}

TEST_F(WindowExtras, SavePictureWritesThePngOfTheWholeChart) {
  Choose(Path("chart.png"));
  MenuItem(1)->trigger();
  EXPECT_EQ(asked, std::vector<std::u16string>{u"Save picture as PNG"});
  QImage saved;
  ASSERT_TRUE(saved.load(Path("chart.png"), "PNG"));
  EXPECT_EQ(saved.size(), QSize(660, 395));
  EXPECT_EQ(saved.pixel(247, 289), qRgb(255, 255, 0));  // a mark of the defaults
  EXPECT_EQ(saved.pixel(528, 289), qRgb(255, 255, 0));
  EXPECT_TRUE(messages.empty());
}

// One row per maximum of the calculations in the list, "." whatever the
// locale; cleared with the list.
TEST_F(WindowExtras, SaveLengthsWritesTheCalculationsOfTheList) {
  SetLocaleDecimalSeparator(u',');
  window->nioFreq->SetNioValue(14.2);
  window->btnCalc->click();
  Choose(Path("lengths.csv"));
  MenuItem(2)->trigger();
  QFile file(Path("lengths.csv"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QStringList rows = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
  ASSERT_EQ(rows.size(), 17);
  EXPECT_EQ(
      rows[0],
      QStringLiteral("frequency_MHz,index,length_m,length_ft,dipole_ft,feeder_constant_ft_MHz"));
  EXPECT_EQ(rows[1], QStringLiteral("7.1,1,13.36,43.82,85.30,886.00"));
  EXPECT_EQ(rows[8], QStringLiteral("7.1,8,146.48,480.58,85.30,886.00"));
  EXPECT_TRUE(rows[9].startsWith(QStringLiteral("14.2,1,")));
  window->btnClearGraph->click();
  MenuItem(2)->trigger();
  file.close();
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(file.readAll()).count(u'\n'), 1);  // the header alone
}

TEST_F(WindowExtras, ACancelledDialogWritesNothing) {
  Choose(QString());
  MenuItem(1)->trigger();
  MenuItem(2)->trigger();
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_TRUE(QDir(folder.path()).isEmpty());
  EXPECT_TRUE(messages.empty());
}

// A folder that does not exist: a message naming the file, no file, and the
// list, the chart and an earlier file stay as they were.
TEST_F(WindowExtras, AFailingWriteSaysWhichFileAndChangesNothing) {
  for (int item : {1, 2}) {
    messages.clear();
    const QString missing = Path("no such folder/out.file");
    Choose(missing);
    MenuItem(item)->trigger();
    ASSERT_EQ(messages.size(), 1u) << item;
    const QString text = ToQString(messages[0]);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Cannot write the file \"") + missing +
                                QStringLiteral("\":")))
        << text.toStdString();
    EXPECT_FALSE(QFile::exists(missing));
  }
  EXPECT_EQ(window->Memo1Lines().size(), 8u);
  EXPECT_EQ(window->rc->Store().NumItems(), 8);
  EXPECT_TRUE(errors.empty());
}

// Past a file-size limit, over a pipe, through links: each save reports a
// failure in one message naming the file and the reason, and loses nothing.
TEST_F(WindowExtras, SavesThatFailLoseNothingAndOnlyRegularFilesAreReplaced) {
  namespace fs = std::filesystem;
  for (int item : {1, 2}) {
    const fs::path own = fs::path(folder.path().toStdString()) / std::to_string(item);
    fs::create_directory(own);
    const failing_saves::TSave save = [this, item](const fs::path& name) {
      messages.clear();
      Choose(QString::fromStdString(name.string()));
      MenuItem(item)->trigger();
      EXPECT_LE(messages.size(), 1u);
      return messages.empty() ? std::string() : ToQString(messages.back()).toStdString();
    };
    const std::string name = item == 1 ? "chart.png" : "lengths.csv";
    failing_saves::ExpectWriteFailuresLoseNothing(save, own, name);
    failing_saves::ExpectOnlyRegularFilesReplaced(save, own, name);
  }
  EXPECT_EQ(window->Memo1Lines().size(), 8u);
  EXPECT_TRUE(errors.empty());
}

}  // namespace
