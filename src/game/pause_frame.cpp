// Enhanced play's pause: P, Pause, the pad's Start or the window losing the focus hold the world
// still under the pause overlay; Resume goes on exactly where play stopped.
#include "audio/music.h"
#include "graphics/display.h"
#include "platform/keyboard.h"
#include "screens/options_screen.h"
#include "screens/pause_overlay.h"
#include "screens/title_menu.h"
#include "game/game.h"
#include "userfiles/profile.h"
#include "world/hit_feedback.h"
#include "world/world.h"

namespace {

constexpr uint32_t PK_UP = 1, PK_DOWN = 2, PK_ENTER = 4, PK_ESCAPE = 8, PK_PAUSE = 16;  // overlay keys, as bits

uint32_t pause_keys_down() {
    using namespace platform;
    return (key_down(VK_UP) ? PK_UP : 0) | (key_down(VK_DOWN) ? PK_DOWN : 0) | (key_down(VK_RETURN) ? PK_ENTER : 0) |
           (key_down(VK_ESCAPE) ? PK_ESCAPE : 0) | (key_down(VK_PAUSE) ? PK_PAUSE : 0);
}

void resume() {
    game.paused = false;
    hold_music(false);
}

// The world as it stands, drawn and not moved.
void draw_still_world() {
    world.owe_tile_map();
    world.pay_tile_map();
    world.draw_frozen_world();
    draw_boss_bars(world);
}

}  // namespace

bool pause_frame() {
    const bool pause_down = platform::key_down(platform::VK_PAUSE);
    const bool pause_pressed = pause_down && !game.pause_key_held;
    game.pause_key_held = pause_down;
    if (!game.paused) {
        if (!pause_pressed) return false;
        game.paused = true;
        game.pause_choice = PAUSE_CHOICE_RESUME;
        game.pause_keys_before = ~0u;  // keys held as it opens act once let go
        hold_music(true);
    }
    const uint32_t down = pause_keys_down();
    // The keys held when the overlay appeared act only after their release.
    const uint32_t pressed = down & ~game.pause_keys_before;
    game.pause_keys_before = down;
    const bool offers_options = profile.active;
    if (pressed & PK_UP) game.pause_choice = (game.pause_choice + PAUSE_CHOICE_COUNT - 1) % PAUSE_CHOICE_COUNT;
    if (pressed & PK_DOWN) game.pause_choice = (game.pause_choice + 1) % PAUSE_CHOICE_COUNT;
    if (!offers_options && game.pause_choice == PAUSE_CHOICE_OPTIONS)
        game.pause_choice = (pressed & PK_UP) ? PAUSE_CHOICE_RESUME : PAUSE_CHOICE_QUIT;
    draw_still_world();
    draw_pause_overlay(game.pause_choice, offers_options, title_menu.pointer);
    if (pressed & (PK_ESCAPE | PK_PAUSE)) {
        resume();
    } else if (pressed & PK_ENTER) {
        if (game.pause_choice == PAUSE_CHOICE_RESUME) {
            resume();
        } else if (game.pause_choice == PAUSE_CHOICE_OPTIONS) {
            options_screen.open(profile.settings);
            options_screen.from_pause = true;
            game.options_from_pause = true;
            game.game_state = GAME_STATE_OPTIONS;
        } else {
            // The title offers RESUME, which comes back to this very moment of play.
            resume();
            game.resume_state = GAME_STATE_PLAYING;
            title_menu.menu_choice = MENU_CHOICE_START;
            title_menu.menu_counter = 0;
            game.title_waits_for_release = true;
            game.game_state = GAME_STATE_TITLE;
        }
    }
    return true;
}
