#include "app/TunerPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <cmath>

#include "app/FeederCheck.h"
#include "app/FeederCheckPage.h"
#include "app/FeederEngine.h"
#include "app/TunerChart.h"
#include "app/WindowControls.h"
#include "app/tuner/NumberText.h"
#include "platform/Application.h"
#include "platform/Clipboard.h"
#include "platform/Colors.h"
#include "platform/Locale.h"
#include "platform/QtPicture.h"
#include "platform/QtText.h"

namespace {

// How often the page looks at a run in progress: quick enough for a smooth
// progress bar, and the look only takes a mutex.
constexpr int kPollMs = 25;
constexpr int kRowHeight = 24;

// The wire list: the default 2.0 mm, the gauges, then the user's own.
constexpr double kDefaultWireMm = 2.0;
constexpr int kOwnWire = int(WireGauges.size()) + 1;
constexpr int kOwnGround = int(GroundClasses.size());

const char16_t* const kBandColumns[] = {u"MHz",
                                        u"Feed point\n\u03A9",
                                        u"SWR\non line",
                                        u"At the tuner\n\u03A9",
                                        u"Loss dB\nmatched",
                                        u"Loss dB\ntotal",
                                        u"Effic.\n%",
                                        u"Peak\nV",
                                        u"Tuner\nmatches",
                                        u"I max\nm",
                                        u"Classic\nrule m"};
constexpr int kBandColumnWidths[] = {46, 116, 42, 100, 46, 44, 40, 42, 80, 40, 44};

const char16_t* const kSpanColumns[] = {
    u"From m", u"To m", u"Best m", u"Worst MHz", u"Margin", u"Fails on"};
constexpr int kSpanColumnWidths[] = {70, 70, 70, 80, 70, 276};

// The bands by their wavelengths, for the finder's choice of bands.
const char* const kBandNames[] = {
    "160 m", "80 m", "60 m", "40 m", "30 m", "20 m", "17 m", "15 m", "12 m", "10 m"};

// A number in the texts the engine writes ("3.5-3.8 MHz") takes the locale's
// separator: a "." between two digits is always a decimal point there.
QString localeText(const std::string& text) {
  QString q = QString::fromStdString(text);
  const QChar separator(LocaleDecimalSeparator());
  for (qsizetype i = 1; i + 1 < q.size(); ++i) {
    if (q[i] == u'.' && q[i - 1].isDigit() && q[i + 1].isDigit()) q[i] = separator;
  }
  return q;
}

// Rounded as the command line rounds, with the locale's separator.
QString number(double value, int decimals) { return localeText(FixedText(value, decimals)); }

// Large SWRs keep fewer decimals, so that they fit their column.
QString swrText(double swr) {
  if (!std::isfinite(swr)) return QStringLiteral("\u221E");
  return number(swr, swr < 10 ? 2 : swr < 100 ? 1 : 0);
}

// "±7 %" where the feed point's mesh matters, else nothing.
QString uncertaintyText(const TTunerRow& row) {
  const auto u = row.ShownUncertainty();
  return u ? QStringLiteral(" \u00B1") + number(*u * 100, 0) + QStringLiteral("\u00A0%")
           : QString();
}

QString impedanceText(std::complex<double> z) {
  const QString sign =
      std::round(z.imag() * 10) < 0 ? QStringLiteral(" \u2212 j") : QStringLiteral(" + j");
  return number(z.real(), 1) + sign + number(std::abs(z.imag()), 1);
}

QLabel* text(QWidget* parent, const QString& caption, int left, int top, int width,
             int height = 13) {
  return place(new QLabel(caption, parent), left, top, width, height);
}

QTableWidget* makeTable(QWidget* parent, int columns, const char16_t* const* headers,
                        const int* widths) {
  auto* table = new QTableWidget(0, columns, parent);
  for (int c = 0; c < columns; ++c) {
    table->setHorizontalHeaderItem(c, new QTableWidgetItem(ToQString(headers[c])));
    table->setColumnWidth(c, widths[c]);
  }
  table->verticalHeader()->hide();
  table->verticalHeader()->setDefaultSectionSize(kRowHeight);
  table->horizontalHeader()->setFixedHeight(34);
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionMode(QAbstractItemView::NoSelection);
  table->setWordWrap(false);
  table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  return table;
}

QTableWidgetItem* cell(QTableWidget* table, int row, int column, const QString& value) {
  auto* item = new QTableWidgetItem(value);
  item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  table->setItem(row, column, item);
  return item;
}

// The table answers Ctrl+C (and its menu) with the whole table as text.
class CopyableTable : public QObject {
 public:
  CopyableTable(QTableWidget* table, std::function<std::u16string()> content)
      : QObject(table), FContent(std::move(content)) {
    table->installEventFilter(this);
    table->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(
        table, &QWidget::customContextMenuRequested, this, [this, table](const QPoint& at) {
          QMenu menu;
          menu.addAction(QStringLiteral("Copy table"), [this] { copy(); });
          menu.exec(table->viewport()->mapToGlobal(at));
        });
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
      copy();
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  void copy() {
    RunGuarded([this] { ClipboardPutText(FContent()); });
  }
  std::function<std::u16string()> FContent;
};

std::pair<double, double> rangeOf(const TNumIO2& field) {
  return {field.RangeLow(), field.RangeHigh()};
}

// "Height must lie above 0 up to 1000 m." when a field's value is outside
// its range; the low end is excluded where it is 0 and the field's is too.
std::string rangeError(const char* name, const TNumIO2& field, bool lowIncluded) {
  const double v = field.GetNioValue();
  const auto [low, high] = rangeOf(field);
  if ((lowIncluded ? v >= low : v > low) && v <= high) return {};
  return std::string(name) + " must lie " + (lowIncluded ? "from " : "above ") +
         TrimmedText(low, 4) + " up to " + TrimmedText(high, 4) + ".";
}

// What the line itself cannot be (wires closer than their diameter, two
// measured losses that do not split), as a sentence.
std::string lineError(const TTransmissionLine& line) {
  try {
    CheckLine(line);
  } catch (const std::invalid_argument& error) {
    return std::string(error.what()) + ".";
  }
  return {};
}

// Whether the chart's curves, bands of judgement and bars stay as they are.
bool sameCurves(const TTunerResult& a, const TTunerResult& b) {
  if (a.bands != b.bands || a.rows.size() != b.rows.size() || !(a.setup.line == b.setup.line) ||
      !(a.setup.tuner == b.setup.tuner) || a.finder.table != b.finder.table ||
      a.finder.spans.size() != b.finder.spans.size() ||
      a.finder.SuitsAll() != b.finder.SuitsAll()) {
    return false;
  }
  for (size_t i = 0; i < a.rows.size(); ++i) {
    if (a.rows[i].frequencyMHz != b.rows[i].frequencyMHz ||
        a.rows[i].feedImpedance != b.rows[i].feedImpedance) {
      return false;
    }
  }
  for (size_t i = 0; i < a.finder.spans.size(); ++i) {
    if (a.finder.spans[i].fromM != b.finder.spans[i].fromM ||
        a.finder.spans[i].toM != b.finder.spans[i].toM) {
      return false;
    }
  }
  return true;
}

}  // namespace

TTunerPage::TTunerPage(TNecRunOptions options) : FCompute(std::move(options)) {
  FPoll = new QTimer(this);
  FPoll->setInterval(kPollMs);
  QObject::connect(FPoll, &QTimer::timeout, [this] { RunGuarded([this] { pollRun(); }); });
  createTopStrip();
  tabs = place(new QTabWidget(this), 4, 66, 660, 367);
  const char* const names[] = {"Table", "Chart", "Feeder lengths", "Antenna and tuner"};
  std::array<QWidget*, 4> pages{};
  for (size_t i = 0; i < pages.size(); ++i) {
    pages[i] = new QWidget;
    pages[i]->setPalette(palette());
    pages[i]->setAutoFillBackground(true);
    tabs->addTab(pages[i], QString::fromUtf8(names[i]));
  }
  // Right of the sub-pages' tabs, whichever shows.
  btnReport = makeButton(nullptr, "Save report as PDF\u2026", 0, 0, 124, 21);
  tabs->setCornerWidget(btnReport, Qt::TopRightCorner);
  createTablePage(pages[0]);
  createChartPage(pages[1]);
  createSpansPage(pages[2]);
  createSettingsPage(pages[3]);
  connectInputs();
  showChoices();
  emptyResults();
}

TTunerPage::~TTunerPage() = default;

void TTunerPage::createTopStrip() {
  text(this, QStringLiteral("Line"), 8, 11, 28);
  cbLine = place(new QComboBox(this), 36, 7, 266, 21);
  for (const TLinePreset& preset : LinePresets) cbLine->addItem(ToQString(preset.name));
  cbLine->addItem(QStringLiteral("Custom"));
  nioFeedLenm =
      makeField(this,
                {"nioTunerFeedLenm", u"Feeder length", u"m", 75, 0.0, 1000.0, 2, FFeederMetres},
                308,
                5,
                186);
  nioFeedLenft =
      makeField(this,
                {"nioTunerFeedLenft", u"", u"ft", 0, 0.0, 3000.0, 2, FFeederMetres / MetresPerFoot},
                498,
                5,
                104);
  pbProgress = place(new QProgressBar(this), 8, 39, 180, 18);
  pbProgress->setTextVisible(false);
  btnCancel = makeButton(this, "Cancel", 194, 36, 75, 24);
  lblStatus = text(this, {}, 8, 35, 652, 28);
  lblStatus->setWordWrap(true);
}

void TTunerPage::createTablePage(QWidget* page) {
  tblBands = place(
      makeTable(page, 11, kBandColumns, kBandColumnWidths), 4, 4, 642, 34 + 10 * kRowHeight + 4);
  tblBands->setObjectName(QStringLiteral("tblBands"));
  new CopyableTable(tblBands, [this] { return TableText(); });
  lblNotes = text(
      page,
      QStringLiteral("Copper wire. SWR on the line against its nominal Z0, as a meter of that "
                     "impedance at the antenna reads it; \"Tuner matches\" judges each band across "
                     "its width (its worst point where not). \u00B1: a finer mesh differs by this "
                     "much. * the classic rule's maximum lies more than 1/16 line wavelength from "
                     "the model's. Ctrl+C copies the table."),
      6,
      290,
      640,
      42);
  lblNotes->setWordWrap(true);
  lblNotes->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TTunerPage::createChartPage(QWidget* page) {
  chart = std::make_unique<TTunerChart>(page, 2, 2, 648, 336);
  chart->OnFeederDragged = [this](double metres) { feederDragged(metres); };
}

void TTunerPage::createSpansPage(QWidget* page) {
  text(page, QStringLiteral("Judge:"), 6, 6, 40);
  for (size_t band = 0; band < cbFinderBands.size(); ++band) {
    cbFinderBands[band] = place(
        new QCheckBox(QString::fromUtf8(kBandNames[band]), page), 48 + int(band) * 60, 4, 58, 17);
    cbFinderBands[band]->setChecked(true);
    cbFinderBands[band]->setToolTip(
        QStringLiteral("Leave the band out of the feeder lengths (not out of the table)"));
  }
  lblSpans = text(page, {}, 6, 26, 640, 42);
  lblSpans->setWordWrap(true);
  lblSpans->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  tblSpans = place(makeTable(page, 6, kSpanColumns, kSpanColumnWidths), 4, 70, 640, 264);
  tblSpans->horizontalHeader()->setFixedHeight(22);
  tblSpans->setToolTip(QStringLiteral("Click a row to take its best length"));
  new CopyableTable(tblSpans, [this] {
    std::u16string all;
    for (int r = 0; r < tblSpans->rowCount(); ++r) {
      for (int c = 0; c < tblSpans->columnCount(); ++c) {
        all += FromQString(tblSpans->item(r, c)->text()) +
               (c + 1 < tblSpans->columnCount() ? u"\t" : u"\n");
      }
    }
    return all;
  });
}

void TTunerPage::createSettingsPage(QWidget* page) {
  createAntennaGroup(page);
  createLineGroup(page);
  createTunerGroup(page);
}

void TTunerPage::createAntennaGroup(QWidget* page) {
  QGroupBox* group = makeGroupBox(page, "Antenna: a copper wire dipole", 6, 4, 318, 158);
  lblDipole = text(group, {}, 12, 20, 300);
  nioHeight =
      makeField(group, {"nioHeight", u"Height", u"m", 70, 0.0, 1000.0, 2, 10.0}, 2, 38, 180);
  text(group, QStringLiteral("Wire"), 12, 71, 50);
  cbWire = place(new QComboBox(group), 72, 67, 84, 21);
  cbWire->addItem(QStringLiteral("2.0 mm"));
  for (const TWireGauge& gauge : WireGauges) cbWire->addItem(ToQString(gauge.label));
  cbWire->addItem(QStringLiteral("Own"));
  nioWireDiameter = makeField(
      group, {"nioWireDiameter", u"", u"mm", 0, 0.0, 50.0, 2, kDefaultWireMm}, 160, 66, 120);
  text(group, QStringLiteral("Ground"), 12, 99, 50);
  cbGround = place(new QComboBox(group), 72, 95, 160, 21);
  for (const TGroundClass& ground : GroundClasses) cbGround->addItem(ToQString(ground.label));
  cbGround->addItem(QStringLiteral("own"));
  cbGround->setCurrentIndex(DefaultGroundClass);
  const TGround& average = GroundClasses[DefaultGroundClass].ground;
  nioPermittivity =
      makeField(group,
                {"nioPermittivity", u"\u03B5r", u"", 70, 1.0, 100.0, 1, average.permittivity},
                2,
                122,
                154);
  nioConductivity =
      makeField(group,
                {"nioConductivity", u"\u03C3", u"S/m", 16, 0.0, 10.0, 4, average.conductivity},
                160,
                122,
                130);
}

void TTunerPage::createLineGroup(QWidget* page) {
  QGroupBox* group = makeGroupBox(
      page, "Line: copper conductors; the presets' dielectric loss neglected", 330, 4, 318, 180);
  const TTransmissionLine& line = FLine.Line();
  nioZ0 = makeField(group, {"nioZ0", u"Z0", u"\u03A9", 70, 0.0, 2000.0, 1, line.z0}, 2, 18, 180);
  nioVF = makeField(group,
                    {"nioTunerVF",
                     u"Velocity factor",
                     u"",
                     96,
                     MinVelocityFactor,
                     MaxVelocityFactor,
                     2,
                     line.velocityFactor},
                    2,
                    44,
                    180);
  nioLineDiameter = makeField(
      group,
      {"nioLineDiameter", u"Conductors", u"mm", 70, 0.0, 50.0, 3, line.conductorDiameterM * 1000},
      2,
      70,
      180);
  nioLossTangent = makeField(
      group, {"nioLossTangent", u"tan\u00A0\u03B4", u"", 40, 0.0, 0.1, 5, 0.0}, 184, 70, 128);
  cbMeasuredLoss = place(
      new QCheckBox(QStringLiteral("Measured matched loss instead (scaled with \u221Af)"), group),
      12,
      100,
      296,
      17);
  nioLossDb =
      makeField(group, {"nioLossDb", u"Loss", u"dB/100 m", 40, 0.0, 100.0, 2, 1.0}, 2, 122, 172);
  nioLossMHz =
      makeField(group, {"nioLossMHz", u"at", u"MHz", 18, 0.001, 1000.0, 3, 14.0}, 180, 122, 132);
  cbSecondLoss = place(new QCheckBox(QStringLiteral("and"), group), 12, 152, 42, 17);
  cbSecondLoss->setToolTip(
      QStringLiteral("A second measured loss splits it into the conductors' part (growing with "
                     "\u221Af) and the dielectric's (growing with f)"));
  nioLoss2Db =
      makeField(group, {"nioLoss2Db", u"", u"dB/100 m", 0, 0.0, 100.0, 2, 2.0}, 52, 148, 122);
  nioLoss2MHz =
      makeField(group, {"nioLoss2MHz", u"at", u"MHz", 18, 0.001, 1000.0, 3, 28.0}, 180, 148, 132);
}

void TTunerPage::createTunerGroup(QWidget* page) {
  QGroupBox* group = makeGroupBox(page, "Tuner and transmitter", 6, 190, 642, 88);
  text(group, QStringLiteral("Tuner"), 12, 25, 40);
  cbTuner = place(new QComboBox(group), 72, 21, 262, 21);
  cbTuner->addItem(QStringLiteral("internal tuner: SWR \u2264 S on 50 \u03A9"));
  cbTuner->addItem(QStringLiteral("external tuner: |Z| from Zmin to Zmax"));
  nioMaxSwr = makeField(group, {"nioMaxSwr", u"S", u"", 30, 1.0, 100.0, 1, 3.0}, 340, 19, 116);
  text(group, QStringLiteral("Band plan"), 466, 25, 56);
  cbRegion = place(new QComboBox(group), 524, 21, 108, 21);
  cbRegion->addItems({QStringLiteral("IARU Region 1"),
                      QStringLiteral("IARU Region 2"),
                      QStringLiteral("IARU Region 3")});
  nioMinZ = makeField(group, {"nioMinZ", u"Zmin", u"\u03A9", 70, 0.0, 1e5, 1, 10.0}, 2, 52, 180);
  nioMaxZ =
      makeField(group, {"nioMaxZ", u"Zmax", u"\u03A9", 36, 0.0, 1e5, 1, 1500.0}, 190, 52, 146);
  nioPower = makeField(group, {"nioPower", u"Power", u"W", 52, 0.0, 1e5, 1, 100.0}, 340, 52, 160);
}

void TTunerPage::connectInputs() {
  const auto recompute = [this](TObject*) { Recompute(); };
  for (TNumIO2* field : {nioHeight.get(),
                         nioPermittivity.get(),
                         nioConductivity.get(),
                         nioWireDiameter.get(),
                         nioMaxSwr.get(),
                         nioMinZ.get(),
                         nioMaxZ.get(),
                         nioPower.get()}) {
    field->OnChange = recompute;
  }
  const auto custom = [this](TObject*) { customLineTyped(); };
  for (TNumIO2* field : {nioZ0.get(),
                         nioVF.get(),
                         nioLineDiameter.get(),
                         nioLossTangent.get(),
                         nioLossDb.get(),
                         nioLossMHz.get(),
                         nioLoss2Db.get(),
                         nioLoss2MHz.get()}) {
    field->OnChange = custom;
  }
  nioFeedLenm->OnChange = [this](TObject*) {
    nioFeedLenft->SetNioValue(nioFeedLenm->GetNioValue() / MetresPerFoot);
    feederTyped(nioFeedLenm->GetNioValue());
  };
  nioFeedLenft->OnChange = [this](TObject*) {
    nioFeedLenm->SetNioValue(nioFeedLenft->GetNioValue() * MetresPerFoot);
    feederTyped(nioFeedLenft->GetNioValue() * MetresPerFoot);
  };
  const auto choice = [this] {
    RunGuarded([this] {
      showChoices();
      Recompute();
    });
  };
  for (QComboBox* box : {cbWire, cbGround, cbTuner, cbRegion}) {
    QObject::connect(box, &QComboBox::currentIndexChanged, choice);
  }
  for (QCheckBox* box : {cbMeasuredLoss, cbSecondLoss}) {
    QObject::connect(
        box, &QCheckBox::toggled, [this] { RunGuarded([this] { customLineTyped(); }); });
  }
  for (QCheckBox* box : cbFinderBands) {
    QObject::connect(box, &QCheckBox::toggled, [this] { RunGuarded([this] { Recompute(); }); });
  }
  QObject::connect(tblSpans, &QTableWidget::cellClicked, [this](int row, int) {
    RunGuarded([this, row] { spanChosen(row); });
  });
  QObject::connect(
      cbLine, &QComboBox::currentIndexChanged, [this] { RunGuarded([this] { lineChosen(); }); });
  QObject::connect(btnCancel, &QPushButton::clicked, [this] {
    RunGuarded([this] {
      FCompute.Cancel();
      showState();
    });
  });
}

// The fields that belong to a choice show its values, and take the user's
// own only where the choice is "own" or "Custom".
void TTunerPage::showChoices() {
  const int wire = cbWire->currentIndex();
  nioWireDiameter->SetReadOnly(wire != kOwnWire);
  if (wire == 0) nioWireDiameter->SetNioValue(kDefaultWireMm);
  if (wire > 0 && wire < kOwnWire)
    nioWireDiameter->SetNioValue(WireGauges.at(size_t(wire - 1)).diameterMm);
  const int ground = cbGround->currentIndex();
  const bool real =
      ground == kOwnGround || GroundClasses.at(size_t(ground)).ground.kind == TGroundKind::Real;
  for (TNumIO2* field : {nioPermittivity.get(), nioConductivity.get()}) {
    field->SetReadOnly(ground != kOwnGround);
    field->SetEnabled(real);
  }
  if (ground != kOwnGround && real) {
    nioPermittivity->SetNioValue(GroundClasses.at(size_t(ground)).ground.permittivity);
    nioConductivity->SetNioValue(GroundClasses.at(size_t(ground)).ground.conductivity);
  }
  showLineChoice();
  const bool internal = cbTuner->currentIndex() == 0;
  nioMaxSwr->SetEnabled(internal);
  nioMinZ->SetEnabled(!internal);
  nioMaxZ->SetEnabled(!internal);
}

// The line's fields show the chosen line; only "Custom" takes typed values.
void TTunerPage::showLineChoice() {
  const bool custom = FLine.line == CustomLine;
  const TTransmissionLine line = FLine.Line();
  for (TNumIO2* field : {nioZ0.get(), nioVF.get(), nioLineDiameter.get(), nioLossTangent.get()})
    field->SetReadOnly(!custom);
  nioZ0->SetNioValue(line.z0);
  nioVF->SetNioValue(line.velocityFactor);
  nioLineDiameter->SetNioValue(line.conductorDiameterM * 1000);
  nioLossTangent->SetNioValue(line.lossTangent);
  nioLossTangent->SetEnabled(!line.measuredLoss);
  cbMeasuredLoss->setEnabled(custom);
  {
    const QSignalBlocker quiet(cbMeasuredLoss);
    cbMeasuredLoss->setChecked(line.measuredLoss.has_value());
  }
  {
    const QSignalBlocker quiet(cbSecondLoss);
    cbSecondLoss->setChecked(line.secondMeasuredLoss.has_value());
  }
  cbSecondLoss->setEnabled(custom && line.measuredLoss);
  if (line.measuredLoss) {
    nioLossDb->SetNioValue(line.measuredLoss->dbPer100m);
    nioLossMHz->SetNioValue(line.measuredLoss->frequencyMHz);
  }
  if (line.secondMeasuredLoss) {
    nioLoss2Db->SetNioValue(line.secondMeasuredLoss->dbPer100m);
    nioLoss2MHz->SetNioValue(line.secondMeasuredLoss->frequencyMHz);
  }
  enableLossFields();
}

void TTunerPage::enableLossFields() {
  const bool custom = FLine.line == CustomLine;
  const bool measured = custom && cbMeasuredLoss->isChecked();
  const bool second = measured && cbSecondLoss->isChecked();
  nioLossDb->SetEnabled(measured);
  nioLossMHz->SetEnabled(measured);
  cbSecondLoss->setEnabled(measured);
  nioLoss2Db->SetEnabled(second);
  nioLoss2MHz->SetEnabled(second);
  nioLossTangent->SetEnabled(!(custom && cbMeasuredLoss->isChecked()));
}

// What the fields say, and the first value out of its range.
std::string TTunerPage::readInputs(TTunerInputs& inputs) const {
  TTunerSetup& s = inputs.setup;
  s.antenna.lengthM = FDipoleFeet * MetresPerFoot;
  s.antenna.heightM = nioHeight->GetNioValue();
  s.antenna.wireDiameterM = nioWireDiameter->GetNioValue() / 1000;
  const int ground = cbGround->currentIndex();
  s.antenna.ground = ground == kOwnGround ? TGround{TGroundKind::Real,
                                                    nioPermittivity->GetNioValue(),
                                                    nioConductivity->GetNioValue()}
                                          : GroundClasses.at(size_t(ground)).ground;
  s.line = FLine.Line();
  s.feederM = FFeederMetres;
  s.powerW = nioPower->GetNioValue();
  const bool internal = cbTuner->currentIndex() == 0;
  s.tuner = {internal ? TTuner::Internal : TTuner::External,
             nioMaxSwr->GetNioValue(),
             nioMinZ->GetNioValue(),
             nioMaxZ->GetNioValue()};
  s.region = cbRegion->currentIndex() == 2   ? TRegion::Region3
             : cbRegion->currentIndex() == 1 ? TRegion::Region2
                                             : TRegion::Region1;
  inputs.frequencyMHz = FFrequencyMHz;
  for (int band = 0; band < int(FChecked.size()); ++band) {
    if (FChecked[size_t(band)]) inputs.bands.push_back(band);
    if (FChecked[size_t(band)] && !cbFinderBands[size_t(band)]->isChecked())
      inputs.finderExcluded.push_back(band);
  }
  return firstInputError(inputs.setup);
}

// The first value out of its field's range, or nothing.
std::string TTunerPage::firstInputError(const TTunerSetup& s) const {
  const bool ownGround = cbGround->currentIndex() == kOwnGround;
  const bool internal = s.tuner.kind == TTuner::Internal;
  const bool custom = FLine.line == CustomLine;
  const bool measured = custom && s.line.measuredLoss;
  const bool second = measured && s.line.secondMeasuredLoss;
  const std::string errors[] = {
      rangeError("The height", *nioHeight, false),
      rangeError("The wire diameter", *nioWireDiameter, false),
      ownGround ? rangeError("The permittivity", *nioPermittivity, true) : "",
      ownGround ? rangeError("The conductivity", *nioConductivity, true) : "",
      custom ? rangeError("Z0", *nioZ0, false) : "",
      custom ? rangeError("The velocity factor", *nioVF, true) : "",
      custom ? rangeError("The conductor diameter", *nioLineDiameter, false) : "",
      custom && !measured ? rangeError("The loss tangent", *nioLossTangent, true) : "",
      measured ? rangeError("The measured loss", *nioLossDb, true) : "",
      measured ? rangeError("The loss's frequency", *nioLossMHz, true) : "",
      second ? rangeError("The second measured loss", *nioLoss2Db, true) : "",
      second ? rangeError("The second loss's frequency", *nioLoss2MHz, true) : "",
      custom ? lineError(s.line) : "",
      FFeederMetres >= 0 && FFeederMetres <= 1000
          ? ""
          : "The feeder length must lie from 0 up to 1000 m.",
      rangeError("The power", *nioPower, false),
      internal ? rangeError("S", *nioMaxSwr, true) : "",
      !internal ? rangeError("Zmin", *nioMinZ, false) : "",
      !internal ? rangeError("Zmax", *nioMaxZ, false) : "",
      !internal && !(s.tuner.minZ < s.tuner.maxZ) ? "Zmin must lie below Zmax." : "",
  };
  for (const std::string& error : errors) {
    if (!error.empty()) return error;
  }
  return {};
}

void TTunerPage::SetCalculatorInputs(double dipoleFeet, double frequencyMHz,
                                     const std::array<bool, 10>& checked) {
  FDipoleFeet = dipoleFeet;
  FFrequencyMHz = frequencyMHz;
  FChecked = checked;
  Recompute();
}

void TTunerPage::SetLineChoice(const TLineChoice& choice) {
  FLine = choice;
  {
    const QSignalBlocker quiet(cbLine);
    cbLine->setCurrentIndex(choice.line);
  }
  showChoices();
  Recompute();
}

void TTunerPage::SetFeederMetres(double metres) {
  FFeederMetres = metres;
  nioFeedLenm->SetNioValue(metres);
  nioFeedLenft->SetNioValue(metres / MetresPerFoot);
  Recompute();
}

void TTunerPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (FStale) RunGuarded([this] { Recompute(); });
}

// No antenna runs for a page nobody sees: a run stops, and what it had not
// computed is computed when the page is shown again (what it had stays in
// the cache).
void TTunerPage::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (FCompute.State() != TTunerState::Running) return;
  FCompute.Stop();
  FStale = true;
  FPoll->stop();
}

