// The numeric input field reacting to the user: key codes replayed through
// KeyDown/KeyUp, the clipboard, the caret timer, focus navigation, mouse
// placement and selection, the up/down buttons and the gauge.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <initializer_list>
#include <string>
#include <vector>

#include "controls/numeric/PLX_NumIO.h"
#include "platform/Bitmap.h"
#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "platform/KeyCodes.h"

namespace {

void pump() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

// Opens the caret timer to the tests and counts full paints.
class Field : public TNumIO2 {
 public:
  using TNumIO2::CaretTimer;
  void Paint() override {
    ++paints;
    TNumIO2::Paint();
  }
  int paints = 0;
};

std::vector<uint32_t> pixelsOf(const TBitmap& bmp) {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < bmp.Height(); ++y) {
    pixels.insert(pixels.end(), bmp.ScanLine(y), bmp.ScanLine(y) + bmp.Width());
  }
  return pixels;
}

// The main window's field settings (value box from x = 75 to 157).
void configure(TNumIO2& f, int top) {
  f.SetBounds(10, top, 201, 25);
  f.SetLeftSpace(75);
  f.SetTextBoxWidth(80);
  f.SetFixPointDecPlaces(2);
  f.SetRangeLow(0.0);
  f.SetRangeHigh(1000.0);
}

class NumIOEditTest : public testing::Test {
 protected:
  void SetUp() override {
    window.resize(420, 200);
    configure(field, 10);
    field.SetParentWidget(&window);
    field.HandleNeeded();
    field.OnChange = [this](TObject* sender) {
      EXPECT_EQ(sender, &field);
      ++changes;
    };
    SetBeepHook([this] { ++beeps; });
  }
  void TearDown() override { SetBeepHook(nullptr); }

  void show() {
    window.show();
    QApplication::setActiveWindow(&window);
    pump();
  }

  void press(uint16_t key, TShiftState shift = 0) {
    uint16_t k = key;
    field.KeyDown(k, shift);
    k = key;
    field.KeyUp(k, shift);
  }
  void typeKeys(std::initializer_list<uint16_t> keys) {
    for (const uint16_t k : keys) press(k);
  }
  // A modifier held around one key, as the platform reports it.
  void chord(uint16_t modifierKey, TShiftState state, uint16_t key) {
    uint16_t k = modifierKey;
    field.KeyDown(k, state);
    press(key, state);
    k = modifierKey;
    field.KeyUp(k, 0);
  }
  void withShift(uint16_t key) { chord(VK_SHIFT, ssShift, key); }
  void withCtrl(uint16_t key) { chord(VK_CONTROL, ssCtrl, key); }

  void setText(const std::u16string& text, int caret) {
    field.SetNioText(text);
    ASSERT_EQ(field.Text(), text);
    field.SetSelEnd(0);  // an unchanged text keeps the old selection
    field.SetSelBegin(caret);
  }
  void selectAll() {
    field.SetSelBegin(0);
    field.SetSelEnd(int(field.Text().size()));
  }

  QWidget window;
  Field field;
  int changes = 0;
  int beeps = 0;
};

// Saves the clipboard's text for the test and puts it back afterwards.
class NumIOClipboardTest : public NumIOEditTest {
 protected:
  void SetUp() override {
    NumIOEditTest::SetUp();
    saved = ClipboardGetText();
  }
  void TearDown() override {
    ClipboardPutText(saved);
    NumIOEditTest::TearDown();
  }
  std::u16string saved;
};

// ---- typing ----

TEST_F(NumIOEditTest, TypingACommaNumberThenASecondSeparatorIsRefused) {
  typeKeys({'1', VK_OEM_COMMA, '5'});
  EXPECT_EQ(field.Text(), u"1,5");
  EXPECT_DOUBLE_EQ(field.GetNioValue(), 1.5);
  EXPECT_EQ(field.CaretPos(), 3);
  EXPECT_EQ(changes, 3);

  press(VK_OEM_PERIOD);
  press(VK_DECIMAL);
  EXPECT_EQ(field.Text(), u"1,5");
  EXPECT_EQ(field.CaretPos(), 3);
  EXPECT_EQ(changes, 3) << "refused keys report no change";
  EXPECT_EQ(beeps, 0) << "Beep is off";
}

struct KeyRow {
  const char* name;
  std::u16string text;
  int caret;
  uint16_t key;
  std::u16string expected;
  int expectedCaret;
  bool changed;
};

