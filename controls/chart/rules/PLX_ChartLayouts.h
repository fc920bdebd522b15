// The standard layouts: margins, chart caption placement and the axes of
// layers 1..4 for each TrcLayout. Plain data.
#pragma once

#include <array>

#include "controls/chart/rules/PLX_rchartTypes.h"
#include "controls/scale/PLX_ScaleTypes.h"
#include "platform/PlatformTypes.h"

enum TScaleLocation : uint8_t { sllLeft = 0, sllRight = 1, sllTop = 2, sllBottom = 3 };

struct TOneScale {
  int SCaptPosX;
  int SCaptPosY;
  TAlignment SCaptAlign;
  TScaleUnitAnchor SCaptAnchor;
  int ScalePos;
  bool Visible;
  TScaleLocation ScaleLocat;
};

struct TLytData {
  int LRim;
  int RRim;
  int TRim;
  int BRim;
  int CaptPosX;
  int CaptPosY;
  TAlignment CaptAlign;
  TCaptionAnchorHoriz CaptAnchorHoriz;
  TCaptionAnchorVert CaptAnchorVert;
  std::array<TOneScale, 4> ScalesX;
  std::array<TOneScale, 4> ScalesY;
};

constexpr int NumLayouts = 7;

extern const std::array<TLytData, NumLayouts> LayoutData;
