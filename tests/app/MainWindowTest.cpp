// The main window's workflow through its controls: start-up, single and
// batch calculations, stepping the dipole, mirrored length fields, errors,
// and the read-outs of the chart's mouse position.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QWheelEvent>
#include <string>
#include <vector>

#include "app/ProgramIcon.h"
#include "app/u_frmMain.h"
#include "platform/Bitmap.h"
#include "platform/Clipboard.h"
#include "platform/Colors.h"
#include "platform/Dialogs.h"
#include "platform/Locale.h"
#include "support/PixelMask.h"
#include "tests/app/WindowFixture.h"

namespace {

using Lines = std::vector<std::u16string>;

const Lines kDefaultLines = {
    u"13.36", u"32.37", u"51.39", u"70.41", u"89.43", u"108.44", u"127.46", u"146.48"};

Lines Concat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

struct MainWindow : WindowFixture {
  int Marks() const { return window->rc->Store().ItemCount(tkMarkAt); }

  static void pump() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
  }

  // A key pressed and released on a widget, as the keyboard sends it.
  static void Press(QWidget* widget, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
    pump();
  }

  // One notch of the mouse wheel over a widget, downwards.
  static void WheelDown(QWidget* widget) {
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent wheel(at,
                      widget->mapToGlobal(at),
                      QPoint(),
                      QPoint(0, -120),
                      Qt::NoButton,
                      Qt::NoModifier,
                      Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(widget, &wheel);
    pump();
  }

  static QRgb Face() { return QColor::fromRgb(ColorToPixel(clBtnFace)).rgb(); }

  // Types keys into a field as the user does, with its text selected first.
  void TypeOver(TNumIO2& field, const std::u16string& keys) {
    field.SetSelBegin(0);
    field.SetSelEnd(int(field.Text().size()));
    for (char16_t ch : keys) {
      uint16_t key = ch == u'.' ? 190 : uint16_t(ch);
      field.KeyDown(key, 0);
    }
  }
};

TEST_F(MainWindow, StartUpListsAndMarksTheDefaults) {
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Orvak SE version 1.0"));
  EXPECT_EQ(window->size(), QSize(938, 510));
  EXPECT_EQ(window->Memo1Lines(), kDefaultLines);
  EXPECT_EQ(Marks(), 8);
  const TrcChartItem mark = window->rc->Store().DataContainer(0);
  EXPECT_EQ(mark.Color, clYellow);
  EXPECT_EQ(mark.MarkOrAlign, 24);
  EXPECT_DOUBLE_EQ(mark.y, 7.1);
  // The reference curve on the second page: its moves and lines.
  EXPECT_EQ(window->RChart1->Store().ItemCount(tkMoveTo), 2);
  EXPECT_EQ(window->RChart1->Store().ItemCount(tkLineto), 228);
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(window->Button1->hasFocus() || !QApplication::focusWidget());
}

TEST_F(MainWindow, CalcSingleTwiceAccumulates) {
  window->btnCalc->click();
  EXPECT_EQ(window->Memo1Lines(), Concat({kDefaultLines, kDefaultLines}));
  EXPECT_EQ(Marks(), 16);
}

TEST_F(MainWindow, ClearGraphEmptiesTheChartAndTheList) {
  window->btnClearGraph->click();
  EXPECT_TRUE(window->Memo1Lines().empty());
  EXPECT_EQ(window->rc->Store().NumItems(), 0);
}

TEST_F(MainWindow, IncreaseStepsTheDipoleAndRunsTheCheckedBands) {
  window->SetChecked(3, true);  // 7.1 MHz
  window->btnDipolPluss->click();
  EXPECT_EQ(window->nioDipolLenm->Text(), u"26.10");
  EXPECT_EQ(window->niodiplenft->Text(), u"85.63");
  const Lines lines = window->Memo1Lines();
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[0], u"Current maxima for 7.1 MHz");
  EXPECT_EQ(Marks(), 8);  // the chart was cleared first
}

TEST_F(MainWindow, DecreaseWithNoBandCheckedLeavesEmptyResults) {
  window->btnDipolDec->click();
  EXPECT_EQ(window->nioDipolLenm->Text(), u"25.90");
  EXPECT_TRUE(window->Memo1Lines().empty());
  EXPECT_EQ(window->rc->Store().NumItems(), 0);
}