TEST_F(NumIOEditTest, SingleKeysOnAFloatField) {
  const std::vector<KeyRow> rows{
      {"minus at the start", u"", 0, VK_OEM_MINUS, u"-", 1, true},
      {"plus at the start", u"", 0, VK_ADD, u"+", 1, true},
      {"minus before a digit", u"5", 0, VK_SUBTRACT, u"-5", 1, true},
      {"minus after a digit", u"5", 1, VK_OEM_MINUS, u"5", 1, false},
      {"dot after a comma", u"1,5", 3, VK_OEM_PERIOD, u"1,5", 3, false},
      {"hex letter", u"12", 2, 'A', u"12", 2, false},
      {"numpad digit inserted", u"12", 1, VK_NUMPAD0 + 7, u"172", 2, true},
      {"backspace", u"12", 2, VK_BACK, u"1", 1, true},
      {"backspace at 0", u"12", 0, VK_BACK, u"12", 0, false},
      {"backspace to empty", u"-", 1, VK_BACK, u"", 0, true},
      {"delete", u"12", 0, VK_DELETE, u"2", 0, true},
      {"delete at the end", u"12", 2, VK_DELETE, u"12", 2, false},
      {"home", u"12.5", 3, VK_HOME, u"12.5", 0, false},
      {"end", u"12.5", 1, VK_END, u"12.5", 4, false},
      {"left", u"12.5", 1, VK_LEFT, u"12.5", 0, false},
      {"up at 0", u"12.5", 0, VK_UP, u"12.5", 0, false},
      {"right", u"12.5", 1, VK_RIGHT, u"12.5", 2, false},
      {"down at the end", u"12.5", 4, VK_DOWN, u"12.5", 4, false},
  };
  for (const KeyRow& row : rows) {
    SCOPED_TRACE(row.name);
    setText(row.text, row.caret);
    changes = 0;
    press(row.key);
    EXPECT_EQ(field.Text(), row.expected);
    EXPECT_EQ(field.CaretPos(), row.expectedCaret);
    EXPECT_EQ(changes, row.changed ? 1 : 0);
  }
}

struct SelectionKeyRow {
  const char* name;
  int selBegin;
  int selEnd;
  uint16_t key;
  std::u16string expected;
};

TEST_F(NumIOEditTest, KeysOnASelection) {
  const std::vector<SelectionKeyRow> rows{
      // Emptying the text leaves the formatted zero.
      {"delete all", 0, 5, VK_DELETE, u"0.00"},
      {"backspace all", 0, 5, VK_BACK, u"0.00"},
      {"delete part", 0, 2, VK_DELETE, u".30"},
      // The zero rule does not apply to typing over a selection.
      {"type over all", 0, 5, '7', u"7"},
      {"type over part", 3, 5, '9', u"85.9"},
  };
  for (const SelectionKeyRow& row : rows) {
    SCOPED_TRACE(row.name);
    field.SetNioValue(85.3);
    ASSERT_EQ(field.Text(), u"85.30");
    field.SetSelBegin(row.selBegin);
    field.SetSelEnd(row.selEnd);
    changes = 0;
    press(row.key);
    EXPECT_EQ(field.Text(), row.expected);
    const int start = row.key == VK_DELETE || row.key == VK_BACK ? row.selBegin : row.selBegin + 1;
    EXPECT_EQ(field.CaretPos(), start);
    EXPECT_EQ(field.SelBegin(), field.SelEnd()) << "the selection is gone";
    EXPECT_EQ(changes, 1);
  }
}

TEST_F(NumIOEditTest, RefusedEditRestoresTextAndCaretButNotTheSelection) {
  field.SetNioValue(85.3);
  field.SetSelBegin(1);
  field.SetSelEnd(2);   // the "5"; caret at 2
  press(VK_OEM_MINUS);  // "8-.30" would not be a number
  EXPECT_EQ(field.Text(), u"85.30");
  EXPECT_EQ(field.CaretPos(), 2);
  EXPECT_EQ(field.SelBegin(), 1);
  EXPECT_EQ(field.SelEnd(), 1);
  EXPECT_EQ(changes, 0);
}

TEST_F(NumIOEditTest, ShiftedDigitsTypeTheDynamicPrefixes) {
  field.SetInputFormat(itDynamic);
  const std::vector<std::pair<uint16_t, std::u16string>> rows{
      {'4', u"$"}, {'5', u"%"}, {'6', u"&"}, {VK_NUMPAD0 + 4, u"$"}};
  for (const auto& [key, prefix] : rows) {
    field.SetNioText(u"");
    withShift(key);
    EXPECT_EQ(field.Text(), prefix) << key;
  }
  field.SetNioText(u"");
  withShift('4');
  typeKeys({'F', 'F'});
  EXPECT_EQ(field.Text(), u"$FF");
  EXPECT_DOUBLE_EQ(field.GetNioValue(), 255.0);
}

