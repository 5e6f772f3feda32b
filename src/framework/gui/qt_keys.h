#pragma once

#include <Qt>

#include "framework/gui/message.h"

namespace fw {

// The crossing from Qt's key and modifier codes to the platform's virtual keys and shift
// states, which is what every key handler of the controls is written against.

// Punctuation keys as a US keyboard reports them.
inline constexpr int VK_OEM_1 = 0xBA;      // ;
inline constexpr int VK_OEM_PLUS = 0xBB;   // =
inline constexpr int VK_OEM_COMMA = 0xBC;  // ,
inline constexpr int VK_OEM_MINUS = 0xBD;  // -
inline constexpr int VK_OEM_PERIOD = 0xBE; // .
inline constexpr int VK_OEM_2 = 0xBF;      // /
inline constexpr int VK_OEM_3 = 0xC0;      // `
inline constexpr int VK_OEM_4 = 0xDB;      // [
inline constexpr int VK_OEM_5 = 0xDC;      // backslash
inline constexpr int VK_OEM_6 = 0xDD;      // ]
inline constexpr int VK_OEM_7 = 0xDE;      // '

// The virtual key code of a Qt key, 0 for keys the program has no code for. Letters and
// digits keep their upper-case ASCII codes; digits typed on the keypad (Qt's keypad
// modifier) become VK_NUMPAD0..9, as the platform reports them. Back-tab (Shift+Tab as Qt
// names it) is Tab, the shift being in the modifiers. A key that is none of these but types
// text gets the platform's VK_PACKET (0xE7) when typesText is set, so that its character
// still follows (a key of 0 would count as consumed).
int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers, bool typesText = false);

// Shift, Alt and Ctrl from Qt's modifiers, plus the mouse buttons held down.
ShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = Qt::NoButton);

} // namespace fw
