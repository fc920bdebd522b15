// Controls over their Qt hosts: window creation, paint requests, the window
// surface, keys, mouse and focus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>
#include <QWidget>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Colors.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/KeyCodes.h"
#include "support/PixelMask.h"

namespace {

void pump() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

// A focusable control that records what reaches it and fills itself with
// paintColor on every Paint().
class ProbeControl : public TWinControl {
 public:
  using TWinControl::TWinControl;

  void Paint() override {
    ++paints;
    Canvas().Brush().SetColor(paintColor);
    Canvas().FillRect({0, 0, Width(), Height()});
  }
  void KeyDown(uint16_t& key, TShiftState Shift) override {
    keysDown.push_back({key, Shift});
    if (consumeTab && key == VK_TAB) key = 0;
  }
  void KeyUp(uint16_t& key, TShiftState Shift) override { keysUp.push_back({key, Shift}); }
  void DoEnter() override { ++enters; }
  void DoExit() override { ++exits; }

  struct Key {
    uint16_t code;
    TShiftState shift;
    friend bool operator==(const Key&, const Key&) = default;
  };
  int paints = 0;
  int creates = 0;
  int enters = 0;
  int exits = 0;
  bool consumeTab = false;
  TColor paintColor = clRed;
  std::vector<Key> keysDown;
  std::vector<Key> keysUp;

 protected:
  void CreateWnd() override { ++creates; }
};

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count;
    return false;
  }
};

QRgb screenPixel(TControl& control, int x, int y) {
  return control.Widget()->grab().toImage().pixel(x, y);
}

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override { window.resize(240, 160); }
  void TearDown() override { SetErrorBoxHook(nullptr); }

  void place(TControl& control, int left, int top, int width, int height) {
    control.SetBounds(left, top, width, height);
    control.SetParentWidget(&window);
  }
  void show() {
    window.show();
    QApplication::setActiveWindow(&window);
    pump();
  }

  QWidget window;
};

// --- window creation and painting --------------------------------------------

TEST_F(ControlsTest, WindowIsCreatedOnceWhenFirstShownAndPaintFollows) {
  ProbeControl c;
  place(c, 10, 10, 40, 20);
  pump();
  EXPECT_FALSE(c.HandleAllocated());
  EXPECT_EQ(c.creates, 0);
  EXPECT_EQ(c.paints, 0);

  show();
  EXPECT_TRUE(c.HandleAllocated());
  EXPECT_EQ(c.creates, 1);
  EXPECT_EQ(c.paints, 1);
  EXPECT_EQ(screenPixel(c, 5, 5), qRgb(255, 0, 0));

  window.hide();
  window.show();
  pump();
  EXPECT_EQ(c.creates, 1);
  EXPECT_EQ(c.paints, 1) << "showing again only presents the current surface";
}

TEST_F(ControlsTest, HandleNeededCreatesTheWindowWithoutShowingIt) {
  ProbeControl c;
  c.HandleNeeded();
  c.HandleNeeded();
  EXPECT_TRUE(c.HandleAllocated());
  EXPECT_EQ(c.creates, 1);
  EXPECT_FALSE(c.Widget()->isVisible());
}

TEST_F(ControlsTest, ControlIsShownOnlyInsideAParent) {
  show();
  ProbeControl c;
  c.SetBounds(0, 0, 10, 10);
  c.HandleNeeded();
  pump();
  EXPECT_TRUE(c.Visible());
  EXPECT_FALSE(c.Widget()->isVisible()) << "no top-level window of its own";

  c.SetParentWidget(&window);
  EXPECT_TRUE(c.Widget()->isVisible());
  c.SetVisible(false);
  EXPECT_FALSE(c.Visible());
  EXPECT_FALSE(c.Widget()->isVisible());
  c.SetVisible(true);
  EXPECT_TRUE(c.Widget()->isVisible());

  c.SetParentWidget(nullptr);
  EXPECT_FALSE(c.Widget()->isVisible());
}

