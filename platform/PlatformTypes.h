// Value types shared by the drawing surface, the window services and every
// control: colours, pen and brush styles, alignment, font styles, shift state.
#pragma once

#include <cstdint>

// A colour is 0x00BBGGRR (red in the lowest byte). With the top byte 0xFF the
// low byte names a system colour instead (see Colors.h). Signed, because the
// classic desktop stores clBtnFace as -16777201.
using TColor = int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor SystemColor(int index) { return int32_t(0xFF000000u | uint32_t(index)); }

constexpr TColor clBackground = SystemColor(1);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor clMenuBar = SystemColor(30);

enum TPenStyle : uint8_t {
  psSolid = 0,
  psDash = 1,
  psDot = 2,
  psDashDot = 3,
  psDashDotDot = 4,
  psClear = 5,
  psInsideFrame = 6,
  psUserStyle = 7,
  psAlternate = 8
};

// How pen and brush pixels combine with the surface.
enum TPenMode : uint8_t { pmCopy, pmXor };

enum TBrushStyle : uint8_t { bsSolid, bsClear };

// How a bitmap combines with the surface it is drawn onto.
enum TCopyMode : uint8_t { cmSrcCopy, cmSrcAnd, cmNotSrcCopy };

enum TAlignment : uint8_t { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint8_t;  // a set of TFontStyle bits

// Keyboard and mouse state of an input event, as a set of bits.
enum TShiftFlag : uint16_t {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64
};
using TShiftState = uint16_t;

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

struct TPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};
