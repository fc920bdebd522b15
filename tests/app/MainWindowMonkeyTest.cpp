// The monkey: the real main window takes a long run of random keys, clipboard
// texts, mouse moves, clicks, drags and wheel turns over every widget it
// shows, on every page, and after every 1000th event the window must still be
// sound. Seeded, so a failure replays exactly:
//
//   ORVAK_MONKEY_SEED=7 ORVAK_MONKEY_EVENTS=100000 test_app --gtest_filter='MainWindowMonkey.*'
//
// (tools/monkey.sh wraps it). Without the variables the suite's short run.
//
// Popups and dialogs: an open popup menu is always answered at once, by one
// of its entries that opens no dialog (an entry whose text ends in "..." or
// "…" does, by the usual convention, and is never chosen) or by Escape; other
// popups (the impedance box's list) take the random events like any widget.
// The message box and the error box are hooked; any other modal dialog that
// still opens is closed by a watchdog and fails the run.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTabWidget>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWheelEvent>
#include <cstdlib>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/FeederEngine.h"
#include "app/u_frmMain.h"
#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "platform/Locale.h"
#include "support/Utf16Text.h"

namespace {

constexpr long kCheckEvery = 1000;
constexpr long kShortRun = 3000;

// The uncaught errors and messages the window may show: the calculator's
// "too short" message, and the platform's floating-point errors for a zero
// or infinite frequency and for a quotient beyond the largest double.
const std::set<std::string> kAllowedErrors = {"Floating point division by zero",
                                              "Floating point overflow"};
bool AllowedMessage(const std::u16string& text) {
  return text.starts_with(u"Dipole length is too short for this frequency");
}

long EnvironmentNumber(const char* name, long fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtol(text, nullptr, 10) : fallback;
}

// Random texts for the clipboard: numbers, words, very long runs and
// non-Latin scripts.
std::u16string RandomClipboardText(std::mt19937_64& random) {
  static const std::vector<std::u16string> pieces = {
      u"7.1",   u"-3,5", u"1e300", u"+",      u"12abc", u"0.000000000000000000000000000000000000000001",
      u"ж",     u"频率", u"قياس",  u"😀",     u" ",     u"\t",
      u"\n",    u"$FF",  u"%101",  u"999999", u".",     u","};
  std::u16string text;
  const int parts = int(random() % 4) + 1;
  for (int i = 0; i < parts; ++i) text += pieces[random() % pieces.size()];
  if (random() % 10 == 0) {  // very long
    const std::u16string unit = pieces[random() % pieces.size()];
    while (text.size() < 20000) text += unit;
  }
  return text;
}

// The keys of the run: key code and the text it types.
struct TKey {
  Qt::Key key;
  QString text;
};

TKey RandomKey(std::mt19937_64& random) {
  static const Qt::Key navigation[] = {Qt::Key_Left,  Qt::Key_Right,    Qt::Key_Up,
                                       Qt::Key_Down,  Qt::Key_Home,     Qt::Key_End,
                                       Qt::Key_Tab,   Qt::Key_Backtab,  Qt::Key_PageUp,
                                       Qt::Key_PageDown};
  static const Qt::Key editing[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return,
                                    Qt::Key_Enter,     Qt::Key_Escape, Qt::Key_Space,
                                    Qt::Key_Insert,    Qt::Key_F4};
  static const char16_t separators[] = u".,-+";
  static const char16_t nonLatin[] = u"жщЖ频率قé€ß";
  switch (random() % 6) {
    case 0: {  // digits, the most useful keys for the fields
      const char c = char('0' + random() % 10);
      return {Qt::Key(Qt::Key_0 + (c - '0')), QString(QChar(c))};
    }
    case 1: {
      const QChar c = QChar(separators[random() % 4]);
      return {Qt::Key(c.unicode()), QString(c)};
    }
    case 2: {  // printable ASCII
      const QChar c = QChar(char16_t(0x21 + random() % 94));
      return {Qt::Key(c.toUpper().unicode()), QString(c)};
    }
    case 3: {
      const QChar c = QChar(nonLatin[random() % (std::size(nonLatin) - 1)]);
      return {Qt::Key_unknown, QString(c)};
    }
    case 4:
      return {navigation[random() % std::size(navigation)], {}};
    default: {
      const Qt::Key key = editing[random() % std::size(editing)];
      const QString text = key == Qt::Key_Space     ? QStringLiteral(" ")
                           : key == Qt::Key_Return  ? QStringLiteral("\r")
                           : key == Qt::Key_Backspace ? QStringLiteral("\b")
                                                      : QString();
      return {key, text};
    }
  }
}

bool OpensADialog(const QAction* action) {
  const QString text = action->text();
  return text.endsWith(QStringLiteral("...")) || text.endsWith(QChar(0x2026));
}

// Runs inside the nested event loops a handler may start: a menu opened with
// exec() (a scroll bar's) gets the monkey's answer, any modal dialog is closed
// and remembered. Menus opened by popup() are answered by the monkey's next
// step instead, so that the run stays reproducible: only a nested loop ever
// lets the timer act.
class NestedLoopWatchdog {
 public:
  explicit NestedLoopWatchdog(std::function<void(QMenu&)> answerMenu) {
    FTimer.setInterval(20);
    QObject::connect(&FTimer, &QTimer::timeout, [this, answerMenu] {
      if (QThread::currentThread()->loopLevel() == 0) return;
      if (QWidget* modal = QApplication::activeModalWidget()) {
        Opened.push_back(modal->metaObject()->className());
        modal->close();
      } else if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        answerMenu(*menu);
      }
    });
    FTimer.start();
  }
  std::vector<std::string> Opened;

