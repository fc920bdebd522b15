#include "app/FeederCheckPage.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "app/FeederCheck.h"
#include "app/FeederEngine.h"
#include "app/WindowControls.h"
#include "platform/Colors.h"
#include "platform/Errors.h"
#include "platform/Locale.h"
#include "platform/QtPicture.h"
#include "platform/QtText.h"

namespace {

// The band table: a header line, then one row a band in use, top down.
constexpr int kHeaderTop = 112;
constexpr int kRowsTop = 130;
constexpr int kRowPitch = 28;
constexpr int kRowHeight = 25;
// Columns of a row.
constexpr int kBandLeft = 16;
constexpr int kNearestLeft = 70;
constexpr int kChangeLeft = 168;
constexpr int kFeetInchesLeft = 300;
constexpr int kWarningLeft = 384;
constexpr int kRowRight = 660;
// The slot of "add", "cut" or "keep" left of the change: the widest word,
// right-justified, keeps a few pixels from the column before.
constexpr int kChangeWordSpace = 34;

QLabel* Text(QWidget* parent, const QString& text, int left, int top, int width, int height) {
  return place(new QLabel(text, parent), left, top, width, height);
}

QLabel* RedText(QWidget* parent, int left, int top, int width, int height) {
  QLabel* label = Text(parent, {}, left, top, width, height);
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, ToQColor(clRed));
  label->setPalette(pal);
  return label;
}

// The window's numbers take the locale's decimal separator.
QString Fixed(double value, int decimals) { return ToQString(FormatFixed(value, decimals)); }

}  // namespace

TFeederCheckPage::TFeederCheckPage() {
  CreateFeederGroup();
  FFeederMetres = nioFeedLenm->GetNioValue();
  CreateBandRows();
  ShowLine();
  Recompute();
}

TFeederCheckPage::~TFeederCheckPage() = default;

void TFeederCheckPage::CreateFeederGroup() {
  QGroupBox* group = makeGroupBox(this, "Your feeder", 8, 4, 652, 88);
  nioFeedLenm = makeField(
      group, {"nioFeedLenm", u"Feeder length", u"meter", 75, 0.0, 1000.0, 2, 20.0}, 2, 19, 201);
  nioFeedLenft =
      makeField(group,
                {"nioFeedLenft", u"Feeder length", u"ft", 75, 0.0, 1000.0, 2, 20.0 / MetresPerFoot},
                2,
                50,
                201);
  Text(group, QStringLiteral("Line"), 224, 24, 30, 13);
  cbLine = place(new QComboBox(group), 256, 20, 170, 21);
  for (int line = 0; line < FeederLineCount; ++line)
    cbLine->addItem(ToQString(FeederLineName(line)));
  // The shared line, as the Tuner page starts: one line for both pages.
  cbLine->setCurrentIndex(FeederLineOf(FLine.line));
  const double factor = FLine.custom.velocityFactor;
  nioVF = makeField(
      group,
      {"nioVF", u"Velocity factor", u"", 90, MinVelocityFactor, MaxVelocityFactor, 2, factor},
      210,
      50,
      216);
  lblDipole = Text(group, {}, 440, 24, 205, 13);
  nlConstant = makeLabel(group, {"nlConstant", u"Constant", u"ft MHz", 50, 2}, 440, 50, 205);
  lblError = RedText(this, 16, 96, 644, 13);
  // Right of the table's header, clear of its rows.
  btnReport = makeButton(this, "Save report as PDF\u2026", 536, 102, 124, 25);

  nioFeedLenm->OnChange = [this](TObject* sender) { nioFeedLenmChange(sender); };
  nioFeedLenft->OnChange = [this](TObject* sender) { nioFeedLenftChange(sender); };
  nioVF->OnChange = [this](TObject* sender) { nioVFChange(sender); };
  QObject::connect(cbLine, &QComboBox::currentIndexChanged, [this] { cbLineChange(); });
}

