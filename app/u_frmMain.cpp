#include "app/u_frmMain.h"

#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QWheelEvent>

#include "app/ProgramIcon.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/QtBridge.h"

namespace {


QFont WindowFont(int pixelSize = 11, bool bold = false) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

template <class W>
W* Place(W* widget, int left, int top, int width, int height) {
  widget->setGeometry(left, top, width, height);
  return widget;
}

QPushButton* Button(QWidget* parent, const char* caption, int left, int top, int width, int height) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  // Enter clicks the focused button, as Space does, on the desktop we follow.
  button->setAutoDefault(true);
  return Place(button, left, top, width, height);
}

// A group box drawn as on the classic desktop: an etched frame (a gray line
// with a white one a pixel right and below) and the caption on the window's
// own colour, so its inside shows the window's face like the fields do.
class EtchedGroupBox : public QGroupBox {
 public:
  using QGroupBox::QGroupBox;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QFontMetrics metrics(font());
    const QRect frame = rect().adjusted(0, metrics.height() / 2, -2, -2);
    p.setPen(ToQColor(clWhite));
    p.drawRect(frame.translated(1, 1));
    p.setPen(ToQColor(clGray));
    p.drawRect(frame);
    const QRect caption(kCaptionLeft, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
    p.fillRect(caption, palette().window());
    p.setPen(palette().windowText().color());
    p.drawText(caption, Qt::AlignCenter, title());
  }

 private:
  static constexpr int kCaptionLeft = 6;
};

QGroupBox* GroupBox(QWidget* parent, const char* caption, int left, int top, int width, int height) {
  return Place(new EtchedGroupBox(QString::fromUtf8(caption), parent), left, top, width, height);
}

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
QString FlatButtonTabs() {
  return QStringLiteral(
             "QTabBar { background: %1; }"
             "QTabBar::tab { background: %1; border: 2px solid %1;"
             " padding: 1px 8px 2px 8px; margin: 2px 1px; }"
             "QTabBar::tab:selected { border-color: #404040 #FFFFFF #FFFFFF #404040;"
             " padding: 2px 7px 1px 9px; }")
      .arg(ToQColor(clBtnFace).name());
}

// Settings the four input fields share.
void ApplyFieldLayout(TNumIO2& field) {
  field.SetInputFormat(itFloat);
  field.SetDecPlaceSep(dsBoth);
  field.SetSignificantDigits(6);
  field.SetTextBoxWidth(80);
  field.SetAlignment(taCenter);
  field.SetLeftTextAlignment(taRightJustify);
  field.SetRightTextAlignment(taLeftJustify);
  field.SetFrameStyle(fsLowered);
  field.SetColorScheme(csBWG);
  field.SetColorBoxBG(clWhite);
  field.SetColorBoxText(clBlack);
  field.SetColorOutBG(clBtnFace);
  field.SetColorOutText(clBlack);
  field.SetColorWarnBG(0x6088FFF0);
  field.SetColorWarnText(clRed);
  field.SetBeep(false);
  field.SetReadOnly(false);
  field.SetAutoSize(false);
  field.SetHideSelection(true);
  field.SetButVisible(false);
  field.SetButWidth(18);
  field.SetButHeight(25);
  field.SetButSpace(3);
  field.SetButColor(clSilver);
  field.SetButIncrem(1.0);
  field.SetBut3D(true);
  field.SetGaugeVisible(false);
  field.SetGaugeColor(clNavy);
  field.SetGaugeColorBg(clSilver);
  field.SetGaugeColorFrame(clGray);
  field.SetGaugeHeight(8);
  field.SetGaugeWidth(82);
  field.SetGaugeLeftMargin(35);
  field.SetGaugeTopMargin(3);
  field.SetGaugeFrameStyle(fsLowered);
}

struct FieldRow {
  const char* name;
  const char16_t* leftText;
  const char16_t* rightText;
  int leftSpace;
  double rangeLow;
  double rangeHigh;
  int decimals;
  double value;
};

