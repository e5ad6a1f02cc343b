#include "platform/forms/KeyCodes.h"

#include <QKeyEvent>
#include <array>
#include <utility>

namespace platform {

namespace {

// Keys whose code is the same whatever the shift state: navigation, editing, function keys.
std::int16_t code_of_named_key(int key)
{
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<std::int16_t>(112 + key - Qt::Key_F1);
    static constexpr std::array<std::pair<int, std::int16_t>, 33> named { {
        { Qt::Key_Backspace, 8 }, { Qt::Key_Tab, 9 }, { Qt::Key_Backtab, 9 }, { Qt::Key_Clear, 12 },
        { Qt::Key_Return, 13 }, { Qt::Key_Enter, 13 }, { Qt::Key_Shift, 16 }, { Qt::Key_Control, 17 },
        { Qt::Key_Alt, 18 }, { Qt::Key_Pause, 19 }, { Qt::Key_CapsLock, 20 }, { Qt::Key_Escape, 27 },
        { Qt::Key_Henkan, 28 }, { Qt::Key_Muhenkan, 29 }, { Qt::Key_Space, 32 }, { Qt::Key_PageUp, 33 },
        { Qt::Key_PageDown, 34 }, { Qt::Key_End, 35 }, { Qt::Key_Home, 36 }, { Qt::Key_Left, 37 },
        { Qt::Key_Up, vbKeyUp }, { Qt::Key_Right, 39 }, { Qt::Key_Down, vbKeyDown }, { Qt::Key_Print, 44 },
        { Qt::Key_Insert, 45 }, { Qt::Key_Delete, 46 }, { Qt::Key_Meta, 91 }, { Qt::Key_Super_L, 91 },
        { Qt::Key_Super_R, 92 }, { Qt::Key_Menu, 93 }, { Qt::Key_NumLock, 144 }, { Qt::Key_ScrollLock, 145 },
        { Qt::Key_Zenkaku_Hankaku, 243 },
    } };
    for (const auto& [qt_key, code] : named) {
        if (qt_key == key)
            return code;
    }
    return 0;
}

// The number pad, with Num Lock on (with it off, its keys arrive as the navigation keys).
std::int16_t code_of_keypad_key(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<std::int16_t>(96 + key - Qt::Key_0);
    switch (key) {
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Minus: return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma: return 110;
    case Qt::Key_Slash: return 111;
    default: return code_of_named_key(key);
    }
}

// The keys of the typing block that carry a character: their code names the key, not the
// character, so Shift+9 is still 57. A key's place is its xkb key code (evdev + 8).
std::int16_t code_of_key_place(quint32 x_keycode)
{
    if (x_keycode >= 10 && x_keycode <= 18) // the digit row: 1 .. 9
        return static_cast<std::int16_t>('1' + x_keycode - 10);
    static constexpr std::array<std::pair<quint32, std::int16_t>, 15> places { {
        { 19, '0' }, { 20, 189 }, { 21, 187 }, { 34, 219 }, { 35, 221 }, { 47, 186 }, { 48, 222 }, { 49, 192 },
        { 51, 220 }, { 59, 188 }, { 60, 190 }, { 61, 191 }, { 94, 226 }, { 97, 226 }, { 132, 220 },
    } };
    for (const auto& [place, code] : places) {
        if (place == x_keycode)
            return code;
    }
    return 0;
}

// Without the key's place (a synthetic event), the unshifted characters of a US keyboard.
std::int16_t code_of_character_key(int key)
{
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return static_cast<std::int16_t>(key); // same numbers as the (capital) character
    static constexpr std::array<std::pair<int, std::int16_t>, 11> characters { {
        { Qt::Key_Minus, 189 }, { Qt::Key_Equal, 187 }, { Qt::Key_BracketLeft, 219 }, { Qt::Key_BracketRight, 221 },
        { Qt::Key_Semicolon, 186 }, { Qt::Key_Apostrophe, 222 }, { Qt::Key_QuoteLeft, 192 },
        { Qt::Key_Backslash, 220 }, { Qt::Key_Comma, 188 }, { Qt::Key_Period, 190 }, { Qt::Key_Slash, 191 },
    } };
    for (const auto& [qt_key, code] : characters) {
        if (qt_key == key)
            return code;
    }
    return 0;
}

}

std::int16_t key_code(const QKeyEvent& event)
{
    const int key = event.key();
    if (event.modifiers().testFlag(Qt::KeypadModifier))
        return code_of_keypad_key(key);
    if (const std::int16_t named = code_of_named_key(key))
        return named;
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<std::int16_t>(key); // letters follow the layout, whatever the shift state
    if (event.nativeScanCode() != 0) // an xkb key code, under X11 and Wayland alike
        return code_of_key_place(event.nativeScanCode());
    return code_of_character_key(key);
}

}
