// Key codes of keyboard and mouse input, and the process-wide key-alias table.
//
// A key code is the virtual-key code plus 0x100 for Shift, 0x200 for Ctrl and
// 0x400 for Alt (runtime/sys/events.h). Mouse buttons have codes below 0x100
// that take the same modifier bits. An alias makes one key code stand for
// another for every window of the process: after setKeyAlias(F1, Ctrl+H) an F1
// press is seen, alerted and handled as Ctrl+H.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

namespace runtime::ui {

namespace mousekey {
inline constexpr int32_t Left = 1;
inline constexpr int32_t Right = 2;
inline constexpr int32_t Middle = 3;
inline constexpr int32_t LeftDouble = 5;
inline constexpr int32_t RightDouble = 6;
inline constexpr int32_t LeftUp = 129;
inline constexpr int32_t RightUp = 130;
} // namespace mousekey

// The key code of a key press (WM_KEYDOWN/WM_SYSKEYDOWN) or a mouse button
// message, with the modifiers held at the time and any alias applied; nullopt
// for other messages and for the modifier keys themselves.
std::optional<int32_t> keyCodeOf(const MSG& message);

// A key code from a virtual key and explicit modifiers (no alias applied).
int32_t makeKeyCode(int32_t virtualKey, bool shift, bool ctrl, bool alt);

// The virtual key of a key code and its modifier bits.
int32_t virtualKeyOf(int32_t keyCode);
bool hasShift(int32_t keyCode);
bool hasCtrl(int32_t keyCode);
bool hasAlt(int32_t keyCode);
bool isMouseCode(int32_t keyCode);

void setKeyAlias(int32_t from, int32_t to);
void removeKeyAlias(int32_t from);
void clearKeyAliases();
int32_t applyKeyAlias(int32_t keyCode);

// The character a key code types (letters in the case Shift gives them), or
// nullopt for keys that type none (function keys, arrows, Ctrl and Alt
// combinations, mouse buttons).
std::optional<char> characterOf(int32_t keyCode);

// Whether the Control key is held down right now.
bool ctrlHeld();

} // namespace runtime::ui