// A control makes its widget only when it needs one; until then setters
// only store, and the widget takes the stored state when it comes.
TEST_F(ControlsTest, WidgetIsMadeOnlyWhenNeeded) {
  show();
  ProbeControl model;
  model.SetBounds(3, 4, 10, 10);
  model.SetVisible(false);
  model.SetEnabled(false);
  model.Invalidate();
  pump();
  EXPECT_EQ(model.Widget(), nullptr);
  EXPECT_FALSE(model.HandleAllocated());
  EXPECT_EQ(model.paints, 0);
  EXPECT_EQ(model.Surface().Width(), 10) << "the surface is there when read";
  EXPECT_EQ(model.Widget(), nullptr);

  model.SetParentWidget(&window);
  ASSERT_NE(model.Widget(), nullptr);
  EXPECT_EQ(model.Widget()->geometry(), QRect(3, 4, 10, 10));
  EXPECT_FALSE(model.Widget()->isVisible());
  EXPECT_FALSE(model.Widget()->isEnabled());
  model.SetVisible(true);
  model.SetEnabled(true);
  pump();
  EXPECT_TRUE(model.HandleAllocated());
  EXPECT_EQ(model.paints, 1);

  ProbeControl focused;
  focused.SetFocus();
  EXPECT_NE(focused.Widget(), nullptr) << "the focus needs a window";
  ProbeControl drawn;
  drawn.Canvas().SetPixel(0, 0, clRed);
  EXPECT_NE(drawn.Widget(), nullptr) << "drawing on the window surface needs a window";
}

TEST_F(ControlsTest, EnabledPassesToTheWindow) {
  ProbeControl c;
  place(c, 0, 0, 10, 10);
  c.SetEnabled(false);
  EXPECT_FALSE(c.Enabled());
  EXPECT_FALSE(c.Widget()->isEnabled());
  c.SetEnabled(true);
  EXPECT_TRUE(c.Widget()->isEnabled());
}

TEST_F(ControlsTest, CanvasDrawingIsPresentedWithoutAskingForPaint) {
  ProbeControl c;
  place(c, 0, 0, 8, 8);
  show();
  PaintCounter counter(c.Widget());

  c.Canvas().SetPixel(3, 2, clBlue);
  EXPECT_EQ(c.Surface().PixelColor(3, 2), clBlue);
  pump();
  EXPECT_GE(counter.count, 1);
  EXPECT_EQ(c.paints, 1);
  EXPECT_EQ(screenPixel(c, 3, 2), qRgb(0, 0, 255));
  EXPECT_EQ(screenPixel(c, 4, 2), qRgb(255, 0, 0));

  // Many strokes ask for one paint event; drawing after it asks again.
  int before = counter.count;
  for (int x = 0; x < 8; ++x) c.Canvas().SetPixel(x, 5, clLime);
  pump();
  EXPECT_EQ(counter.count, before + 1);
  before = counter.count;
  c.Canvas().SetPixel(1, 1, clBlue);
  pump();
  EXPECT_EQ(counter.count, before + 1);
  EXPECT_EQ(screenPixel(c, 7, 5), qRgb(0, 255, 0));
  EXPECT_EQ(screenPixel(c, 1, 1), qRgb(0, 0, 255));
}

// A request made while hidden is answered by the paint of the showing, and
// later drawing asks again.
TEST_F(ControlsTest, DrawingWhileHiddenIsPresentedWhenShownAgain) {
  ProbeControl c;
  place(c, 0, 0, 8, 8);
  show();
  PaintCounter counter(c.Widget());
  c.SetVisible(false);
  c.Canvas().SetPixel(3, 2, clBlue);
  pump();
  c.SetVisible(true);
  pump();
  const int before = counter.count;
  EXPECT_GE(before, 1);
  c.Canvas().SetPixel(4, 2, clBlue);
  pump();
  EXPECT_EQ(counter.count, before + 1);
}