void TTunerPage::Recompute() {
  if (!isVisible()) {
    FStale = true;
    FCompute.Stop();
    return;
  }
  FStale = false;
  lblDipole->setText(QStringLiteral("Length %1 m (%2 ft) from the first page")
                         .arg(number(FDipoleFeet * MetresPerFoot, 2), number(FDipoleFeet, 2)));
  TTunerInputs inputs;
  FInputError = readInputs(inputs);
  if (!FInputError.empty()) {
    FCompute.Cancel();
    showState();
    return;
  }
  FCompute.SetInputs(inputs);
  showState();
}

void TTunerPage::pollRun() {
  if (FCompute.Poll()) {
    showState();
  } else {
    showProgress();
  }
}

void TTunerPage::showState() {
  const TTunerState state = FCompute.State();
  if (state == TTunerState::Running && FInputError.empty()) {
    if (!FPoll->isActive()) FPoll->start();
    showProgress();
    return;
  }
  FPoll->stop();
  pbProgress->hide();
  btnCancel->hide();
  lblStatus->move(8, lblStatus->y());
  lblStatus->resize(652, lblStatus->height());
  if (!FInputError.empty()) {
    showFailure(localeText(FInputError));
  } else if (const TTunerResult* result = Result()) {
    showResult(*result);
  } else if (state == TTunerState::Failed) {
    showFailure(localeText(FCompute.Error()));
  } else {
    emptyResults();
  }
}

