// Axis drawing as a plain unit: one numeric, time or date axis (tick lines,
// labels, the caption and the base line) drawn onto a canvas the caller gives for the
// one call. It owns nothing and keeps nothing: the geometry, the mapping, the
// settings and the events come in as parameters, the recorded tick positions
// go out as the result. A stand-alone TScale, a TScale helper and the chart
// all draw their axes through it.
//
//   TAxisMap map;                       // kept by the owner, see PLX_ScaleMap.h
//   AdjustScalePars(geometry, map);     // when range, margins, size or mode change
//   TScaleTickList ticks = DrawAxis(chartCanvas, geometry, map, style, events, 0, 0);
//
// The canvas's pen draws the tick lines and the base line, its font the
// labels and the caption; the caller sets both (a scale sets its scale
// colour and its font). The brush style is set here: clear for a transparent
// axis, solid (the label background) otherwise.
#pragma once

#include <string_view>

#include "controls/base/PLX_DTLabel.h"
#include "controls/base/PLX_plxbase.h"
#include "controls/scale/PLX_AxisMap.h"
#include "controls/scale/PLX_ScaleMap.h"
#include "controls/scale/PLX_ScaleTicks.h"
#include "controls/scale/PLX_ScaleTypes.h"

class TCanvas;
class TObject;

// The settings of an axis besides its geometry. The texts are views: they
// must stay alive during the drawing call, nothing longer.
struct TAxisStyle {
  // Minimum number of major intervals: 0 (a step of one unit) or 2..10.
  int MinTicks = 3;
  // -3..12; negative values choose automatic label formats.
  int DecPlaces = -2;
  bool ShortTicks = true;
  TFigType LabelType = ftNum;
  // Label texts separated by "|", used with ftUserText.
  std::u16string_view UserTickText;
  // Template around every label; "&" stands for the label.
  std::u16string_view ScaleInscript;
  std::u16string_view Caption;
  int CaptionPosX = 4;
  int CaptionPosY = 4;
  TAlignment CaptionAlignment = taCenter;
  TScaleUnitAnchor CaptionAnchor = uaSclTopLft;
  bool ShowBaseLine = true;
  // Labels without background.
  bool Transparent = false;
  // How ftTime and ftDateTime write times and dates; the defaults when null.
  const TDTLabel* DateFormat = nullptr;
};

// The per-tick events, raised with Sender; null or empty ones are skipped.
struct TAxisEvents {
  TObject* Sender = nullptr;
  const TScaleTickDrawnEvent* OnScaleTickDrawn = nullptr;
  const TBeforeTickLabelEvent* OnBeforeTickLabel = nullptr;
};

// Draws the axis described by Geometry (type, size, margins, range, mode) on
// Canvas. Positions along the axis come from Map alone; (OffsetX, OffsetY)
// moves the base line across the axis only: the column of a vertical axis
// by OffsetX, the row of a horizontal one by OffsetY. Returns the tick
// positions recorded while drawing. An error raised by an event handler
// leaves the drawing unfinished and passes through.
TScaleTickList DrawAxis(TCanvas& Canvas, const TScaleGeometry& Geometry, const TAxisMap& Map,
                        const TAxisStyle& Style, const TAxisEvents& Events, int OffsetX,
                        int OffsetY);

// The row of a horizontal or the column of a vertical base line.
int BaseLinePos(const TScaleGeometry& Geometry, int OffsetX, int OffsetY);