TEST_F(ControlsTest, InvalidateLeadsToPaintOnTheNextPaintEvent) {
  ProbeControl c;
  place(c, 0, 0, 8, 8);
  show();
  ASSERT_EQ(c.paints, 1);

  c.paintColor = clLime;
  c.Invalidate();
  EXPECT_EQ(c.paints, 1) << "Paint() waits for the paint event";
  pump();
  EXPECT_EQ(c.paints, 2);
  EXPECT_EQ(screenPixel(c, 0, 0), qRgb(0, 255, 0));

  // An exposure without Invalidate() only presents the surface again.
  c.Widget()->update();
  pump();
  EXPECT_EQ(c.paints, 2);
}

TEST_F(ControlsTest, ResizingAsksForPaintMovingDoesNot) {
  ProbeControl c;
  place(c, 0, 0, 8, 8);
  show();
  ASSERT_EQ(c.paints, 1);
  c.SetBounds(20, 30, 8, 8);
  pump();
  EXPECT_EQ(c.paints, 1);
  c.SetBounds(20, 30, 12, 8);
  pump();
  EXPECT_EQ(c.paints, 2);
}

TEST_F(ControlsTest, SetBoundsResizesSurfaceAndWindow) {
  ProbeControl c;
  c.SetBounds(0, 0, 4, 3);
  c.Canvas().Brush().SetColor(clBlack);
  c.Canvas().FillRect({0, 0, 4, 3});
  c.SetColor(clYellow);
  c.SetBounds(5, 6, 6, 4);

  EXPECT_EQ(c.Surface().Width(), 6);
  EXPECT_EQ(c.Surface().Height(), 4);
  EXPECT_EQ(c.Widget()->geometry(), QRect(5, 6, 6, 4));
  EXPECT_EQ(MaskOf(c.Surface(), clBlack), Rows({"####..", "####..", "####..", "......"}));
  EXPECT_EQ(MaskOf(c.Surface(), clYellow), Rows({"....##", "....##", "....##", "######"}));

  c.SetBounds(1, 2, -5, -1);
  EXPECT_EQ(c.Width(), 0);
  EXPECT_EQ(c.Height(), 0);
  EXPECT_EQ(c.Surface().Width(), 0);
}

// --- window-less controls ----------------------------------------------------

TEST_F(ControlsTest, GraphicControlSurfaceStartsWithItsColorAndTakesNoFocus) {
  TGraphicControl g;
  place(g, 0, 0, 5, 3);
  EXPECT_EQ(MaskOf(g.Surface(), clBtnFace), Rows({"#####", "#####", "#####"}));
  EXPECT_EQ(g.Widget()->focusPolicy(), Qt::NoFocus);

  TGraphicControl other;
  other.SetColor(clTeal);
  other.SetBounds(0, 0, 2, 2);
  EXPECT_EQ(MaskOf(other.Surface(), clTeal), Rows({"##", "##"}));
}

// Each Paint() darkens one more pixel of what it finds, as a transparent
// label's AND-combine does.
class MarkingGraphic : public TGraphicControl {
 public:
  void Paint() override {
    Canvas().SetPixel(paints, 0, clBlack);
    ++paints;
  }
  int paints = 0;
};

TEST_F(ControlsTest, GraphicControlPaintRequestStartsFromTheParentBackground) {
  // The parent's own background, not the control's Color().
  QPalette olive = window.palette();
  olive.setColor(QPalette::Window, QColor(0x80, 0x80, 0x00));
  window.setPalette(olive);
  window.setAutoFillBackground(true);
  MarkingGraphic g;
  place(g, 0, 0, 4, 2);
  show();
  ASSERT_EQ(g.paints, 1);
  EXPECT_EQ(MaskOf(g.Surface(), clBlack), Rows({"#...", "...."}));

  g.Invalidate();
  pump();
  ASSERT_EQ(g.paints, 2);
  EXPECT_EQ(MaskOf(g.Surface(), clBlack), Rows({".#..", "...."}));
  EXPECT_EQ(MaskOf(g.Surface(), clOlive), Rows({"#.##", "####"}));

  // A Paint() the control calls itself draws over what is there.
  g.Paint();
  EXPECT_EQ(MaskOf(g.Surface(), clBlack), Rows({".##.", "...."}));
}

