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
// of its entries or by Escape. An entry whose text ends in "..." or "…" opens
// a dialog by the usual convention and is chosen only when the monkey answers
// that dialog itself: the first chart's three save entries (and the Feeder
// check and Tuner pages' report buttons), whose file name comes from the
// window's replaceable AskSaveFileName. Other popups (the
// impedance box's list) take the random events like any widget. The message
// box and the error box are hooked; any other modal dialog that still opens
// is closed by a watchdog and fails the run.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/FeederCheck.h"
#include "app/FeederCheckPage.h"
#include "app/FeederEngine.h"
#include "app/TunerPage.h"
#include "app/u_frmMain.h"
#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "platform/Locale.h"
#include "platform/QtText.h"
#include "support/RequiredTools.h"
#include "support/Utf16Text.h"

namespace {

constexpr long kCheckEvery = 1000;
constexpr long kTunerRoundEvery = 500;
constexpr long kShortRun = 3000;
// The suite's seed: its walk reaches every page and every extra the run
// expects within the short run (a new widget changes every walk).
constexpr long kSuiteSeed = 2;

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
      u"7.1",
      u"-3,5",
      u"1e300",
      u"+",
      u"12abc",
      u"0.000000000000000000000000000000000000000001",
      u"ж",
      u"频率",
      u"قياس",
      u"😀",
      u" ",
      u"\t",
      u"\n",
      u"$FF",
      u"%101",
      u"999999",
      u".",
      u","};
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
  static const Qt::Key navigation[] = {Qt::Key_Left,
                                       Qt::Key_Right,
                                       Qt::Key_Up,
                                       Qt::Key_Down,
                                       Qt::Key_Home,
                                       Qt::Key_End,
                                       Qt::Key_Tab,
                                       Qt::Key_Backtab,
                                       Qt::Key_PageUp,
                                       Qt::Key_PageDown};
  static const Qt::Key editing[] = {Qt::Key_Backspace,
                                    Qt::Key_Delete,
                                    Qt::Key_Return,
                                    Qt::Key_Enter,
                                    Qt::Key_Escape,
                                    Qt::Key_Space,
                                    Qt::Key_Insert,
                                    Qt::Key_F4};
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
      const QString text = key == Qt::Key_Space       ? QStringLiteral(" ")
                           : key == Qt::Key_Return    ? QStringLiteral("\r")
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

// The first chart's save entries: their file name comes from the window's
// AskSaveFileName, which the monkey answers.
bool IsSaveEntry(const QAction* action) {
  return action->objectName() == QStringLiteral("SavePicture1") ||
         action->objectName() == QStringLiteral("SaveLengths1") ||
         action->objectName() == QStringLiteral("SaveReport1");
}

bool IsNumber(const std::u16string& line);

constexpr size_t kMarksPerCalculation = std::tuple_size_v<decltype(TFeederState::fedlinm)>;
const QByteArray kPngSignature("\x89PNG\r\n\x1a\n");
const QByteArray kCsvHeader(
    "frequency_MHz,index,length_m,length_ft,dipole_ft,feeder_constant_ft_MHz");

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

// What identifies a chart item for the monkey: kind and coordinates.
struct TItemKey {
  TrcItem kind;
  std::array<double, 4> at;
};

TItemKey KeyOf(const TrcChartItem& item) {
  return {item.ItemKind, {item.x, item.y, item.x2, item.y2}};
}

// Bit for bit, so that a NaN equals itself.
bool SameItem(const TItemKey& key, const TrcChartItem& item) {
  const TItemKey other = KeyOf(item);
  return key.kind == other.kind && std::memcmp(key.at.data(), other.at.data(), sizeof key.at) == 0;
}

class Monkey {
 public:
  Monkey(TfrmMain& window, uint64_t seed, std::vector<std::u16string>& messages);
  ~Monkey();

  void Step();
  // Valid inputs on the first page (a new dipole each round, which the cache
  // cannot answer), the Tuner page shown, which starts its run, and left at
  // once for another page while nec2c runs.
  void LeaveTheTunerPageWhileItRuns(long round);
  // An open popup menu: one of its entries or Escape.
  void AnswerMenu(QMenu& menu);
  // The red bars the handlers issued, as followed event by event.
  long ExpectedBars() const { return FExpectedBars; }
  // What went wrong since the last call.
  std::vector<std::string> TakeFaults() { return std::exchange(FFaults, {}); }
  // What the run did, for the report at the end.
  std::map<std::string, long> Counts;