TEST_F(MainWindow, ATooShortBandShowsItsMessageAndTheBatchGoesOn) {
  window->btnClearGraph->click();
  window->SetChecked(0, true);  // 1.8 MHz
  window->SetChecked(3, true);  // 7.1 MHz
  window->btnBatch->click();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find(u"longer than: 208.3ft. Please unselect"), std::u16string::npos);
  EXPECT_EQ(
      window->Memo1Lines(),
      Concat({{u"Current maxima for 1.8 MHz", u"Current maxima for 7.1 MHz"}, kDefaultLines}));
  EXPECT_EQ(window->nioFreq->Text(), u"7.100");
}

TEST_F(MainWindow, Feeder600GivesThe450Lines) {
  window->btnClearGraph->click();
  window->cbZ0->setCurrentIndex(2);
  window->btnCalc->click();
  EXPECT_EQ(window->Memo1Lines(), kDefaultLines);
  window->cbZ0->setCurrentIndex(0);
  EXPECT_EQ(window->State().LLWL, 787.0);
  window->cbZ0->setEditText(QStringLiteral("75"));  // matches no item: unchanged
  EXPECT_EQ(window->State().LLWL, 787.0);
}

TEST_F(MainWindow, FrequencyZeroGoesToTheErrorBoxAndTheWindowStaysUsable) {
  window->btnClearGraph->click();
  window->nioFreq->SetNioValue(0);
  window->btnCalc->click();
  EXPECT_EQ(errors, std::vector<std::string>{"Floating point division by zero"});
  EXPECT_TRUE(window->Memo1Lines().empty());
  window->nioFreq->SetNioValue(7.1);
  window->btnCalc->click();
  EXPECT_EQ(window->Memo1Lines(), kDefaultLines);
}

TEST_F(MainWindow, FeetAndMetresMirrorEachOtherWithoutEcho) {
  int feetChanges = 0;
  const TNotifyEvent mirror = window->niodiplenft->OnChange;
  window->niodiplenft->OnChange = [&](TObject* sender) {
    ++feetChanges;
    mirror(sender);
  };
  TypeOver(*window->niodiplenft, u"100");
  EXPECT_EQ(window->niodiplenft->Text(), u"100");
  EXPECT_EQ(window->nioDipolLenm->Text(), u"30.48");
  EXPECT_EQ(feetChanges, 3);  // one per keystroke

  TypeOver(*window->nioDipolLenm, u"10");
  EXPECT_EQ(window->niodiplenft->Text(), u"32.81");
  EXPECT_EQ(window->nioDipolLenm->Text(), u"10");  // the echo never comes back
  EXPECT_EQ(feetChanges, 3);
}

TEST_F(MainWindow, MouseOverEitherChartFillsTheReadOuts) {
  window->rc->MouseMove(0, 345, 208);  // inside the data area
  EXPECT_DOUBLE_EQ(window->nlFeedLin->Value(), 20.0);
  EXPECT_NEAR(window->nlFreq->Value(), 14.006, 1e-3);
  window->rc->MouseMove(0, 10, 10);  // outside: the read-outs keep their values
  EXPECT_DOUBLE_EQ(window->nlFeedLin->Value(), 20.0);
  window->RChart1->MouseMove(0, 50, 280);
  EXPECT_NEAR(window->nlFeedLin->Value(), 0.25, 1e-9);
  EXPECT_NEAR(window->nlFreq->Value(), 0.0, 1e-9);
}

// The popup menu's one entry puts the first chart on the clipboard: the whole
// control with the two yellow marks of the defaults inside the range, without
// the crosshairs.
TEST_F(MainWindow, ThePopupMenuCopiesTheFirstChart) {
  ASSERT_GE(window->puRc->actions().size(), 1);
  QAction* copy = window->puRc->actions().first();
  EXPECT_EQ(copy->text(), QStringLiteral("Copy to clipboard"));
  ClipboardPutText(u"7.1");
  copy->trigger();
  TBitmap picture;
  ASSERT_TRUE(ClipboardGetBitmap(picture));
  ASSERT_EQ(picture.Width(), 660);
  ASSERT_EQ(picture.Height(), 395);
  EXPECT_EQ(picture.PixelColor(247, 289), clYellow);
  EXPECT_EQ(picture.PixelColor(528, 289), clYellow);
  for (const TColor crossHair : {clWhite, clBlack}) {
    EXPECT_EQ(MaskOf(picture, crossHair, 51, 21, 589, 334).find('#'), std::string::npos);
  }
  EXPECT_TRUE(errors.empty());
}

