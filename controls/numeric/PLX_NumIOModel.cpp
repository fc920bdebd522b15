#include "controls/numeric/PLX_NumIOModel.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "controls/base/PLX_stringl.h"
#include "controls/numeric/PLX_NumScan.h"
#include "platform/KeyCodes.h"
#include "platform/Locale.h"

namespace {

constexpr int kMaxDecPlaces = 15;
// Only the "," / "." of both separators; the field always scans with both.
constexpr int kScanBothSeparators = 3;
// Beyond this a rounded value no longer fits a 64-bit integer.
constexpr double kInt64Limit = 9.2e18;

// Round to nearest, ties to even (the default floating-point rounding mode).
double roundHalfEven(double v) { return std::nearbyint(v); }

// The low 32 bits of the rounded value, as a 32-bit integer parameter takes
// a wider one; values beyond 64 bits saturate, not-a-number gives 0.
int32_t wrapToInt32(double v) {
  const double r = roundHalfEven(v);
  if (std::isnan(r)) return 0;
  if (!(std::fabs(r) < kInt64Limit)) return r > 0 ? INT32_MAX : INT32_MIN;
  return int32_t(uint32_t(uint64_t(int64_t(r))));
}

// The rounded value in decimal digits. Beyond 64 bits every double is whole
// and is written with all its digits, so the text stays an integer text that
// the field reads back (itDynamic exactly, itInt as its 32-bit bound).
// Values beyond the scanners' bound of 1.7e308 (the infinities among them)
// are written as that bound, and not-a-number as 0, as the digit formats
// write it.
std::u16string integerText(double v) {
  if (std::isnan(v)) return u"0";
  const double r = std::clamp(roundHalfEven(v), -uc_MaxDouble, uc_MaxDouble);
  if (std::fabs(r) < kInt64Limit) return WidenAscii(std::to_string(int64_t(r)));
  char digits[400];  // the largest double has 309 digits
  const auto end = std::to_chars(digits, digits + sizeof digits, r, std::chars_format::fixed, 0);
  return WidenAscii(std::string(digits, end.ptr));
}

// The float formats' text, always one the field reads back and edits:
// strff's fixed form, also where strff would switch to the scientific form
// (" 1.0E+0300" for a mirrored huge length, which no float text may hold);
// infinities as the scanners' bound and not-a-number as 0, as integerText.
std::u16string floatText(double v, int decP) {
  if (std::isnan(v)) v = 0;
  return FixedFormText(std::clamp(v, -uc_MaxDouble, uc_MaxDouble), decP);
}

std::u16string formatValue(double v, TInFormat format, int decP, int sigDig) {
  switch (format) {
    case itExp:
      return strff(v, sigDig + 6, -2);
    case itFloat:
    case itFixPoint:
      return floatText(v, decP);
    case itHex:
      return Hex(wrapToInt32(v), 8);
    case itOct:
      return Octal(wrapToInt32(v), 11);
    case itBin:
      return Bin(wrapToInt32(v), 32);
    default:  // itInt, itDynamic
      return integerText(v);
  }
}

double scanFloat(const std::u16string& text) {
  int idx = 1;
  return ScanFPNum(text, true, kScanBothSeparators, idx);
}

// A signed decimal integer text (IsValidDecInt) as a 32-bit integer; texts
// outside that range saturate at its bound.
double decIntValue(const std::u16string& text) {
  const bool negative = text[0] == u'-';
  const size_t first = (text[0] == u'-' || text[0] == u'+') ? 1 : 0;
  int64_t magnitude = 0;
  for (size_t i = first; i < text.size(); ++i) {
    magnitude = magnitude * 10 + (text[i] - u'0');
    if (magnitude > int64_t(INT32_MAX) + 1) break;
  }
  if (negative) return magnitude > int64_t(INT32_MAX) + 1 ? double(INT32_MIN) : -double(magnitude);
  return magnitude > INT32_MAX ? double(INT32_MAX) : double(magnitude);
}

char16_t separatorOf(TDecPSep sep) {
  if (sep == dsDot) return u'.';
  if (sep == dsComma) return u',';
  return LocaleDecimalSeparator();
}

// The character a character key types; none for other keys. Shift turns
// 4, 5 and 6 into the prefixes of the dynamic format.
std::optional<char16_t> keyCharacter(uint16_t key, bool shifted) {
  char16_t c = 0;
  if (key >= '0' && key <= '9') c = char16_t(key);
  else if (key >= 'A' && key <= 'F') c = char16_t(key);
  else if (key >= VK_NUMPAD0 && key <= VK_NUMPAD0 + 9) c = char16_t(u'0' + (key - VK_NUMPAD0));
  else if (key == VK_ADD || key == VK_OEM_PLUS) c = u'+';
  else if (key == VK_SUBTRACT || key == VK_OEM_MINUS) c = u'-';
  else if (key == VK_DECIMAL || key == VK_OEM_COMMA) c = u',';
  else if (key == VK_OEM_PERIOD) c = u'.';
  else return std::nullopt;
  if (shifted && c == u'4') return u'$';
  if (shifted && c == u'5') return u'%';
  if (shifted && c == u'6') return u'&';
  return c;
}

// A character a keyboard layout typed, as the field takes it: one that the
// character keys type, with letters in upper case; none for any other.
std::optional<char16_t> typedCharacter(char16_t c) {
  if (c >= u'a' && c <= u'f') return char16_t(c - u'a' + u'A');
  const bool digit = c >= u'0' && c <= u'9';
  const bool hexLetter = c >= u'A' && c <= u'F';
  if (digit || hexLetter || std::u16string_view(u"+-,.$%&").find(c) != std::u16string_view::npos) {
    return c;
  }
  return std::nullopt;
}

// The rest of a dynamic text after its prefix. A lone prefix is the
// beginning of a number, as a lone sign is for the decimal validators.
bool validDynamicRest(char16_t prefix, const std::u16string& rest) {
  if (rest.empty()) return true;
  if (prefix == u'$') return IsValidHex(rest);
  if (prefix == u'%') return IsValidBin(rest);
  return IsValidOct(rest);
}

bool isPrefix(char16_t c) { return c == u'$' || c == u'%' || c == u'&'; }

}  // namespace