 private:
  // The monkey's answer to the last save dialog, with the window as it was
  // then, to check the save against.
  struct TSaveAnswer {
    enum TKind { kCancel, kWritable, kUnwritable } kind;
    QString path;
    QString suffix;  // "png", "csv" or "pdf"
    std::vector<std::u16string> list;
    int items;
    size_t messages;
  };

  QWindow* windowHandle() const { return FWindow.windowHandle(); }
  std::vector<QWidget*> targets() const;
  QPoint randomPointIn(const QWidget* widget);
  void randomEvent();
  void key();
  void clipboardKey();
  void mouse();
  void drag(QPoint from);
  void wheel(QWidget* widget, QPoint at);
  void clickTab(int index);
  std::u16string answerSave(const std::u16string& suggested);
  void checkSave();
  void checkSavedFile(const TSaveAnswer& answer);
  void checkCsv(const QByteArray& csv, const std::vector<std::u16string>& list);
  void followStore();
  int followCalculation(const TrcChartItem* items, int i, int n);
  std::vector<TAvoidZone> repeatedZones(const TrcChartItem* marks);
  void count(const std::string& what) { ++Counts[what]; }
  void fault(const std::string& what) { FFaults.push_back(what); }

  TfrmMain& FWindow;
  std::mt19937_64 FRandom;
  std::vector<std::u16string>& FMessages;
  std::vector<std::string> FFaults;
  std::vector<QMetaObject::Connection> FConnections;
  QTemporaryDir FSaveDir;
  std::optional<TSaveAnswer> FSave;
  // The first chart's store as the last event left it.
  std::vector<TItemKey> FSeenItems;
  bool FClearClicked = false;
  long FExpectedBars = 0;
};

Monkey::Monkey(TfrmMain& window, uint64_t seed, std::vector<std::u16string>& messages)
    : FWindow(window), FRandom(seed), FMessages(messages) {
  FWindow.AskSaveFileName =
      [this](const std::u16string&, const std::u16string&, const std::u16string& suggested) {
        return answerSave(suggested);
      };
  FConnections.push_back(QObject::connect(FWindow.cbLengthsToAvoid, &QCheckBox::toggled, [this] {
    count("toggle: Show lengths to avoid");
  }));
  // The Feeder check and Tuner pages' report buttons save as the menu's
  // entry does; their check follows the window's own handler.
  for (QPushButton* button : {FWindow.TabSheet3->btnReport, FWindow.TabSheet4->btnReport}) {
    FConnections.push_back(
        QObject::connect(button, &QPushButton::clicked, [this] { checkSave(); }));
  }
  // The buttons that clear the chart and the list (and may fill them again).
  for (QPushButton* button : {FWindow.btnClearGraph, FWindow.btnDipolPluss, FWindow.btnDipolDec}) {
    FConnections.push_back(
        QObject::connect(button, &QPushButton::clicked, [this] { FClearClicked = true; }));
  }
}

Monkey::~Monkey() {
  for (const QMetaObject::Connection& connection : FConnections) QObject::disconnect(connection);
  FWindow.AskSaveFileName = [](const std::u16string&,
                               const std::u16string&,
                               const std::u16string&) { return std::u16string(); };
}

void Monkey::Step() {
  if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
    AnswerMenu(*menu);
  } else {
    randomEvent();
  }
  followStore();
}

void Monkey::LeaveTheTunerPageWhileItRuns(long round) {
  FWindow.nioFreq->SetNioValue(7.1);
  FWindow.niodiplenft->SetNioValue(85.3 + 0.01 * double(round));
  FWindow.UpdateFeederCheck();  // as the fields' change handlers do
  clickTab(FWindow.PageControl1->indexOf(FWindow.TabSheet4));
  const bool runs = FWindow.TabSheet4->Compute().State() == TTunerState::Running;
  clickTab(int(round % 3));  // the Tuner page is the last
  if (runs && FWindow.PageControl1->currentWidget() != FWindow.TabSheet4)
    count("page left while the Tuner page runs");
  followStore();
}

