#include "platform/backends/sdl/key_mapping.h"

namespace {

struct KeyRow {
    SDL_Keycode sdl;
    unsigned virtual_key;
};

constexpr KeyRow NamedKeys[] = {
    {SDLK_BACKSPACE, 0x08}, {SDLK_TAB, 0x09},      {SDLK_RETURN, 0x0D},
    {SDLK_KP_ENTER, 0x0D},  {SDLK_RETURN2, 0x0D},  {SDLK_ESCAPE, 0x1B},
    {SDLK_SPACE, 0x20},     {SDLK_PAGEUP, 0x21},   {SDLK_PAGEDOWN, 0x22},
    {SDLK_END, 0x23},       {SDLK_HOME, 0x24},     {SDLK_LEFT, 0x25},
    {SDLK_UP, 0x26},        {SDLK_RIGHT, 0x27},    {SDLK_DOWN, 0x28},
    {SDLK_INSERT, 0x2D},    {SDLK_DELETE, 0x2E},   {SDLK_APPLICATION, 0x5D},
    {SDLK_MENU, 0x5D},      {SDLK_LSHIFT, 0x10},   {SDLK_RSHIFT, 0x10},
    {SDLK_LCTRL, 0x11},     {SDLK_RCTRL, 0x11},    {SDLK_LALT, 0x12},
    {SDLK_RALT, 0x12},      {SDLK_KP_0, 0x60},     {SDLK_KP_1, 0x61},
    {SDLK_KP_2, 0x62},      {SDLK_KP_3, 0x63},     {SDLK_KP_4, 0x64},
    {SDLK_KP_5, 0x65},      {SDLK_KP_6, 0x66},     {SDLK_KP_7, 0x67},
    {SDLK_KP_8, 0x68},      {SDLK_KP_9, 0x69},     {SDLK_KP_MULTIPLY, 0x6A},
    {SDLK_KP_PLUS, 0x6B},   {SDLK_KP_MINUS, 0x6D}, {SDLK_KP_PERIOD, 0x6E},
    {SDLK_KP_DIVIDE, 0x6F}, {SDLK_F1, 0x70},       {SDLK_F2, 0x71},
    {SDLK_F3, 0x72},        {SDLK_F4, 0x73},       {SDLK_F5, 0x74},
    {SDLK_F6, 0x75},        {SDLK_F7, 0x76},       {SDLK_F8, 0x77},
    {SDLK_F9, 0x78},        {SDLK_F10, 0x79},      {SDLK_F11, 0x7A},
    {SDLK_F12, 0x7B},
};

} // namespace

std::optional<unsigned> VirtualKeyFor(const SDL_Keysym& key) {
    for (const KeyRow& row : NamedKeys) {
        if (row.sdl == key.sym)
            return row.virtual_key;
    }
    // Letters and digits by the symbol the layout gives them; a layout's own letters (ı, ş,
    // ...) by their place on the keyboard, as Windows gives them the code of that key.
    if (key.sym >= SDLK_a && key.sym <= SDLK_z)
        return 'A' + static_cast<unsigned>(key.sym - SDLK_a);
    if (key.sym >= SDLK_0 && key.sym <= SDLK_9)
        return '0' + static_cast<unsigned>(key.sym - SDLK_0);
    if (key.scancode >= SDL_SCANCODE_A && key.scancode <= SDL_SCANCODE_Z)
        return 'A' + static_cast<unsigned>(key.scancode - SDL_SCANCODE_A);
    if (key.scancode >= SDL_SCANCODE_1 && key.scancode <= SDL_SCANCODE_9)
        return '1' + static_cast<unsigned>(key.scancode - SDL_SCANCODE_1);
    if (key.scancode == SDL_SCANCODE_0)
        return '0';
    return std::nullopt;
}

Modifier ModifiersFor(Uint16 sdl_modifiers) {
    Modifier held = Modifier::None;
    if (sdl_modifiers & KMOD_SHIFT)
        held = held | Modifier::Shift;
    if (sdl_modifiers & KMOD_CTRL)
        held = held | Modifier::Control;
    if (sdl_modifiers & KMOD_ALT)
        held = held | Modifier::Alt;
    return held;
}
