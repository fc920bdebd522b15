// Translation of Qt keys and input state into virtual key codes and shift
// states.
#include <gtest/gtest.h>

#include <QString>

#include "platform/KeyCodes.h"
#include "platform/KeyMap.h"

namespace {

struct KeyCase {
  const char* name;
  int qtKey;
  Qt::KeyboardModifiers modifiers;
  uint16_t code;
  friend void PrintTo(const KeyCase& c, std::ostream* out) { *out << c.name; }
};

class KeyTranslation : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyTranslation, GivesTheVirtualKeyCode) {
  const KeyCase& c = GetParam();
  EXPECT_EQ(VirtualKeyFromQt(c.qtKey, c.modifiers), c.code) << c.name;
}

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kPad = Qt::KeypadModifier;

INSTANTIATE_TEST_SUITE_P(
    Editing, KeyTranslation,
    ::testing::Values(
        KeyCase{"backspace", Qt::Key_Backspace, kNone, 8}, KeyCase{"tab", Qt::Key_Tab, kNone, 9},
        KeyCase{"backtab", Qt::Key_Backtab, kShift, 9},
        KeyCase{"return", Qt::Key_Return, kNone, 13},
        KeyCase{"keypad enter", Qt::Key_Enter, kPad, 13},
        KeyCase{"shift", Qt::Key_Shift, kShift, 16},
        KeyCase{"control", Qt::Key_Control, Qt::ControlModifier, 17},
        KeyCase{"alt", Qt::Key_Alt, Qt::AltModifier, 18},
        KeyCase{"escape", Qt::Key_Escape, kNone, 27}, KeyCase{"end", Qt::Key_End, kNone, 35},
        KeyCase{"home", Qt::Key_Home, kNone, 36}, KeyCase{"left", Qt::Key_Left, kNone, 37},
        KeyCase{"up", Qt::Key_Up, kNone, 38}, KeyCase{"right", Qt::Key_Right, kNone, 39},
        KeyCase{"down", Qt::Key_Down, kNone, 40}, KeyCase{"delete", Qt::Key_Delete, kNone, 46},
        // Keypad keys without NumLock report the navigation keys.
        KeyCase{"keypad home", Qt::Key_Home, kPad, 36},
        KeyCase{"keypad delete", Qt::Key_Delete, kPad, 46}));

INSTANTIATE_TEST_SUITE_P(
    Characters, KeyTranslation,
    ::testing::Values(
        KeyCase{"0", Qt::Key_0, kNone, 48}, KeyCase{"9", Qt::Key_9, kNone, 57},
        KeyCase{"A", Qt::Key_A, kNone, 65}, KeyCase{"F", Qt::Key_F, kNone, 70},
        KeyCase{"Z", Qt::Key_Z, kShift, 90}, KeyCase{"ctrl C", Qt::Key_C, Qt::ControlModifier, 67},
        KeyCase{"keypad 0", Qt::Key_0, kPad, 96}, KeyCase{"keypad 9", Qt::Key_9, kPad, 105},
        KeyCase{"keypad plus", Qt::Key_Plus, kPad, 107},
        KeyCase{"keypad minus", Qt::Key_Minus, kPad, 109},
        KeyCase{"keypad decimal", Qt::Key_Period, kPad, 110},
        KeyCase{"keypad decimal comma", Qt::Key_Comma, kPad, 110},
        KeyCase{"equals", Qt::Key_Equal, kNone, 187}, KeyCase{"plus", Qt::Key_Plus, kShift, 187},
        KeyCase{"comma", Qt::Key_Comma, kNone, 188}, KeyCase{"less", Qt::Key_Less, kShift, 188},
        KeyCase{"minus", Qt::Key_Minus, kNone, 189},
        KeyCase{"underscore", Qt::Key_Underscore, kShift, 189},
        KeyCase{"period", Qt::Key_Period, kNone, 190},
        KeyCase{"greater", Qt::Key_Greater, kShift, 190}));

// Shift+digit arrives as the symbol on the key; the controls expect the key.
INSTANTIATE_TEST_SUITE_P(ShiftedDigits, KeyTranslation,
                         ::testing::Values(KeyCase{"!", Qt::Key_Exclam, kShift, 49},
                                           KeyCase{"@", Qt::Key_At, kShift, 50},
                                           KeyCase{"#", Qt::Key_NumberSign, kShift, 51},
                                           KeyCase{"$", Qt::Key_Dollar, kShift, 52},
                                           KeyCase{"%", Qt::Key_Percent, kShift, 53},
                                           KeyCase{"^", Qt::Key_AsciiCircum, kShift, 54},
                                           KeyCase{"&", Qt::Key_Ampersand, kShift, 55},
                                           KeyCase{"*", Qt::Key_Asterisk, kShift, 56},
                                           KeyCase{"(", Qt::Key_ParenLeft, kShift, 57},
                                           KeyCase{")", Qt::Key_ParenRight, kShift, 48},
                                           KeyCase{"keypad *", Qt::Key_Asterisk, kPad, 106}));