void Monkey::clickTab(int index) {
  const QTabBar* bar = FWindow.PageControl1->findChild<QTabBar*>();
  QTest::mouseClick(
      windowHandle(), Qt::LeftButton, {}, bar->mapTo(&FWindow, bar->tabRect(index).center()));
}

void Monkey::randomEvent() {
  const int page = FWindow.PageControl1->currentIndex();
  count("page " + std::to_string(page));
  const bool tunerRuns = FWindow.PageControl1->currentWidget() == FWindow.TabSheet4 &&
                         FWindow.TabSheet4->Compute().State() == TTunerState::Running;
  const unsigned kind = FRandom() % 20;
  if (kind < 9) {
    key();
  } else if (kind < 10) {
    clipboardKey();
  } else {
    mouse();
  }
  // The page's runs of nec2c must stand being left while they work.
  if (tunerRuns && FWindow.PageControl1->currentIndex() != page)
    count("page left while the Tuner page runs");
}

std::vector<QWidget*> Monkey::targets() const {
  std::vector<QWidget*> widgets{&FWindow};
  for (QWidget* w : FWindow.findChildren<QWidget*>()) {
    if (w->isVisible() && !w->rect().isEmpty()) widgets.push_back(w);
  }
  return widgets;
}

QPoint Monkey::randomPointIn(const QWidget* widget) {
  const QPoint local(int(FRandom() % unsigned(widget->width())),
                     int(FRandom() % unsigned(widget->height())));
  return widget->mapTo(&FWindow, local);
}

void Monkey::key() {
  const TKey k = RandomKey(FRandom);
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;
  if (FRandom() % 8 == 0) modifiers |= Qt::ShiftModifier;
  count("key");
  QTest::sendKeyEvent(QTest::Click, windowHandle(), k.key, k.text, modifiers);
}

// The clipboard keys, and the first chart's Ctrl+Z and Ctrl+Y through its
// zoom history.
void Monkey::clipboardKey() {
  static const Qt::Key keys[] = {Qt::Key_C, Qt::Key_V, Qt::Key_X, Qt::Key_A, Qt::Key_Z, Qt::Key_Y};
  if (FRandom() % 2 == 0) ClipboardPutText(RandomClipboardText(FRandom));
  const Qt::Key key = keys[FRandom() % std::size(keys)];
  count(std::string("ctrl+") + char(key));
  QTest::sendKeyEvent(QTest::Click, windowHandle(), key, QString(), Qt::ControlModifier);
}

// A quarter of the mouse events go to a chart the page shows, so that the
// charts' own menus, drags and wheel get their share among the many widgets.
void Monkey::mouse() {
  const std::vector<QWidget*> widgets = targets();
  std::vector<QWidget*> charts;
  for (QWidget* w : widgets) {
    if (dynamic_cast<TRChart*>(ControlOfWidget(w))) charts.push_back(w);
  }
  const bool toChart = !charts.empty() && FRandom() % 4 == 0;
  QWidget* widget =
      toChart ? charts[FRandom() % charts.size()] : widgets[FRandom() % widgets.size()];
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
  count(widget == FWindow.rc->Widget() ? "wheel over the first chart" : "wheel");
  const int notches = (FRandom() % 2 ? 1 : -1) * int(FRandom() % 3 + 1);
  const Qt::KeyboardModifiers modifiers = FRandom() % 4 == 0 ? Qt::ControlModifier : Qt::NoModifier;
  QWheelEvent event(at,
                    widget->mapToGlobal(at),
                    QPoint(),
                    QPoint(0, 120 * notches),
                    Qt::NoButton,
                    modifiers,
                    Qt::NoScrollPhase,
                    false);
  QApplication::sendEvent(widget, &event);
}

void Monkey::AnswerMenu(QMenu& menu) {
  std::vector<QAction*> choices;
  for (QAction* action : menu.actions()) {
    if (action->isVisible() && action->isEnabled() && !action->isSeparator() &&
        (!OpensADialog(action) || IsSaveEntry(action))) {
      choices.push_back(action);
    }
  }
  if (choices.empty() || FRandom() % 4 == 0) {
    count("menu escape");
    QTest::keyClick(&menu, Qt::Key_Escape);
    return;
  }
  QAction* action = choices[FRandom() % choices.size()];
  count("menu: " + action->text().toStdString());
  QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(action).center());
  if (IsSaveEntry(action)) checkSave();
}