// Earlier results stay, dimmed, until the new ones come.
void TTunerPage::showProgress() {
  const TNecProgress progress = FCompute.Progress();
  pbProgress->setRange(0, std::max(progress.total, 1));
  pbProgress->setValue(progress.done);
  pbProgress->show();
  btnCancel->show();
  lblStatus->setGeometry(276, lblStatus->y(), 384, lblStatus->height());
  QPalette pal = lblStatus->palette();
  pal.setColor(QPalette::WindowText, ToQColor(clWindowText));
  lblStatus->setPalette(pal);
  lblStatus->setText(QStringLiteral("Antenna model by nec2c: %1 of %2 frequencies")
                         .arg(progress.done)
                         .arg(progress.total));
  tblBands->setEnabled(false);
  tblSpans->setEnabled(false);
}

void TTunerPage::showResult(const TTunerResult& result) {
  tblBands->setEnabled(true);
  tblSpans->setEnabled(true);
  showRows(result);
  showSpans(result);
  if (!FCharted || !sameCurves(*FCharted, result)) {
    chart->Show(result);
    FCharted = result;
  } else {
    chart->SetFeeder(result.setup.feederM);
  }
  QStringList unmatched;
  for (const TTunerRow& row : result.rows) {
    if (!row.CanMatch()) unmatched << localeText(TrimmedText(row.verdict.worstMHz, 3));
  }
  const QString feeder = number(result.setup.feederM, 2);
  const QString whole = result.bands.empty() ? QStringLiteral("the frequency")
                                             : QStringLiteral("every band across its width");
  QString status =
      unmatched.isEmpty()
          ? QStringLiteral("At %1 m of feeder the tuner matches %2.").arg(feeder, whole)
      : unmatched.size() <= 4
          ? QStringLiteral("At %1 m of feeder the tuner cannot match %2 MHz.")
                .arg(feeder, unmatched.join(QStringLiteral(", ")))
          : QStringLiteral("At %1 m of feeder the tuner cannot match %2 of the %3 bands.")
                .arg(feeder)
                .arg(unmatched.size())
                .arg(result.rows.size());
  if (result.finder.SuitsAll()) {
    const TFeederSpan& best = result.finder.spans.front();
    status += QStringLiteral(" Best length for all: %1 m, within %2 to %3 m.")
                  .arg(number(best.bestM, 2), number(best.fromM, 2), number(best.toM, 2));
  } else {
    status += QStringLiteral(" No feeder length from 0.5 to 60 m suits all (see Feeder lengths).");
  }
  QPalette pal = lblStatus->palette();
  pal.setColor(QPalette::WindowText, ToQColor(clWindowText));
  lblStatus->setPalette(pal);
  lblStatus->setText(status);
  lblStatus->setToolTip({});
}

