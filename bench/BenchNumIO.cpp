// The numeric input field sitting focused with a long text: a caret blink
// redraws one column, a full paint measures and draws the whole text.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>
#include <string>

#include "controls/numeric/PLX_NumIO.h"

namespace {

class BlinkingField : public TNumIO2 {
 public:
  void Blink() { CaretTimer().OnTimer(1); }
};

// A focused field of the main window's size holding `digits` digits.
struct FocusedField {
  explicit FocusedField(int digits) {
    window.resize(240, 40);
    field.SetParentWidget(&window);
    field.SetBounds(0, 0, 201, 25);
    field.SetLeftSpace(75);
    field.HandleNeeded();
    field.SetNioText(std::u16string(size_t(digits), u'7'));
    window.show();
    QApplication::setActiveWindow(&window);
    field.SetFocus();
    QApplication::processEvents();
  }
  QWidget window;
  BlinkingField field;
};

void BM_CaretBlink(benchmark::State& state) {
  FocusedField f(int(state.range(0)));
  for (auto _ : state) f.field.Blink();
}
BENCHMARK(BM_CaretBlink)->Arg(10)->Arg(100000);

void BM_FullPaint(benchmark::State& state) {
  FocusedField f(int(state.range(0)));
  for (auto _ : state) f.field.Paint();
}
BENCHMARK(BM_FullPaint)->Arg(10)->Arg(100000);

}  // namespace