// ---- the save dialog's answers -------------------------------------------------

// A cancel, a file in the monkey's folder (now and then with a non-Latin
// name), or a file in a folder that does not exist.
std::u16string Monkey::answerSave(const std::u16string& suggested) {
  TSaveAnswer answer{TSaveAnswer::kCancel,
                     {},
                     QFileInfo(ToQString(suggested)).suffix(),
                     FWindow.Memo1Lines(),
                     FWindow.rc->Store().NumItems(),
                     FMessages.size()};
  const std::string what = "save " + answer.suffix.toUpper().toStdString() + ": ";
  switch (FRandom() % 3) {
    case 0:
      count(what + "cancel");
      break;
    case 1:
      count(what + "written");
      answer.kind = TSaveAnswer::kWritable;
      answer.path = FSaveDir.filePath((FRandom() % 2 ? QString() : QStringLiteral("линия ")) +
                                      ToQString(suggested));
      break;
    default:
      count(what + "cannot be written");
      answer.kind = TSaveAnswer::kUnwritable;
      answer.path = FSaveDir.filePath(QStringLiteral("missing/") + ToQString(suggested));
  }
  FSave = answer;
  return FromQString(answer.path);
}

// A save changes nothing in the window; a file that cannot be written gets
// one message naming it, and a written file holds what the window shows.
void Monkey::checkSave() {
  if (!FSave) return fault("a save entry asked for no file name");
  const TSaveAnswer answer = *std::exchange(FSave, std::nullopt);
  if (answer.kind == TSaveAnswer::kUnwritable) {
    const bool named = FMessages.size() == answer.messages + 1 &&
                       ToQString(FMessages.back()).contains(answer.path);
    if (named) {
      FMessages.pop_back();
    } else {
      fault("no message names the file that cannot be written: " + answer.path.toStdString());
    }
  }
  if (FWindow.Memo1Lines() != answer.list || FWindow.rc->Store().NumItems() != answer.items) {
    fault("a save changed the list or the chart");
  }
  if (answer.kind == TSaveAnswer::kWritable) {
    checkSavedFile(answer);
    QFile::remove(answer.path);
  }
  if (!QDir(FSaveDir.path()).isEmpty()) fault("a save left a file it was not asked for");
}

void Monkey::checkSavedFile(const TSaveAnswer& answer) {
  QFile file(answer.path);
  if (!file.open(QIODevice::ReadOnly))
    return fault("no file was written at " + answer.path.toStdString());
  const QByteArray bytes = file.readAll();
  if (answer.suffix == QStringLiteral("csv")) return checkCsv(bytes, answer.list);
  if (answer.suffix == QStringLiteral("pdf")) {
    if (!bytes.startsWith("%PDF-") || !bytes.trimmed().endsWith("%%EOF"))
      fault("the saved report is no PDF");
    return;
  }
  const QImage picture = QImage::fromData(bytes, "PNG");
  if (!bytes.startsWith(kPngSignature) ||
      picture.size() != QSize(FWindow.rc->Width(), FWindow.rc->Height())) {
    fault("the saved picture is no PNG of the chart's size");
  }
}

// A header row, then eight rows a calculation, whose lengths in metres are
// the list's numbers in their order.
void Monkey::checkCsv(const QByteArray& csv, const std::vector<std::u16string>& list) {
  QList<QByteArray> rows = csv.split('\n');
  if (rows.isEmpty() || rows.takeFirst() != kCsvHeader || !rows.endsWith(QByteArray())) {
    return fault("the saved CSV has no header row or no final line break");
  }
  rows.removeLast();
  std::vector<QByteArray> numbers;
  for (const std::u16string& line : list) {
    if (IsNumber(line)) numbers.push_back(ToQString(line).toUtf8());
  }
  if (size_t(rows.size()) != numbers.size()) {
    return fault("the saved CSV has " + std::to_string(rows.size()) + " rows for " +
                 std::to_string(numbers.size()) + " numbers in the list");
  }
  for (size_t i = 0; i < numbers.size(); ++i) {
    const QList<QByteArray> fields = rows[qsizetype(i)].split(',');
    if (fields.size() != 6 ||
        fields[1] != QByteArray::number(qlonglong(i % kMarksPerCalculation + 1)) ||
        fields[2] != numbers[i]) {
      return fault("CSV row " + std::to_string(i + 1) + " is not list number " +
                   numbers[i].toStdString() + ": " + rows[qsizetype(i)].toStdString());
    }
  }
}

