#include "app/u_frmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <utility>

#include "app/ExportFiles.h"
#include "app/FeederCharts.h"
#include "app/FeederCheck.h"
#include "app/FeederCheckPage.h"
#include "app/ProgramIcon.h"
#include "app/ProgramTitle.h"
#include "app/ReportPdf.h"
#include "app/TunerPage.h"
#include "app/WindowControls.h"
#include "app/WindowReport.h"
#include "platform/Application.h"
#include "platform/Bitmap.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/QtPicture.h"
#include "platform/QtText.h"
#include "platform/ScopeGuard.h"
#include "platform/WholeFile.h"

namespace {

// The feeder choice: the mouse wheel changes it only while it has the focus,
// so scrolling over the window never changes a result unnoticed.
class FeederChoiceBox : public QComboBox {
 public:
  explicit FeederChoiceBox(QWidget* parent) : QComboBox(parent) {
    setFocusPolicy(Qt::StrongFocus);  // the wheel alone gives no focus
    setEditable(true);
    // Typed text that matches no item is no choice and adds no item.
    setInsertPolicy(QComboBox::NoInsert);
  }

 protected:
  void wheelEvent(QWheelEvent* event) override {
    if (!hasFocus()) return event->ignore();
    QComboBox::wheelEvent(event);
  }
};

// Flat-button tabs: the selected tab is shown pressed (sunken edges, its
// caption a pixel down and right), the others flat on the face colour.
QString flatButtonTabs() {
  return QStringLiteral(
             "QTabBar { background: %1; }"
             "QTabBar::tab { background: %1; border: 2px solid %1;"
             " padding: 1px 8px 2px 8px; margin: 2px 1px; }"
             "QTabBar::tab:selected { border-color: #404040 #FFFFFF #FFFFFF #404040;"
             " padding: 2px 7px 1px 9px; }")
      .arg(ToQColor(clBtnFace).name());
}

// A chart of the window, loading its layout's values until the caller
// calls Loaded.
std::unique_ptr<TRChart> makeChart(QWidget* parent, const char* name, int left, int top, int width,
                                   int height) {
  auto chart = std::make_unique<TRChart>();
  chart->BeginLoading();
  chart->SetName(FromQString(QString::fromUtf8(name)));
  chart->SetParentWidget(parent);
  chart->SetBounds(left, top, width, height);
  return chart;
}

}  // namespace

TfrmMain::TfrmMain() {
  setWindowTitle(ToQString(ProgramTitle));
  setWindowIcon(ProgramIcon());
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFixedSize(938, 510);
  setFont(windowFont());
  QPalette pal = palette();
  pal.setColor(QPalette::Window, ToQColor(clBtnFace));
  setPalette(pal);
  setAutoFillBackground(true);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  createStandardControls();
  applyTabOrder();
  FormCreate();
  UpdateFeederCheck();
}

TfrmMain::~TfrmMain() = default;

