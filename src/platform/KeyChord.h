#pragma once
// Key events as the menu table writes their keys ("Ctrl+R", "Ctrl+Shift+F3",
// "F1"), so that every window dispatches the menu's keys the same way.

#include <Qt>
#include <string>

#include "ruler/RulerInteraction.h"

class QKeyEvent;

// The chord of a key with its modifiers (Ctrl, Alt, Shift in that order);
// empty for keys the menu never names. scanCode: the X keycode where known.
// Digits are named by their key's place in the digit row, so that Ctrl+1 is
// the same key on every layout; the keypad's digits are other keys.
std::string KeyChordOf(int key, Qt::KeyboardModifiers modifiers, quint32 scanCode = 0);
std::string KeyChordOf(const QKeyEvent& event);

// The arrow a key is, if any, and the modifiers held with it, for the moves
// by keyboard.
TArrowKey ArrowKeyOf(int key);
TModifiers ModifiersOf(Qt::KeyboardModifiers modifiers);