// ---- the first chart's store, followed event by event ---------------------------

// What the handlers added since the last event: eight marks a calculation,
// then one red bar a zone to avoid while "Show lengths to avoid" is checked.
// After a clearing button, or when the items seen before changed, everything
// in the store is new.
void Monkey::followStore() {
  const TrcItemStore& store = FWindow.rc->Store();
  const size_t n = size_t(store.NumItems());
  const TrcChartItem* items = store.Items();
  const bool kept = !FClearClicked && n >= FSeenItems.size() &&
                    std::equal(FSeenItems.begin(), FSeenItems.end(), items, SameItem);
  FClearClicked = false;
  if (!kept) {
    FSeenItems.clear();
    FExpectedBars = 0;
  }
  const int seen = int(FSeenItems.size());
  for (int i = seen; i < int(n);) i = followCalculation(items, i, int(n));
  for (size_t i = size_t(seen); i < n; ++i) FSeenItems.push_back(KeyOf(items[i]));
}

int Monkey::followCalculation(const TrcChartItem* items, int i, int n) {
  const int first = i;
  while (i < n && size_t(i - first) < kMarksPerCalculation && items[i].ItemKind == tkMarkAt) ++i;
  if (size_t(i - first) != kMarksPerCalculation) {
    fault("item " + std::to_string(first) + " (kind " + std::to_string(int(items[first].ItemKind)) +
          " of " + std::to_string(n) + ") does not begin the eight marks of a calculation");
    return n;
  }
  std::vector<TAvoidZone> zones;
  if (FWindow.cbLengthsToAvoid->isChecked()) zones = repeatedZones(items + first);
  size_t bars = 0;
  int wrongBar = -1;
  for (; i < n && items[i].ItemKind == tkLine; ++i, ++bars) {
    const TrcChartItem& bar = items[i];
    const bool matches = bars < zones.size() && bar.x == zones[bars].from &&
                         bar.x2 == zones[bars].to && bar.y == items[first].y && bar.y2 == bar.y &&
                         bar.Layer != items[first].Layer && bar.Color == clRed;
    if (!matches && wrongBar < 0) wrongBar = i;
  }
  if (wrongBar >= 0)
    fault("item " + std::to_string(wrongBar) + " is no red bar the calculation asks for");
  if (bars != zones.size()) {
    fault(std::to_string(bars) + " red bars for the " + std::to_string(zones.size()) +
          " zones of the calculation at item " + std::to_string(first));
  }
  FExpectedBars += long(zones.size());
  Counts["red bars issued"] += long(zones.size());
  return i;
}

