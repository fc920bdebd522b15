// The program's only window: the input fields, the feeder choice, the band
// list, the result list, the two charts with the read-outs, and the handlers
// that tie them to the feeder calculation.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ChartZoom.h"
#include "app/FeederCsv.h"
#include "app/FeederEngine.h"
#include "app/Report.h"
#include "controls/chart/PLX_rchart.h"
#include "controls/numeric/PLX_NumIO.h"
#include "controls/numeric/PLX_NumLab.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class TFeederCheckPage;
class TTunerPage;

class TfrmMain : public QWidget {
 public:
  TfrmMain();
  ~TfrmMain() override;

  // The controls, as the handlers and tests reach them.
  std::unique_ptr<TNumIO2> nioFreq;
  std::unique_ptr<TNumIO2> niodiplenft;
  std::unique_ptr<TNumIO2> nioDipolLenm;
  std::unique_ptr<TNumIO2> nioDipolStep;
  std::unique_ptr<TNumLab> nlFeedLin;
  std::unique_ptr<TNumLab> nlFreq;
  std::unique_ptr<TRChart> rc;
  std::unique_ptr<TRChart> RChart1;
  QPushButton* Button1;
  QPushButton* btnDipolPluss;
  QPushButton* btnDipolDec;
  QPushButton* btnBatch;
  QPushButton* btnCalc;
  QPushButton* btnClearGraph;
  QPushButton* btnPlott;
  QPushButton* Button2;
  QPlainTextEdit* Memo1;
  QListWidget* clbBand;
  QComboBox* cbZ0;
  QTabWidget* PageControl1;
  TFeederCheckPage* TabSheet3;  // "Feeder check"
  TTunerPage* TabSheet4;        // "Tuner"
  QMenu* puRc;
  QCheckBox* cbLengthsToAvoid;  // "Show lengths to avoid" on the first page

  // Asks for the name of a file to save (caption, file type filter, suggested
  // name); empty when the user cancels. Qt's file dialog unless replaced.
  using TAskSaveFileName =
      std::function<std::u16string(const std::u16string& caption, const std::u16string& filter,
                                   const std::u16string& suggested)>;
  TAskSaveFileName AskSaveFileName;

  // The list's lines, top to bottom.
  std::vector<std::u16string> Memo1Lines() const;
  // Whether band i (0..9) of the band list is checked.
  bool Checked(int i) const;
  void SetChecked(int i, bool checked);
  const TFeederState& State() const { return FState; }
  // The calculations of the list, in its order, the dipole too short for
  // one of them included.
  const std::vector<TReportCalculation>& ListedCalculations() const { return FListed; }
  // The tuner view's results for the report, when they have been computed
  // (the Tuner page's); empty, the report has no tuner part.
  std::function<std::optional<TReportTuner>()> ReportTuner;

  // Handlers, with the calls of each in their order.
  void FormCreate();
  void FormShow();
  void Button1Click();
  void btnCalcClick();
  void Button3Click();
  void btnPlottClick();
  void btnBatchClick();
  void btnDipolPlussClick();
  void btnDipolDecClick();
  void btnClearGraphClick();
  void cbZ0Change();
  void niodiplenftChange(TObject* Sender);
  void nioDipolLenmChange(TObject* Sender);
  void rcMouseMoveInChart(TObject* Sender, bool InChart, TShiftState Shift, double rMousePosX,
                          double rMousePosY);
  void RChart1MouseMoveInChart(TObject* Sender, bool InChart, TShiftState Shift, double rMousePosX,
                               double rMousePosY);
  void Copytoclipboard1Click();
  void SavePicture1Click();  // "Save picture as PNG…"
  void SaveLengths1Click();  // "Save lengths as CSV…"
  void SaveReport1Click();   // "Save report as PDF…", also on the Feeder check and Tuner pages
  // The wheel over the first chart zooms both axes about the pointer.
  void rcMouseWheel(TObject* Sender, TShiftState Shift, int WheelDelta, int X, int Y,
                    bool& Handled);
  void Button2Click();
  // The feeder check and tuner pages take the calculator's dipole and bands
  // (the tuner page its frequency too): when chosen and whenever one
  // changes, so that they are never stale.
  void UpdateFeederCheck();

 protected:
  void showEvent(QShowEvent* event) override;
  // Keys no control used: the first chart's zoom keys while its page shows.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void createStandardControls();
  void createNumericFields(QWidget* groupBox4, QWidget* groupBox1);
  void createLabels(QWidget* page);
  void createCharts(QWidget* page1, QWidget* panel1);
  void applyTabOrder();
  void StepDipole(TStepDirection direction);
  void appendLine(const std::u16string& line);
  void clearResults();
  void zoomFirstChart(int notches, int X, int Y);
  // Steps through the zoom history until the first chart shows another range.
  void stepZoomHistory(bool forward);
  void saveFile(const std::u16string& caption, const std::u16string& filter,
                const std::u16string& suggested, const std::function<std::string()>& content);

  TFeederState FState;
  // The calculations in the list, for "Save lengths as CSV…" and the report.
  std::vector<TReportCalculation> FListed;
  TWheelNotches FWheelNotches;
  bool FShown = false;
};
