#include "platform/KeyChord.h"

#include <QKeyEvent>

namespace {

// The digit of the key in the main block's digit row, by its position (X
// keycodes 10..19 are the keys 1..9, 0 on every layout).
int DigitRowKey(quint32 scanCode)
{
    if (scanCode < 10 || scanCode > 19) return 0;
    return scanCode == 19 ? Qt::Key_0 : Qt::Key_1 + static_cast<int>(scanCode - 10);
}

}  // namespace

std::string KeyChordOf(int key, Qt::KeyboardModifiers modifiers, quint32 scanCode)
{
    if (modifiers.testFlag(Qt::KeypadModifier)) return {};
    if (const int digit = DigitRowKey(scanCode); digit && !(key >= Qt::Key_A && key <= Qt::Key_Z)) key = digit;
    std::string name;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35) {
        name = 'F';
        name += std::to_string(key - Qt::Key_F1 + 1);
    } else if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        name = static_cast<char>('0' + key - Qt::Key_0);
    } else if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        name = static_cast<char>('A' + key - Qt::Key_A);
    } else {
        return {};
    }
    std::string chord;
    if (modifiers.testFlag(Qt::ControlModifier)) chord += "Ctrl+";
    if (modifiers.testFlag(Qt::AltModifier)) chord += "Alt+";
    if (modifiers.testFlag(Qt::ShiftModifier)) chord += "Shift+";
    return chord + name;
}

std::string KeyChordOf(const QKeyEvent& event)
{
    return KeyChordOf(event.key(), event.modifiers(), event.nativeScanCode());
}

TArrowKey ArrowKeyOf(int key)
{
    switch (key) {
        case Qt::Key_Left: return TArrowKey::Left;
        case Qt::Key_Up: return TArrowKey::Up;
        case Qt::Key_Right: return TArrowKey::Right;
        case Qt::Key_Down: return TArrowKey::Down;
        default: return TArrowKey::None;
    }
}

TModifiers ModifiersOf(Qt::KeyboardModifiers modifiers)
{
    return {modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier),
            modifiers.testFlag(Qt::AltModifier)};
}
