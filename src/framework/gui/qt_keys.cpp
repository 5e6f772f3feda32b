#include "framework/gui/qt_keys.h"

namespace fw {

namespace {

// The platform's code for a character typed without a key of its own (VK_PACKET).
constexpr int PacketKey = 0xE7;

int KeypadKey(int key, Qt::KeyboardModifiers modifiers, int otherwise)
{
    return modifiers.testFlag(Qt::KeypadModifier) ? key : otherwise;
}

} // namespace

int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers, bool typesText)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        return 'A' + (qtKey - Qt::Key_A);
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        const int digit = qtKey - Qt::Key_0;
        return KeypadKey(VK_NUMPAD0 + digit, modifiers, '0' + digit);
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return VK_F1 + (qtKey - Qt::Key_F1);
    }
    switch (qtKey) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Asterisk: return KeypadKey(VK_MULTIPLY, modifiers, typesText ? PacketKey : 0);
    case Qt::Key_Plus: return KeypadKey(VK_ADD, modifiers, VK_OEM_PLUS);
    case Qt::Key_Minus: return KeypadKey(VK_SUBTRACT, modifiers, VK_OEM_MINUS);
    case Qt::Key_Slash: return KeypadKey(VK_DIVIDE, modifiers, VK_OEM_2);
    case Qt::Key_Semicolon: return VK_OEM_1;
    case Qt::Key_Equal: return VK_OEM_PLUS;
    case Qt::Key_Comma: return VK_OEM_COMMA;
    case Qt::Key_Period: return VK_OEM_PERIOD;
    case Qt::Key_QuoteLeft: return VK_OEM_3;
    case Qt::Key_BracketLeft: return VK_OEM_4;
    case Qt::Key_Backslash: return VK_OEM_5;
    case Qt::Key_BracketRight: return VK_OEM_6;
    case Qt::Key_Apostrophe: return VK_OEM_7;
    default: return typesText ? PacketKey : 0;
    }
}

ShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons)
{
    ShiftState shift;
    shift.Set(ShiftFlag::Shift, modifiers.testFlag(Qt::ShiftModifier));
    shift.Set(ShiftFlag::Alt, modifiers.testFlag(Qt::AltModifier));
    shift.Set(ShiftFlag::Ctrl, modifiers.testFlag(Qt::ControlModifier));
    shift.Set(ShiftFlag::Left, buttons.testFlag(Qt::LeftButton));
    shift.Set(ShiftFlag::Right, buttons.testFlag(Qt::RightButton));
    shift.Set(ShiftFlag::Middle, buttons.testFlag(Qt::MiddleButton));
    return shift;
}

} // namespace fw