void TTunerPage::showRows(const TTunerResult& result) {
  tblBands->setRowCount(int(result.rows.size()));
  for (int r = 0; r < int(result.rows.size()); ++r) {
    const TTunerRow& row = result.rows[size_t(r)];
    const int band = result.bands.empty() ? -1 : result.bands[size_t(r)];
    cell(tblBands, r, 0, number(row.frequencyMHz, 3))
        ->setForeground(ToQColor(TunerCurveColor(band)));
    cell(tblBands, r, 1, impedanceText(row.feedImpedance) + uncertaintyText(row));
    cell(tblBands, r, 2, swrText(row.ends.swr));
    cell(tblBands, r, 3, impedanceText(row.ends.tunerImpedance));
    cell(tblBands, r, 4, number(row.ends.matchedLossDb, 2));
    cell(tblBands, r, 5, number(row.ends.totalLossDb, 2));
    cell(tblBands, r, 6, number(row.ends.efficiency * 100, 1));
    cell(tblBands, r, 7, number(row.ends.peakVoltage, 0));
    QTableWidgetItem* match = cell(tblBands, r, 8, localeText(MatchText(row)));
    match->setTextAlignment(Qt::AlignCenter);
    match->setToolTip(QStringLiteral("Worst point of the band: %1 MHz, margin \u00D7%2")
                          .arg(localeText(TrimmedText(row.verdict.worstMHz, 4)),
                               number(std::exp(row.verdict.worstMargin), 2)));
    if (!row.CanMatch()) match->setForeground(ToQColor(clRed));
    cell(tblBands,
         r,
         9,
         row.firstCurrentMaximum ? number(*row.firstCurrentMaximum, 2) : QStringLiteral("\u2013"));
    const QString rule = row.classicMaximum
                             ? number(*row.classicMaximum, 2) +
                                   (row.ruleDiffers ? QStringLiteral(" *") : QStringLiteral("  "))
                             : QStringLiteral("\u2013  ");
    QTableWidgetItem* classic = cell(tblBands, r, 10, rule);
    if (row.ruleDiffers) {
      classic->setToolTip(
          QStringLiteral("More than 1/16 line wavelength (%1 m) from the antenna model's maximum")
              .arg(number(row.lineWavelength / 16, 2)));
    }
  }
}