TEST_F(NumIOEditTest, ShiftCountsFromItsOwnKeyDownOrFromTheReportedState) {
  field.SetInputFormat(itDynamic);
  uint16_t shiftKey = VK_SHIFT;
  field.SetNioText(u"");
  field.KeyDown(shiftKey, 0);
  press('4');
  EXPECT_EQ(field.Text(), u"$") << "recorded from the Shift key-down";
  shiftKey = VK_SHIFT;
  field.KeyUp(shiftKey, 0);

  field.SetNioText(u"");
  press('4', ssShift);
  EXPECT_EQ(field.Text(), u"$") << "reported with the key";
  field.SetNioText(u"");
  press('4');
  EXPECT_EQ(field.Text(), u"4");
}

// Keys as the platform delivers them, with the character the keyboard layout
// typed: that character counts, whatever key and Shift gave it.
class NumIOLayoutTest : public NumIOEditTest {
 protected:
  void SetUp() override {
    NumIOEditTest::SetUp();
    show();
    field.SetFocus();
    pump();
    field.SetNioText(u"");
  }
  void send(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, qtKey, modifiers, text);
    QKeyEvent release(QEvent::KeyRelease, qtKey, modifiers, text);
    QApplication::sendEvent(field.Widget(), &press);
    QApplication::sendEvent(field.Widget(), &release);
  }
  void shiftDown() {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier);
    QApplication::sendEvent(field.Widget(), &press);
  }
  void shiftUp() {
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier);
    QApplication::sendEvent(field.Widget(), &release);
  }
};

TEST_F(NumIOLayoutTest, FrenchDigitsTypedWithShiftArriveAsDigits) {
  // AZERTY: the minus is the 6 key alone; the digits need Shift; the comma
  // has a key of its own.
  send(Qt::Key_Minus, Qt::NoModifier, "-");
  shiftDown();
  send(Qt::Key_4, Qt::ShiftModifier, "4");
  send(Qt::Key_5, Qt::ShiftModifier, "5");
  shiftUp();
  send(Qt::Key_Comma, Qt::NoModifier, ",");
  shiftDown();
  send(Qt::Key_6, Qt::ShiftModifier, "6");
  shiftUp();
  EXPECT_EQ(field.Text(), u"-45,6");
  EXPECT_EQ(changes, 5);
}

TEST_F(NumIOLayoutTest, SymbolsArriveAsTheLayoutTypesThem) {
  field.SetBeep(true);
  shiftDown();
  send(Qt::Key_Equal, Qt::ShiftModifier, "=");   // German Shift+0: no "+"
  send(Qt::Key_Exclam, Qt::ShiftModifier, "!");  // US Shift+1: no "1"
  shiftUp();
  send(Qt::Key_Ampersand, Qt::NoModifier, "&");                // French 1 alone: no "7"
  send(Qt::Key_Eacute, Qt::NoModifier, QString(QChar(0xE9)));  // French 2 alone
  EXPECT_EQ(field.Text(), u"");
  EXPECT_EQ(beeps, 4);
  // A plus typed as such, and a keypad's decimal key as its layout has it.
  send(Qt::Key_Plus, Qt::NoModifier, "+");
  send(Qt::Key_1, Qt::KeypadModifier, "1");
  send(Qt::Key_Period, Qt::KeypadModifier, ".");
  send(Qt::Key_A, Qt::NoModifier, "a");
  EXPECT_EQ(field.Text(), u"+1.");
  field.SetInputFormat(itDynamic);
  field.SetNioText(u"");
  send(Qt::Key_Dollar, Qt::NoModifier, "$");  // French $ key, no Shift
  send(Qt::Key_A, Qt::NoModifier, "a");
  EXPECT_EQ(field.Text(), u"$A");
}

TEST_F(NumIOEditTest, ShiftFourIsRefusedInAFloatField) {
  field.SetNioText(u"1");
  field.SetSelBegin(1);
  withShift('4');
  EXPECT_EQ(field.Text(), u"1");
  EXPECT_EQ(changes, 0);
  press('4');
  EXPECT_EQ(field.Text(), u"14") << "Shift released: a plain digit again";
}

