// Gamepads and keys through the window backend's input on synthetic SDL events, and focus.
#include <gtest/gtest.h>

#include "platform/bindings.h"
#include "platform/input_names.h"
#include "platform/keyboard.h"
#include "platform/sdl/sdl_input.h"

namespace {

class PadInput : public ::testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset() {
        platform::set_bindings(platform::default_bindings(platform::SCANCODE_A, platform::SCANCODE_Z));
        platform::pad_state() = platform::PadState{};
        platform::clear_keyboard_snapshot();
        platform::forget_raw_presses();
    }
    static void button(Uint8 b, bool down, SDL_JoystickID pad = 3) {
        SDL_Event e{};
        e.type = down ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
        e.cbutton.which = pad;
        e.cbutton.button = b;
        platform::sdl_input::handle_event(e);
    }
    static void axis(Uint8 a, Sint16 value) {
        SDL_Event e{};
        e.type = SDL_CONTROLLERAXISMOTION;
        e.caxis.axis = a;
        e.caxis.value = value;
        platform::sdl_input::handle_event(e);
    }
    // The snapshot the next game frame reads, with no key of the keyboard held.
    static void frame() {
        static const Uint8 no_keys[SDL_NUM_SCANCODES] = {};
        platform::sdl_input::refresh_snapshot(no_keys);
    }
    // A button pressed, then the frame that reads it.
    static void press(Uint8 b) {
        button(b, true);
        frame();
    }
    static bool scan_down(int code) {
        uint8_t state[256];
        platform::read_key_state(state);
        return state[code] & platform::KEY_DOWN_BIT;
    }
};

}  // namespace