TNumIOModel::TNumIOModel() = default;

// ---- value and text ----

bool TNumIOModel::SetText(const std::u16string& text) {
  if (!text.empty() && !CheckValidity(text)) return false;
  FInBuffer = text;
  FCaretPos = 0;
  FSelBegin = 0;
  FSelEnd = 0;
  return true;
}

double TNumIOModel::Value() const {
  switch (FInputFormat) {
    case itInt:
      return integerTextValue();
    case itHex: {
      int idx = 1;
      return ScanHex(FInBuffer, idx);
    }
    case itOct: {
      int idx = 1;
      return ScanOctal(FInBuffer, idx);
    }
    case itBin: {
      int idx = 1;
      return ScanBin(FInBuffer, idx);
    }
    case itDynamic:
      return dynamicValue();
    default:  // itExp, itFloat, itFixPoint
      return scanFloat(FInBuffer);
  }
}

double TNumIOModel::integerTextValue() const {
  if (FInBuffer.empty() || !IsValidDecInt(FInBuffer)) return 0.0;
  return decIntValue(FInBuffer);
}

double TNumIOModel::dynamicValue() const {
  if (FInBuffer.empty()) return 0.0;
  const std::u16string rest = FInBuffer.substr(1);
  int idx = 1;
  switch (FInBuffer[0]) {
    case u'$':
      return ScanHex(rest, idx);
    case u'%':
      return ScanBin(rest, idx);
    case u'&':
      return ScanOctal(rest, idx);
    default:
      return scanFloat(FInBuffer);
  }
}

void TNumIOModel::SetValue(double value) {
  FInBuffer = formatValue(value, FInputFormat, FDecP, FSigDig);
}

bool TNumIOModel::OutOfRange() const {
  const double v = Value();
  return !(v >= FMinimum) || v > FMaximum;
}

bool TNumIOModel::CheckValidity(const std::u16string& text) const {
  switch (FInputFormat) {
    case itExp:
      return IsValidDouble(text, true, FDecPSep);
    case itFloat:
      return IsValidFPNum(text, FDecPSep);
    case itFixPoint: {
      if (!IsValidFPNum(text, FDecPSep)) return false;
      const size_t dot = text.find(u'.');
      const int dotPos = dot == std::u16string::npos ? 0 : int(dot) + 1;  // 1-based
      return dotPos == int(text.size()) - FDecP;
    }
    case itInt:
      return IsValidDecInt(text);
    case itHex:
      return IsValidHex(text);
    case itOct:
      return IsValidOct(text);
    case itBin:
      return IsValidBin(text);
    default:  // itDynamic
      if (text.empty()) return false;
      if (isPrefix(text[0])) return validDynamicRest(text[0], text.substr(1));
      return IsValidFPNum(text, FDecPSep);
  }
}

