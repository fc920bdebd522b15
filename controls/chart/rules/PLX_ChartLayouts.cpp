#include "controls/chart/rules/PLX_ChartLayouts.h"

namespace {

constexpr TOneScale kHiddenX{10, 100, taCenter, uaSclCenter, 0, false, sllBottom};
constexpr TOneScale kHiddenY{10, 100, taRightJustify, uaSclTopLft, 0, false, sllLeft};
constexpr TOneScale kX1Bottom{0, 22, taCenter, uaSclCenter, 0, true, sllBottom};
constexpr TOneScale kY1Single{0, -16, taLeftJustify, uaSclTopLft, 0, true, sllLeft};
constexpr TOneScale kX1Pair{-20, 7, taRightJustify, uaSclTopLft, 0, true, sllBottom};

// Vertical axes stacked at the left, ScalePos pixels apart.
constexpr TOneScale leftY(int ScalePos) {
  return {0, -23, taRightJustify, uaSclTopLft, ScalePos, true, sllLeft};
}

constexpr TOneScale kY2Right{0, -23, taLeftJustify, uaSclTopLft, 0, true, sllRight};
constexpr TOneScale kX2Second{-20, 7, taRightJustify, uaSclTopLft, 30, true, sllBottom};
constexpr TOneScale kX2Top{-20, -24, taRightJustify, uaSclTopLft, 0, true, sllTop};
constexpr TOneScale kY1Both{0, -40, taRightJustify, uaSclTopLft, 0, true, sllLeft};
constexpr TOneScale kY2Both{0, -40, taLeftJustify, uaSclTopLft, 0, true, sllRight};
constexpr TOneScale kYSpare{0, -23, taRightJustify, uaSclTopLft, 0, false, sllLeft};

}  // namespace

const std::array<TLytData, NumLayouts> LayoutData = {{
    {50,
     20,
     20,
     40,
     0,
     -16,
     taRightJustify,
     cahChartRight,
     cavChartTop,
     {kX1Bottom, kHiddenX, kHiddenX, kHiddenX},
     {kY1Single, kHiddenY, kHiddenY, kHiddenY}},
    {100,
     20,
     24,
     40,
     0,
     -16,
     taRightJustify,
     cahChartRight,
     cavChartTop,
     {kX1Bottom, kHiddenX, kHiddenX, kHiddenX},
     {leftY(0), leftY(50), kHiddenY, kHiddenY}},
    {150,
     20,
     24,
     40,
     0,
     -16,
     taRightJustify,
     cahChartRight,
     cavChartTop,
     {kX1Bottom, kHiddenX, kHiddenX, kHiddenX},
     {leftY(0), leftY(50), leftY(100), kHiddenY}},
    {200,
     20,
     24,
     40,
     0,
     -16,
     taRightJustify,
     cahChartRight,
     cavChartTop,
     {kX1Bottom, kHiddenX, kHiddenX, kHiddenX},
     {leftY(0), leftY(50), leftY(100), leftY(150)}},
    {50,
     50,
     24,
     40,
     0,
     -20,
     taCenter,
     cahChartCenter,
     cavChartTop,
     {kX1Bottom, kHiddenX, kHiddenX, kHiddenX},
     {leftY(0), kY2Right, kHiddenY, kHiddenY}},
    {100,
     20,
     24,
     70,
     0,
     -16,
     taRightJustify,
     cahChartRight,
     cavChartTop,
     {kX1Pair, kX2Second, kHiddenX, kHiddenX},
     {leftY(0), leftY(50), kHiddenY, kHiddenY}},
    {50,
     50,
     48,
     40,
     0,
     -46,
     taCenter,
     cahChartCenter,
     cavChartTop,
     {kX1Pair, kX2Top, kHiddenX, kHiddenX},
     {kY1Both, kY2Both, kYSpare, kYSpare}},
}};