void TTunerPage::showSpans(const TTunerResult& result) {
  const std::vector<TFeederSpan>& spans = result.finder.spans;
  tblSpans->setRowCount(int(spans.size()));
  for (int r = 0; r < int(spans.size()); ++r) {
    const TFeederSpan& span = spans[size_t(r)];
    cell(tblSpans, r, 0, number(span.fromM, 2));
    cell(tblSpans, r, 1, number(span.toM, 2));
    cell(tblSpans, r, 2, number(span.bestM, 2));
    cell(tblSpans, r, 3, number(span.worstMHz, 4));
    cell(tblSpans, r, 4, QStringLiteral("\u00D7") + number(std::exp(span.worstMargin), 2));
    cell(tblSpans, r, 5, localeText(SpanTexts(span, result.setup.region)[5]))
        ->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  }
  tblSpans->setVisible(!spans.empty());
  const QString what = result.bands.empty()
                           ? QStringLiteral("the frequency")
                           : QStringLiteral("every band judged, each across its width");
  lblSpans->setText(
      !result.finder.SuitsAll()
          ? localeText(NoSpanMessage(result.finder, result.setup.region, result.frequencyMHz))
          : QStringLiteral(
                "Feeder lengths from 0.5 to 60 m at which the tuner matches %1, the largest "
                "worst-case margin first (at the best length, the factor by which the SWR "
                "or |Z| could still change before the tuner gives up).")
                .arg(what));
}

