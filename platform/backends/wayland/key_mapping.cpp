#include "platform/backends/wayland/key_mapping.h"

#include <string_view>

namespace {

struct KeyRow {
    xkb_keysym_t symbol;
    unsigned virtual_key;
};

constexpr KeyRow NamedKeys[] = {
    {XKB_KEY_BackSpace, 0x08},
    {XKB_KEY_Tab, 0x09},
    {XKB_KEY_ISO_Left_Tab, 0x09},
    {XKB_KEY_Return, 0x0D},
    {XKB_KEY_KP_Enter, 0x0D},
    {XKB_KEY_Escape, 0x1B},
    {XKB_KEY_space, 0x20},
    {XKB_KEY_Page_Up, 0x21},
    {XKB_KEY_Page_Down, 0x22},
    {XKB_KEY_End, 0x23},
    {XKB_KEY_Home, 0x24},
    {XKB_KEY_Left, 0x25},
    {XKB_KEY_Up, 0x26},
    {XKB_KEY_Right, 0x27},
    {XKB_KEY_Down, 0x28},
    {XKB_KEY_Insert, 0x2D},
    {XKB_KEY_Delete, 0x2E},
    {XKB_KEY_Menu, 0x5D},
    {XKB_KEY_Shift_L, 0x10},
    {XKB_KEY_Shift_R, 0x10},
    {XKB_KEY_Control_L, 0x11},
    {XKB_KEY_Control_R, 0x11},
    {XKB_KEY_Alt_L, 0x12},
    {XKB_KEY_Alt_R, 0x12},
    {XKB_KEY_KP_0, 0x60},
    {XKB_KEY_KP_1, 0x61},
    {XKB_KEY_KP_2, 0x62},
    {XKB_KEY_KP_3, 0x63},
    {XKB_KEY_KP_4, 0x64},
    {XKB_KEY_KP_5, 0x65},
    {XKB_KEY_KP_6, 0x66},
    {XKB_KEY_KP_7, 0x67},
    {XKB_KEY_KP_8, 0x68},
    {XKB_KEY_KP_9, 0x69},
    {XKB_KEY_KP_Multiply, 0x6A},
    {XKB_KEY_KP_Add, 0x6B},
    {XKB_KEY_KP_Subtract, 0x6D},
    {XKB_KEY_KP_Decimal, 0x6E},
    {XKB_KEY_KP_Divide, 0x6F},
    // The keypad without Num Lock moves, as the keys it stands for do.
    {XKB_KEY_KP_Insert, 0x2D},
    {XKB_KEY_KP_Delete, 0x2E},
    {XKB_KEY_KP_End, 0x23},
    {XKB_KEY_KP_Down, 0x28},
    {XKB_KEY_KP_Page_Down, 0x22},
    {XKB_KEY_KP_Left, 0x25},
    {XKB_KEY_KP_Right, 0x27},
    {XKB_KEY_KP_Home, 0x24},
    {XKB_KEY_KP_Up, 0x26},
    {XKB_KEY_KP_Page_Up, 0x21},
    {XKB_KEY_F1, 0x70},
    {XKB_KEY_F2, 0x71},
    {XKB_KEY_F3, 0x72},
    {XKB_KEY_F4, 0x73},
    {XKB_KEY_F5, 0x74},
    {XKB_KEY_F6, 0x75},
    {XKB_KEY_F7, 0x76},
    {XKB_KEY_F8, 0x77},
    {XKB_KEY_F9, 0x78},
    {XKB_KEY_F10, 0x79},
    {XKB_KEY_F11, 0x7A},
    {XKB_KEY_F12, 0x7B},
};

// The letters and digits of the main block by their evdev key codes, where a US keyboard
// has them: Windows codes a layout's own letters (ı, ş, ...) by the key they sit on.
constexpr unsigned EvdevOffset = 8;
struct KeyRun {
    unsigned first_evdev;
    std::string_view keys;
};
constexpr KeyRun KeyboardRows[] = {
    {2, "1234567890"}, {16, "QWERTYUIOP"}, {30, "ASDFGHJKL"}, {44, "ZXCVBNM"}};

} // namespace

std::optional<unsigned> VirtualKeyForKeysym(xkb_keysym_t symbol, xkb_keycode_t keycode) {
    for (const KeyRow& row : NamedKeys) {
        if (row.symbol == symbol)
            return row.virtual_key;
    }
    if (symbol >= XKB_KEY_a && symbol <= XKB_KEY_z)
        return 'A' + (symbol - XKB_KEY_a);
    if (symbol >= XKB_KEY_A && symbol <= XKB_KEY_Z)
        return 'A' + (symbol - XKB_KEY_A);
    if (symbol >= XKB_KEY_0 && symbol <= XKB_KEY_9)
        return '0' + (symbol - XKB_KEY_0);
    if (keycode < EvdevOffset)
        return std::nullopt;
    const unsigned evdev = keycode - EvdevOffset;
    for (const KeyRun& run : KeyboardRows) {
        if (evdev >= run.first_evdev && evdev < run.first_evdev + run.keys.size())
            return static_cast<unsigned char>(run.keys[evdev - run.first_evdev]);
    }
    return std::nullopt;
}

Modifier ModifiersFor(xkb_state* state) {
    Modifier held = Modifier::None;
    const auto is_held = [state](const char* name) {
        return xkb_state_mod_name_is_active(state, name, XKB_STATE_MODS_EFFECTIVE) > 0;
    };
    if (is_held(XKB_MOD_NAME_SHIFT))
        held = held | Modifier::Shift;
    if (is_held(XKB_MOD_NAME_CTRL))
        held = held | Modifier::Control;
    if (is_held(XKB_MOD_NAME_ALT))
        held = held | Modifier::Alt;
    return held;
}