class FailingControl : public TWinControl {
 public:
  void Paint() override {
    ++paints;
    throw std::runtime_error("paint failed");
  }
  int paints = 0;
};

TEST_F(ControlsTest, PaintErrorReachesTheErrorBoxOncePerRequest) {
  std::vector<std::string> errors;
  SetErrorBoxHook([&](const std::string& message) { errors.push_back(message); });
  FailingControl c;
  place(c, 0, 0, 6, 6);
  show();
  EXPECT_EQ(errors, std::vector<std::string>{"paint failed"});

  c.Widget()->update();
  pump();
  EXPECT_EQ(c.paints, 1) << "a failed Paint() is not repeated by every exposure";

  c.Invalidate();
  pump();
  EXPECT_EQ(c.paints, 2);
  EXPECT_EQ(errors.size(), 2u);
}

// --- lifetime -------------------------------------------------------------------

TEST_F(ControlsTest, DestroyingAControlRemovesItsWindow) {
  show();
  QPointer<QWidget> host;
  {
    ProbeControl c;
    place(c, 0, 0, 10, 10);
    pump();
    c.SetFocus();
    pump();
    host = c.Widget();
    ASSERT_TRUE(host);
  }
  pump();
  EXPECT_FALSE(host);
}

TEST_F(ControlsTest, ControlOutlivesAParentThatDeletedItsWindow) {
  auto* parent = new QWidget;
  ProbeControl c;
  c.SetBounds(0, 0, 10, 10);
  c.SetParentWidget(parent);
  delete parent;
  EXPECT_EQ(c.Widget(), nullptr);

  c.SetBounds(1, 1, 6, 4);
  c.Canvas().SetPixel(1, 1, clBlue);
  c.Invalidate();
  c.SetVisible(false);
  c.SetEnabled(false);
  c.SetFocus();
  c.SelectNextControl(true);
  EXPECT_FALSE(c.Focused());
  EXPECT_EQ(c.Surface().PixelColor(1, 1), clBlue);
}

// --- keys -------------------------------------------------------------------------

// Qt reports a modifier key's own modifier as the state after the event: set
// on its press, clear on its release (the events carry the state before it).
struct KeyPress {
  const char* name;
  int qtKey;
  Qt::KeyboardModifiers modifiers;
  const char* text;
  ProbeControl::Key expected;
  friend void PrintTo(const KeyPress& c, std::ostream* out) { *out << c.name; }
};

class ControlKeys : public ControlsTest, public ::testing::WithParamInterface<KeyPress> {};

TEST_P(ControlKeys, ReachKeyDownAsVirtualKeys) {
  const KeyPress& k = GetParam();
  ProbeControl c;
  ProbeControl next;  // somewhere for Qt's own Tab handling to move the focus
  c.consumeTab = true;
  place(c, 0, 0, 20, 10);
  place(next, 0, 20, 20, 10);
  show();
  c.SetFocus();
  pump();
  ASSERT_TRUE(c.Focused());

  QKeyEvent press(QEvent::KeyPress, k.qtKey, k.modifiers, QString::fromUtf8(k.text));
  QApplication::sendEvent(c.Widget(), &press);
  ASSERT_EQ(c.keysDown.size(), 1u) << k.name;
  EXPECT_EQ(c.keysDown[0], k.expected) << k.name;
  EXPECT_TRUE(c.Focused()) << k.name;
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ControlKeys,
    ::testing::Values(
        KeyPress{"shift 4 as dollar", Qt::Key_Dollar, Qt::ShiftModifier, "$", {52, ssShift}},
        KeyPress{"tab", Qt::Key_Tab, Qt::NoModifier, "\t", {VK_TAB, 0}},
        KeyPress{"shift tab", Qt::Key_Backtab, Qt::ShiftModifier, "", {VK_TAB, ssShift}},
        KeyPress{"ctrl v", Qt::Key_V, Qt::ControlModifier, "\x16", {'V', ssCtrl}},
        KeyPress{"keypad 5", Qt::Key_5, Qt::KeypadModifier, "5", {101, 0}},
        KeyPress{"alt", Qt::Key_Alt, Qt::NoModifier, "", {VK_MENU, ssAlt}},
        KeyPress{"shift", Qt::Key_Shift, Qt::NoModifier, "", {VK_SHIFT, ssShift}}));