TEST_F(NumIOEditTest, FixPointSelectsTheDigitToOverwrite) {
  field.SetInputFormat(itFixPoint);
  ASSERT_EQ(field.Text(), u"0.00");
  field.SetSelBegin(0);
  press('5');
  EXPECT_EQ(field.Text(), u"50.00");
  EXPECT_EQ(field.SelBegin(), field.SelEnd()) << "caret before the last three positions";
  typeKeys({VK_RIGHT, VK_RIGHT});
  EXPECT_EQ(field.CaretPos(), 3);
  EXPECT_EQ(field.SelBegin(), 3);
  EXPECT_EQ(field.SelEnd(), 4);
  typeKeys({'7', '1'});
  EXPECT_EQ(field.Text(), u"50.71");
  EXPECT_DOUBLE_EQ(field.GetNioValue(), 50.71);
  EXPECT_EQ(field.CaretPos(), 5);
  EXPECT_EQ(field.SelBegin(), 5);
  EXPECT_EQ(field.SelEnd(), 5) << "nothing after the caret to select";
}

// ---- beeps and changes ----

TEST_F(NumIOEditTest, OtherKeysBeepOnlyWithBeepOn) {
  const std::vector<uint16_t> keys{'G', 'Q', 'Z', VK_RETURN, VK_ESCAPE};
  field.SetNioText(u"12");
  for (const uint16_t key : keys) press(key);
  EXPECT_EQ(beeps, 0);

  field.SetBeep(true);
  for (const uint16_t key : keys) {
    beeps = 0;
    press(key);
    EXPECT_EQ(beeps, 1) << key;
  }
  EXPECT_EQ(field.Text(), u"12");
  EXPECT_EQ(changes, 0);

  beeps = 0;
  field.SetSelBegin(2);
  press(VK_OEM_MINUS);  // refused by the validity check
  withCtrl('Q');        // no Ctrl command
  EXPECT_EQ(beeps, 2);
  press('3');
  EXPECT_EQ(beeps, 2) << "an accepted key is silent";
}

TEST_F(NumIOEditTest, OnChangeOnlyForKeptUserEdits) {
  field.SetNioValue(12.5);
  field.SetNioText(u"7");
  field.SetFixPointDecPlaces(3);
  field.SetRangeHigh(5.0);
  EXPECT_EQ(changes, 0) << "no setter reports a change";

  field.SetSelBegin(1);
  press('1');
  EXPECT_EQ(changes, 1);
  typeKeys({VK_HOME, VK_END, VK_LEFT});
  EXPECT_EQ(changes, 1);
  press(VK_SHIFT, ssShift);
  EXPECT_EQ(changes, 1);
}

TEST_F(NumIOEditTest, ReadOnlyIgnoresEveryKeyButCtrlC) {
  field.SetNioText(u"12");
  field.SetReadOnly(true);
  EXPECT_FALSE(field.CaretVisible());
  EXPECT_FALSE(field.CaretTimer().TimerRunning(1));
  field.SetSelBegin(2);
  typeKeys({'3', VK_BACK, VK_HOME});
  EXPECT_EQ(field.Text(), u"12");
  EXPECT_EQ(field.CaretPos(), 2);
  EXPECT_EQ(changes, 0);
  EXPECT_FALSE(field.CaretVisible());

  field.SetReadOnly(false);
  EXPECT_TRUE(field.CaretVisible());
  EXPECT_TRUE(field.CaretTimer().TimerRunning(1));
}

// ---- clipboard ----

TEST_F(NumIOClipboardTest, CtrlCCopiesTheSelectionOnly) {
  ClipboardPutText(u"before");
  field.SetNioValue(85.3);
  withCtrl('C');
  EXPECT_EQ(ClipboardGetText(), u"before") << "no selection, nothing copied";
  field.SetSelBegin(0);
  field.SetSelEnd(2);
  withCtrl('C');
  EXPECT_EQ(ClipboardGetText(), u"85");
  EXPECT_EQ(field.Text(), u"85.30");
  EXPECT_EQ(changes, 0);

  field.SetReadOnly(true);
  field.SetSelBegin(3);
  field.SetSelEnd(5);
  withCtrl('C');
  EXPECT_EQ(ClipboardGetText(), u"30") << "read-only fields still copy";
}

TEST_F(NumIOClipboardTest, CtrlCInAReadOnlyFieldShowsTheCaret) {
  field.SetNioValue(85.3);
  field.SetReadOnly(true);
  ASSERT_FALSE(field.CaretVisible());
  withCtrl('C');
  EXPECT_TRUE(field.CaretVisible());
}

