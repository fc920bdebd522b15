// The chart's own settings, which a copy (Assign) takes over whole: colours,
// rim, caption, grid, what the mouse does, the screen's aspect and the zoom
// confinement. The margins belong to the frame (TChartFrame); items, axes,
// crosshairs, background image and joined layers are copied by their own
// objects.
#pragma once

#include <array>
#include <string>

#include "controls/chart/rules/PLX_rchartTypes.h"
#include "platform/PlatformTypes.h"

struct TRChartSettings {
  TColor ChartColor = clWhite;
  TColor WindColor = clBtnFace;
  TColor ChartFrameColor = clBlack;
  TShadowStyle ShadowStyle = ssFlying;
  TColor ShadowColor = clGrayText;
  TColor ShadowBakColor = clBtnFace;
  GridStyleType GridStyle = gsNone;
  TColor GridColor = clBlack;
  double GridDx = 0;
  double GridDy = 0;
  std::u16string Caption;
  int CaptionPosX = 0;
  int CaptionPosY = -15;
  TAlignment CaptionAlignment = taRightJustify;
  TCaptionAnchorHoriz CaptionAnchorHoriz = cahChartRight;
  TCaptionAnchorVert CaptionAnchorVert = cavChartTop;
  bool AutoRedraw = false;
  TMouseActMode MouseAction = maNone;
  bool MouseCursorFixed = true;
  bool Isometric = false;
  int AspectX = 1;  // the screen's pixel aspect
  int AspectY = 1;
  std::array<bool, MaxLayers + 1> MouseAffectsLayer{};  // 0 unused
  std::array<long double, 4> ZoomRange{};               // lowest x, lowest y, highest x, highest y
};