// ---- settings that keep the value ----

bool TNumIOModel::SetInputFormat(TInFormat format) {
  if (format == FInputFormat) return false;
  const double v = Value();
  FInputFormat = format;
  SetValue(v);
  return true;
}

// The setting is compared before it is cut to 15, so asking for more than 15
// while at 15 still writes the value back in full ('7.5' becomes
// '7.500000000000000').
bool TNumIOModel::reformatWith(int& setting, int value) {
  if (value <= 0 || value == setting) return false;
  const double v = Value();
  setting = std::min(value, kMaxDecPlaces);
  SetValue(v);
  return true;
}

bool TNumIOModel::SetFixPointDecPlaces(int places) { return reformatWith(FDecP, places); }

bool TNumIOModel::SetSignificantDigits(int digits) { return reformatWith(FSigDig, digits); }

bool TNumIOModel::SetDecPlaceSep(TDecPSep sep) {
  if (sep == FDecPSep) return false;
  if (sep != dsBoth) {
    const char16_t target = separatorOf(sep);
    if (FDecPSep == dsBoth) {
      FInBuffer = ReplaceCharInString(ReplaceCharInString(FInBuffer, u'.', target), u',', target);
    } else {
      const char16_t old = separatorOf(FDecPSep);
      if (old != target) FInBuffer = ReplaceCharInString(FInBuffer, old, target);
    }
  }
  FDecPSep = sep;
  return true;
}

bool TNumIOModel::SetRangeLow(double value) {
  if (value == FMinimum) return false;
  FMinimum = value;
  if (!(FMaximum >= FMinimum)) FMaximum = FMinimum;
  return true;
}

bool TNumIOModel::SetRangeHigh(double value) {
  if (value == FMaximum) return false;
  FMaximum = value;
  if (FMinimum > FMaximum) FMinimum = FMaximum;
  return true;
}

// ---- caret and selection ----

int TNumIOModel::CaretClamped() const { return std::clamp(FCaretPos, 0, length()); }
int TNumIOModel::SelStartClamped() const { return std::clamp(FSelBegin, 0, length()); }
int TNumIOModel::SelEndClamped() const { return std::clamp(FSelEnd, 0, length()); }

void TNumIOModel::SetSelBegin(int n) {
  n = std::clamp(n, 0, length());
  FSelBegin = n;
  FCaretPos = n;
  if (FSelEnd < n) FSelEnd = n;
}

void TNumIOModel::SetSelEnd(int n) {
  n = std::clamp(n, 0, length());
  FSelEnd = n;
  FCaretPos = n;
  if (FSelBegin > n) FSelBegin = n;
}

void TNumIOModel::PlaceCaret(int pos) {
  FCaretPos = pos;
  FSelBegin = pos;
  FSelEnd = pos;
}

// ---- key-down editing ----

TNumIOKeyResult TNumIOModel::KeyDown(uint16_t key, TShiftState shift,
                                     const TNumIOClipboard& clipboard, char16_t typed) {
  TNumIOKeyResult result;
  if (key == VK_SHIFT) {
    FKeyShifted = true;
    return result;
  }
  if (key == VK_CONTROL) {
    FKeyCntrl = true;
    return result;
  }
  // Held: recorded from the field's own Shift and Ctrl notifications, or
  // reported with this key.
  const bool shifted = FKeyShifted || (shift & ssShift) != 0;
  const bool ctrl = FKeyCntrl || (shift & ssCtrl) != 0;
  if (FReadOnly && !(ctrl && key == 'C')) return result;

  result.Handled = true;
  const std::u16string savedText = FInBuffer;
  const int savedCaret = FCaretPos;
  bool changed = ctrl ? ctrlKey(key, clipboard, result) : plainKey(key, shifted, typed, result);
  if (FOnlineCheck && !acceptable(FInBuffer)) {
    FInBuffer = savedText;
    FCaretPos = savedCaret;
    changed = false;
    result.Beep = FBeep;
  }
  if (FInputFormat == itFixPoint) fixPointSelection();
  result.Changed = changed;
  return result;
}