namespace {

// Where a control of the window's table stands: the window, one of its group
// boxes, the first page or the panel of the second.
enum class Place : uint8_t {
  Window,
  DipoleSteps,
  FeederLengths,
  Bands,
  Single,
  FirstPage,
  SecondPanel
};

using Places = std::array<QWidget*, size_t(Place::SecondPanel) + 1>;

struct ButtonRow {
  QPushButton* TfrmMain::*button;
  Place place;
  const char* caption;
  int left, top, width, height;
  void (TfrmMain::*click)();
  bool visible;
};

// In the order each place receives them, after what it holds besides.
constexpr ButtonRow kButtons[] = {
    {&TfrmMain::Button1, Place::Window, "Exit", 855, 477, 75, 25, &TfrmMain::Button1Click, true},
    {&TfrmMain::btnDipolPluss,
     Place::DipoleSteps,
     "Increase",
     121,
     53,
     75,
     25,
     &TfrmMain::btnDipolPlussClick,
     true},
    {&TfrmMain::btnDipolDec,
     Place::DipoleSteps,
     "Decrease",
     17,
     53,
     75,
     25,
     &TfrmMain::btnDipolDecClick,
     true},
    {&TfrmMain::btnBatch,
     Place::Bands,
     "Calc selected",
     151,
     104,
     75,
     28,
     &TfrmMain::btnBatchClick,
     true},
    {&TfrmMain::btnCalc,
     Place::Single,
     "Calc single",
     151,
     112,
     75,
     25,
     &TfrmMain::btnCalcClick,
     true},
    {&TfrmMain::btnClearGraph,
     Place::FirstPage,
     "Clear graph",
     53,
     402,
     75,
     25,
     &TfrmMain::btnClearGraphClick,
     true},
    {&TfrmMain::btnPlott,
     Place::FirstPage,
     "Plott",
     548,
     402,
     75,
     25,
     &TfrmMain::btnPlottClick,
     false},
    {&TfrmMain::Button2,
     Place::SecondPanel,
     "Button2",
     582,
     391,
     75,
     25,
     &TfrmMain::Button2Click,
     false},
};

// The buttons of one place, each running its handler when clicked.
void createButtons(TfrmMain& w, const Places& places, Place place) {
  for (const ButtonRow& row : kButtons) {
    if (row.place != place) continue;
    QPushButton* button =
        makeButton(places[size_t(place)], row.caption, row.left, row.top, row.width, row.height);
    if (!row.visible) button->setVisible(false);
    w.*row.button = button;
    const auto click = row.click;
    QObject::connect(
        button, &QPushButton::clicked, [&w, click] { RunGuarded([&w, click] { (w.*click)(); }); });
  }
}

void fillFeederLengths(TfrmMain& w, QWidget* box) {
  w.Memo1 = place(new QPlainTextEdit(QStringLiteral("Memo1"), box), 10, 24, 213, 76);
  w.Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  w.Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  w.Memo1->setTabChangesFocus(true);  // Tab moves on, as dialog navigation does
  // The results only: typed or pasted text would stand among them as if
  // calculated. Selecting and copying stay.
  w.Memo1->setReadOnly(true);
  w.Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void fillBands(TfrmMain& w, QWidget* box) {
  w.clbBand = place(new QListWidget(box), 7, 21, 219, 77);
  w.clbBand->setFlow(QListView::TopToBottom);
  w.clbBand->setWrapping(true);
  w.clbBand->setGridSize(QSize(107, 13));
  w.clbBand->setUniformItemSizes(true);
  w.clbBand->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  for (const TBandPreset& band : BandPresets) {
    auto* item =
        new QListWidgetItem(QString::number(band.frequency) + QStringLiteral(" MHz"), w.clbBand);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    item->setCheckState(Qt::Unchecked);
  }
}

// The feeder's impedance beside the single calculation.
void fillSingle(TfrmMain& w, QWidget* box) {
  place(new QLabel(QStringLiteral("Impedance"), box), 17, 117, 53, 13);
  w.cbZ0 = place(new FeederChoiceBox(box), 90, 114, 42, 21);
  w.cbZ0->setStyleSheet(
      QStringLiteral("QComboBox { padding: 0px 1px; } QComboBox::drop-down { width: 13px; }"));
  w.cbZ0->addItems({QStringLiteral("300"), QStringLiteral("450"), QStringLiteral("600")});
  w.cbZ0->setCurrentIndex(1);
}

struct GroupBoxRow {
  Place place;
  const char* caption;
  int left, top, width, height;
  void (*fill)(TfrmMain& w, QWidget* box);  // what it holds besides its buttons
};

constexpr GroupBoxRow kGroupBoxes[] = {
    {Place::DipoleSteps, "Changing dipole length i steps", 8, 299, 233, 89, nullptr},
    {Place::FeederLengths, "Exact feeder lengths", 8, 394, 233, 108, &fillFeederLengths},
    {Place::Bands, "Band select", 8, 156, 233, 140, &fillBands},
    {Place::Single, "Calculate single value", 8, 8, 233, 146, &fillSingle},
};

// The four pages, the first page's buttons and check box, and the second
// page's panel with its texts and button.
void createPages(TfrmMain& w, Places& places) {
  w.PageControl1 = place(new QTabWidget(&w), 256, 8, 674, 463);
  w.PageControl1->tabBar()->setStyleSheet(flatButtonTabs());
  auto* tabSheet1 = new QWidget;
  auto* tabSheet2 = new QWidget;
  for (QWidget* page : {tabSheet1, tabSheet2}) {
    page->setPalette(w.palette());
    page->setAutoFillBackground(true);
  }
  w.PageControl1->addTab(tabSheet1, QStringLiteral("Current maxima"));
  w.PageControl1->addTab(tabSheet2, QStringLiteral("Optimum length"));
  w.TabSheet3 = new TFeederCheckPage;
  w.TabSheet3->setPalette(w.palette());
  w.TabSheet3->setAutoFillBackground(true);
  w.PageControl1->addTab(w.TabSheet3, QStringLiteral("Feeder check"));
  w.TabSheet4 = new TTunerPage;
  w.TabSheet4->setPalette(w.palette());
  w.TabSheet4->setAutoFillBackground(true);
  w.PageControl1->addTab(w.TabSheet4, QStringLiteral("Tuner"));
  ShareFeeder(*w.TabSheet3, *w.TabSheet4);
  QObject::connect(w.PageControl1, &QTabWidget::currentChanged, [&w](int index) {
    if (index == w.PageControl1->indexOf(w.TabSheet3)) RunGuarded([&w] { w.UpdateFeederCheck(); });
  });
  QObject::connect(
      w.clbBand, &QListWidget::itemChanged, [&w] { RunGuarded([&w] { w.UpdateFeederCheck(); }); });
  places[size_t(Place::FirstPage)] = tabSheet1;
  createButtons(w, places, Place::FirstPage);
  // In the free space right of the read-outs, where the hidden "Plott" sits.
  w.cbLengthsToAvoid =
      place(new QCheckBox(QStringLiteral("Show lengths to avoid"), tabSheet1), 524, 402, 136, 25);
  w.cbLengthsToAvoid->setObjectName(QStringLiteral("cbLengthsToAvoid"));
  auto* panel1 = place(new QWidget(tabSheet2), 3, 0, 660, 415);
  panel1->setAutoFillBackground(true);
  auto* label2 =
      place(new QLabel(QStringLiteral("Optimum length for the matching section."), panel1),
            20,
            7,
            339,
            19);
  label2->setFont(windowFont(16, true));
  auto* label3 = place(
      new QLabel(QStringLiteral(
                     "Add multiples of 1/2 wavelengths to obtain desired total length. "
                     "Add odd multiples of 1/4 wavelengths to determine total lengths to avoid."),
                 panel1),
      20,
      32,
      357,
      27);
  label3->setWordWrap(true);
  places[size_t(Place::SecondPanel)] = panel1;
  createButtons(w, places, Place::SecondPanel);
}

struct MenuRow {
  const char* caption;
  const char* objectName;  // nullptr: none
  void (TfrmMain::*click)();
};

const MenuRow kChartMenu[] = {
    {"Copy to clipboard", nullptr, &TfrmMain::Copytoclipboard1Click},
    {"Save picture as PNG\u2026", "SavePicture1", &TfrmMain::SavePicture1Click},
    {"Save lengths as CSV\u2026", "SaveLengths1", &TfrmMain::SaveLengths1Click},
    {"Save report as PDF\u2026", "SaveReport1", &TfrmMain::SaveReport1Click},
};

// The charts' context menu, and the file dialog its saves ask.
void createChartMenu(TfrmMain& w) {
  w.puRc = new QMenu(&w);
  for (const MenuRow& row : kChartMenu) {
    const auto click = row.click;
    QAction* action = w.puRc->addAction(QString::fromUtf8(row.caption),
                                        [&w, click] { RunGuarded([&w, click] { (w.*click)(); }); });
    if (row.objectName) action->setObjectName(QString::fromUtf8(row.objectName));
  }
  w.AskSaveFileName = [&w](const std::u16string& caption,
                           const std::u16string& filter,
                           const std::u16string& suggested) {
    QFileDialog dialog(&w, ToQString(caption), ToQString(suggested), ToQString(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QFileInfo(ToQString(suggested)).suffix());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
      return std::u16string();
    return FromQString(dialog.selectedFiles().first());
  };
}

}  // namespace

// The window's controls from the tables above, in the order of the window's
// layout: the exit button, the group boxes with what they hold, the numeric
// fields, the pages, the read-outs, the charts and their menu.
void TfrmMain::createStandardControls() {
  Places places{};
  places[size_t(Place::Window)] = this;
  createButtons(*this, places, Place::Window);
  for (const GroupBoxRow& row : kGroupBoxes) {
    QWidget* box = makeGroupBox(this, row.caption, row.left, row.top, row.width, row.height);
    places[size_t(row.place)] = box;
    if (row.fill) row.fill(*this, box);
    createButtons(*this, places, row.place);
  }
  createNumericFields(places[size_t(Place::Single)], places[size_t(Place::DipoleSteps)]);
  createPages(*this, places);
  createLabels(places[size_t(Place::FirstPage)]);
  createCharts(places[size_t(Place::FirstPage)], places[size_t(Place::SecondPanel)]);
  createChartMenu(*this);
  // The Feeder check and Tuner pages save the report as the chart's menu does.
  for (QPushButton* button : {TabSheet3->btnReport, TabSheet4->btnReport}) {
    QObject::connect(
        button, &QPushButton::clicked, [this] { RunGuarded([this] { SaveReport1Click(); }); });
  }
  ReportTuner = [this] { return ReportTunerOf(TabSheet4->Result()); };
  QObject::connect(
      cbZ0, &QComboBox::editTextChanged, [this] { RunGuarded([this] { cbZ0Change(); }); });
}

void TfrmMain::createNumericFields(QWidget* groupBox4, QWidget* groupBox1) {
  nioFreq =
      makeField(groupBox4, {"nioFreq", u"Frequency", u"MHz", 75, 0.0, 1000.0, 3, 7.1}, 2, 19, 201);
  niodiplenft = makeField(
      groupBox4, {"niodiplenft", u"Dipol length", u"ft", 75, 0.0, 1000.0, 2, 85.3}, 2, 50, 201);
  nioDipolLenm = makeField(
      groupBox4, {"nioDipolLenm", u"Dipol length", u"meter", 75, 0.0, 1000.0, 2, 26.0}, 2, 81, 201);
  nioDipolStep = makeField(
      groupBox1, {"nioDipolStep", u"Step size", u"meter", 55, 0.01, 1.0, 2, 0.1}, 17, 22, 174);
  nioFreq->OnChange = [this](TObject*) { UpdateFeederCheck(); };
  niodiplenft->OnChange = [this](TObject* sender) { niodiplenftChange(sender); };
  nioDipolLenm->OnChange = [this](TObject* sender) { nioDipolLenmChange(sender); };
}

void TfrmMain::createLabels(QWidget* page) {
  nlFeedLin = makeLabel(page, {"nlFeedLin", u"Feeder length", u"m", 75, 2}, 146, 402, 177);
  nlFreq = makeLabel(page, {"nlFreq", u"Frequency", u"MHz", 60, 3}, 345, 402, 169);
}

void TfrmMain::createCharts(QWidget* page1, QWidget* panel1) {
  rc = makeChart(page1, "rc", 3, 3, FirstChartWidth, FirstChartHeight);
  ApplyFirstChartLayout(*rc);
  rc->Loaded();
  FinishFirstChart(*rc);
  // The first step back goes to the ranges of the layout, not to those the
  // chart had before it was loaded.
  rc->ClearZoomHistory();
  rc->OnMouseWheel = [this](TObject* s, TShiftState sh, int delta, int x, int y, bool& handled) {
    rcMouseWheel(s, sh, delta, x, y, handled);
  };
  rc->OnMouseMoveInChart = [this](TObject* s, bool in, TShiftState sh, double x, double y) {
    rcMouseMoveInChart(s, in, sh, x, y);
  };
  QWidget* rcWidget = rc->Widget();
  rcWidget->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(rcWidget,
                   &QWidget::customContextMenuRequested,
                   [this, rcWidget](const QPoint& at) { puRc->popup(rcWidget->mapToGlobal(at)); });

  RChart1 = makeChart(panel1, "RChart1", 4, 65, 653, 320);
  ApplyOptimumChartLayout(*RChart1);
  RChart1->Loaded();
  RChart1->OnMouseMoveInChart = [this](TObject* s, bool in, TShiftState sh, double x, double y) {
    RChart1MouseMoveInChart(s, in, sh, x, y);
  };
}

// The classic order: the window's controls by their tab numbers, each group
// box's children in turn.
void TfrmMain::applyTabOrder() {
  const std::vector<QWidget*> order = {Button1,
                                       btnDipolPluss,
                                       btnDipolDec,
                                       nioDipolStep->Widget(),
                                       Memo1,
                                       clbBand,
                                       btnBatch,
                                       nioFreq->Widget(),
                                       niodiplenft->Widget(),
                                       nioDipolLenm->Widget(),
                                       cbZ0,
                                       btnCalc,
                                       PageControl1,
                                       btnClearGraph,
                                       cbLengthsToAvoid,
                                       btnPlott,
                                       Button2};
  for (size_t i = 0; i + 1 < order.size(); ++i) QWidget::setTabOrder(order[i], order[i + 1]);
  QWidget* previous = order.back();
  for (QWidget* next : TabSheet3->TabOrder()) {
    QWidget::setTabOrder(previous, next);
    previous = next;
  }
  for (QWidget* next : TabSheet4->TabOrder()) {
    QWidget::setTabOrder(previous, next);
    previous = next;
  }
}

void TfrmMain::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (FShown) return;
  FShown = true;
  Button1->setFocus();
  RunGuarded([this] { FormShow(); });
}

std::vector<std::u16string> TfrmMain::Memo1Lines() const {
  std::vector<std::u16string> lines;
  const QString text = Memo1->toPlainText();
  if (text.isEmpty()) return lines;
  for (const QString& line : text.split(QLatin1Char('\n'))) lines.push_back(FromQString(line));
  return lines;
}

bool TfrmMain::Checked(int i) const { return clbBand->item(i)->checkState() == Qt::Checked; }

void TfrmMain::SetChecked(int i, bool checked) {
  clbBand->item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void TfrmMain::appendLine(const std::u16string& line) { Memo1->appendPlainText(ToQString(line)); }

void TfrmMain::clearResults() {
  Memo1->clear();
  FListed.clear();
}

// ---- handlers ----------------------------------------------------------------

void TfrmMain::FormCreate() {
  InitFeederState(FState, nioFreq->GetNioValue());
  clearResults();
}

void TfrmMain::FormShow() {
  Button2Click();
  btnCalcClick();
}

void TfrmMain::Button1Click() { close(); }

void TfrmMain::btnCalcClick() {
  const TCalcResult result = CalcSingle(FState, nioFreq->GetNioValue(), niodiplenft->GetNioValue());
  FListed.push_back(ReportCalculationOf(FState, result, niodiplenft->GetNioValue()));
  if (!result.done) {
    ShowMessage(result.message);
    return;
  }
  Button3Click();
  btnPlottClick();
}

void TfrmMain::Button3Click() {
  for (const std::u16string& line : FeederListLines(FState)) appendLine(line);
}

void TfrmMain::btnPlottClick() {
  PlotCalculation(*rc, FState, nioFreq->GetNioValue(), cbLengthsToAvoid->isChecked());
  rc->ShowGraf();
}

void TfrmMain::btnBatchClick() {
  for (int i = 0; i < int(BandPresets.size()); ++i) {
    if (!Checked(i)) continue;
    nioFreq->SetNioValue(BandPresets[size_t(i)].frequency);
    appendLine(BandPresets[size_t(i)].header);
    btnCalcClick();
  }
}

void TfrmMain::StepDipole(TStepDirection direction) {
  rc->ClearGraf();
  rc->ShowGraf();
  clearResults();
  nioDipolLenm->SetNioValue(
      ::StepDipole(nioDipolLenm->GetNioValue(), nioDipolStep->GetNioValue(), direction));
  niodiplenft->SetNioValue(nioDipolLenm->GetNioValue() / MetresPerFoot);
  UpdateFeederCheck();
  btnBatchClick();
}

void TfrmMain::btnDipolPlussClick() { StepDipole(TStepDirection::Increase); }

void TfrmMain::btnDipolDecClick() { StepDipole(TStepDirection::Decrease); }

void TfrmMain::btnClearGraphClick() {
  rc->ClearGraf();
  rc->ShowGraf();
  clearResults();
}

void TfrmMain::cbZ0Change() {
  SelectFeederConstant(FState, cbZ0->findText(cbZ0->currentText(), Qt::MatchExactly));
}

void TfrmMain::niodiplenftChange(TObject*) {
  nioDipolLenm->SetNioValue(niodiplenft->GetNioValue() * MetresPerFoot);
  UpdateFeederCheck();
}

void TfrmMain::nioDipolLenmChange(TObject*) {
  niodiplenft->SetNioValue(nioDipolLenm->GetNioValue() / MetresPerFoot);
  UpdateFeederCheck();
}

void TfrmMain::rcMouseMoveInChart(TObject*, bool InChart, TShiftState, double rMousePosX,
                                  double rMousePosY) {
  if (!InChart) return;
  nlFeedLin->SetLabValue(rMousePosX);
  nlFreq->SetLabValue(rMousePosY);
}

void TfrmMain::RChart1MouseMoveInChart(TObject* Sender, bool InChart, TShiftState Shift,
                                       double rMousePosX, double rMousePosY) {
  rcMouseMoveInChart(Sender, InChart, Shift, rMousePosX, rMousePosY);
}

void TfrmMain::Copytoclipboard1Click() { rc->CopyToClipboard(false); }

void TfrmMain::Button2Click() {
  for (const TCurveCommand& command : BuildReferenceCurve()) {
    if (command.moveTo) {
      RChart1->MoveTo(command.x, command.y);
    } else {
      RChart1->DrawTo(command.x, command.y);
    }
  }
  RChart1->ShowGraf();
}

void TfrmMain::UpdateFeederCheck() {
  std::array<bool, 10> checked{};
  for (int i = 0; i < int(checked.size()); ++i) checked[size_t(i)] = Checked(i);
  TabSheet3->SetCalculatorInputs(niodiplenft->GetNioValue(), checked);
  TabSheet4->SetCalculatorInputs(niodiplenft->GetNioValue(), nioFreq->GetNioValue(), checked);
}

// ---- the first chart's extras --------------------------------------------------

// The chart reports the turn; what it does is this window's choice: zoom
// about the pointer (held inside the data area) through SetRange, so the
// zoom history records every notch. A step beyond the zoom limits is not
// taken.
void TfrmMain::rcMouseWheel(TObject*, TShiftState, int WheelDelta, int X, int Y, bool& Handled) {
  Handled = true;
  const int notches = FWheelNotches.Take(WheelDelta);
  if (notches != 0) zoomFirstChart(notches, X, Y);
}

void TfrmMain::zoomFirstChart(int notches, int X, int Y) {
  TRChart& chart = *rc;
  const int right = chart.Width() - chart.MarginRight() - chart.ShadowWidth();
  const int bottom = chart.Height() - chart.MarginBottom() - chart.ShadowWidth();
  double aboutX = 0;
  double aboutY = 0;
  chart.M2R(1,
            std::clamp(X, chart.MarginLeft(), right),
            std::clamp(Y, chart.MarginTop(), bottom),
            aboutX,
            aboutY);
  const TScaleProps& x = chart.Scale1X();
  const TScaleProps& y = chart.Scale1Y();
  const TAxisView zx = ZoomedAbout({x.RangeLow(), x.RangeHigh()}, aboutX, notches);
  const TAxisView zy = ZoomedAbout({y.RangeLow(), y.RangeHigh()}, aboutY, notches);
  if (!WithinZoomLimits(zx, FirstChartHomeX) || !WithinZoomLimits(zy, FirstChartHomeY)) return;
  chart.SetRange(1, zx.low, zy.low, zx.high, zy.high);
}

// Every range change of layer 1 enters two states, one before its joined
// layer followed and one after, and both show the same ranges: a step goes
// on until the shown ranges differ, or the history ends.
void TfrmMain::stepZoomHistory(bool forward) {
  TRChart& chart = *rc;
  const auto shown = [&chart] {
    return std::array<double, 4>{chart.Scale1X().RangeLow(),
                                 chart.Scale1X().RangeHigh(),
                                 chart.Scale1Y().RangeLow(),
                                 chart.Scale1Y().RangeHigh()};
  };
  const std::array<double, 4> before = shown();
  while (forward ? chart.ZoomForward() : chart.ZoomBack()) {
    if (shown() != before) return;
  }
}

void TfrmMain::keyPressEvent(QKeyEvent* event) {
  const bool firstPage = PageControl1->currentIndex() == 0;
  const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
  if (firstPage && mods == Qt::ControlModifier && event->key() == Qt::Key_Z) {
    RunGuarded([this] { stepZoomHistory(false); });
  } else if (firstPage && mods == Qt::ControlModifier && event->key() == Qt::Key_Y) {
    RunGuarded([this] { stepZoomHistory(true); });
  } else if (firstPage && mods == Qt::NoModifier && event->key() == Qt::Key_Home) {
    RunGuarded([this] {
      rc->SetRange(
          1, FirstChartHomeX.low, FirstChartHomeY.low, FirstChartHomeX.high, FirstChartHomeY.high);
    });
  } else {
    QWidget::keyPressEvent(event);
  }
}

void TfrmMain::saveFile(const std::u16string& caption, const std::u16string& filter,
                        const std::u16string& suggested,
                        const std::function<std::string()>& content) {
  const std::u16string fileName = AskSaveFileName(caption, filter, suggested);
  if (fileName.empty()) return;
  try {
    WriteWholeFile(fileName, content());
  } catch (const EFileError& error) {
    ShowMessage(FromQString(QString::fromUtf8(error.what())));
  }
}

void TfrmMain::SavePicture1Click() {
  saveFile(u"Save picture as PNG", u"PNG pictures (*.png)", u"feeder-chart.png", [this] {
    TBitmap picture;
    rc->CopyToBitmap(&picture, false);
    return PngBytes(picture);
  });
}

void TfrmMain::SaveLengths1Click() {
  saveFile(u"Save lengths as CSV", u"CSV files (*.csv)", u"feeder-lengths.csv", [this] {
    return FeederCsv(DoneMaxima(FListed));
  });
}

void TfrmMain::SaveReport1Click() {
  saveFile(u"Save report as PDF", u"PDF documents (*.pdf)", u"feeder-report.pdf", [this] {
    return ReportPdf(ReportInputOfWindow(*this), LocalePaper());
  });
}
