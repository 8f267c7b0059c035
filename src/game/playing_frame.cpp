// One frame of play: keys, music loop, the map, the speech box or the world, deaths and HUD.
#include "audio/music.h"
#include "platform/keyboard.h"
#include "base/play_mode.h"
#include "game/game.h"
#include "world/control_prompts.h"
#include "world/death_beat.h"
#include "world/hit_feedback.h"
#include "world/world.h"

namespace {

// The hero has lost a life. Classic play goes on at once with his hearts back, or ends the game.
// Enhanced play first holds a beat: the counter drops as he falls, and his hearts come back (or
// the game ends) when it is over.
void lose_life(Player& hero) {
    const bool last = hero.lives == 1;
    if (enhanced_play()) {
        game.death_beat_ends_game = last;
        game.death_beat_left = last ? LAST_DEATH_BEAT_FRAMES : DEATH_BEAT_FRAMES;
        if (!last) hero.lives -= 1;
        return;
    }
    if (last) {
        game.game_state = GAME_STATE_GAME_OVER;
        game.current_level = 0;
    } else {
        hero.lives -= 1;
        hero.hit_points = hero_full_hit_points();
    }
}

// One frame of the beat: nothing moves and no key acts while the hero falls.
void death_beat_frame() {
    const int32_t length = game.death_beat_ends_game ? LAST_DEATH_BEAT_FRAMES : DEATH_BEAT_FRAMES;
    world.pay_tile_map();
    draw_death_beat(world, length - game.death_beat_left, game.death_beat_ends_game);
    if (--game.death_beat_left > 0) return;
    if (game.death_beat_ends_game) {
        game.game_state = GAME_STATE_GAME_OVER;
        game.current_level = 0;
        game.death_beat_ends_game = false;
    } else {
        world.player.hit_points = hero_full_hit_points();
    }
}

}  // namespace

void playing_frame() {
    if (platform::key_down(platform::VK_ESCAPE)) {
        game.game_state = GAME_STATE_TITLE;
        game.resume_state = GAME_STATE_PLAYING;
    }
    platform::read_key_state(game.key_state);
    // The level track loops; after a level is completed it waits for the fanfare to finish
    // instead of cutting it off one frame after it began.
    if (midi_status(game.current_level_track) == MIDI_STATE_STOPPED &&
        midi_status(game.level_complete_track) != MIDI_STATE_PLAYING)
        play_midi(game.current_level_track);
    // The map is drawn first in every playing frame; a walking frame draws it again once the
    // hero has moved, so the first draw waits until something else is to be drawn over it.
    world.owe_tile_map();

    DialogBox& speech = world.dialog_box;
    if (!speech.speech_is_idle()) {
        world.pay_tile_map();
        // The world is frozen while a line is shown; Space drops one line per 11 frames at most.
        // Enhanced play keeps the frozen world in sight behind the box.
        if (enhanced_play()) world.draw_frozen_world();
        // Enhanced play keeps the box off the hero; classic play has it in its one place.
        if (enhanced_play())
            speech.place_clear_of(world.player.body);
        else
            speech.box_y = SPEECH_BOX_Y;
        speech.draw_speech_box();
        game.dialog_key_delay += 1;
        if (platform::key_down(platform::VK_SPACE) && game.dialog_key_delay > SPEECH_KEY_DELAY) {
            speech.speech_advance();
            game.dialog_key_delay = 0;
        }
        return;
    }
    if (game.death_beat_left > 0) {
        death_beat_frame();
        return;
    }

    // Enhanced play ends the finished story with the end scene instead of playing on.
    if (enhanced_play() && game.current_level == 4) {
        // The end scene's first picture is this frame's, so the bare level never shows alone.
        world.pay_tile_map();
        start_ending();
        ending_frame();
        return;
    }
    if (game.current_level != world.loaded_level &&
        (game.current_level == 2 || game.current_level == 3)) {
        world.pay_tile_map();
        world.load_level(game.current_level);
        game.game_state = GAME_STATE_LEVEL_MAP;
    }

    Player& hero = world.player;
    const uint8_t* keys = game.key_state;
    if (enhanced_play())
        note_controls_used(platform::key_down(platform::VK_RIGHT) || platform::key_down(platform::VK_LEFT) ||
                               platform::key_down(platform::VK_UP) || platform::key_down(platform::VK_DOWN),
                           keys[platform::DIK_A] & platform::KEY_DOWN_BIT,
                           hero.has_bow && (keys[platform::DIK_Z] & platform::KEY_DOWN_BIT));
    if (keys[platform::DIK_A] & platform::KEY_DOWN_BIT)
        swing_sword(&hero);
    else
        sheathe_sword(&hero);
    if ((keys[platform::DIK_Z] & platform::KEY_DOWN_BIT) && !(hero.arrow.attr & SPRITE_ATTR_VISIBLE) &&
        hero.has_bow)
        fire_arrow(&hero);

    const bool attacking = hero.sword.anim_state != 1;
    if (attacking) {
        // The swing is still playing out: the hero stands still (and the view, if it must, follows).
        world.follow_hero(MOVE_NONE);
        world.pay_tile_map();
        draw_attacking_player(&hero);
    } else {
        int direction = MOVE_NONE;
        if (platform::key_down(platform::VK_RIGHT))
            direction = FACING_RIGHT;
        else if (platform::key_down(platform::VK_LEFT))
            direction = FACING_LEFT;
        else if (platform::key_down(platform::VK_UP))
            direction = FACING_UP;
        else if (platform::key_down(platform::VK_DOWN))
            direction = FACING_DOWN;
        if (const int completed = world.move_player(direction, game.current_level)) complete_level(completed);
    }

    world.pay_tile_map();
    world.update_world();
    if (enhanced_play()) {
        draw_hero_on_top(hero, attacking);
        world.draw_lives();
    }

    if (world.check_deaths()) lose_life(hero);
    world.draw_hud();
    if (enhanced_play()) {
        draw_boss_bars(world);
        draw_control_prompts(game.current_level, hero.has_bow, static_cast<int>(hero.body.y));
    }
}
