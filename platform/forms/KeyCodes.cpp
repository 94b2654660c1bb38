#include "KeyCodes.h"

namespace forms {

int keyCodeFromQt(int qtKey, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return keypad ? KeyCode::Numpad0 + (qtKey - Qt::Key_0) : qtKey;
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return KeyCode::F1 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace: return KeyCode::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return KeyCode::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return KeyCode::Return;
    case Qt::Key_Shift: return KeyCode::Shift;
    case Qt::Key_Control: return KeyCode::Control;
    case Qt::Key_Alt: return KeyCode::Menu;
    case Qt::Key_Pause: return KeyCode::Pause;
    case Qt::Key_Escape: return KeyCode::Escape;
    case Qt::Key_Space: return KeyCode::Space;
    case Qt::Key_PageUp: return KeyCode::PageUp;
    case Qt::Key_PageDown: return KeyCode::PageDown;
    case Qt::Key_End: return KeyCode::End;
    case Qt::Key_Home: return KeyCode::Home;
    case Qt::Key_Left: return KeyCode::Left;
    case Qt::Key_Up: return KeyCode::Up;
    case Qt::Key_Right: return KeyCode::Right;
    case Qt::Key_Down: return KeyCode::Down;
    case Qt::Key_Insert: return KeyCode::Insert;
    case Qt::Key_Delete: return KeyCode::Delete;
    case Qt::Key_Asterisk: return keypad ? KeyCode::Multiply : 0;
    case Qt::Key_Plus: return keypad ? KeyCode::Add : 0;
    case Qt::Key_Minus: return keypad ? KeyCode::Subtract : 0;
    case Qt::Key_Period: return keypad ? KeyCode::Decimal : 0;
    case Qt::Key_Slash: return keypad ? KeyCode::Divide : 0;
    default: return 0;
    }
}

int shiftStateFromQt(Qt::KeyboardModifiers modifiers) {
    int state = 0;
    if (modifiers.testFlag(Qt::ShiftModifier))
        state |= ShiftState::Shift;
    if (modifiers.testFlag(Qt::ControlModifier))
        state |= ShiftState::Control;
    if (modifiers.testFlag(Qt::AltModifier))
        state |= ShiftState::Alt;
    return state;
}

int mouseButtonsFromQt(Qt::MouseButtons buttons) {
    int result = 0;
    if (buttons.testFlag(Qt::LeftButton))
        result |= MouseButton::Left;
    if (buttons.testFlag(Qt::RightButton))
        result |= MouseButton::Right;
    if (buttons.testFlag(Qt::MiddleButton))
        result |= MouseButton::Middle;
    return result;
}

} // namespace forms