void TFeederCheckPage::CreateBandRows() {
  Text(this, QStringLiteral("Band"), kBandLeft, kHeaderTop, 50, 13);
  Text(this,
       QStringLiteral("Nearest maximum"),
       kNearestLeft,
       kHeaderTop,
       kChangeLeft - kNearestLeft,
       13);
  Text(this,
       QStringLiteral("Change to reach it"),
       kChangeLeft,
       kHeaderTop,
       kWarningLeft - kChangeLeft,
       13);
  Text(this, QStringLiteral("Warning"), kWarningLeft, kHeaderTop, 100, 13);
  for (size_t i = 0; i < Rows.size(); ++i) {
    TBandRow& row = Rows[i];
    const int top = kRowsTop + int(i) * kRowPitch;
    const std::string n = std::to_string(i + 1);
    row.band = Text(this,
                    QString::number(BandPresets[i].frequency) + QStringLiteral(" MHz"),
                    kBandLeft,
                    top,
                    kNearestLeft - kBandLeft,
                    kRowHeight);
    row.nearest = makeLabel(this,
                            {("nlNearest" + n).c_str(), u"", u"m", 0, 2},
                            kNearestLeft,
                            top,
                            kChangeLeft - kNearestLeft - 2);
    row.change = makeLabel(this,
                           {("nlChange" + n).c_str(), u"cut", u"m", kChangeWordSpace, 2},
                           kChangeLeft,
                           top,
                           kFeetInchesLeft - kChangeLeft - 4);
    row.feetInches =
        Text(this, {}, kFeetInchesLeft, top, kWarningLeft - kFeetInchesLeft, kRowHeight);
    row.warning = RedText(this, kWarningLeft, top, kRowRight - kWarningLeft, kRowHeight);
    row.message = Text(this, {}, kNearestLeft, top, kRowRight - kNearestLeft, kRowHeight);
  }
}

std::array<QWidget*, 5> TFeederCheckPage::TabOrder() const {
  return {nioFeedLenm->Widget(), nioFeedLenft->Widget(), cbLine, nioVF->Widget(), btnReport};
}

void TFeederCheckPage::SetCalculatorInputs(double dipoleFeet, const std::array<bool, 10>& checked) {
  FDipoleFeet = dipoleFeet;
  FChecked = checked;
  Recompute();
}

// The velocity factor field shows the chosen line's factor; only "Custom"
// lets the user give one.
void TFeederCheckPage::ShowLine() {
  const int line = cbLine->currentIndex();
  cbLine->setToolTip(cbLine->currentText());
  nioVF->SetReadOnly(line != CustomFeederLine);
  nioVF->SetNioValue(VelocityFactorOf(line, FLine.custom.velocityFactor));
}

void TFeederCheckPage::SetLineChoice(const TLineChoice& choice) {
  FLine = choice;
  const QSignalBlocker quiet(cbLine);
  cbLine->setCurrentIndex(FeederLineOf(choice.line));
  ShowLine();
  Recompute();
}

void TFeederCheckPage::SetFeederMetres(double metres) {
  FFeederMetres = metres;
  nioFeedLenm->SetNioValue(metres);
  nioFeedLenft->SetNioValue(metres / MetresPerFoot);
  Recompute();
}

// The box shows the start of a long name; its list and tooltip the whole.
// Measured in the box's font of the moment, which the window sets after.
void TFeederCheckPage::widenLineList() {
  int widest = 0;
  for (int i = 0; i < cbLine->count(); ++i)
    widest = std::max(widest, cbLine->fontMetrics().horizontalAdvance(cbLine->itemText(i)));
  cbLine->view()->setMinimumWidth(widest + 24);
}

// The read-outs write "," where the locale does.
void TFeederCheckPage::FollowLocale() {
  const bool comma = LocaleDecimalSeparator() == u',';
  nlConstant->SetComma(comma);
  for (TBandRow& row : Rows) {
    row.nearest->SetComma(comma);
    row.change->SetComma(comma);
  }
}

TFeederCheckInputs TFeederCheckPage::Inputs() const {
  return {
      FDipoleFeet, FChecked, cbLine->currentIndex(), FLine.custom.velocityFactor, FFeederMetres};
}