TEST_F(PadInput, ButtonsAndTheStickFeedTheKeysOfEachContextStartNeverDoesTwoThingsAndPausesEnhancedPlay) {
    platform::set_pad_context(platform::PAD_CONTEXT_PLAY);
    for (Uint8 b : {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_X, SDL_CONTROLLER_BUTTON_DPAD_LEFT}) button(b, true);
    frame();
    EXPECT_TRUE(scan_down(platform::DIK_A)) << "South swings the sword";
    EXPECT_TRUE(scan_down(platform::DIK_Z)) << "West shoots";
    EXPECT_TRUE(platform::key_down(platform::VK_LEFT));
    EXPECT_FALSE(platform::key_down(platform::VK_RETURN)) << "in play South is only the sword";
    for (Uint8 b : {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_X, SDL_CONTROLLER_BUTTON_DPAD_LEFT}) button(b, false);
    press(SDL_CONTROLLER_BUTTON_B);
    EXPECT_FALSE(scan_down(platform::DIK_A));
    EXPECT_TRUE(platform::key_down(platform::VK_SPACE)) << "East drops the speech line";
    button(SDL_CONTROLLER_BUTTON_B, false);

    // South sets out from the map, and the stick walks past its dead zone.
    platform::set_pad_context(platform::PAD_CONTEXT_MAP);
    press(SDL_CONTROLLER_BUTTON_A);
    EXPECT_TRUE(platform::key_down(platform::VK_SPACE));
    button(SDL_CONTROLLER_BUTTON_A, false);
    axis(SDL_CONTROLLER_AXIS_LEFTX, 9000);
    axis(SDL_CONTROLLER_AXIS_LEFTY, -30000);
    frame();
    EXPECT_FALSE(platform::key_down(platform::VK_RIGHT)) << "inside the dead zone";
    EXPECT_TRUE(platform::key_down(platform::VK_UP));

    // A pad pulled out mid-press leaves nothing held.
    platform::set_pad_context(platform::PAD_CONTEXT_PLAY);
    button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    axis(SDL_CONTROLLER_AXIS_LEFTY, 32767);
    frame();
    ASSERT_TRUE(platform::key_down(platform::VK_RIGHT));
    SDL_Event removed{};
    removed.type = SDL_CONTROLLERDEVICEREMOVED;
    removed.cdevice.which = 3;
    platform::sdl_input::handle_event(removed);
    frame();
    EXPECT_FALSE(platform::key_down(platform::VK_RIGHT));
    EXPECT_FALSE(platform::key_down(platform::VK_DOWN));

    reset();  // Start chooses on the title and leaves classic play, but never both at one press
    press(SDL_CONTROLLER_BUTTON_START);
    EXPECT_TRUE(platform::key_down(platform::VK_RETURN));
    EXPECT_FALSE(platform::key_down(platform::VK_ESCAPE));
    // The title starts the game; Start still held must not throw play straight back.
    platform::set_pad_context(platform::PAD_CONTEXT_PLAY);
    frame();
    EXPECT_FALSE(platform::key_down(platform::VK_ESCAPE));
    EXPECT_FALSE(platform::key_down(platform::VK_RETURN));
    button(SDL_CONTROLLER_BUTTON_START, false);
    press(SDL_CONTROLLER_BUTTON_START);
    EXPECT_TRUE(platform::key_down(platform::VK_ESCAPE)) << "a fresh press in play goes to the title";
    button(SDL_CONTROLLER_BUTTON_START, false);
    press(SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_TRUE(platform::key_down(platform::VK_ESCAPE));

    reset();  // in enhanced play Start and P pause, and P given to an action does not
    platform::set_pad_context(platform::PAD_CONTEXT_PLAY_PAUSES);
    press(SDL_CONTROLLER_BUTTON_START);
    EXPECT_TRUE(platform::key_down(platform::VK_PAUSE));
    EXPECT_FALSE(platform::key_down(platform::VK_ESCAPE)) << "Start pauses instead of leaving play";
    button(SDL_CONTROLLER_BUTTON_START, false);
    Uint8 keys[SDL_NUM_SCANCODES] = {};
    keys[platform::SCANCODE_P] = 1;
    platform::sdl_input::refresh_snapshot(keys);
    EXPECT_TRUE(platform::key_down(platform::VK_PAUSE));
    platform::Bindings b = platform::current_bindings();
    platform::bind_key(b, platform::ACTION_SWORD, platform::SCANCODE_P);
    platform::set_bindings(b);
    platform::sdl_input::refresh_snapshot(keys);
    EXPECT_FALSE(platform::key_down(platform::VK_PAUSE));
    EXPECT_TRUE(scan_down(platform::DIK_A));
    keys[platform::SCANCODE_PAUSE] = 1;
    platform::sdl_input::refresh_snapshot(keys);
    EXPECT_TRUE(platform::key_down(platform::VK_PAUSE)) << "the Pause key always pauses";
}

TEST_F(PadInput, RemappedControlsMoveTheGameKeyATapIsTheRawPressForRemappingAndFocusFollowsTheWindow) {
    platform::Bindings b = platform::current_bindings();
    platform::bind_key(b, platform::ACTION_SWORD, platform::scancode_from_file_name("S"));
    platform::bind_button(b, platform::ACTION_SWORD, platform::PAD_RIGHT_SHOULDER);
    platform::set_bindings(b);
    platform::set_pad_context(platform::PAD_CONTEXT_PLAY);
    Uint8 keys[SDL_NUM_SCANCODES] = {};
    keys[SDL_SCANCODE_A] = 1;
    platform::sdl_input::refresh_snapshot(keys);
    EXPECT_FALSE(scan_down(platform::DIK_A));
    keys[SDL_SCANCODE_S] = 1;
    platform::sdl_input::refresh_snapshot(keys);
    EXPECT_TRUE(scan_down(platform::DIK_A)) << "S now swings the sword";
    press(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
    EXPECT_TRUE(scan_down(platform::DIK_A));

    reset();  // a tap between frames is seen once, and is the raw press a remapping takes
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.scancode = SDL_SCANCODE_Z;
    platform::sdl_input::handle_event(e);
    frame();
    EXPECT_TRUE(scan_down(platform::DIK_Z));
    frame();
    EXPECT_FALSE(scan_down(platform::DIK_Z));
    platform::RawPress raw;
    ASSERT_TRUE(platform::take_raw_press(raw));
    EXPECT_EQ(raw.scancode, platform::SCANCODE_Z);
    button(SDL_CONTROLLER_BUTTON_Y, true);
    ASSERT_TRUE(platform::take_raw_press(raw));
    EXPECT_EQ(raw.button, platform::PAD_NORTH);
    EXPECT_FALSE(platform::take_raw_press(raw));

    // Focus follows the window's events.
    e = SDL_Event{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    platform::sdl_input::handle_event(e);
    EXPECT_FALSE(platform::sdl_input::focused());
    // The loss reaches the game as the pause key, in one snapshot only.
    frame();
    EXPECT_TRUE(platform::key_down(platform::VK_PAUSE));
    frame();
    EXPECT_FALSE(platform::key_down(platform::VK_PAUSE));
    e.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    platform::sdl_input::handle_event(e);
    EXPECT_TRUE(platform::sdl_input::focused());
}
