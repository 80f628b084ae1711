// Key and mouse codes as the event procedures take them: the platform's
// virtual-key numbers, a Shift word of 1 (Shift) + 2 (Ctrl) + 4 (Alt), and
// mouse buttons 1 (left), 2 (right), 4 (middle).
#pragma once

#include <Qt>

namespace galdrik::tasten {

inline constexpr int kShift = 1;
inline constexpr int kCtrl = 2;
inline constexpr int kAlt = 4;

inline constexpr int kLinks = 1;
inline constexpr int kRechts = 2;
inline constexpr int kMitte = 4;

namespace vk {
inline constexpr int Back = 8, Tab = 9, Return = 13, Shift = 16, Control = 17, Menu = 18,
                     Escape = 27, Space = 32, PageUp = 33, PageDown = 34, End = 35, Home = 36,
                     Left = 37, Up = 38, Right = 39, Down = 40, Insert = 45, Delete = 46, F1 = 112,
                     F3 = 114, F12 = 123;
}  // namespace vk

// The virtual-key code of a Qt key; 0 for a key that has none.
int KeyCode(int qtKey);
int ShiftWort(Qt::KeyboardModifiers modifiers);
// One button (press and release events).
int Knopf(Qt::MouseButton knopf);
// Every button held (move events).
int Knoepfe(Qt::MouseButtons knoepfe);

}  // namespace galdrik::tasten
