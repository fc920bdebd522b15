// The "Feeder check" page: the user's feeder (its length in metres and feet,
// its line) checked against every band in use: the nearest current maximum,
// how much to add or cut to reach it, and a warning near a voltage maximum.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/FeederCheck.h"
#include "app/LineChoice.h"
#include "controls/numeric/PLX_NumIO.h"
#include "controls/numeric/PLX_NumLab.h"

class QComboBox;
class QLabel;
class QPushButton;

class TFeederCheckPage : public QWidget {
 public:
  TFeederCheckPage();
  ~TFeederCheckPage() override;

  // One band's row; hidden when its band is not in use.
  struct TBandRow {
    QLabel* band;
    std::unique_ptr<TNumLab> nearest;  // metres
    std::unique_ptr<TNumLab> change;   // metres, "add" or "cut" on its left
    QLabel* feetInches;
    QLabel* warning;
    QLabel* message;  // the calculator's message, shortened to the row
  };

  std::unique_ptr<TNumIO2> nioFeedLenm;
  std::unique_ptr<TNumIO2> nioFeedLenft;
  std::unique_ptr<TNumIO2> nioVF;
  std::unique_ptr<TNumLab> nlConstant;
  QComboBox* cbLine;
  QLabel* lblDipole;
  QLabel* lblError;
  QPushButton* btnReport;  // "Save report as PDF…"; the window connects it
  std::array<TBandRow, 10> Rows;

  // What the check takes from the calculator: its dipole length and its
  // checked bands (none checked: all of them). Recomputes.
  void SetCalculatorInputs(double dipoleFeet, const std::array<bool, 10>& checked);
  // What the page checks: the calculator's inputs and the user's feeder.
  TFeederCheckInputs Inputs() const;
  void Recompute();
  // The line and the feeder length this page shares with the Tuner page:
  // setting them recomputes without raising the events below, which report
  // the user's own changes.
  const TLineChoice& LineChoice() const { return FLine; }
  void SetLineChoice(const TLineChoice& choice);
  double FeederMetres() const { return FFeederMetres; }
  void SetFeederMetres(double metres);
  std::function<void(const TLineChoice&)> OnLineChange;
  std::function<void(double)> OnFeederChange;
  // The focusable controls in their tab order.
  std::array<QWidget*, 5> TabOrder() const;

  // Handlers.
  void nioFeedLenmChange(TObject* Sender);
  void nioFeedLenftChange(TObject* Sender);
  void nioVFChange(TObject* Sender);
  void cbLineChange();

 private:
  void CreateFeederGroup();
  void CreateBandRows();
  void ShowLine();
  void ShowRow(TBandRow& row, const TFeederCheck& check, int slot);
  void HideRow(TBandRow& row);
  void FollowLocale();
  void widenLineList();
  void feederChanged();

  double FDipoleFeet = 85.30;
  std::array<bool, 10> FChecked{};
  TLineChoice FLine;         // the physical line; "450/600" is this page's own choice
  double FFeederMetres = 0;  // as typed, in metres or in feet
};
