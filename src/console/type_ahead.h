#pragma once
// Tells whether the user has typed ahead: whether a key press that carries a
// character is waiting in the console input queue. Nothing is consumed.

namespace tarnwick {

// True at the first waiting key event that is a press with a nonzero character
// byte. False for an empty queue, releases, keys without a character, non-key
// events, and when the queue cannot be counted or peeked. True when the peek
// buffer cannot be had: typing nothing is better than typing out of order.
bool HasPendingTypedKeys() noexcept;

}  // namespace tarnwick