TEST_F(NumIOClipboardTest, CtrlXCutsAndLeavesTheFormattedZero) {
  field.SetNioValue(85.3);
  selectAll();
  withCtrl('X');
  EXPECT_EQ(ClipboardGetText(), u"85.30");
  EXPECT_EQ(field.Text(), u"0.00");
  EXPECT_EQ(field.CaretPos(), 0);
  EXPECT_EQ(changes, 1);
}

TEST_F(NumIOClipboardTest, CtrlVInsertsAtTheCaretOrIsRefusedWhole) {
  setText(u"3", 1);
  ClipboardPutText(u"12abc");
  withCtrl('V');
  EXPECT_EQ(field.Text(), u"3");
  EXPECT_EQ(field.CaretPos(), 1);
  EXPECT_EQ(changes, 0);

  ClipboardPutText(u"12");
  field.SetSelBegin(0);
  withCtrl('V');
  EXPECT_EQ(field.Text(), u"123");
  EXPECT_EQ(field.CaretPos(), 2);
  EXPECT_EQ(changes, 1);

  ClipboardPutText(u"");
  withCtrl('V');
  EXPECT_EQ(field.Text(), u"123");
  EXPECT_EQ(changes, 1);
}

TEST_F(NumIOClipboardTest, CtrlVDoesNotReplaceTheSelection) {
  field.SetNioText(u"15");
  field.SetSelBegin(0);
  field.SetSelEnd(1);  // "1" selected, caret at 1
  ClipboardPutText(u"0");
  withCtrl('V');
  EXPECT_EQ(field.Text(), u"105");
}

// ---- focus, Tab and the caret timer ----

class NumIOFocusTest : public NumIOEditTest {
 protected:
  void SetUp() override {
    NumIOEditTest::SetUp();
    configure(previous, 50);
    configure(next, 90);
    previous.SetParentWidget(&window);
    next.SetParentWidget(&window);
    // Tab order follows creation: previous was created after field, so put
    // the three in the order previous, field, next.
    QWidget::setTabOrder(previous.Widget(), field.Widget());
    QWidget::setTabOrder(field.Widget(), next.Widget());
    show();
  }
  Field previous;
  Field next;
};

TEST_F(NumIOFocusTest, TabAndShiftTabBothMoveForward) {
  for (const TShiftState shift : {TShiftState(0), TShiftState(ssShift)}) {
    field.SetFocus();
    pump();
    ASSERT_TRUE(field.Focused());
    uint16_t key = VK_TAB;
    field.KeyDown(key, shift);
    pump();
    EXPECT_EQ(key, 0) << "handled: the platform does not move the focus again";
    EXPECT_TRUE(next.Focused()) << "shift " << shift;
    EXPECT_FALSE(previous.Focused());
  }
  EXPECT_EQ(changes, 0);
}

TEST_F(NumIOFocusTest, PlatformTabEventsMoveOneFieldForward) {
  QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, "\t");
  QKeyEvent backtab(QEvent::KeyPress, Qt::Key_Backtab, Qt::ShiftModifier);
  for (QKeyEvent* event : {&tab, &backtab}) {
    field.SetFocus();
    pump();
    QApplication::sendEvent(field.Widget(), event);
    pump();
    EXPECT_TRUE(next.Focused()) << "forward, also with Shift";
  }
}

TEST_F(NumIOFocusTest, CtrlTabAndTabInAReadOnlyFieldKeepTheFocus) {
  field.SetBeep(true);
  field.SetFocus();
  pump();
  ASSERT_TRUE(field.Focused());
  QKeyEvent ctrlTab(QEvent::KeyPress, Qt::Key_Tab, Qt::ControlModifier, "\t");
  QApplication::sendEvent(field.Widget(), &ctrlTab);
  pump();
  EXPECT_TRUE(field.Focused()) << "Ctrl+Tab is another Ctrl key: a beep";
  EXPECT_EQ(beeps, 1);

  field.SetReadOnly(true);
  QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, "\t");
  QKeyEvent backtab(QEvent::KeyPress, Qt::Key_Backtab, Qt::ShiftModifier);
  for (QKeyEvent* event : {&tab, &backtab}) {
    QApplication::sendEvent(field.Widget(), event);
    pump();
    EXPECT_TRUE(field.Focused()) << "a read-only field ignores the key";
  }
  EXPECT_EQ(beeps, 1);
}

