#include "platform/backends/sdl/key_mapping.h"
#include "platform/backends/wayland/key_mapping.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <xkbcommon/xkbcommon-keysyms.h>

#include <optional>

namespace {

// xkb numbers keys from evdev's codes plus 8.
constexpr xkb_keycode_t Xkb(unsigned evdev) {
    return evdev + 8;
}

// The same key must give the same virtual-key code on Wayland as on X11 (SDL), or a key
// would do one thing in one session and another in the other.
TEST(WaylandKeys, NamedKeysMatchTheX11Backend) {
    struct Row {
        SDL_Keycode sdl;
        SDL_Scancode scancode;
        xkb_keysym_t symbol;
        unsigned evdev;
    };
    const Row rows[] = {
        {SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, XKB_KEY_BackSpace, KEY_BACKSPACE},
        {SDLK_TAB, SDL_SCANCODE_TAB, XKB_KEY_Tab, KEY_TAB},
        // Shift+Tab is a symbol of its own in xkb, the Tab key all the same in SDL.
        {SDLK_TAB, SDL_SCANCODE_TAB, XKB_KEY_ISO_Left_Tab, KEY_TAB},
        {SDLK_RETURN, SDL_SCANCODE_RETURN, XKB_KEY_Return, KEY_ENTER},
        {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, XKB_KEY_KP_Enter, KEY_KPENTER},
        {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, XKB_KEY_Escape, KEY_ESC},
        {SDLK_SPACE, SDL_SCANCODE_SPACE, XKB_KEY_space, KEY_SPACE},
        {SDLK_PAGEUP, SDL_SCANCODE_PAGEUP, XKB_KEY_Page_Up, KEY_PAGEUP},
        {SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN, XKB_KEY_Page_Down, KEY_PAGEDOWN},
        {SDLK_HOME, SDL_SCANCODE_HOME, XKB_KEY_Home, KEY_HOME},
        {SDLK_END, SDL_SCANCODE_END, XKB_KEY_End, KEY_END},
        {SDLK_LEFT, SDL_SCANCODE_LEFT, XKB_KEY_Left, KEY_LEFT},
        {SDLK_RIGHT, SDL_SCANCODE_RIGHT, XKB_KEY_Right, KEY_RIGHT},
        {SDLK_UP, SDL_SCANCODE_UP, XKB_KEY_Up, KEY_UP},
        {SDLK_DOWN, SDL_SCANCODE_DOWN, XKB_KEY_Down, KEY_DOWN},
        {SDLK_INSERT, SDL_SCANCODE_INSERT, XKB_KEY_Insert, KEY_INSERT},
        {SDLK_DELETE, SDL_SCANCODE_DELETE, XKB_KEY_Delete, KEY_DELETE},
        {SDLK_APPLICATION, SDL_SCANCODE_APPLICATION, XKB_KEY_Menu, KEY_COMPOSE},
        {SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, XKB_KEY_Shift_L, KEY_LEFTSHIFT},
        {SDLK_RCTRL, SDL_SCANCODE_RCTRL, XKB_KEY_Control_R, KEY_RIGHTCTRL},
        {SDLK_LALT, SDL_SCANCODE_LALT, XKB_KEY_Alt_L, KEY_LEFTALT},
        {SDLK_KP_0, SDL_SCANCODE_KP_0, XKB_KEY_KP_0, KEY_KP0},
        {SDLK_KP_9, SDL_SCANCODE_KP_9, XKB_KEY_KP_9, KEY_KP9},
        {SDLK_KP_MULTIPLY, SDL_SCANCODE_KP_MULTIPLY, XKB_KEY_KP_Multiply, KEY_KPASTERISK},
        {SDLK_KP_PLUS, SDL_SCANCODE_KP_PLUS, XKB_KEY_KP_Add, KEY_KPPLUS},
        {SDLK_KP_MINUS, SDL_SCANCODE_KP_MINUS, XKB_KEY_KP_Subtract, KEY_KPMINUS},
        {SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, XKB_KEY_KP_Decimal, KEY_KPDOT},
        {SDLK_KP_DIVIDE, SDL_SCANCODE_KP_DIVIDE, XKB_KEY_KP_Divide, KEY_KPSLASH},
        {SDLK_F1, SDL_SCANCODE_F1, XKB_KEY_F1, KEY_F1},
        {SDLK_F12, SDL_SCANCODE_F12, XKB_KEY_F12, KEY_F12},
        {SDLK_a, SDL_SCANCODE_A, XKB_KEY_a, KEY_A},
        {SDLK_z, SDL_SCANCODE_Z, XKB_KEY_z, KEY_Z},
        {SDLK_0, SDL_SCANCODE_0, XKB_KEY_0, KEY_0},
        {SDLK_7, SDL_SCANCODE_7, XKB_KEY_7, KEY_7},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(xkb_keysym_t{row.symbol});
        const SDL_Keysym sdl{row.scancode, row.sdl, 0, 0};
        const std::optional<unsigned> expected = VirtualKeyFor(sdl);
        ASSERT_TRUE(expected.has_value());
        EXPECT_EQ(VirtualKeyForKeysym(row.symbol, Xkb(row.evdev)), expected);
    }
}

class TurkishKeyboard : public ::testing::Test {
  protected:
    void SetUp() override {
        m_context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
        const xkb_rule_names names{"evdev", "pc105", "tr", "", ""};
        m_keymap = xkb_keymap_new_from_names(m_context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
        if (m_keymap == nullptr)
            GTEST_SKIP() << "no Turkish layout in the xkb data";
        m_state = xkb_state_new(m_keymap);
    }
    void TearDown() override {
        xkb_state_unref(m_state);
        xkb_keymap_unref(m_keymap);
        xkb_context_unref(m_context);
    }
    // Presses (or releases) a key as the compositor tells it.
    void hold(unsigned evdev, bool is_down) {
        xkb_state_update_key(m_state, Xkb(evdev), is_down ? XKB_KEY_DOWN : XKB_KEY_UP);
    }
    std::optional<unsigned> virtual_key(unsigned evdev) {
        return VirtualKeyForKeysym(xkb_state_key_get_one_sym(m_state, Xkb(evdev)), Xkb(evdev));
    }

    xkb_context* m_context = nullptr;
    xkb_keymap* m_keymap = nullptr;
    xkb_state* m_state = nullptr;
};

TEST_F(TurkishKeyboard, LettersOfTheLayoutGoByTheirKey) {
    struct Row {
        const char* why;
        unsigned evdev;
        std::optional<unsigned> expected;
    };
    const Row rows[] = {
        {"ı on the I key", KEY_I, 'I'},
        {"ğ beside P has no letter code", KEY_LEFTBRACE, std::nullopt},
        {"ş beside L has no letter code", KEY_SEMICOLON, std::nullopt},
        {"i on the key beside ş", KEY_APOSTROPHE, 'I'},
        {"an ordinary letter", KEY_F, 'F'},
        {"a digit", KEY_3, '3'},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(virtual_key(row.evdev), row.expected);
    }
}

TEST_F(TurkishKeyboard, ShiftedKeysKeepTheirCode) {
    hold(KEY_LEFTSHIFT, true);
    EXPECT_EQ(virtual_key(KEY_1), std::optional<unsigned>('1')) << "Shift+1 types !";
    EXPECT_EQ(virtual_key(KEY_B), std::optional<unsigned>('B'));
    EXPECT_EQ(virtual_key(KEY_TAB), std::optional<unsigned>(0x09)) << "Shift+Tab";
    EXPECT_EQ(ModifiersFor(m_state), Modifier::Shift);
    hold(KEY_LEFTCTRL, true);
    EXPECT_EQ(ModifiersFor(m_state), Modifier::Shift | Modifier::Control);
}

TEST_F(TurkishKeyboard, TheKeypadFollowsNumLock) {
    EXPECT_EQ(virtual_key(KEY_KP1), std::optional<unsigned>(0x23)) << "End without Num Lock";
    EXPECT_EQ(virtual_key(KEY_KPDOT), std::optional<unsigned>(0x2E)) << "Delete";
    hold(KEY_NUMLOCK, true);
    hold(KEY_NUMLOCK, false);
    EXPECT_EQ(virtual_key(KEY_KP1), std::optional<unsigned>(0x61));
    EXPECT_EQ(virtual_key(KEY_KP0), std::optional<unsigned>(0x60));
}

} // namespace
