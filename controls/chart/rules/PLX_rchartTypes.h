// Enumerations and the error class of the chart control.
#pragma once

#include <cstdint>
#include <string>

#include "controls/base/PLX_plxbase.h"

class EPLXRChartError : public EPLXError {
 public:
  using EPLXError::EPLXError;
};

constexpr int MaxLayers = 16;

inline bool ValidLayer(int Layer) { return Layer >= 1 && Layer <= MaxLayers; }

// The check of public calls that take a layer and have no rule of their own
// for other numbers.
inline void CheckLayer(int Layer) {
  if (!ValidLayer(Layer)) {
    throw EPLXRChartError("Layer " + std::to_string(Layer) + " is out of range");
  }
}

// The seven standard layouts of the axes of layers 1..4 and the margins.
enum TrcLayout : uint8_t {
  rcl_X1Bottom_Y1Left = 0,
  rcl_X1Bottom_Y2Left = 1,
  rcl_X1Bottom_Y3Left = 2,
  rcl_X1Bottom_Y4Left = 3,
  rcl_X1Bottom_Y2Both = 4,
  rcl_X2Bottom_Y2Left = 5,
  rcl_X2Both_Y2Both = 6
};

enum TShadowStyle : uint8_t { ssFlying = 0, ssBox = 1 };

enum TCaptionAnchorHoriz : uint8_t {
  cahControlLeft = 0,
  cahChartLeft = 1,
  cahChartCenter = 2,
  cahChartRight = 3,
  cahControlRight = 4
};

enum TCaptionAnchorVert : uint8_t {
  cavControlTop = 0,
  cavChartTop = 1,
  cavChartCenter = 2,
  cavChartBottom = 3,
  cavControlBottom = 4
};

enum GridStyleType : uint8_t {
  gsNone = 0,
  gsPoints = 1,
  gsVertLines = 2,
  gsHorizLines = 3,
  gsLines = 4,
  gsHorizDotLines = 5,
  gsVertDotLines = 6,
  gsDotLines = 7
};

enum TMouseActMode : uint8_t {
  maNone = 0,
  maPan,
  maPanHoriz,
  maPanVert,
  maZoom,
  maZoomWind,
  maZoomWindPos,
  maZoomDrag,
  maRubberBand,
  maDragCrossH,
  maDragLabel,
  maRotXY,
  maRotAbsXY,
  maRotXZ,
  maRotAbsXZ
};

struct TPointDouble {
  double X;
  double Y;
};

// A layer's range state: Left..Right horizontally, Bottom..Top vertically.
struct TRectDouble {
  double Left;
  double Top;
  double Right;
  double Bottom;

  TPointDouble TopLeft() const { return {Left, Top}; }
  TPointDouble BottomRight() const { return {Right, Bottom}; }
  bool IsZero() const { return Left == 0 && Top == 0 && Right == 0 && Bottom == 0; }
};