// Records the character the layout typed next to the key code.
class TypingProbe : public ProbeControl {
 public:
  using ProbeControl::ProbeControl;
  void TypedKeyDown(uint16_t& key, TShiftState Shift, char16_t Typed) override {
    typed.push_back(Typed);
    ProbeControl::TypedKeyDown(key, Shift, Typed);
  }
  std::u16string typed;
};

TEST_F(ControlsTest, KeyDownCarriesTheCharacterTheLayoutTyped) {
  TypingProbe c;
  place(c, 0, 0, 20, 10);
  show();
  c.SetFocus();
  pump();
  // German Shift+0, French Shift+4, French 2 (a key without a code of its
  // own), Backspace.
  QKeyEvent equals(QEvent::KeyPress, Qt::Key_Equal, Qt::ShiftModifier, "=");
  QKeyEvent four(QEvent::KeyPress, Qt::Key_4, Qt::ShiftModifier, "4");
  QKeyEvent eAcute(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString(QChar(0xE9)));
  QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, "\b");
  for (QKeyEvent* event : {&equals, &four, &eAcute, &back})
    QApplication::sendEvent(c.Widget(), event);
  EXPECT_EQ(c.typed, (std::u16string{u'=', u'4', char16_t(0xE9), 0}));
  // The key codes stay those of the keys; a key without one reaches only
  // TypedKeyDown.
  EXPECT_EQ(c.keysDown,
            (std::vector<ProbeControl::Key>{{VK_OEM_PLUS, ssShift}, {'4', ssShift}, {VK_BACK, 0}}));
}

TEST_F(ControlsTest, CtrlIsReportedAsKey17DownAndUp) {
  ProbeControl c;
  place(c, 0, 0, 20, 10);
  show();
  c.SetFocus();
  pump();
  QKeyEvent ctrlDown(QEvent::KeyPress, Qt::Key_Control, Qt::NoModifier);
  QKeyEvent cDown(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, "\x03");
  QKeyEvent cUp(QEvent::KeyRelease, Qt::Key_C, Qt::ControlModifier, "\x03");
  QKeyEvent ctrlUp(QEvent::KeyRelease, Qt::Key_Control, Qt::ControlModifier);
  for (QKeyEvent* event : {&ctrlDown, &cDown, &cUp, &ctrlUp}) {
    QApplication::sendEvent(c.Widget(), event);
  }
  EXPECT_EQ(c.keysDown, (std::vector<ProbeControl::Key>{{VK_CONTROL, ssCtrl}, {'C', ssCtrl}}));
  EXPECT_EQ(c.keysUp, (std::vector<ProbeControl::Key>{{'C', ssCtrl}, {VK_CONTROL, 0}}));
}