INSTANTIATE_TEST_SUITE_P(Unknown, KeyTranslation,
                         ::testing::Values(KeyCase{"media play", Qt::Key_MediaPlay, kNone, 0},
                                           KeyCase{"a umlaut", Qt::Key_Adiaeresis, kNone, 0},
                                           KeyCase{"unknown", Qt::Key_unknown, kNone, 0}));

struct TypedCase {
  const char* name;
  QString text;
  Qt::KeyboardModifiers modifiers;
  char16_t typed;
  friend void PrintTo(const TypedCase& c, std::ostream* out) { *out << c.name; }
};

class TypedCharacters : public ::testing::TestWithParam<TypedCase> {};

TEST_P(TypedCharacters, AreTheLayoutsOwn) {
  const TypedCase& c = GetParam();
  EXPECT_EQ(TypedCharacter(c.text, c.modifiers), c.typed) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, TypedCharacters,
    ::testing::Values(
        TypedCase{"digit", QStringLiteral("5"), kNone, u'5'},
        TypedCase{"French shifted digit", QStringLiteral("4"), kShift, u'4'},
        TypedCase{"German shift 0", QStringLiteral("="), kShift, u'='},
        TypedCase{"French unshifted 1", QString(QChar(u'&')), kNone, u'&'},
        TypedCase{"French 2", QString(QChar(0x00E9)), kNone, char16_t(0x00E9)},
        TypedCase{"keypad decimal comma", QStringLiteral(","), kPad, u','},
        TypedCase{"AltGr euro", QString(QChar(0x20AC)), kNone, char16_t(0x20AC)},
        TypedCase{"tab", QStringLiteral("\t"), kNone, 0},
        TypedCase{"backspace", QStringLiteral("\b"), kNone, 0},
        TypedCase{"delete", QString(QChar(0x7F)), kNone, 0},
        TypedCase{"ctrl c", QString(QChar(3)), Qt::ControlModifier, 0},
        TypedCase{"ctrl shift 4", QStringLiteral("$"), Qt::ControlModifier | Qt::ShiftModifier, 0},
        TypedCase{"alt 1", QStringLiteral("1"), Qt::AltModifier, 0},
        TypedCase{"dead key", QString(), kNone, 0},
        TypedCase{"two characters", QStringLiteral("ab"), kNone, 0}));

struct ShiftCase {
  const char* name;
  Qt::KeyboardModifiers modifiers;
  Qt::MouseButtons buttons;
  TShiftState shift;
  friend void PrintTo(const ShiftCase& c, std::ostream* out) { *out << c.name; }
};

class ShiftTranslation : public ::testing::TestWithParam<ShiftCase> {};

TEST_P(ShiftTranslation, CarriesKeysAndButtons) {
  const ShiftCase& c = GetParam();
  EXPECT_EQ(ShiftStateFromQt(c.modifiers, c.buttons), c.shift) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Input, ShiftTranslation,
    ::testing::Values(ShiftCase{"nothing", Qt::NoModifier, Qt::NoButton, 0},
                      ShiftCase{"shift", Qt::ShiftModifier, Qt::NoButton, ssShift},
                      ShiftCase{"ctrl", Qt::ControlModifier, Qt::NoButton, ssCtrl},
                      ShiftCase{"alt", Qt::AltModifier, Qt::NoButton, ssAlt},
                      ShiftCase{"keypad only", Qt::KeypadModifier, Qt::NoButton, 0},
                      ShiftCase{"left", Qt::NoModifier, Qt::LeftButton, ssLeft},
                      ShiftCase{"right", Qt::NoModifier, Qt::RightButton, ssRight},
                      ShiftCase{"middle", Qt::NoModifier, Qt::MiddleButton, ssMiddle},
                      ShiftCase{"ctrl+shift with left and right",
                                Qt::ControlModifier | Qt::ShiftModifier,
                                Qt::LeftButton | Qt::RightButton,
                                TShiftState(ssCtrl | ssShift | ssLeft | ssRight)}));

}  // namespace