void TTunerPage::showFailure(const QString& why) {
  QPalette pal = lblStatus->palette();
  pal.setColor(QPalette::WindowText, ToQColor(clRed));
  lblStatus->setPalette(pal);
  lblStatus->setText(why);
  lblStatus->setToolTip(why);
  emptyResults();
  lblSpans->setText(why);
}

void TTunerPage::emptyResults() {
  tblBands->setRowCount(0);
  tblSpans->setRowCount(0);
  tblSpans->hide();
  lblSpans->clear();
  if (FCharted) chart->Clear();
  FCharted.reset();
}

void TTunerPage::feederTyped(double metres) {
  FFeederMetres = metres;
  Recompute();
  if (OnFeederChange) OnFeederChange(metres);
}

void TTunerPage::feederDragged(double metres) {
  nioFeedLenm->SetNioValue(metres);
  nioFeedLenft->SetNioValue(metres / MetresPerFoot);
  feederTyped(metres);
}

void TTunerPage::spanChosen(int row) {
  const TTunerResult* result = Result();
  if (!result || row < 0 || row >= int(result->finder.spans.size())) return;
  feederDragged(result->finder.spans[size_t(row)].bestM);
}

void TTunerPage::lineChosen() {
  FLine.line = cbLine->currentIndex();
  showChoices();
  Recompute();
  if (OnLineChange) OnLineChange(FLine);
}

