#include "KeyMap.h"

#include <QString>

#include "KeyCodes.h"

namespace {

struct KeyPair {
  int qtKey;
  uint16_t code;
};

// Keys of the numeric pad whose code differs from the main keyboard's.
constexpr KeyPair kKeypadKeys[] = {
    {Qt::Key_Asterisk, VK_MULTIPLY},
    {Qt::Key_Plus, VK_ADD},
    {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL},
    {Qt::Key_Comma, VK_DECIMAL},  // the decimal key of locales with a comma
    {Qt::Key_Slash, VK_DIVIDE},
};

constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, VK_BACK},
    {Qt::Key_Tab, VK_TAB},
    {Qt::Key_Backtab, VK_TAB},  // Shift+Tab
    {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},
    {Qt::Key_Alt, VK_MENU},
    {Qt::Key_AltGr, VK_MENU},
    {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},
    // The digit row's shifted symbols (US layout).
    {Qt::Key_ParenRight, '0'},
    {Qt::Key_Exclam, '1'},
    {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},
    {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},
    {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},
    // Punctuation keys and their shifted symbols.
    {Qt::Key_Semicolon, 186},
    {Qt::Key_Colon, 186},
    {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Comma, VK_OEM_COMMA},
    {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS},
    {Qt::Key_Underscore, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD},
    {Qt::Key_Greater, VK_OEM_PERIOD},
    {Qt::Key_Slash, 191},
    {Qt::Key_Question, 191},
    {Qt::Key_QuoteLeft, 192},
    {Qt::Key_AsciiTilde, 192},
    {Qt::Key_BracketLeft, 219},
    {Qt::Key_BraceLeft, 219},
    {Qt::Key_Backslash, 220},
    {Qt::Key_Bar, 220},
    {Qt::Key_BracketRight, 221},
    {Qt::Key_BraceRight, 221},
    {Qt::Key_Apostrophe, 222},
    {Qt::Key_QuoteDbl, 222},
};

constexpr uint16_t kF1 = 112;

template <size_t N>
uint16_t lookUp(const KeyPair (&table)[N], int key) {
  for (const KeyPair& pair : table) {
    if (pair.qtKey == key) return pair.code;
  }
  return 0;
}

}  // namespace

uint16_t VirtualKeyFromQt(int key, Qt::KeyboardModifiers modifiers) {
  const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
  if (key >= Qt::Key_0 && key <= Qt::Key_9) {
    return uint16_t(keypad ? VK_NUMPAD0 + (key - Qt::Key_0) : key);
  }
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return uint16_t(key);  // Qt uses 'A'..'Z'
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return uint16_t(kF1 + (key - Qt::Key_F1));
  if (keypad) {
    if (const uint16_t code = lookUp(kKeypadKeys, key)) return code;
  }
  return lookUp(kKeys, key);
}

char16_t TypedCharacter(const QString& text, Qt::KeyboardModifiers modifiers) {
  if (modifiers & (Qt::ControlModifier | Qt::AltModifier)) return 0;
  if (text.size() != 1) return 0;
  const char16_t c = text.at(0).unicode();
  const bool control = c < 0x20 || (c >= 0x7F && c < 0xA0);
  return control ? 0 : c;
}

TShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState shift = 0;
  if (modifiers.testFlag(Qt::ShiftModifier)) shift |= ssShift;
  if (modifiers.testFlag(Qt::ControlModifier)) shift |= ssCtrl;
  if (modifiers.testFlag(Qt::AltModifier)) shift |= ssAlt;
  if (buttons.testFlag(Qt::LeftButton)) shift |= ssLeft;
  if (buttons.testFlag(Qt::RightButton)) shift |= ssRight;
  if (buttons.testFlag(Qt::MiddleButton)) shift |= ssMiddle;
  return shift;
}