void TFeederCheckPage::Recompute() {
  FollowLocale();
  widenLineList();
  lblDipole->setText(QStringLiteral("Dipole length %1 ft (first page)").arg(Fixed(FDipoleFeet, 2)));
  const TFeederCheckInputs inputs = Inputs();
  const std::optional<double> constant = FeederConstantOf(inputs.line, inputs.customFactor);
  const QString error = ToQString(FeederCheckError(inputs));
  lblError->setText(error);
  lblError->setVisible(!error.isEmpty());
  nlConstant->SetEmpty(!constant);
  if (constant) nlConstant->SetLabValue(*constant);
  for (TBandRow& row : Rows) HideRow(row);
  if (!error.isEmpty()) return;
  int slot = 0;
  for (size_t band : CheckedOrAllBands(FChecked))
    ShowRow(Rows[band], CheckBand(inputs, band), slot++);
}

void TFeederCheckPage::ShowRow(TBandRow& row, const TFeederCheck& check, int slot) {
  const int top = kRowsTop + slot * kRowPitch;
  row.band->move(kBandLeft, top);
  row.band->show();
  row.nearest->SetTop(top);
  row.change->SetTop(top);
  row.feetInches->move(kFeetInchesLeft, top);
  row.warning->move(kWarningLeft, top);
  row.message->move(kNearestLeft, top);
  row.nearest->SetVisible(check.done);
  row.change->SetVisible(check.done);
  row.feetInches->setVisible(check.done);
  row.warning->setVisible(check.done && check.nearVoltageMaximum);
  row.message->setVisible(!check.done);
  if (!check.done) {
    // Shortened to the row; the whole text on the tooltip.
    const QString full = ToQString(check.message);
    row.message->setText(
        row.message->fontMetrics().elidedText(full, Qt::ElideRight, row.message->width()));
    row.message->setToolTip(full);
    return;
  }
  row.nearest->SetLabValue(check.nearestMaximum);
  row.change->SetLeftText(ChangeWord(check.change));
  row.change->SetLabValue(std::abs(ShownChange(check.change)));
  row.feetInches->setText(
      ToQString(FeetInchesText(ShownChange(check.change), LocaleDecimalSeparator())));
  row.warning->setText(QStringLiteral("Avoid: %1 m from a voltage maximum at %2 m")
                           .arg(Fixed(check.voltageDistance, 2), Fixed(check.voltageMaximum, 2)));
  row.warning->setToolTip(
      QStringLiteral("High impedance at the tuner: within 1/16 wavelength (%1 m) of it")
          .arg(Fixed(check.wavelength / 16, 2)));
}

void TFeederCheckPage::HideRow(TBandRow& row) {
  row.band->hide();
  row.nearest->SetVisible(false);
  row.change->SetVisible(false);
  row.feetInches->hide();
  row.warning->hide();
  row.message->hide();
}

// ---- handlers ----------------------------------------------------------------

// The length is taken from the field the user typed in, as typed: the
// other field shows it rounded to its two decimals.
void TFeederCheckPage::nioFeedLenmChange(TObject*) {
  FFeederMetres = nioFeedLenm->GetNioValue();
  nioFeedLenft->SetNioValue(FFeederMetres / MetresPerFoot);
  feederChanged();
}

void TFeederCheckPage::nioFeedLenftChange(TObject*) {
  FFeederMetres = nioFeedLenft->GetNioValue() * MetresPerFoot;
  nioFeedLenm->SetNioValue(FFeederMetres);
  feederChanged();
}

void TFeederCheckPage::feederChanged() {
  Recompute();
  if (OnFeederChange) OnFeederChange(FFeederMetres);
}

void TFeederCheckPage::nioVFChange(TObject*) {
  FLine.custom.velocityFactor = nioVF->GetNioValue();
  Recompute();
  if (OnLineChange) OnLineChange(FLine);
}

// "450/600" is this page's own: the shared line stays what it was.
void TFeederCheckPage::cbLineChange() {
  const int physical = PhysicalLineOf(cbLine->currentIndex());
  if (physical >= 0) FLine.line = physical;
  ShowLine();
  Recompute();
  if (physical >= 0 && OnLineChange) OnLineChange(FLine);
}