// Only "Custom" takes typed values: its fields are read-only otherwise.
void TTunerPage::customLineTyped() {
  if (FLine.line != CustomLine) return;
  TTransmissionLine& line = FLine.custom;
  line.z0 = nioZ0->GetNioValue();
  line.velocityFactor = nioVF->GetNioValue();
  line.conductorDiameterM = nioLineDiameter->GetNioValue() / 1000;
  line.lossTangent = nioLossTangent->GetNioValue();
  line.measuredLoss.reset();
  line.secondMeasuredLoss.reset();
  if (cbMeasuredLoss->isChecked())
    line.measuredLoss = TMeasuredLoss{nioLossDb->GetNioValue(), nioLossMHz->GetNioValue()};
  if (cbMeasuredLoss->isChecked() && cbSecondLoss->isChecked())
    line.secondMeasuredLoss = TMeasuredLoss{nioLoss2Db->GetNioValue(), nioLoss2MHz->GetNioValue()};
  enableLossFields();
  Recompute();
  if (OnLineChange) OnLineChange(FLine);
}

std::u16string TTunerPage::TableText() const {
  const auto line = [](const auto& fields) {
    QStringList cells;
    for (const auto& field : fields) cells << localeText(field);
    return FromQString(cells.join(u'\t')) + u"\n";
  };
  std::u16string text = line(TunerCsvColumns);
  if (const TTunerResult* result = Result())
    for (const TTunerRow& r : result->rows) text += line(TunerCsvTexts(r));
  return text;
}