 private:
  QTimer FTimer;
};

class Monkey {
 public:
  Monkey(TfrmMain& window, uint64_t seed) : FWindow(window), FRandom(seed) {}

  void Step();
  // An open popup menu: one of its entries that opens no dialog, or Escape.
  void AnswerMenu(QMenu& menu);
  // What the run did, for the report at the end.
  std::map<std::string, long> Counts;

 private:
  QWindow* windowHandle() const { return FWindow.windowHandle(); }
  std::vector<QWidget*> targets() const;
  QPoint randomPointIn(const QWidget* widget);
  void key();
  void clipboardKey();
  void mouse();
  void drag(QPoint from);
  void wheel(QWidget* widget, QPoint at);
  void count(const std::string& what) { ++Counts[what]; }

  TfrmMain& FWindow;
  std::mt19937_64 FRandom;
};

void Monkey::Step() {
  if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) return AnswerMenu(*menu);
  count("page " + std::to_string(FWindow.PageControl1->currentIndex()));
  const unsigned kind = FRandom() % 20;
  if (kind < 9) return key();
  if (kind < 10) return clipboardKey();
  mouse();
}

std::vector<QWidget*> Monkey::targets() const {
  std::vector<QWidget*> widgets{&FWindow};
  for (QWidget* w : FWindow.findChildren<QWidget*>()) {
    if (w->isVisible() && !w->rect().isEmpty()) widgets.push_back(w);
  }
  return widgets;
}

QPoint Monkey::randomPointIn(const QWidget* widget) {
  const QPoint local(int(FRandom() % unsigned(widget->width())), int(FRandom() % unsigned(widget->height())));
  return widget->mapTo(&FWindow, local);
}

void Monkey::key() {
  const TKey k = RandomKey(FRandom);
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;
  if (FRandom() % 8 == 0) modifiers |= Qt::ShiftModifier;
  count("key");
  QTest::sendKeyEvent(QTest::Click, windowHandle(), k.key, k.text, modifiers);
}

void Monkey::clipboardKey() {
  static const Qt::Key keys[] = {Qt::Key_C, Qt::Key_V, Qt::Key_X, Qt::Key_A, Qt::Key_Z};
  if (FRandom() % 2 == 0) ClipboardPutText(RandomClipboardText(FRandom));
  const Qt::Key key = keys[FRandom() % std::size(keys)];
  count("ctrl key");
  QTest::sendKeyEvent(QTest::Click, windowHandle(), key, QString(), Qt::ControlModifier);
}

void Monkey::mouse() {
  const std::vector<QWidget*> widgets = targets();
  QWidget* widget = widgets[FRandom() % widgets.size()];
  const QPoint at = randomPointIn(widget);
  switch (FRandom() % 7) {
    case 0:
    case 1:
      count("mouse move");
      return QTest::mouseMove(windowHandle(), at);
    case 2:
      count("left click");
      return QTest::mouseClick(windowHandle(), Qt::LeftButton, {}, at);
    case 3:
      count("right click");
      return QTest::mouseClick(windowHandle(), Qt::RightButton, {}, at);
    case 4:
      count("double click");
      return QTest::mouseDClick(windowHandle(), Qt::LeftButton, {}, at);
    case 5:
      return drag(at);
    default:
      return wheel(widget, widget->mapFrom(&FWindow, at));
  }
}

