// The "Tuner" page: the user's dipole modelled by nec2c and the user's line
// carried through to the tuner on every band in use: a table, a chart of |Z|
// at the tuner against the feeder length, and the feeder lengths that suit
// every band. The antenna model runs off the window's thread, with a progress
// bar and Cancel; the page recomputes as its inputs change.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/LineChoice.h"
#include "app/TunerCompute.h"
#include "controls/numeric/PLX_NumIO.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTimer;
class TFeederCheckPage;
class TTunerChart;

class TTunerPage : public QWidget {
 public:
  // options: how nec2c is run (tests give another program).
  explicit TTunerPage(TNecRunOptions options = {});
  ~TTunerPage() override;

  // The top strip: the shared line and feeder length, the progress.
  QComboBox* cbLine;
  std::unique_ptr<TNumIO2> nioFeedLenm;
  std::unique_ptr<TNumIO2> nioFeedLenft;
  QProgressBar* pbProgress;
  QPushButton* btnCancel;
  QLabel* lblStatus;
  // The sub-pages, and "Save report as PDF…" beside their tabs (the window
  // connects it).
  QTabWidget* tabs;
  QPushButton* btnReport;
  QTableWidget* tblBands;  // "Table"
  QLabel* lblNotes;
  std::unique_ptr<TTunerChart> chart;  // "Chart"
  // "Feeder lengths": the bands the finder judges (a checked band of the
  // first page left out here stays in the table), its message and its spans.
  std::array<QCheckBox*, 10> cbFinderBands{};
  QLabel* lblSpans;
  QTableWidget* tblSpans;
  // "Antenna and tuner"
  QLabel* lblDipole;
  std::unique_ptr<TNumIO2> nioHeight;
  QComboBox* cbGround;
  std::unique_ptr<TNumIO2> nioPermittivity;
  std::unique_ptr<TNumIO2> nioConductivity;
  QComboBox* cbWire;
  std::unique_ptr<TNumIO2> nioWireDiameter;
  std::unique_ptr<TNumIO2> nioZ0;
  std::unique_ptr<TNumIO2> nioVF;
  std::unique_ptr<TNumIO2> nioLineDiameter;
  std::unique_ptr<TNumIO2> nioLossTangent;
  QCheckBox* cbMeasuredLoss;
  std::unique_ptr<TNumIO2> nioLossDb;
  std::unique_ptr<TNumIO2> nioLossMHz;
  QCheckBox* cbSecondLoss;
  std::unique_ptr<TNumIO2> nioLoss2Db;
  std::unique_ptr<TNumIO2> nioLoss2MHz;
  QComboBox* cbTuner;
  std::unique_ptr<TNumIO2> nioMaxSwr;
  std::unique_ptr<TNumIO2> nioMinZ;
  std::unique_ptr<TNumIO2> nioMaxZ;
  std::unique_ptr<TNumIO2> nioPower;
  QComboBox* cbRegion;

  // What the page takes from the first page: the dipole, the frequency and
  // the checked bands (none: the frequency alone). Recomputes.
  void SetCalculatorInputs(double dipoleFeet, double frequencyMHz,
                           const std::array<bool, 10>& checked);
  // The line and the feeder length shared with the Feeder check page: setting
  // them recomputes without raising the events, which report the user's changes.
  const TLineChoice& LineChoice() const { return FLine; }
  void SetLineChoice(const TLineChoice& choice);
  double FeederMetres() const { return FFeederMetres; }
  void SetFeederMetres(double metres);
  std::function<void(const TLineChoice&)> OnLineChange;
  std::function<void(double)> OnFeederChange;

  // What the page has computed and shows (setup, rows, feeder lengths), or
  // null while it computes or after an error.
  const TTunerResult* Result() const { return FInputError.empty() ? FCompute.Result() : nullptr; }
  const TTunerCompute& Compute() const { return FCompute; }
  // Reads the inputs and recomputes; while the page is hidden only notes
  // that it must, and does so when shown.
  void Recompute();
  // The table as text: the command line's CSV columns, tab-separated, with
  // the locale's decimal separator. Ctrl+C on the table copies it.
  std::u16string TableText() const;
  // The focusable controls in their tab order.
  std::vector<QWidget*> TabOrder() const;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void createTopStrip();
  void createTablePage(QWidget* page);
  void createChartPage(QWidget* page);
  void createSpansPage(QWidget* page);
  void createSettingsPage(QWidget* page);
  void createAntennaGroup(QWidget* page);
  void createLineGroup(QWidget* page);
  void createTunerGroup(QWidget* page);
  void connectInputs();
  void showChoices();
  void showLineChoice();
  void enableLossFields();
  std::string readInputs(TTunerInputs& inputs) const;
  std::string firstInputError(const TTunerSetup& setup) const;
  void showState();
  void showProgress();
  void showResult(const TTunerResult& result);
  void showRows(const TTunerResult& result);
  void showSpans(const TTunerResult& result);
  void showFailure(const QString& why);
  void emptyResults();
  void feederTyped(double metres);
  void feederDragged(double metres);
  void spanChosen(int row);
  void lineChosen();
  void customLineTyped();
  void pollRun();

  TTunerCompute FCompute;
  QTimer* FPoll;
  TLineChoice FLine;
  double FFeederMetres = 20;
  double FDipoleFeet = 85.30;
  double FFrequencyMHz = 7.1;
  std::array<bool, 10> FChecked{};
  bool FStale = true;
  std::string FInputError;  // a field out of its range: nothing is computed
  // What the chart shows, so that a new feeder length or power only moves
  // the crosshair instead of drawing every curve again.
  std::optional<TTunerResult> FCharted;
};

// Ties the two pages' line and feeder length together: a change the user
// makes on one shows on the other.
void ShareFeeder(TFeederCheckPage& check, TTunerPage& tuner);