// The first chart's crosshairs as the layout sets them, dragged with the
// left button: the white one follows the pointer and the read-outs show it.
TEST_F(MainWindow, DraggingTheWhiteCrossHairFillsTheReadOuts) {
  TRChart& rc = *window->rc;
  EXPECT_EQ(rc.MouseAction(), maDragCrossH);
  const TCrossHair& white = rc.CrossHair1();
  EXPECT_EQ(white.Color(), clWhite);
  EXPECT_EQ(white.Mode(), chBoth);
  EXPECT_EQ(white.Layer(), 1);
  EXPECT_EQ(white.LineWid(), 1);
  const TCrossHair& black = rc.CrossHair2();
  EXPECT_EQ(black.Color(), clBlack);
  EXPECT_EQ(black.Mode(), chVert);
  EXPECT_EQ(black.Layer(), 1);
  EXPECT_EQ(black.LineWid(), 3);
  EXPECT_EQ(rc.CrossHair3().Mode(), chOff);
  EXPECT_EQ(rc.CrossHair4().Mode(), chOff);
  // Both stand at (0, 0), on the left edge: a pointer near it picks the
  // white one, the lower number of the tie.
  rc.MouseMove(ssLeft, 60, 200);
  rc.MouseMove(ssLeft, 345, 208);
  EXPECT_DOUBLE_EQ(white.PosX(), 20.0);
  EXPECT_DOUBLE_EQ(window->nlFeedLin->Value(), 20.0);
  EXPECT_NEAR(window->nlFreq->Value(), 14.006, 1e-3);
  const TBitmap& shown = rc.Surface();
  EXPECT_EQ(shown.PixelColor(345, 100), clWhite);
  EXPECT_EQ(shown.PixelColor(200, 208), clWhite);
  rc.MouseMove(0, 345, 208);
}

TEST_F(MainWindow, AHugeFrequencyAnswersAtOnce) {
  window->btnClearGraph->click();
  window->nioFreq->SetNioValue(1e17);
  window->btnCalc->click();  // used to subtract 1.0 from the dipole length forever
  EXPECT_EQ(window->Memo1Lines().size(), 8u);
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindow, TypedImpedanceThatMatchesNoItemAddsNone) {
  QComboBox* box = window->cbZ0;
  box->setFocus();
  box->lineEdit()->selectAll();
  for (QChar c : QStringLiteral("500")) Press(box->lineEdit(), c.unicode(), QString(c));
  Press(box->lineEdit(), Qt::Key_Return, QStringLiteral("\r"));
  EXPECT_EQ(box->count(), 3);
  EXPECT_EQ(window->State().LLWL, 886.0);  // no choice: the constant stays
  box->setCurrentIndex(0);
  EXPECT_EQ(window->State().LLWL, 787.0);
}

TEST_F(MainWindow, TheWheelLeavesTheImpedanceAloneWithoutFocus) {
  QComboBox* box = window->cbZ0;
  window->btnCalc->setFocus();
  pump();
  ASSERT_FALSE(box->hasFocus());
  WheelDown(box);
  EXPECT_EQ(box->currentIndex(), 1);
  EXPECT_FALSE(box->hasFocus());
  box->setFocus();
  pump();
  WheelDown(box);
  EXPECT_EQ(box->currentIndex(), 2);
}

TEST_F(MainWindow, TabInTheListMovesTheFocusAndLeavesTheLines) {
  window->Memo1->setFocus();
  pump();
  ASSERT_TRUE(window->Memo1->hasFocus());
  Press(window->Memo1, Qt::Key_Tab, QStringLiteral("\t"));
  EXPECT_EQ(window->Memo1Lines(), kDefaultLines);
  EXPECT_FALSE(window->Memo1->hasFocus());
}

