// Enhanced play's end scene: the hero's head travels the map from the Great Tree home to
// Curdwick under a closing line, then "The End" with the credits; then the title, where START
// begins a new game.
#include "audio/music.h"
#include "graphics/display.h"
#include "platform/keyboard.h"
#include "world/dialog_box.h"
#include "screens/enhanced_screens.h"
#include "screens/progress_map.h"
#include "screens/title_menu.h"
#include "game/game.h"
#include "userfiles/profile.h"
#include "world/world.h"

namespace {

// Frames of the walk home, then of the credits before Space may end them, and at most.
constexpr int32_t JOURNEY_FRAMES = 200;
constexpr int32_t CREDITS_KEY_AFTER = 66;
constexpr int32_t CREDITS_FRAMES = 600;
// The head's way on the map, screen pixels: from beside the Great Tree to Curdwick.
constexpr int HEAD_FROM_X = 400, HEAD_TO_X = 70, HEAD_Y = 250;

void draw_journey(int32_t frame) {
    set_sprite_position(&progress_map.map, 0, 0);
    set_sprite_position(&progress_map.head, HEAD_FROM_X + (HEAD_TO_X - HEAD_FROM_X) * frame / JOURNEY_FRAMES, HEAD_Y);
    draw_sprite_scaled(&progress_map.map, 640, 480, &display.back_surface);
    draw_sprite_scaled(&progress_map.head, 64, 64, &display.back_surface);
    DialogBox& box = world.dialog_box;
    draw_sprite(&box.box, &display.back_surface);
    draw_text("And so Nibbs went home to Curdwick, and its people with him.", SPEECH_TEXT_X, SPEECH_TEXT_Y, 0xFFFFFF,
              &display.back_surface);
}

void back_to_title() {
    // The finished game is over: START on the title begins a new one, and CONTINUE, with
    // nothing left to continue, is not offered.
    forget_saved_progress();
    title_menu.menu_choice = MENU_CHOICE_START;
    game.current_level = 0;
    game.ending_frame = 0;
    title_menu.menu_counter = 0;
    game.game_state = GAME_STATE_TITLE;
}

}  // namespace

void start_ending() {
    stop_level_track();
    game.ending_frame = 0;
    game.game_state = GAME_STATE_ENDING;
}

void ending_frame() {
    const int32_t frame = game.ending_frame++;
    if (frame == 0) play_midi(game.level_complete_track);
    if (frame < JOURNEY_FRAMES) {
        draw_journey(frame);
        return;
    }
    const int32_t credits = frame - JOURNEY_FRAMES;
    if (credits == 0) {
        stop_midi(game.level_complete_track);
        play_midi(game.intro_track);
    }
    draw_sprite(&enhanced_screens.the_end, &display.back_surface);
    if (credits < CREDITS_KEY_AFTER) return;
    // Space, not Enter: Enter still held on the title would start a new game at once.
    draw_space_hint(640 - 64 - 12, 480 - 24 - 10);
    if (credits >= CREDITS_FRAMES || platform::key_down(platform::VK_SPACE)) back_to_title();
}