void TNumIOModel::KeyUp(uint16_t key) {
  if (key == VK_SHIFT) FKeyShifted = false;
  if (key == VK_CONTROL) FKeyCntrl = false;
}

void TNumIOModel::ReleaseModifiers() {
  FKeyShifted = false;
  FKeyCntrl = false;
}

bool TNumIOModel::acceptable(const std::u16string& text) const {
  return text.empty() || text == u"-" || text == u"+" || CheckValidity(text);
}

bool TNumIOModel::ctrlKey(uint16_t key, const TNumIOClipboard& clipboard, TNumIOKeyResult& result) {
  const auto selected = [this] {
    return FInBuffer.substr(size_t(SelStartClamped()), size_t(SelEndClamped() - SelStartClamped()));
  };
  switch (key) {
    case 'C':
      if (hasSelection() && clipboard.PutText) clipboard.PutText(selected());
      return false;
    case 'V': {
      const std::u16string text = clipboard.GetText ? clipboard.GetText() : std::u16string();
      if (text.empty()) return false;
      insertText(text);
      return true;
    }
    case 'X':
      if (!hasSelection()) return false;
      if (clipboard.PutText) clipboard.PutText(selected());
      deleteSelection(true);
      return true;
    default:
      result.Beep = FBeep;
      return false;
  }
}

bool TNumIOModel::plainKey(uint16_t key, bool shifted, char16_t typed, TNumIOKeyResult& result) {
  switch (key) {
    case VK_BACK:
      return backspace();
    case VK_TAB:
      result.NextControl = true;
      return false;
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      moveCaret(key);
      return false;
    case VK_DELETE:
      return deleteForward();
    default:
      break;
  }
  const std::optional<char16_t> c = typed ? typedCharacter(typed) : keyCharacter(key, shifted);
  if (!c) {
    result.Beep = FBeep;
    return false;
  }
  if (hasSelection()) deleteSelection(false);
  insertText(std::u16string(1, *c));
  return true;
}

bool TNumIOModel::backspace() {
  if (hasSelection()) {
    deleteSelection(true);
    return true;
  }
  const int caret = CaretClamped();
  if (caret == 0) return false;
  FInBuffer.erase(size_t(caret - 1), 1);
  FCaretPos = caret - 1;
  return true;
}

bool TNumIOModel::deleteForward() {
  if (hasSelection()) {
    deleteSelection(true);
    return true;
  }
  const int caret = CaretClamped();
  if (caret >= length()) return false;
  FInBuffer.erase(size_t(caret), 1);
  FCaretPos = caret;
  return true;
}

// The caret keys leave the selection alone; Shift does not extend it.
void TNumIOModel::moveCaret(uint16_t key) {
  const int caret = CaretClamped();
  if (key == VK_END) FCaretPos = length();
  else if (key == VK_HOME) FCaretPos = 0;
  else if (key == VK_LEFT || key == VK_UP) FCaretPos = std::max(caret - 1, 0);
  else FCaretPos = std::min(caret + 1, length());
}

void TNumIOModel::insertText(const std::u16string& text) {
  const int caret = CaretClamped();
  FInBuffer.insert(size_t(caret), text);
  FCaretPos = caret + int(text.size());
}

// With the zero rule an emptied text becomes the formatted zero ("0.00").
void TNumIOModel::deleteSelection(bool zeroRule) {
  const int begin = SelStartClamped();
  FInBuffer.erase(size_t(begin), size_t(SelEndClamped() - begin));
  if (zeroRule && FInBuffer.empty()) SetValue(0.0);
  FCaretPos = begin;
  FSelBegin = begin;
  FSelEnd = begin;
}

// In the fixed-point format the digit after the caret is selected within the
// decimals (and the one before them), so that the next digit overwrites it.
void TNumIOModel::fixPointSelection() {
  const int caret = CaretClamped();
  if (caret > length() - FDecP - 1) {
    FSelBegin = caret;
    FSelEnd = std::min(caret + 1, length());
  } else {
    FSelBegin = FSelEnd;
  }
}
