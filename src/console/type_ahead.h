#pragma once
// Tells whether the user's own input is waiting in the console input queue,
// ahead of anything the plug-in would append. Nothing is consumed.

namespace tarnwick {

// Whether any input of the user's waits, typed or not: a click, F10 or an
// arrow keeps the plug-in out as a typed letter does. True when the waiting
// events hold any of:
//   - a key press that carries a character;
//   - a key press of any key but a modifier or lock key pressed alone (Shift,
//     Ctrl, Alt, their left and right forms, the Windows keys, Caps Lock,
//     Num Lock, Scroll Lock), F7 and Ctrl+F7 themselves included;
//   - a mouse event with a button down, or a wheel turn.
// Releases, focus, menu and buffer-size events and plain mouse moves do not
// count. Typed after the user's keys, the plug-in's keys would land in the
// wrong place, so when in doubt the answer is true: also when the peek
// buffer cannot be had. False for an empty queue, and when the first count
// or the first peek fails, since nothing was seen. When a later count or
// peek fails, the answer is that of the last snapshot taken.
bool HasPendingTypedKeys() noexcept;

}  // namespace tarnwick