TEST_F(NumIOFocusTest, CaretBlinksWhileFocusedAndStopsAtTheFirstTickWithout) {
  field.SetFocus();
  pump();
  ASSERT_TRUE(field.Focused());
  field.SetFocus();  // restarts the blink without waiting for the loop
  EXPECT_TRUE(field.CaretVisible());
  EXPECT_TRUE(field.CaretTimer().TimerRunning(1));
  field.CaretTimer().OnTimer(1);
  EXPECT_FALSE(field.CaretVisible());
  field.CaretTimer().OnTimer(1);
  EXPECT_TRUE(field.CaretVisible());

  next.SetFocus();
  pump();
  ASSERT_FALSE(field.Focused());
  field.CaretTimer().OnTimer(1);
  EXPECT_FALSE(field.CaretVisible());
  EXPECT_FALSE(field.CaretTimer().TimerRunning(1));

  field.Click();  // takes the focus and starts the blink again
  pump();
  EXPECT_TRUE(field.Focused());
  EXPECT_TRUE(field.CaretVisible());
  EXPECT_TRUE(field.CaretTimer().TimerRunning(1));
}

TEST_F(NumIOFocusTest, ABlinkRedrawsTheCaretColumnAloneAsAFullPaintWould) {
  field.SetNioText(u"12345");
  field.SetSelBegin(1);
  field.SetSelEnd(3);  // the caret at 3, on the selection's last column
  for (const bool withSelection : {true, false}) {
    if (!withSelection) field.SetSelEnd(1);
    field.SetFocus();
    pump();
    ASSERT_TRUE(field.Focused());
    field.SetFocus();  // caret shown, blink restarted
    for (int tick = 0; tick < 2; ++tick) {
      const int paints = field.paints;
      field.CaretTimer().OnTimer(1);
      EXPECT_EQ(field.paints, paints) << "no full paint for a blink";
      EXPECT_EQ(field.CaretVisible(), tick == 1);
      const std::vector<uint32_t> blinked = pixelsOf(field.Surface());
      field.Paint();
      EXPECT_EQ(blinked, pixelsOf(field.Surface()))
          << "selection " << withSelection << " tick " << tick;
    }
  }
}

TEST_F(NumIOFocusTest, ALongTextIsNotPaintedAgainWhileTheCaretBlinks) {
  field.SetNioText(std::u16string(100000, u'7'));
  field.SetFocus();
  pump();
  ASSERT_TRUE(field.Focused());
  const int paints = field.paints;
  for (int tick = 0; tick < 4; ++tick) field.CaretTimer().OnTimer(1);
  EXPECT_EQ(field.paints, paints);
}

TEST_F(NumIOFocusTest, ReceivingTheFocusStartsTheTimer) {
  next.SetFocus();
  pump();
  field.CaretTimer().OnTimer(1);
  ASSERT_FALSE(field.CaretTimer().TimerRunning(1));
  previous.SetFocus();
  pump();
  previous.SelectNextControl(true);
  pump();
  ASSERT_TRUE(field.Focused());
  EXPECT_TRUE(field.CaretTimer().TimerRunning(1));
  EXPECT_TRUE(field.CaretVisible());
}

TEST_F(NumIOFocusTest, CtrlHeldWhenTheFocusLeftIsReleased) {
  field.SetFocus();
  pump();
  uint16_t ctrl = VK_CONTROL;
  field.KeyDown(ctrl, ssCtrl);
  next.SetFocus();  // the release of Ctrl goes to the other field
  pump();
  field.SetFocus();
  pump();
  press('1');
  EXPECT_EQ(field.Text(), u"1");
  EXPECT_EQ(changes, 1);
}

TEST_F(NumIOFocusTest, ClickFiresTheClickEvent) {
  int clicks = 0;
  field.OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, &field);
    ++clicks;
  };
  field.Click();
  EXPECT_EQ(clicks, 1);
}

// ---- mouse placement and selection ----

