#include "KeyCodes.h"

namespace forms {

namespace {

// Punctuation reports the code of the key that carries it (a US keyboard), so
// that every typed character, "." and "-" included, is a key press with a code.
int punctuationKeyCode(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_ParenRight: return '0';
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return 186;
    case Qt::Key_Equal: return KeyCode::OemPlus;
    case Qt::Key_Comma:
    case Qt::Key_Less: return KeyCode::OemComma;
    case Qt::Key_Underscore: return KeyCode::OemMinus;
    case Qt::Key_Greater: return KeyCode::OemPeriod;
    case Qt::Key_Question: return 191;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return 192;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return 219;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return 220;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return 221;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return 222;
    default: return 0;
    }
}

} // namespace

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
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Print: return 44;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    case Qt::Key_Asterisk: return keypad ? KeyCode::Multiply : '8';
    case Qt::Key_Plus: return keypad ? KeyCode::Add : KeyCode::OemPlus;
    case Qt::Key_Minus: return keypad ? KeyCode::Subtract : KeyCode::OemMinus;
    case Qt::Key_Period: return keypad ? KeyCode::Decimal : KeyCode::OemPeriod;
    case Qt::Key_Slash: return keypad ? KeyCode::Divide : 191;
    default: return punctuationKeyCode(qtKey);
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
