// The program's only window: the input fields, the feeder choice, the band
// list, the result list, the two charts with the read-outs, and the handlers
// that tie them to the feeder calculation.
#pragma once

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "app/FeederEngine.h"
#include "controls/chart/PLX_rchart.h"
#include "controls/numeric/PLX_NumIO.h"
#include "controls/numeric/PLX_NumLab.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class TFeederCheckPage;

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
  QMenu* puRc;

  // The list's lines, top to bottom.
  std::vector<std::u16string> Memo1Lines() const;
  // Whether band i (0..9) of the band list is checked.
  bool Checked(int i) const;
  void SetChecked(int i, bool checked);
  const TFeederState& State() const { return FState; }

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
  void RChart1MouseMoveInChart(TObject* Sender, bool InChart, TShiftState Shift,
                               double rMousePosX, double rMousePosY);
  void Copytoclipboard1Click();
  void Button2Click();
  // The feeder check page was chosen: it takes the calculator's dipole and bands.
  void TabSheet3Show();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void createStandardControls();
  void createNumericFields(QWidget* groupBox4, QWidget* groupBox1);
  void createLabels(QWidget* page);
  void createCharts(QWidget* page1, QWidget* panel1);
  void applyTabOrder();
  void StepDipole(TStepDirection direction);
  void appendLine(const std::u16string& line);

  TFeederState FState;
  bool FShown = false;
};