// The list holds results only: keys and pastes leave it alone, while
// selecting and copying still work.
TEST_F(MainWindow, TheListTakesNoTypingButCopies) {
  window->Memo1->setFocus();
  pump();
  ClipboardPutText(u"pasted");
  Press(window->Memo1, Qt::Key_End, {});
  for (QChar c : QStringLiteral("x9")) Press(window->Memo1, c.unicode(), QString(c));
  Press(window->Memo1, Qt::Key_Return, QStringLiteral("\r"));
  Press(window->Memo1, Qt::Key_Backspace, QStringLiteral("\b"));
  QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
  QApplication::sendEvent(window->Memo1, &paste);
  EXPECT_EQ(window->Memo1Lines(), kDefaultLines);
  for (const Qt::Key key : {Qt::Key_A, Qt::Key_C}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier);
    QApplication::sendEvent(window->Memo1, &press);
  }
  EXPECT_EQ(ClipboardGetText().substr(0, 11), u"13.36\n32.37");
}

TEST_F(MainWindow, EnterClicksTheFocusedButton) {
  for (int key : {Qt::Key_Return, Qt::Key_Enter}) {
    window->btnCalc->setFocus();
    pump();
    const size_t before = window->Memo1Lines().size();
    Press(window->btnCalc, key, QStringLiteral("\r"));
    EXPECT_EQ(window->Memo1Lines().size(), before + 8) << key;
  }
}

TEST_F(MainWindow, TheSelectedTabIsPressedAndTheOthersFlat) {
  QTabBar* bar = window->PageControl1->tabBar();
  const QImage picture = window->grab().toImage();
  const QPoint origin = bar->mapTo(window.get(), QPoint(0, 0));
  const QRect selected = bar->tabRect(0).translated(origin);
  const QRect other = bar->tabRect(1).translated(origin);
  // Pressed: dark along the top and left, white along the bottom and right.
  const QPoint mid = selected.center();
  EXPECT_EQ(QColor(picture.pixel(mid.x(), selected.top() + 2)).lightness() < 100, true);
  EXPECT_EQ(QColor(picture.pixel(selected.left() + 1, mid.y())).lightness() < 100, true);
  EXPECT_EQ(picture.pixel(mid.x(), selected.bottom() - 2), qRgb(255, 255, 255));
  // Flat: no edge at all, the face colour all round.
  const QPoint otherMid = other.center();
  for (const QPoint p : {QPoint(otherMid.x(), other.top() + 2),
                         QPoint(other.left() + 1, otherMid.y()),
                         QPoint(otherMid.x(), other.bottom() - 2),
                         QPoint(other.right() - 1, otherMid.y())}) {
    EXPECT_EQ(picture.pixel(p), Face()) << p.x() << "," << p.y();
  }
}

TEST_F(MainWindow, GroupBoxesShowTheFaceColourOfTheFields) {
  const QImage picture = window->grab().toImage();
  // Inside "Calculate single value", left of the frequency field, and the
  // field's own background beside its caption.
  const QRgb insideBox = picture.pixel(8 + 1 + 3, 8 + 60);
  const QRgb fieldBackground = picture.pixel(8 + 2 + 3, 8 + 19 + 2);
  EXPECT_EQ(insideBox, Face());
  EXPECT_EQ(fieldBackground, Face());
}

TEST_F(MainWindow, TheWindowHasTheProgramIconInEverySize) {
  const QIcon icon = window->windowIcon();
  ASSERT_FALSE(icon.isNull());
  for (int size : ProgramIconSizes) {
    EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
  }
}

TEST(ProgramIcon, ADipoleOverALadderLineOnATile) {
  for (int size : ProgramIconSizes) {
    const QImage image = DrawProgramIcon(size);
    ASSERT_EQ(image.size(), QSize(size, size));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << size << ": corners stay transparent";
    const auto at = [&](double x, double y) {
      return image.pixel(int(x * size / 32), int(y * size / 32));
    };
    EXPECT_EQ(qAlpha(at(16, 20)), 255) << size;
    EXPECT_GT(qRed(at(8, 8)), 200) << size << ": the dipole's wire";
    const QRgb mark = at(16, 25.5);
    EXPECT_TRUE(qRed(mark) > 230 && qGreen(mark) > 230 && qBlue(mark) < 60)
        << size << ": a current maximum";
  }
}

}  // namespace