TEST_F(NumIOEditTest, CharPositionsAndPixelColumnsMatchForEveryAlignment) {
  field.SetNioText(u"12345");  // digits share one width
  for (const TAlignment alignment : {taLeftJustify, taRightJustify, taCenter}) {
    field.SetAlignment(alignment);
    for (int p = 0; p <= 5; ++p) {
      // The text position p starts one pixel left of its drawn column.
      EXPECT_EQ(field.XCoordsToCharPos(field.CharPosToXCoords(p) - 1), p)
          << "alignment " << int(alignment) << " p " << p;
    }
    EXPECT_EQ(field.XCoordsToCharPos(0), 0);
    EXPECT_EQ(field.XCoordsToCharPos(400), 5) << "clamped to the text width";
  }
  EXPECT_LT(field.CharPosToXCoords(0), field.CharPosToXCoords(5));
  EXPECT_EQ(field.CharPosToXCoords(9), field.CharPosToXCoords(5));
  field.SetNioText(u"");
  EXPECT_EQ(field.XCoordsToCharPos(120), 0);
}

TEST_F(NumIOEditTest, ClickPlacesTheCaretWithAnEmptySelection) {
  int downs = 0;
  field.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
  field.SetNioText(u"12345");
  field.SetSelEnd(3);
  field.MouseDown(mbLeft, ssLeft, 75 + 80 - 2, 10);  // right of the text
  EXPECT_EQ(field.CaretPos(), 5);
  EXPECT_EQ(field.SelBegin(), 5);
  EXPECT_EQ(field.SelEnd(), 5);
  field.MouseDown(mbLeft, ssLeft, 77, 10);  // left of the text
  EXPECT_EQ(field.CaretPos(), 0);
  field.MouseDown(mbLeft, ssLeft, 120, 0);  // on the top edge: no placement
  EXPECT_EQ(field.CaretPos(), 0);
  EXPECT_EQ(downs, 3) << "every press is passed on";
}

TEST_F(NumIOEditTest, DragSelectsAndKeepsTheFarEnd) {
  field.SetNioText(u"12345");
  const auto at = [this](int p) { return field.CharPosToXCoords(p) - 1; };
  field.MouseDown(mbLeft, ssLeft, at(1), 10);
  field.MouseMove(ssLeft, at(4), 10);
  EXPECT_EQ(field.SelBegin(), 1);
  EXPECT_EQ(field.SelEnd(), 4);
  EXPECT_EQ(field.CaretPos(), 4);
  field.MouseMove(ssLeft, at(0), 10);
  EXPECT_EQ(field.SelBegin(), 0);
  EXPECT_EQ(field.SelEnd(), 4);
  EXPECT_EQ(field.CaretPos(), 0);
  field.MouseMove(0, at(2), 10);  // no button held
  EXPECT_EQ(field.SelBegin(), 0);
  EXPECT_EQ(field.SelEnd(), 4);
  field.MouseUp(mbLeft, 0, at(2), 10);
  EXPECT_EQ(changes, 0);
}

TEST_F(NumIOEditTest, MouseAreaCodeFollowsTheBoxEdges) {
  const std::vector<std::pair<int, int>> rows{{10, 0}, {75, 0}, {76, 1}, {155, 1}, {156, 2}};
  for (const auto& [x, code] : rows) {
    field.MouseMove(0, x, 10);
    EXPECT_EQ(field.MouseAreaCode(), code) << x;
  }
}

// ---- up/down buttons ----

class NumIOButtonTest : public NumIOEditTest {
 protected:
  void SetUp() override {
    NumIOEditTest::SetUp();
    field.SetButVisible(true);  // x 159 .. 175, up for y 1 .. 12, down 13 .. 24
  }
  void up() { field.MouseDown(mbLeft, ssLeft, 165, 5); }
  void down() { field.MouseDown(mbLeft, ssLeft, 165, 20); }
};

TEST_F(NumIOButtonTest, StepsAreClampedToTheRangeAndAlwaysReportAChange) {
  field.SetRangeHigh(10.0);
  field.SetNioValue(9.5);
  up();
  EXPECT_EQ(field.Text(), u"10.00");
  up();
  EXPECT_EQ(field.Text(), u"10.00");
  EXPECT_EQ(changes, 2);

  field.SetNioValue(0.5);
  down();
  EXPECT_EQ(field.Text(), u"0.00");
  EXPECT_EQ(changes, 3);
}

TEST_F(NumIOButtonTest, OnlyTheButtonAreaCounts) {
  field.SetNioValue(5.0);
  const std::vector<std::pair<int, int>> outside{{158, 5}, {176, 5}, {165, 0}, {165, 25}};
  for (const auto& [x, y] : outside) field.MouseDown(mbLeft, ssLeft, x, y);
  field.SetButVisible(false);
  up();
  EXPECT_EQ(field.Text(), u"5.00");
  EXPECT_EQ(changes, 0);
}

struct PivotRow {
  double value;
  double up;
  double down;
};

