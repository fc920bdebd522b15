// The window's building blocks shared by its pages: its font, placing a
// widget in pixels, push buttons, etched group boxes, and the numeric fields
// and read-outs with the window's common settings.
#pragma once

#include <QGroupBox>
#include <QPushButton>
#include <memory>

#include "controls/numeric/PLX_NumIO.h"
#include "controls/numeric/PLX_NumLab.h"

QFont windowFont(int pixelSize = 11, bool bold = false);

template <class W>
W* place(W* widget, int left, int top, int width, int height) {
  widget->setGeometry(left, top, width, height);
  return widget;
}

QPushButton* makeButton(QWidget* parent, const char* caption, int left, int top, int width,
                        int height);
QGroupBox* makeGroupBox(QWidget* parent, const char* caption, int left, int top, int width,
                        int height);

// Settings every input field of the window shares.
void applyFieldLayout(TNumIO2& field);

struct FieldRow {
  const char* name;
  const char16_t* leftText;
  const char16_t* rightText;
  int leftSpace;
  double rangeLow;
  double rangeHigh;
  int decimals;
  double value;
};

std::unique_ptr<TNumIO2> makeField(QWidget* parent, const FieldRow& row, int left, int top,
                                   int width);

struct LabelRow {
  const char* name;
  const char16_t* leftText;
  const char16_t* rightText;
  int leftSpace;
  int precision;
};

// A read-out 25 pixels high with the window's common settings.
std::unique_ptr<TNumLab> makeLabel(QWidget* parent, const LabelRow& row, int left, int top,
                                   int width);