std::unique_ptr<TNumIO2> MakeField(QWidget* parent, const FieldRow& row, int left, int top, int width) {
  auto field = std::make_unique<TNumIO2>();
  field->BeginLoading();
  field->SetName(FromQString(QString::fromUtf8(row.name)));
  field->SetParentWidget(parent);
  field->SetBounds(left, top, width, 25);
  ApplyFieldLayout(*field);
  field->SetLeftText(row.leftText);
  field->SetRightText(row.rightText);
  field->SetLeftSpace(row.leftSpace);
  field->SetRangeLow(row.rangeLow);
  field->SetRangeHigh(row.rangeHigh);
  field->SetFixPointDecPlaces(row.decimals);
  field->SetNioValue(row.value);
  field->Loaded();
  return field;
}

std::unique_ptr<TNumLab> MakeLabel(QWidget* parent, const char* name, const char16_t* leftText,
                                   const char16_t* rightText, int leftSpace, int precision,
                                   int left, int width) {
  auto label = std::make_unique<TNumLab>();
  label->BeginLoading();
  label->SetName(FromQString(QString::fromUtf8(name)));
  label->SetParentWidget(parent);
  label->SetBounds(left, 402, width, 25);
  label->SetDisplayType(dtFixP);
  label->SetAlignment(taCenter);
  label->SetLeftTextAlignment(taRightJustify);
  label->SetRightTextAlignment(taLeftJustify);
  label->SetFrameStyle(fsLowered);
  label->SetColorScheme(csBWG);
  label->SetColorLabBakG(clBtnFace);
  label->SetColorLabText(clBlack);
  label->SetColorOutBakG(clBtnFace);
  label->SetColorOutText(clBlack);
  label->SetComma(false);
  label->SetForcePlusSign(false);
  label->SetEmpty(false);
  label->SetTransparent(false);
  label->SetLabelWidth(80);
  label->SetOverflowIndicator(u"*********");
  label->SetStateText(u"undefined");
  label->SetDTFormat(u"mmm-dd, yyyy");
  label->SetLeftText(leftText);
  label->SetRightText(rightText);
  label->SetLeftSpace(leftSpace);
  label->SetPrecision(precision);
  label->Loaded();
  return label;
}

struct AxisSettings {
  const char16_t* caption;
  int captionX;
  int captionY;
  TAlignment alignment;
  TScaleUnitAnchor anchor;
  double low;
  double high;
};

void ApplyAxis(TScale& scale, const AxisSettings& axis) {
  scale.SetCaption(axis.caption);
  scale.SetCaptionPosX(axis.captionX);
  scale.SetCaptionPosY(axis.captionY);
  scale.SetCaptionAlignment(axis.alignment);
  scale.SetCaptionAnchor(axis.anchor);
  scale.SetColorScale(clBlack);
  scale.SetRange(axis.low, axis.high);
  scale.SetDecPlaces(-2);
  scale.SetLabelType(ftNum);
  scale.SetMinTicks(3);
  scale.SetShortTicks(true);
  scale.SetLogarithmic(false);
  scale.Font().SetHeight(-11);
  scale.Font().SetColor(clWindowText);
}

std::unique_ptr<TRChart> MakeChart(QWidget* parent, const char* name, int left, int top, int width,
                                   int height) {
  auto chart = std::make_unique<TRChart>();
  chart->BeginLoading();
  chart->SetName(FromQString(QString::fromUtf8(name)));
  chart->SetParentWidget(parent);
  chart->SetBounds(left, top, width, height);
  chart->SetMargins(50, 20, 20, 40);
  return chart;
}

}  // namespace