std::vector<QWidget*> TTunerPage::TabOrder() const {
  return {cbLine,
          nioFeedLenm->Widget(),
          nioFeedLenft->Widget(),
          btnCancel,
          tabs,
          tblBands,
          chart->Chart().Widget(),
          cbFinderBands[0],
          cbFinderBands[1],
          cbFinderBands[2],
          cbFinderBands[3],
          cbFinderBands[4],
          cbFinderBands[5],
          cbFinderBands[6],
          cbFinderBands[7],
          cbFinderBands[8],
          cbFinderBands[9],
          tblSpans,
          nioHeight->Widget(),
          cbWire,
          nioWireDiameter->Widget(),
          cbGround,
          nioPermittivity->Widget(),
          nioConductivity->Widget(),
          nioZ0->Widget(),
          nioVF->Widget(),
          nioLineDiameter->Widget(),
          nioLossTangent->Widget(),
          cbMeasuredLoss,
          nioLossDb->Widget(),
          nioLossMHz->Widget(),
          cbSecondLoss,
          nioLoss2Db->Widget(),
          nioLoss2MHz->Widget(),
          cbTuner,
          nioMaxSwr->Widget(),
          cbRegion,
          nioMinZ->Widget(),
          nioMaxZ->Widget(),
          nioPower->Widget(),
          btnReport};
}

void ShareFeeder(TFeederCheckPage& check, TTunerPage& tuner) {
  check.OnLineChange = [&tuner](const TLineChoice& choice) { tuner.SetLineChoice(choice); };
  tuner.OnLineChange = [&check](const TLineChoice& choice) { check.SetLineChoice(choice); };
  check.OnFeederChange = [&tuner](double metres) { tuner.SetFeederMetres(metres); };
  tuner.OnFeederChange = [&check](double metres) { check.SetFeederMetres(metres); };
}