TEST_F(NumIOButtonTest, PivotsStepToTheNeighbourOfTheNearestPivot) {
  field.ButtonPivots = {1.0, 2.0, 5.0, 10.0};
  field.SetRangeHigh(4.0);  // pivots are not clamped
  const std::vector<PivotRow> rows{{2.0, 5.0, 1.0},
                                   {3.0, 5.0, 2.0},
                                   {1.0, 2.0, 1.0},
                                   {0.0, 1.0, 1.0},
                                   {10.0, 10.0, 5.0},
                                   {1.5, 2.0, 1.0},
                                   {7.0, 10.0, 5.0}};
  for (const PivotRow& row : rows) {
    field.SetNioValue(row.value);
    up();
    EXPECT_DOUBLE_EQ(field.GetNioValue(), row.up) << "up from " << row.value;
    field.SetNioValue(row.value);
    down();
    EXPECT_DOUBLE_EQ(field.GetNioValue(), row.down) << "down from " << row.value;
  }
  EXPECT_EQ(changes, int(rows.size() * 2));
}

// ---- gauge ----

class NumIOGaugeTest : public NumIOEditTest {
 protected:
  void SetUp() override {
    NumIOEditTest::SetUp();
    field.SetHeight(40);
    field.SetGaugeVisible(true);  // x 35 .. 117, rows below y = 28
    field.OnGaugeChange = [this](TObject* sender, TShiftState shift, double value) {
      EXPECT_EQ(sender, &field);
      EXPECT_EQ(shift, ssLeft);
      gaugeValues.push_back(value);
    };
  }
  std::vector<double> gaugeValues;
};

TEST_F(NumIOGaugeTest, ClickSetsTheValueAndReportsTheChangeAtRelease) {
  field.MouseDown(mbLeft, ssLeft, 35 + 41, 35);
  EXPECT_EQ(field.Text(), u"500.00");
  EXPECT_EQ(changes, 0);
  field.MouseUp(mbLeft, 0, 76, 35);
  EXPECT_EQ(changes, 1);
  field.MouseUp(mbLeft, 0, 76, 35);
  EXPECT_EQ(changes, 1) << "once per gauge edit";

  field.MouseDown(mbLeft, ssLeft, 34, 35);  // left of the gauge
  field.MouseDown(mbLeft, ssLeft, 76, 28);  // above it
  EXPECT_EQ(field.Text(), u"500.00");
  EXPECT_TRUE(gaugeValues.empty()) << "clicks raise no gauge event";
}

TEST_F(NumIOGaugeTest, DragReachesOnePixelBeyondAndClampsToTheRange) {
  field.MouseDown(mbLeft, ssLeft, 35, 35);
  EXPECT_DOUBLE_EQ(field.GetNioValue(), 0.0);
  field.MouseMove(ssLeft, 118, 35);
  EXPECT_DOUBLE_EQ(field.GetNioValue(), 1000.0);
  field.MouseMove(ssLeft, 34, 35);
  EXPECT_DOUBLE_EQ(field.GetNioValue(), 0.0);
  field.MouseMove(ssLeft, 33, 35);  // two pixels out: ignored
  field.MouseMove(ssLeft, 119, 35);
  EXPECT_EQ(gaugeValues, (std::vector<double>{1000.0, 0.0}));
  field.MouseUp(mbLeft, 0, 119, 35);
  EXPECT_EQ(changes, 1);
}

TEST_F(NumIOGaugeTest, PivotsPickTheNearestIndex) {
  field.ButtonPivots = {1.0, 2.0, 5.0, 10.0};
  field.MouseDown(mbLeft, ssLeft, 76, 35);  // f = 0.5: index 1.5 rounds to even 2
  EXPECT_DOUBLE_EQ(field.GetNioValue(), 5.0);
  field.MouseDown(mbLeft, ssLeft, 35, 35);
  EXPECT_DOUBLE_EQ(field.GetNioValue(), 1.0);

  field.ButtonPivots.clear();
  for (int i = 0; i < 100; ++i) field.ButtonPivots.push_back(i);
  field.MouseMove(ssLeft, 118, 35);  // a pixel beyond: index 100.2 stays on the list
  EXPECT_DOUBLE_EQ(field.GetNioValue(), 99.0);

  field.ButtonPivots = {7.0};
  field.MouseDown(mbLeft, ssLeft, 100, 35);
  EXPECT_DOUBLE_EQ(field.GetNioValue(), 7.0);
}

}  // namespace
