// The kinds of axis a scale draws, its label kinds and caption anchors, and
// the signatures of the events its drawing raises.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class TObject;
class TCanvas;

// Named by the side of the scale's own area on which the base line lies:
// sctXB bottom (ticks up), sctXT top (ticks down), sctYL left (ticks to the
// right), sctYR right (ticks to the left).
enum TScaleType : uint8_t { sctXB = 0, sctXT = 1, sctYL = 2, sctYR = 3 };

enum TFigType : uint8_t { ftNoFigs = 0, ftNum = 1, ftTime = 2, ftDateTime = 3, ftUserText = 4 };

// Where along the axis the caption is measured from.
enum TScaleUnitAnchor : uint8_t { uaSclTopLft = 0, uaSclCenter = 1, uaSclBotRgt = 2 };

constexpr bool IsHorizontalScale(TScaleType ScaleType) {
  return ScaleType == sctXB || ScaleType == sctXT;
}

// ChartX, ChartY: the tick's pixel on the base line.
using TScaleTickDrawnEvent =
    std::function<void(TObject* Sender, TCanvas& Canvas, TScaleType ScaleType,
                       double CurrentTickPos, int ChartX, int ChartY)>;
// The handler may replace TickLabel.
using TBeforeTickLabelEvent = std::function<void(TObject* Sender, TScaleType ScaleType,
                                                 double CurrentTickPos, std::u16string& TickLabel)>;
using TScaleRenderedEvent = std::function<void(TObject* Sender, TCanvas& Canvas)>;