void Monkey::drag(QPoint from) {
  count("drag");
  QTest::mousePress(windowHandle(), Qt::LeftButton, {}, from);
  const int steps = int(FRandom() % 8) + 1;
  QPoint at = from;
  for (int i = 0; i < steps; ++i) {
    at += QPoint(int(FRandom() % 81) - 40, int(FRandom() % 61) - 30);
    at.setX(std::clamp(at.x(), 0, FWindow.width() - 1));
    at.setY(std::clamp(at.y(), 0, FWindow.height() - 1));
    QTest::mouseMove(windowHandle(), at);
  }
  QTest::mouseRelease(windowHandle(), Qt::LeftButton, {}, at);
}

// Qt's test functions have no wheel: the event goes to the widget under the
// pointer and, ignored, on to its parents, as the platform delivers it.
void Monkey::wheel(QWidget* widget, QPoint at) {
  count("wheel");
  const int notches = (FRandom() % 2 ? 1 : -1) * int(FRandom() % 3 + 1);
  const Qt::KeyboardModifiers modifiers = FRandom() % 4 == 0 ? Qt::ControlModifier : Qt::NoModifier;
  QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                    modifiers, Qt::NoScrollPhase, false);
  QApplication::sendEvent(widget, &event);
}

void Monkey::AnswerMenu(QMenu& menu) {
  std::vector<QAction*> safe;
  for (QAction* action : menu.actions()) {
    if (action->isVisible() && action->isEnabled() && !action->isSeparator() && !OpensADialog(action)) {
      safe.push_back(action);
    }
  }
  if (safe.empty() || FRandom() % 4 == 0) {
    count("menu escape");
    QTest::keyClick(&menu, Qt::Key_Escape);
    return;
  }
  QAction* action = safe[FRandom() % safe.size()];
  count("menu: " + action->text().toStdString());
  QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(action).center());
}

// ---- the invariants -----------------------------------------------------------

template <class T>
std::vector<T*> ControlsOf(QWidget& window) {
  std::vector<T*> controls;
  for (QWidget* w : window.findChildren<QWidget*>()) {
    if (auto* control = dynamic_cast<T*>(ControlOfWidget(w))) controls.push_back(control);
  }
  return controls;
}

std::string Name(const TComponent& control) { return Utf8(control.Name()); }

// Every text a field holds is one its format reads back, with the caret and
// the selection where the field uses them (a program write may leave them
// beyond the end of a shorter text, which counts as the end).
void CheckFields(QWidget& window, std::vector<std::string>& faults) {
  for (TNumIO2* field : ControlsOf<TNumIO2>(window)) {
    const std::u16string& text = field->Text();
    if (!text.empty() && text != u"-" && text != u"+" && !field->CheckValidity(text)) {
      faults.push_back(Name(*field) + " holds an invalid text: " + Utf8(text.substr(0, 60)));
    }
    if (field->CaretPos() < 0 || field->SelBegin() < 0 || field->SelBegin() > field->SelEnd()) {
      faults.push_back(Name(*field) + ": caret or selection outside the text");
    }
  }
}

bool IsNumber(const std::u16string& line) {
  if (line.empty()) return false;
  std::u16string text = line;
  for (char16_t& c : text) {
    if (c == LocaleDecimalSeparator()) c = u'.';
  }
  const std::string ascii = Utf8(text);
  char* end = nullptr;
  std::strtod(ascii.c_str(), &end);
  return end == ascii.c_str() + ascii.size() && ascii.find_first_not_of("0123456789.-") == std::string::npos;
}

bool IsHeader(const std::u16string& line) {
  for (const TBandPreset& band : BandPresets) {
    if (line == band.header) return true;
  }
  return false;
}

// The list holds headers and numbers only, and the first chart one mark for
// every number the calculations put into the list (both are cleared together).
void CheckListAndMarks(TfrmMain& window, std::vector<std::string>& faults) {
  int numbers = 0;
  for (const std::u16string& line : window.Memo1Lines()) {
    if (IsNumber(line)) {
      ++numbers;
    } else if (!IsHeader(line)) {
      faults.push_back("the list holds \"" + Utf8(line.substr(0, 60)) + "\"");
    }
  }
  const int marks = window.rc->Store().ItemCount(tkMarkAt);
  if (marks != numbers) {
    faults.push_back(std::to_string(marks) + " marks for " + std::to_string(numbers) + " results");
  }
}

