#include "app/WindowReport.h"

#include <QComboBox>

#include "app/FeederCheckPage.h"
#include "app/u_frmMain.h"
#include "platform/QtText.h"

namespace {

// The feeder choice's ohms; typed text that names none leaves the constant
// of the last choice, named by its ohms.
std::u16string impedanceOf(const TfrmMain& window) {
  const QComboBox& box = *window.cbZ0;
  const int index = box.findText(box.currentText(), Qt::MatchExactly);
  if (index >= 0) return FromQString(box.itemText(index));
  return window.State().LLWL == FeederConstant300 ? u"300" : u"450";
}

}  // namespace

TReportInput ReportInputOfWindow(TfrmMain& window) {
  TReportInput input;
  input.date = ReportDate();
  input.frequencyMHz = window.nioFreq->GetNioValue();
  for (int i = 0; i < int(BandPresets.size()); ++i) {
    if (window.Checked(i)) input.bands.push_back(i);
  }
  input.dipoleFeet = window.niodiplenft->GetNioValue();
  input.feeder = {impedanceOf(window), window.State().LLWL};
  input.calculations = window.ListedCalculations();
  input.chart = ReportChartOf(*window.rc);
  input.line = window.TabSheet3->LineChoice();
  input.check = window.TabSheet3->Inputs();
  if (window.ReportTuner) input.tuner = window.ReportTuner();
  return input;
}
