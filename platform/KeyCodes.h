// Virtual key codes as the controls receive them in KeyDown and KeyUp.
#pragma once

#include <cstdint>

enum TVirtualKey : uint16_t {
  VK_BACK = 8,
  VK_TAB = 9,
  VK_RETURN = 13,
  VK_SHIFT = 16,
  VK_CONTROL = 17,
  VK_MENU = 18,
  VK_ESCAPE = 27,
  VK_SPACE = 32,
  VK_PRIOR = 33,
  VK_NEXT = 34,
  VK_END = 35,
  VK_HOME = 36,
  VK_LEFT = 37,
  VK_UP = 38,
  VK_RIGHT = 39,
  VK_DOWN = 40,
  VK_INSERT = 45,
  VK_DELETE = 46,
  // '0'..'9' are 48..57, 'A'..'Z' are 65..90.
  VK_NUMPAD0 = 96,  // ..VK_NUMPAD9 = 105
  VK_MULTIPLY = 106,
  VK_ADD = 107,
  VK_SUBTRACT = 109,
  VK_DECIMAL = 110,
  VK_DIVIDE = 111,
  VK_OEM_PLUS = 187,
  VK_OEM_COMMA = 188,
  VK_OEM_MINUS = 189,
  VK_OEM_PERIOD = 190
};