TEST_F(ControlsTest, UnknownKeysAndRepeatedReleasesAreNotReported) {
  ProbeControl c;
  place(c, 0, 0, 20, 10);
  show();
  c.SetFocus();
  pump();
  QKeyEvent media(QEvent::KeyPress, Qt::Key_MediaPlay, Qt::NoModifier);
  QApplication::sendEvent(c.Widget(), &media);
  EXPECT_TRUE(c.keysDown.empty());

  // A held key repeats its press; only the final release is a key-up.
  QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_1, Qt::NoModifier, "1", true);
  QKeyEvent repeatPress(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, "1", true);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_1, Qt::NoModifier, "1");
  QApplication::sendEvent(c.Widget(), &repeatRelease);
  QApplication::sendEvent(c.Widget(), &repeatPress);
  QApplication::sendEvent(c.Widget(), &release);
  EXPECT_EQ(c.keysDown, (std::vector<ProbeControl::Key>{{'1', 0}}));
  EXPECT_EQ(c.keysUp, (std::vector<ProbeControl::Key>{{'1', 0}}));
}

TEST_F(ControlsTest, TabTheControlLeavesAloneMovesTheFocus) {
  ProbeControl a;
  ProbeControl b;
  place(a, 0, 0, 20, 10);
  place(b, 0, 20, 20, 10);
  show();
  a.SetFocus();
  pump();

  a.consumeTab = true;
  QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, "\t");
  QApplication::sendEvent(a.Widget(), &tab);
  pump();
  EXPECT_TRUE(a.Focused()) << "a control that takes the Tab keeps the focus";

  a.consumeTab = false;
  QApplication::sendEvent(a.Widget(), &tab);
  pump();
  EXPECT_TRUE(b.Focused());
  EXPECT_EQ(a.keysDown.size(), 2u);

  QKeyEvent backtab(QEvent::KeyPress, Qt::Key_Backtab, Qt::ShiftModifier);
  QApplication::sendEvent(b.Widget(), &backtab);
  pump();
  EXPECT_TRUE(a.Focused());
  EXPECT_EQ(b.keysDown, (std::vector<ProbeControl::Key>{{VK_TAB, ssShift}}));
}

// --- focus ------------------------------------------------------------------------

TEST_F(ControlsTest, FocusChangesReachDoEnterAndDoExit) {
  ProbeControl a;
  ProbeControl b;
  place(a, 0, 0, 20, 10);
  place(b, 0, 20, 20, 10);
  show();
  EXPECT_EQ(a.Widget()->focusPolicy(), Qt::StrongFocus);

  a.SetFocus();
  pump();
  EXPECT_TRUE(a.Focused());
  EXPECT_EQ(a.enters, 1);
  EXPECT_EQ(a.exits, 0);

  b.SetFocus();
  pump();
  EXPECT_FALSE(a.Focused());
  EXPECT_TRUE(b.Focused());
  EXPECT_EQ(a.exits, 1);
  EXPECT_EQ(b.enters, 1);
}

TEST_F(ControlsTest, SelectNextControlMovesTheFocusAlongTheTabChain) {
  ProbeControl a;
  TGraphicControl label;  // takes no focus, so it is passed over
  ProbeControl b;
  place(a, 0, 0, 20, 10);
  place(label, 0, 15, 20, 10);
  place(b, 0, 30, 20, 10);
  show();
  a.SetFocus();
  pump();

  a.SelectNextControl(true);
  pump();
  EXPECT_TRUE(b.Focused());
  b.SelectNextControl(true);
  pump();
  EXPECT_TRUE(a.Focused()) << "the chain wraps around";
  a.SelectNextControl(false);
  pump();
  EXPECT_TRUE(b.Focused());
}

// --- mouse ------------------------------------------------------------------------

struct MouseRecord {
  std::string what;
  int button;
  TShiftState shift;
  int x;
  int y;
  friend bool operator==(const MouseRecord&, const MouseRecord&) = default;
};

std::ostream& operator<<(std::ostream& out, const MouseRecord& r) {
  return out << r.what << " b" << r.button << " s" << r.shift << " (" << r.x << "," << r.y << ")";
}

class ControlsMouseTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    attach(c);
    place(c, 10, 10, 40, 20);
    show();
  }

  void attach(TControl& control) {
    control.OnMouseDown = [this, &control](
                              TObject* sender, TMouseButton b, TShiftState s, int x, int y) {
      EXPECT_EQ(sender, &control);
      log.push_back({"down", b, s, x, y});
    };
    control.OnMouseMove = [this, &control](TObject* sender, TShiftState s, int x, int y) {
      EXPECT_EQ(sender, &control);
      log.push_back({"move", -1, s, x, y});
    };
    control.OnMouseUp = [this, &control](
                            TObject* sender, TMouseButton b, TShiftState s, int x, int y) {
      EXPECT_EQ(sender, &control);
      log.push_back({"up", b, s, x, y});
    };
    control.OnClick = [this](TObject*) { log.push_back({"click", -1, 0, 0, 0}); };
    control.OnDblClick = [this](TObject*) { log.push_back({"dblclick", -1, 0, 0, 0}); };
    control.OnMouseEnter = [this](TObject*) { log.push_back({"enter", -1, 0, 0, 0}); };
    control.OnMouseLeave = [this](TObject*) { log.push_back({"leave", -1, 0, 0, 0}); };
  }

  void send(TControl& control, QEvent::Type type, QPoint at, Qt::MouseButton button,
            Qt::MouseButtons held, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(
        type, QPointF(at), QPointF(control.Widget()->mapToGlobal(at)), button, held, modifiers);
    QApplication::sendEvent(control.Widget(), &event);
  }
  void send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
            Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    send(c, type, at, button, held, modifiers);
  }

  TWinControl c;
  std::vector<MouseRecord> log;
};

