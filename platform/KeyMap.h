// Translation of Qt's keyboard and mouse state into the virtual key codes
// (KeyCodes.h) and shift states the controls receive. Pure functions, so the
// whole table can be checked without a window.
#pragma once

#include <QtCore/qnamespace.h>
#include <cstdint>

class QString;

#include "PlatformTypes.h"

// The virtual key code of a Qt key, 0 for keys the controls do not know.
// Qt::KeypadModifier marks keys of the numeric pad. Qt reports the shifted
// symbol of a key while Shift is held (Shift+4 arrives as '$' on a US
// layout); such symbols give the code of the key that carries them, so the
// controls see "key 52 with Shift" as on the classic desktop.
uint16_t VirtualKeyFromQt(int key, Qt::KeyboardModifiers modifiers);

// The character a key-down types on the keyboard's own layout, whatever that
// layout is: the event's text when it is one printable character and neither
// Ctrl nor Alt is held; 0 otherwise (Backspace, Tab, Ctrl+C, dead keys ...).
char16_t TypedCharacter(const QString& text, Qt::KeyboardModifiers modifiers);

// Shift, Ctrl and Alt from the modifiers; ssLeft, ssRight and ssMiddle from
// the held buttons.
TShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
