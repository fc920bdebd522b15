// The value text of the numeric display label: a value formatted by display
// type, with the label's decimal separator and plus sign. No drawing here.
#pragma once

#include <string>

// The label's display types.
enum TDisplay : unsigned char {
  dtFloat = 0,
  dtFixP = 1,
  dtExp = 2,
  dtHex = 3,
  dtZeroInt = 4,
  dtInt = 5,
  dtDateTime = 6,
  dtState = 7,
  dtBin = 8,
  dtOct = 9,
  dtDeg = 10,
  dtDegMin = 11,
  dtDegMinSec = 12,
  dtEEng = 13,
  dtEEngNoDP = 14
};

// The label's settings that shape its value text, with the label's defaults.
struct TNumLabFormat {
  int Precision = 2;  // taken as 0..15
  bool Comma = false;
  bool ForcePlusSign = false;
  std::u16string StateText = u"undefined";
  std::u16string DTFormat = u"mmm-dd, yyyy";
  std::u16string OverflowIndicator = u"*********";
};

// The text the label shows for Value before its OnBeforeDisplay handler and
// its width check:
//  1. the value formatted by DisplayType; integer types round to nearest,
//     ties to even, and test their range on the unrounded value, giving the
//     overflow indicator outside it (returned as it stands, without the
//     steps below);
//  2. except for dtHex, dtDateTime, dtState and dtBin: "." becomes "," when
//     Comma is set, "," becomes "." otherwise (the locale plays no part);
//  3. except for the same four types: a "+" in front of values above 0.
//
// Choices where the rules leave room:
//  - dtFloat and dtExp with Precision 0 use one significant digit; dtFloat's
//    scientific form then has no separator ("5E+020"), dtExp's keeps it
//    ("5.E+000");
//  - dtHex, dtBin and dtOct with Precision 0 keep no digits: the text is empty;
//  - infinities and NaN read "+Inf", "-Inf" and "Nan" in the real formats;
//    the integer, date and degree types show the overflow indicator for them,
//    dtInt also for values beyond the 64-bit range, dtDateTime for values
//    that are no date, and the degree types for angles beyond the fixed form
//    (no whole degrees to write).
std::u16string NumLabValueText(TDisplay DisplayType, double Value, const TNumLabFormat& Format);