TfrmMain::TfrmMain() {
  setWindowTitle(QStringLiteral("Orvak SE version 1.0"));
  setWindowIcon(ProgramIcon());
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFixedSize(938, 510);
  setFont(WindowFont());
  QPalette pal = palette();
  pal.setColor(QPalette::Window, ToQColor(clBtnFace));
  setPalette(pal);
  setAutoFillBackground(true);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  CreateStandardControls();
  SetTabOrder();
  FormCreate();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::CreateStandardControls() {
  Button1 = Button(this, "Exit", 855, 477, 75, 25);
  QGroupBox* groupBox1 = GroupBox(this, "Changing dipole length i steps", 8, 299, 233, 89);
  btnDipolPluss = Button(groupBox1, "Increase", 121, 53, 75, 25);
  btnDipolDec = Button(groupBox1, "Decrease", 17, 53, 75, 25);
  QGroupBox* groupBox2 = GroupBox(this, "Exact feeder lengths", 8, 394, 233, 108);
  Memo1 = Place(new QPlainTextEdit(QStringLiteral("Memo1"), groupBox2), 10, 24, 213, 76);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setTabChangesFocus(true);  // Tab moves on, as dialog navigation does
  QGroupBox* groupBox3 = GroupBox(this, "Band select", 8, 156, 233, 140);
  clbBand = Place(new QListWidget(groupBox3), 7, 21, 219, 77);
  clbBand->setFlow(QListView::TopToBottom);
  clbBand->setWrapping(true);
  clbBand->setGridSize(QSize(107, 13));
  clbBand->setUniformItemSizes(true);
  clbBand->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  for (const TBandPreset& band : BandPresets) {
    auto* item = new QListWidgetItem(QString::number(band.frequency) + QStringLiteral(" MHz"), clbBand);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    item->setCheckState(Qt::Unchecked);
  }
  btnBatch = Button(groupBox3, "Calc selected", 151, 104, 75, 28);
  QGroupBox* groupBox4 = GroupBox(this, "Calculate single value", 8, 8, 233, 146);
  Place(new QLabel(QStringLiteral("Impedance"), groupBox4), 17, 117, 53, 13);
  cbZ0 = Place(new FeederChoiceBox(groupBox4), 90, 114, 42, 21);
  cbZ0->setStyleSheet(QStringLiteral("QComboBox { padding: 0px 1px; } QComboBox::drop-down { width: 13px; }"));
  cbZ0->addItems({QStringLiteral("300"), QStringLiteral("450"), QStringLiteral("600")});
  cbZ0->setCurrentIndex(1);
  btnCalc = Button(groupBox4, "Calc single", 151, 112, 75, 25);
  CreateNumericFields(groupBox4, groupBox1);

  PageControl1 = Place(new QTabWidget(this), 256, 8, 674, 463);
  PageControl1->tabBar()->setStyleSheet(FlatButtonTabs());
  auto* tabSheet1 = new QWidget;
  auto* tabSheet2 = new QWidget;
  for (QWidget* page : {tabSheet1, tabSheet2}) {
    page->setPalette(palette());
    page->setAutoFillBackground(true);
  }
  PageControl1->addTab(tabSheet1, QStringLiteral("Current maxima"));
  PageControl1->addTab(tabSheet2, QStringLiteral("Optimum length"));
  btnClearGraph = Button(tabSheet1, "Clear graph", 53, 402, 75, 25);
  btnPlott = Button(tabSheet1, "Plott", 548, 402, 75, 25);
  btnPlott->setVisible(false);
  auto* panel1 = Place(new QWidget(tabSheet2), 3, 0, 660, 415);
  panel1->setAutoFillBackground(true);
  auto* label2 = Place(new QLabel(QStringLiteral("Optimum length for the matching section."), panel1), 20, 7, 339, 19);
  label2->setFont(WindowFont(16, true));
  auto* label3 = Place(new QLabel(QStringLiteral("Add multiples of 1/2 wavelengths to obtain desired total length. "
                                                 "Add odd multiples of 1/4 wavelengths to determine total lengths to avoid."),
                                  panel1),
                       20, 32, 357, 27);
  label3->setWordWrap(true);
  Button2 = Button(panel1, "Button2", 582, 391, 75, 25);
  Button2->setVisible(false);
  CreateLabels(tabSheet1);
  CreateCharts(tabSheet1, panel1);

  puRc = new QMenu(this);
  puRc->addAction(QStringLiteral("Copy to clipboard"), [this] { RunGuarded([this] { Copytoclipboard1Click(); }); });

  const auto wire = [](QPushButton* button, auto handler) {
    QObject::connect(button, &QPushButton::clicked, [handler] { RunGuarded(handler); });
  };
  wire(Button1, [this] { Button1Click(); });
  wire(btnDipolPluss, [this] { btnDipolPlussClick(); });
  wire(btnDipolDec, [this] { btnDipolDecClick(); });
  wire(btnBatch, [this] { btnBatchClick(); });
  wire(btnCalc, [this] { btnCalcClick(); });
  wire(btnClearGraph, [this] { btnClearGraphClick(); });
  wire(btnPlott, [this] { btnPlottClick(); });
  wire(Button2, [this] { Button2Click(); });
  QObject::connect(cbZ0, &QComboBox::editTextChanged, [this] { RunGuarded([this] { cbZ0Change(); }); });
}

void TfrmMain::CreateNumericFields(QWidget* groupBox4, QWidget* groupBox1) {
  nioFreq = MakeField(groupBox4, {"nioFreq", u"Frequency", u"MHz", 75, 0.0, 1000.0, 3, 7.1}, 2, 19, 201);
  niodiplenft = MakeField(groupBox4, {"niodiplenft", u"Dipol length", u"ft", 75, 0.0, 1000.0, 2, 85.3}, 2, 50, 201);
  nioDipolLenm = MakeField(groupBox4, {"nioDipolLenm", u"Dipol length", u"meter", 75, 0.0, 1000.0, 2, 26.0}, 2, 81, 201);
  nioDipolStep = MakeField(groupBox1, {"nioDipolStep", u"Step size", u"meter", 55, 0.01, 1.0, 2, 0.1}, 17, 22, 174);
  niodiplenft->OnChange = [this](TObject* sender) { niodiplenftChange(sender); };
  nioDipolLenm->OnChange = [this](TObject* sender) { nioDipolLenmChange(sender); };
}

void TfrmMain::CreateLabels(QWidget* page) {
  nlFeedLin = MakeLabel(page, "nlFeedLin", u"Feeder length", u"m", 75, 2, 146, 177);
  nlFreq = MakeLabel(page, "nlFreq", u"Frequency", u"MHz", 60, 3, 345, 169);
}

void TfrmMain::CreateCharts(QWidget* page1, QWidget* panel1) {
  rc = MakeChart(page1, "rc", 3, 3, 660, 395);
  rc->SetChartColor(clBackground);
  rc->SetGridColor(clSilver);
  rc->SetGridDx(2.0);
  rc->SetGridDy(2.5);
  ApplyAxis(rc->ScaleX(), {u"Feeder length in meters (x - current max point)", 0, 22, taCenter,
                           uaSclCenter, 0.0, 40.0});
  ApplyAxis(rc->ScaleY(), {u"Frequency (MHz)", -40, -16, taLeftJustify, uaSclTopLft, 1.5, 30.0});
  rc->Loaded();
  rc->OnMouseMoveInChart = [this](TObject* s, bool in, TShiftState sh, double x, double y) {
    rcMouseMoveInChart(s, in, sh, x, y);
  };
  QWidget* rcWidget = rc->Widget();
  rcWidget->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(rcWidget, &QWidget::customContextMenuRequested,
                   [this, rcWidget](const QPoint& at) { puRc->popup(rcWidget->mapToGlobal(at)); });

  RChart1 = MakeChart(panel1, "RChart1", 4, 65, 653, 320);
  RChart1->SetGridColor(clMenuBar);
  RChart1->SetGridDx(0.1);
  RChart1->SetGridDy(0.1);
  ApplyAxis(RChart1->ScaleX(), {u"", 0, 22, taCenter, uaSclCenter, 0.25, 2.5});
  ApplyAxis(RChart1->ScaleY(), {u"", 0, -16, taLeftJustify, uaSclTopLft, 0.0, 0.5});
  RChart1->Loaded();
  RChart1->OnMouseMoveInChart = [this](TObject* s, bool in, TShiftState sh, double x, double y) {
    RChart1MouseMoveInChart(s, in, sh, x, y);
  };
}

// The classic order: the window's controls by their tab numbers, each group
// box's children in turn.
void TfrmMain::SetTabOrder() {
  const std::vector<QWidget*> order = {
      Button1,        btnDipolPluss,          btnDipolDec,         nioDipolStep->Widget(),
      Memo1,          clbBand,                btnBatch,            nioFreq->Widget(),
      niodiplenft->Widget(), nioDipolLenm->Widget(), cbZ0,         btnCalc,
      PageControl1,   btnClearGraph,          btnPlott,            Button2};
  for (size_t i = 0; i + 1 < order.size(); ++i) QWidget::setTabOrder(order[i], order[i + 1]);
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

void TfrmMain::AppendLine(const std::u16string& line) { Memo1->appendPlainText(ToQString(line)); }

// ---- handlers ----------------------------------------------------------------

void TfrmMain::FormCreate() {
  InitFeederState(FState, nioFreq->GetNioValue());
  Memo1->clear();
}

void TfrmMain::FormShow() {
  Button2Click();
  btnCalcClick();
}

void TfrmMain::Button1Click() { close(); }

void TfrmMain::btnCalcClick() {
  const TCalcResult result = CalcSingle(FState, nioFreq->GetNioValue(), niodiplenft->GetNioValue());
  if (!result.done) {
    ShowMessage(result.message);
    return;
  }
  Button3Click();
  btnPlottClick();
}

void TfrmMain::Button3Click() {
  for (const std::u16string& line : FeederListLines(FState)) AppendLine(line);
}

void TfrmMain::btnPlottClick() {
  rc->SetDataColor(FeederMarkColor);
  for (const TFeederMark& mark : FeederMarks(FState, nioFreq->GetNioValue())) {
    rc->MarkAt(mark.x, mark.y, FeederMarkKind);
  }
  rc->ShowGraf();
}

void TfrmMain::btnBatchClick() {
  for (int i = 0; i < int(BandPresets.size()); ++i) {
    if (!Checked(i)) continue;
    nioFreq->SetNioValue(BandPresets[size_t(i)].frequency);
    AppendLine(BandPresets[size_t(i)].header);
    btnCalcClick();
  }
}

void TfrmMain::StepDipole(TStepDirection direction) {
  rc->ClearGraf();
  rc->ShowGraf();
  Memo1->clear();
  nioDipolLenm->SetNioValue(
      ::StepDipole(nioDipolLenm->GetNioValue(), nioDipolStep->GetNioValue(), direction));
  niodiplenft->SetNioValue(nioDipolLenm->GetNioValue() / MetresPerFoot);
  btnBatchClick();
}

void TfrmMain::btnDipolPlussClick() { StepDipole(TStepDirection::Increase); }

void TfrmMain::btnDipolDecClick() { StepDipole(TStepDirection::Decrease); }

void TfrmMain::btnClearGraphClick() {
  rc->ClearGraf();
  rc->ShowGraf();
  Memo1->clear();
}

void TfrmMain::cbZ0Change() {
  SelectFeederConstant(FState, cbZ0->findText(cbZ0->currentText(), Qt::MatchExactly));
}

void TfrmMain::niodiplenftChange(TObject*) {
  nioDipolLenm->SetNioValue(niodiplenft->GetNioValue() * MetresPerFoot);
}

void TfrmMain::nioDipolLenmChange(TObject*) {
  niodiplenft->SetNioValue(nioDipolLenm->GetNioValue() / MetresPerFoot);
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
