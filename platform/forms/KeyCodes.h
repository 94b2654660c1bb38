#pragma once

#include <Qt>

namespace forms {

// Key codes as the windows' key events report them (the classic virtual-key
// numbers: 13 Enter, 37 to 40 the arrows, 65 to 90 the letters, 112 on F1...).
namespace KeyCode {
inline constexpr int Back = 8, Tab = 9, Return = 13, Shift = 16, Control = 17, Menu = 18, Pause = 19,
                     Escape = 27, Space = 32, PageUp = 33, PageDown = 34, End = 35, Home = 36, Left = 37,
                     Up = 38, Right = 39, Down = 40, Insert = 45, Delete = 46, Numpad0 = 96, Multiply = 106,
                     Add = 107, Subtract = 109, Decimal = 110, Divide = 111, F1 = 112, OemPlus = 187,
                     OemComma = 188, OemMinus = 189, OemPeriod = 190;
}

// Shift state bits of key and mouse events.
namespace ShiftState {
inline constexpr int Shift = 1, Control = 2, Alt = 4;
}

// Mouse button bits.
namespace MouseButton {
inline constexpr int Left = 1, Right = 2, Middle = 4;
}

// The key code for a Qt key; 0 for keys that have none.
int keyCodeFromQt(int qtKey, Qt::KeyboardModifiers modifiers);
int shiftStateFromQt(Qt::KeyboardModifiers modifiers);
int mouseButtonsFromQt(Qt::MouseButtons buttons);

} // namespace forms
