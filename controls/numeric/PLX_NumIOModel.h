// The editing model of the numeric input field: its text (the only store of
// the value), caret and selection, the value read and written per input
// format, the validity check and the key-down editing steps. It needs no
// window: the field forwards keys to it and paints from its state.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "controls/base/PLX_plxbase.h"
#include "platform/PlatformTypes.h"

enum TInFormat : uint8_t {
  itExp = 0,
  itFloat = 1,
  itFixPoint = 2,
  itInt = 3,
  itHex = 4,
  itOct = 5,
  itBin = 6,
  itDynamic = 7
};

// The clipboard as the editing steps see it.
struct TNumIOClipboard {
  // The clipboard's text; empty when it holds none.
  std::function<std::u16string()> GetText;
  std::function<void(const std::u16string&)> PutText;
};

// What a key-down left for the field to do.
struct TNumIOKeyResult {
  // False when the key was only recorded (Shift, Ctrl) or ignored (read-only):
  // the caret phase and the picture stay as they are.
  bool Handled = false;
  bool Changed = false;      // the edit is kept: OnChange follows
  bool NextControl = false;  // Tab: the forward next-control request
  bool Beep = false;         // refused and the Beep property is on
};

class TNumIOModel {
 public:
  TNumIOModel();

  const std::u16string& Text() const { return FInBuffer; }
  // Ignores a non-empty text that fails CheckValidity (returns false).
  // Otherwise takes it and puts the caret and the selection at 0.
  bool SetText(const std::u16string& text);
  double Value() const;
  // Replaces the text by the formatted value; caret and selection stay.
  void SetValue(double value);
  bool OutOfRange() const;
  bool CheckValidity(const std::u16string& text) const;

  TInFormat InputFormat() const { return FInputFormat; }
  // These three keep the value: read it, store the setting, write it back.
  // They return false when nothing changed.
  bool SetInputFormat(TInFormat format);
  int FixPointDecPlaces() const { return FDecP; }
  bool SetFixPointDecPlaces(int places);
  int SignificantDigits() const { return FSigDig; }
  bool SetSignificantDigits(int digits);
  TDecPSep DecPlaceSep() const { return FDecPSep; }
  // Converts the separators in the text to the new mode's character.
  bool SetDecPlaceSep(TDecPSep sep);

  double RangeLow() const { return FMinimum; }
  double RangeHigh() const { return FMaximum; }
  // Each keeps RangeLow <= RangeHigh by moving the other bound along.
  bool SetRangeLow(double value);
  bool SetRangeHigh(double value);

  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value) { FReadOnly = value; }
  bool Beep() const { return FBeep; }
  void SetBeep(bool value) { FBeep = value; }

  // Raw positions: a write of the value can leave them beyond the end of a
  // shorter text, and every use treats such a position as the end.
  int CaretPos() const { return FCaretPos; }
  void SetCaretPos(int pos) { FCaretPos = pos; }
  int SelBegin() const { return FSelBegin; }
  int SelEnd() const { return FSelEnd; }
  // n is clamped to the text; the caret follows and the other end gives way.
  void SetSelBegin(int n);
  void SetSelEnd(int n);
  // Caret and both selection ends to pos (an empty selection there).
  void PlaceCaret(int pos);
  // The selection with both ends clamped to the text; empty when equal.
  int SelStartClamped() const;
  int SelEndClamped() const;
  int CaretClamped() const;

  bool KeyShifted() const { return FKeyShifted; }
  bool KeyCntrl() const { return FKeyCntrl; }
  // Shift and Ctrl count as held when recorded from their own key-downs or
  // when the notification's shift state reports them. A typed character (not
  // 0) is taken as it stands, whatever key and Shift gave it: the characters
  // the key codes can type ("$", "%" and "&" those of Shift + 4, 5 and 6),
  // letters a-f upper-cased; any other typed character is refused as the
  // other keys are.
  TNumIOKeyResult KeyDown(uint16_t key, TShiftState shift, const TNumIOClipboard& clipboard,
                          char16_t typed = 0);
  void KeyUp(uint16_t key);
  // The focus has left: releases of Shift and Ctrl will go elsewhere.
  void ReleaseModifiers();

 private:
  int length() const { return int(FInBuffer.size()); }
  bool hasSelection() const { return SelStartClamped() < SelEndClamped(); }
  bool acceptable(const std::u16string& text) const;
  bool reformatWith(int& setting, int value);
  bool ctrlKey(uint16_t key, const TNumIOClipboard& clipboard, TNumIOKeyResult& result);
  bool plainKey(uint16_t key, bool shifted, char16_t typed, TNumIOKeyResult& result);
  bool backspace();
  bool deleteForward();
  void moveCaret(uint16_t key);
  void insertText(const std::u16string& text);
  void deleteSelection(bool zeroRule);
  void fixPointSelection();
  double integerTextValue() const;
  double dynamicValue() const;

  std::u16string FInBuffer;
  int FCaretPos = 0;
  int FSelBegin = 0;
  int FSelEnd = 0;
  int FDecP = 2;
  int FSigDig = 6;
  TDecPSep FDecPSep = dsBoth;
  TInFormat FInputFormat = itFloat;
  bool FKeyShifted = false;
  bool FKeyCntrl = false;
  double FMaximum = 1000.0;
  double FMinimum = 0.0;
  bool FOnlineCheck = true;  // validate every keystroke; always on
  bool FBeep = false;
  bool FReadOnly = false;
};