TEST_F(ControlsMouseTest, PressMoveReleaseAndClick) {
  send(QEvent::MouseButtonPress, {5, 4}, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
  send(QEvent::MouseMove, {7, 6}, Qt::NoButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, {8, 6}, Qt::LeftButton, Qt::NoButton, Qt::ControlModifier);
  send(QEvent::MouseMove, {9, 1}, Qt::NoButton, Qt::NoButton, Qt::AltModifier);
  const std::vector<MouseRecord> expected{
      {"down", mbLeft, ssShift | ssLeft, 5, 4},
      {"move", -1, ssLeft, 7, 6},
      {"up", mbLeft, ssCtrl, 8, 6},
      {"click", -1, 0, 0, 0},
      {"move", -1, ssAlt, 9, 1},
  };
  EXPECT_EQ(log, expected);
}

TEST_F(ControlsMouseTest, ReleaseOutsideOrOfAnotherButtonIsNoClick) {
  send(QEvent::MouseButtonPress, {5, 4}, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseMove, {-3, 50}, Qt::NoButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, {-3, 50}, Qt::LeftButton, Qt::NoButton);
  send(QEvent::MouseButtonPress, {5, 4}, Qt::RightButton, Qt::RightButton);
  send(QEvent::MouseButtonRelease, {5, 4}, Qt::RightButton, Qt::NoButton);
  send(QEvent::MouseButtonPress, {6, 4}, Qt::MiddleButton, Qt::MiddleButton | Qt::LeftButton);
  const std::vector<MouseRecord> expected{
      {"down", mbLeft, ssLeft, 5, 4},
      {"move", -1, ssLeft, -3, 50},
      {"up", mbLeft, 0, -3, 50},
      {"down", mbRight, ssRight, 5, 4},
      {"up", mbRight, 0, 5, 4},
      {"down", mbMiddle, ssMiddle | ssLeft, 6, 4},
  };
  EXPECT_EQ(log, expected);
}

TEST_F(ControlsMouseTest, DoubleClickReportsDblClickThenAButtonDownWithDouble) {
  send(QEvent::MouseButtonPress, {5, 4}, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, {5, 4}, Qt::LeftButton, Qt::NoButton);
  send(QEvent::MouseButtonDblClick, {5, 4}, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, {5, 4}, Qt::LeftButton, Qt::NoButton);
  const std::vector<MouseRecord> expected{
      {"down", mbLeft, ssLeft, 5, 4},
      {"up", mbLeft, 0, 5, 4},
      {"click", -1, 0, 0, 0},
      {"dblclick", -1, 0, 0, 0},
      {"down", mbLeft, ssLeft | ssDouble, 5, 4},
      {"up", mbLeft, 0, 5, 4},
  };
  EXPECT_EQ(log, expected);
}

TEST_F(ControlsMouseTest, EnterAndLeave) {
  QEnterEvent enter(QPointF(1, 1), QPointF(11, 11), QPointF(11, 11));
  QApplication::sendEvent(c.Widget(), &enter);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(c.Widget(), &leave);
  const std::vector<MouseRecord> expected{{"enter", -1, 0, 0, 0}, {"leave", -1, 0, 0, 0}};
  EXPECT_EQ(log, expected);
}

TEST_F(ControlsMouseTest, WindowlessControlReceivesTheMouseToo) {
  TGraphicControl label;
  attach(label);
  place(label, 60, 10, 30, 10);
  pump();
  send(label, QEvent::MouseMove, {3, 2}, Qt::NoButton, Qt::NoButton);
  send(label, QEvent::MouseButtonPress, {3, 2}, Qt::LeftButton, Qt::LeftButton);
  const std::vector<MouseRecord> expected{{"move", -1, 0, 3, 2}, {"down", mbLeft, ssLeft, 3, 2}};
  EXPECT_EQ(log, expected);
}

TEST_F(ControlsMouseTest, UnassignedEventsAreSkipped) {
  TWinControl bare;
  place(bare, 60, 40, 30, 10);
  pump();
  send(bare, QEvent::MouseButtonPress, {3, 2}, Qt::LeftButton, Qt::LeftButton);
  send(bare, QEvent::MouseButtonDblClick, {3, 2}, Qt::LeftButton, Qt::LeftButton);
  send(bare, QEvent::MouseButtonRelease, {3, 2}, Qt::LeftButton, Qt::NoButton);
  EXPECT_TRUE(log.empty());
}

// --- the mouse wheel ------------------------------------------------------------

// A turn reaches OnMouseWheel with its delta and position; one the handler
// does not use is left unaccepted, so Qt passes it on to the parent as it
// does for widgets that ignore the wheel.
TEST_F(ControlsTest, WheelTurnsReachOnMouseWheelAndUnusedOnesAreLeftUnaccepted) {
  ProbeControl c;
  place(c, 20, 10, 100, 50);
  show();
  struct Turn {
    TShiftState shift;
    int delta, x, y;
  };
  std::vector<Turn> turns;
  bool use = true;
  c.OnMouseWheel = [&](TObject*, TShiftState shift, int delta, int x, int y, bool& handled) {
    turns.push_back({shift, delta, x, y});
    handled = use;
  };
  const auto accepted = [&](int delta, Qt::KeyboardModifiers mods) {
    const QPointF at(30, 40);
    QWheelEvent wheel(at,
                      c.Widget()->mapToGlobal(at),
                      QPoint(),
                      QPoint(0, delta),
                      Qt::NoButton,
                      mods,
                      Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(c.Widget(), &wheel);
    return wheel.isAccepted();
  };
  EXPECT_TRUE(accepted(120, Qt::ControlModifier));
  ASSERT_EQ(turns.size(), 1u);
  EXPECT_EQ(turns[0].delta, 120);
  EXPECT_EQ(turns[0].shift, ssCtrl);
  EXPECT_EQ(turns[0].x, 30);
  EXPECT_EQ(turns[0].y, 40);
  use = false;
  EXPECT_FALSE(accepted(-60, Qt::NoModifier));
  EXPECT_EQ(turns.back().delta, -60);
  c.OnMouseWheel = nullptr;  // no handler: no turn is used
  EXPECT_FALSE(accepted(120, Qt::NoModifier));
  EXPECT_EQ(turns.size(), 2u);
}

}  // namespace