void CheckChartsRender(QWidget& window, std::vector<std::string>& faults) {
  for (TRChart* chart : ControlsOf<TRChart>(window)) {
    try {
      chart->Paint();
    } catch (const std::exception& error) {
      faults.push_back(Name(*chart) + " does not render: " + error.what());
      continue;
    }
    const TBitmap& picture = chart->Surface();
    if (picture.Width() != chart->Width() || picture.Height() != chart->Height()) {
      faults.push_back(Name(*chart) + " rendered a picture of the wrong size");
    }
  }
}

// Qt's offscreen platform says so for every popup; nothing to see there.
QtMessageHandler previousMessageHandler = nullptr;
void QuietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith(QStringLiteral("This plugin does not support"))) return;
  if (previousMessageHandler) previousMessageHandler(type, context, text);
}

struct MainWindowMonkey : ::testing::Test {
  std::vector<std::u16string> messages;
  std::vector<std::string> errors;

  void SetUp() override {
    SetLocaleDecimalSeparator(u'.');
    SetMessageBoxHook([this](const std::u16string& text) { messages.push_back(text); });
    SetErrorBoxHook([this](const std::string& text) { errors.push_back(text); });
    SetBeepHook([] {});
    QApplication::setQuitOnLastWindowClosed(false);
    previousMessageHandler = qInstallMessageHandler(QuietOffscreenNotes);
  }
  void TearDown() override {
    SetMessageBoxHook(nullptr);
    SetErrorBoxHook(nullptr);
    SetBeepHook(nullptr);
    SetLocaleDecimalSeparator(0);
    qInstallMessageHandler(previousMessageHandler);
  }

  std::vector<std::string> Faults(TfrmMain& window, const NestedLoopWatchdog& watchdog) {
    std::vector<std::string> faults;
    for (const std::string& error : errors) {
      if (!kAllowedErrors.count(error)) faults.push_back("uncaught error: " + error);
    }
    for (const std::u16string& message : messages) {
      if (!AllowedMessage(message)) faults.push_back("message: " + Utf8(message));
    }
    for (const std::string& dialog : watchdog.Opened) faults.push_back("a dialog opened: " + dialog);
    errors.clear();
    messages.clear();
    CheckFields(window, faults);
    CheckListAndMarks(window, faults);
    CheckChartsRender(window, faults);
    return faults;
  }
};

void ShowAndActivate(TfrmMain& window) {
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

TEST_F(MainWindowMonkey, RandomInputLeavesTheWindowSound) {
  const auto seed = uint64_t(EnvironmentNumber("ORVAK_MONKEY_SEED", 1));
  const long events = EnvironmentNumber("ORVAK_MONKEY_EVENTS", kShortRun);
  TfrmMain window;
  ShowAndActivate(window);
  Monkey monkey(window, seed);
  NestedLoopWatchdog watchdog([&monkey](QMenu& menu) { monkey.AnswerMenu(menu); });
  long checks = 0;
  long reopened = 0;
  for (long n = 1; n <= events; ++n) {
    monkey.Step();
    if (!window.isVisible()) {  // "Exit": the user starts again
      ++reopened;
      ShowAndActivate(window);
    }
    if (n % kCheckEvery != 0 && n != events) continue;
    ++checks;
    const std::vector<std::string> faults = Faults(window, watchdog);
    std::ostringstream report;
    for (const std::string& fault : faults) report << "\n  " << fault;
    ASSERT_TRUE(faults.empty()) << "seed " << seed << ", after event " << n << ":" << report.str();
  }
  while (QApplication::activePopupWidget()) QApplication::activePopupWidget()->close();
  std::ostringstream figures;
  figures << "seed " << seed << ": " << events << " events, " << checks << " checks, "
          << reopened << " reopened after Exit";
  for (const auto& [what, n] : monkey.Counts) figures << "\n  " << what << ": " << n;
  std::cout << figures.str() << std::endl;
  // Every page took its share.
  for (int page = 0; page < window.PageControl1->count() && events >= kShortRun; ++page) {
    EXPECT_GT(monkey.Counts["page " + std::to_string(page)], 0) << "page " << page;
  }
}

}  // namespace