// The zones of the calculation these marks show: the same calculation again,
// at the marks' frequency with the window's dipole and feeder constant.
std::vector<TAvoidZone> Monkey::repeatedZones(const TrcChartItem* marks) {
  TFeederState state = FWindow.State();
  const double frequency = marks[0].y;
  try {
    if (!CalcSingle(state, frequency, FWindow.niodiplenft->GetNioValue()).done) {
      fault("marks at " + std::to_string(frequency) +
            " MHz of a calculation that says the dipole is too short");
      return {};
    }
  } catch (const std::exception& error) {
    fault(std::string("the marks' calculation raises ") + error.what());
    return {};
  }
  for (size_t k = 0; k < kMarksPerCalculation; ++k) {
    if (marks[k].x != state.fedlinm[k] || marks[k].y != frequency) {
      fault("marks that are not the calculation's maxima at " + std::to_string(frequency) + " MHz");
    }
  }
  return LengthsToAvoid(state);
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
  return end == ascii.c_str() + ascii.size() &&
         ascii.find_first_not_of("0123456789.-") == std::string::npos;
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

// The first chart's lines are the red bars of the lengths to avoid, as many
// as the handlers issued since the last clearing.
void CheckRedBars(TfrmMain& window, long issued, std::vector<std::string>& faults) {
  const int bars = window.rc->Store().ItemCount(tkLine);
  if (bars != issued) {
    faults.push_back(std::to_string(bars) + " red bars for " + std::to_string(issued) + " issued");
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

  std::vector<std::string> Faults(TfrmMain& window, Monkey& monkey,
                                  const NestedLoopWatchdog& watchdog) {
    std::vector<std::string> faults = monkey.TakeFaults();
    for (const std::string& error : errors) {
      if (!kAllowedErrors.count(error)) faults.push_back("uncaught error: " + error);
    }
    for (const std::u16string& message : messages) {
      if (!AllowedMessage(message)) faults.push_back("message: " + Utf8(message));
    }
    for (const std::string& dialog : watchdog.Opened)
      faults.push_back("a dialog opened: " + dialog);
    errors.clear();
    messages.clear();
    CheckFields(window, faults);
    CheckListAndMarks(window, faults);
    CheckRedBars(window, monkey.ExpectedBars(), faults);
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
  const auto seed = uint64_t(EnvironmentNumber("ORVAK_MONKEY_SEED", kSuiteSeed));
  const long events = EnvironmentNumber("ORVAK_MONKEY_EVENTS", kShortRun);
  TfrmMain window;
  ShowAndActivate(window);
  Monkey monkey(window, seed, messages);
  NestedLoopWatchdog watchdog([&monkey](QMenu& menu) { monkey.AnswerMenu(menu); });
  long checks = 0;
  long reopened = 0;
  const auto started = std::chrono::steady_clock::now();
  for (long n = 1; n <= events; ++n) {
    monkey.Step();
    if (n % kTunerRoundEvery == 0 && !QApplication::activePopupWidget())
      monkey.LeaveTheTunerPageWhileItRuns(n / kTunerRoundEvery);
    if (!window.isVisible()) {  // "Exit": the user starts again
      ++reopened;
      ShowAndActivate(window);
    }
    if (n % kCheckEvery != 0 && n != events) continue;
    ++checks;
    const std::vector<std::string> faults = Faults(window, monkey, watchdog);
    std::ostringstream report;
    for (const std::string& fault : faults) report << "\n  " << fault;
    ASSERT_TRUE(faults.empty()) << "seed " << seed << ", after event " << n << ":" << report.str();
  }
  while (QApplication::activePopupWidget()) QApplication::activePopupWidget()->close();
  std::ostringstream figures;
  figures << "seed " << seed << ": " << events << " events, " << checks << " checks, " << reopened
          << " reopened after Exit, "
          << std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() -
                                                              started)
                 .count()
          << " s";
  for (const auto& [what, n] : monkey.Counts) figures << "\n  " << what << ": " << n;
  std::cout << figures.str() << std::endl;
  // Every page took its share, and the first chart's extras theirs.
  for (int page = 0; page < window.PageControl1->count() && events >= kShortRun; ++page) {
    EXPECT_GT(monkey.Counts["page " + std::to_string(page)], 0) << "page " << page;
  }
  std::vector<std::string> exercised = {
      "ctrl+Z", "ctrl+Y", "wheel over the first chart", "toggle: Show lengths to avoid"};
  if (events >= 10 * kShortRun) {
    exercised.insert(exercised.end(),
                     {"red bars issued",
                      "save PNG: cancel",
                      "save PNG: written",
                      "save PNG: cannot be written",
                      "save CSV: cancel",
                      "save CSV: written",
                      "save CSV: cannot be written",
                      "save PDF: cancel",
                      "save PDF: written",
                      "save PDF: cannot be written"});
  }
  // The Tuner page runs nec2c (a missing one fails at once).
  if (ProgramOnPath("nec2c") || ToolsRequired())
    exercised.push_back("page left while the Tuner page runs");
  for (size_t i = 0; i < exercised.size() && events >= kShortRun; ++i) {
    EXPECT_GT(monkey.Counts[exercised[i]], 0) << exercised[i];
  }
}

}  // namespace
