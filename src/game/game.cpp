// Start-up, the per-frame driver with its state machine, shutdown and the frame clock.
#include "game/game.h"

#include <string>

#include "audio/play_counts.h"
#include "audio/music.h"
#include "audio/sound.h"
#include "audio/sound_ids.h"
#include "game/game.h"
#include "graphics/bitmap_file.h"
#include "graphics/bitmap_share.h"
#include "graphics/display.h"
#include "platform/bindings.h"
#include "platform/keyboard.h"
#include "platform/platform.h"
#include "platform/text.h"
#include "base/assists.h"
#include "base/play_mode.h"
#include "screens/enhanced_screens.h"
#include "screens/options_screen.h"
#include "screens/progress_map.h"
#include "screens/screenshot_notice.h"
#include "screens/title_menu.h"
#include "base/game_random.h"
#include "userfiles/profile.h"
#include "world/control_prompts.h"
#include "world/world.h"

GameState game;

namespace {

constexpr int GAME_OVER_FRAMES = 400;
// Enhanced play: frames of the game-over screen before Enter or Space may skip it.
constexpr int32_t GAME_OVER_SKIP_AFTER = 40;

void leave_game_over() {
    title_menu.menu_counter = 0;
    game.game_state = GAME_STATE_TITLE;
    game.game_over_frames = 0;
    game.game_over_skip_held = false;
}

// Enhanced play: frames the screen stays after the lament has ended, so its last chord is not
// cut; then the title follows with its own music instead of seconds of silence.
constexpr int32_t GAME_OVER_AFTER_LAMENT = 15;

// Enhanced play's game-over screen in frames: as long as the lament and a moment more, counted
// from the track file's own length so that a run replays the same on any machine. Without the
// track it lasts as long as in classic play.
int32_t enhanced_game_over_frames() {
    const MusicSlot* lament = music_slot(game.game_over_track);
    if (!lament || lament->length_ms == 0) return GAME_OVER_FRAMES;
    const int32_t lament_frames = static_cast<int32_t>((lament->length_ms + FRAME_MS - 1) / FRAME_MS);
    return lament_frames + GAME_OVER_AFTER_LAMENT < GAME_OVER_FRAMES ? lament_frames + GAME_OVER_AFTER_LAMENT : GAME_OVER_FRAMES;
}

// Enhanced play: the lament starts with the screen; after a moment Enter or Space skips it, and
// the screen ends with the lament. The skip happens when the key is let go, so that an Enter
// still held does not go on to start a new game on the title.
void enhanced_game_over_step(int32_t shown) {
    if (shown == 0) play_midi(game.game_over_track);
    const bool skip_key = platform::key_down(platform::VK_RETURN) || platform::key_down(platform::VK_SPACE);
    if (shown >= GAME_OVER_SKIP_AFTER && skip_key)
        game.game_over_skip_held = true;
    else if (game.game_over_skip_held && !skip_key)
        leave_game_over();
    else if (shown + 1 >= enhanced_game_over_frames())
        leave_game_over();
}

// Enhanced play: once the screen may be skipped, it says how, with the player's own keys.
void draw_game_over_prompt() {
    const platform::Bindings& b = platform::current_bindings();
    // The key is labelled Enter on most keyboards.
    auto name = [](int key) { return key == platform::SCANCODE_RETURN ? "Enter" : platform::key_display_name(key); };
    std::string prompt = std::string(name(b.key[platform::ACTION_CONFIRM])) + " or " + name(b.key[platform::ACTION_NEXT]);
    // On menus the pad's sword button chooses too.
    if (b.button[platform::ACTION_SWORD] == platform::PAD_SOUTH) prompt += " (pad A)";
    prompt += ": continue";
    const int x = (640 - platform::text_width(prompt.c_str(), static_cast<int>(prompt.size()))) / 2;
    draw_outlined_text(prompt.c_str(), x, 420, 0x70E0F8, &display.back_surface);
}

void load_music() {
    for (const MusicFile& file : MUSIC_FILES) game.*file.id = load_midi(file.name);
}

void load_sounds() {
    for (const SoundFile& file : SOUND_FILES) sound_ids.*file.id = load_wav(file.name, SOUND_CREATE_CONTROLS);
}

// The way into the options screen, in the title's free lower-left corner.
void draw_options_hint() {
    const platform::Bindings& b = platform::current_bindings();
    std::string hint = std::string("Options: ") + platform::key_display_name(b.key[platform::ACTION_OPTIONS]);
    if (b.button[platform::ACTION_OPTIONS] == platform::PAD_NORTH) hint += " or pad Y";
    draw_text(hint.c_str(), 17, 453, 0, &display.back_surface);
    draw_text(hint.c_str(), 16, 452, 0x00C8ECF4, &display.back_surface);
}

// Which pad buttons mean what depends on the screen.
int pad_context(int32_t state) {
    // Enhanced play pauses with Start; the pause overlay is a menu.
    if (state == GAME_STATE_PLAYING && game.paused) return platform::PAD_CONTEXT_MENU;
    if (state == GAME_STATE_PLAYING) return enhanced_play() ? platform::PAD_CONTEXT_PLAY_PAUSES : platform::PAD_CONTEXT_PLAY;
    // The map and the end scene go on with Space.
    if (state == GAME_STATE_LEVEL_MAP || state == GAME_STATE_ENDING) return platform::PAD_CONTEXT_MAP;
    return platform::PAD_CONTEXT_MENU;
}

}  // namespace

uint32_t get_clock() { return platform::tick_count(); }

uint32_t frame_wall_ms() {
    // The game speed assist lengthens the frames a player sees; a headless run keeps its 30 ms
    // of virtual time a frame, so every script and its music play the same at any speed.
    return platform::is_headless() ? FRAME_MS : frame_length_ms(game_speed_percent(), game.frame);
}

uint32_t start_clock() { return game.clock_start = get_clock(); }

// Sleeps until `ms` have passed since the frame's start, in one sleep, so a frame lasts at
// least `ms` without keeping a core busy; a frame that took longer does not wait.
uint32_t wait_clock(uint32_t ms) {
    platform::sleep_until(game.clock_start + ms);
    return get_clock();
}

int game_init() {
    display_init(640, 480, 8, 0);
    {
        // Every picture is read once, however many sprites are cut from it.
        BitmapSharing sharing;
        load_progress_map();
        if (!title_menu.load_title_menu()) return 0;
        if (!world.load_assets()) return 0;
        // Players who keep files also get CONTINUE and the options screen; the rest see the
        // title exactly as it always was.
        if (profile.active) {
            title_menu.load_continue_entry();
            options_screen.load_options_screen();
            if (profile.has_save) title_menu.menu_choice = MENU_CHOICE_CONTINUE;
        }
    }
    // Classic play reads only its own files.
    if (enhanced_play()) {
        load_enhanced_screens();
        title_menu.load_resume_entries();
    }
    game.game_state = GAME_STATE_TITLE;
    music_init();
    sound_init();
    load_music();
    load_sounds();
    return 1;
}

void title_frame() {
    title_menu.offers_continue = profile.active && profile.has_save && game.current_level == 0;
    // Enhanced play names what START does with a game under way, and offers to start over.
    title_menu.offers_resume = enhanced_play() && game.current_level != 0;
    const bool enter = platform::key_down(platform::VK_RETURN), tab = platform::key_down(platform::VK_TAB);
    if (game.title_waits_for_release && !enter && !tab) game.title_waits_for_release = false;
    if (enter && !game.title_waits_for_release) {
        if (title_menu.menu_choice == MENU_CHOICE_START) {
            if (game.current_level == 0) {
                start_new_game();
                game.game_state = GAME_STATE_LEVEL_MAP;
            } else {
                game.game_state = game.resume_state;
            }
        } else if (title_menu.menu_choice == MENU_CHOICE_NEW_GAME && title_menu.offers_resume) {
            start_new_game();
            game.game_state = GAME_STATE_LEVEL_MAP;
            // Coming back to the title later, START resumes this new game.
            title_menu.menu_choice = MENU_CHOICE_START;
        } else if (title_menu.menu_choice == MENU_CHOICE_QUIT) {
            platform::post_quit();
        } else if (title_menu.menu_choice == MENU_CHOICE_CONTINUE && title_menu.offers_continue) {
            world.continue_game(profile.save.level, profile.save.lives, profile.save.has_bow);
            game.current_level = profile.save.level;
            game.game_state = GAME_STATE_LEVEL_MAP;
        }
    }
    if (profile.active && tab && !game.title_waits_for_release && game.game_state == GAME_STATE_TITLE) {
        options_screen.open(profile.settings);
        game.game_state = GAME_STATE_OPTIONS;
    }
    title_menu.update_title_menu();
    if (profile.active) draw_options_hint();
}

void options_frame() {
    bool changed = false;
    const bool leave = options_screen.update(changed);
    if (changed) change_settings(options_screen.editing);
    options_screen.saved = profile.file_settings;
    options_screen.draw(title_menu.brick, title_menu.pointer);
    if (leave && game.options_from_pause) {
        // Back to the pause overlay, whose keys act once the one that left here is let go.
        game.options_from_pause = false;
        options_screen.from_pause = false;
        game.pause_keys_before = ~0u;
        game.game_state = GAME_STATE_PLAYING;
    } else if (leave) {
        game.game_state = GAME_STATE_TITLE;
        game.title_waits_for_release = true;
    }
}

void game_over_frame() {
    if (enhanced_play()) enhanced_game_over_step(game.game_over_frames++);
    if (title_menu.menu_counter >= GAME_OVER_FRAMES) leave_game_over();
    title_menu.draw_game_over();
    if (enhanced_play() && game.game_over_frames > GAME_OVER_SKIP_AFTER) draw_game_over_prompt();
}

void level_map_frame() {
    draw_progress_map(game.current_level);
    if (platform::key_down(platform::VK_SPACE)) {
        game.game_state = GAME_STATE_PLAYING;
    } else if (enhanced_play() && platform::key_down(platform::VK_ESCAPE)) {
        // Back to the title, whose RESUME comes back to this map.
        game.resume_state = GAME_STATE_LEVEL_MAP;
        title_menu.menu_counter = 0;
        game.game_state = GAME_STATE_TITLE;
    }
}

int game_main() {
    start_clock();
    const int32_t state_before = game.game_state;
    // A playing frame clears with its level map, and not at all when the map covers the screen.
    if (game.game_state != GAME_STATE_PLAYING) clear_back_surface();
    switch (game.game_state) {
        case GAME_STATE_TITLE:
            if (!game.intro_started) {
                play_midi(game.intro_track);
                game.intro_started = true;
            }
            stop_level_track();
            // Enhanced play: the title always has its music (after a game over too), looping.
            if (enhanced_play() && midi_status(game.intro_track) != MIDI_STATE_PLAYING) play_midi(game.intro_track);
            title_frame();
            break;
        case GAME_STATE_PLAYING:
            // A paused frame moves nothing: not the music either.
            if ((enhanced_play() || game.paused) && pause_frame()) break;
            stop_midi(game.intro_track);
            if (!game.level_track_started) {
                // A finished story (level 4) resumes with the last level's track, started
                // once and looped like any other, instead of restarting every frame.
                const int tracks[] = {game.level1_track, game.level2_track, game.level3_track, game.level3_track};
                if (game.current_level >= 1 && game.current_level <= 4) {
                    game.current_level_track = tracks[game.current_level - 1];
                    game.level_track_started = true;
                }
                play_midi(game.current_level_track);
            }
            playing_frame();
            break;
        case GAME_STATE_GAME_OVER:
            stop_level_track();
            game_over_frame();
            break;
        case GAME_STATE_LEVEL_MAP:
            stop_level_track();
            level_map_frame();
            break;
        case GAME_STATE_ENDING:
            ending_frame();
            break;
        case GAME_STATE_OPTIONS:
            // From the pause overlay the level's track is held, not ended.
            if (!game.options_from_pause) stop_level_track();
            options_frame();
            break;
        default:
            break;
    }
    // A level starts when its progress map appears: that is the moment progress is kept.
    if (game.game_state == GAME_STATE_LEVEL_MAP && state_before != GAME_STATE_LEVEL_MAP) record_level_start(SaveGame{game.current_level, world.player.lives, world.player.has_bow != 0});
    platform::set_pad_context(pad_context(game.game_state));
    if (enhanced_play()) draw_screenshot_notice();
    flip_display();
    ++game.frame;
    wait_clock(frame_wall_ms());
    return 1;
}

int game_shutdown() {
    display_shutdown();
    delete_all_sounds();
    delete_all_midi();
    music_shutdown();
    sound_shutdown();
    return 1;
}

void stop_level_track() {
    stop_midi(game.current_level_track);
    game.level_track_started = false;
}

void complete_level(int level) {
    game.current_level = level + 1;
    stop_midi(game.current_level_track);
    play_midi(game.level_complete_track);
}

void start_new_game() {
    world.start_new_game();
    game.death_beat_left = 0;
    game.death_beat_ends_game = false;
    game.current_level = 1;
    game.resume_state = GAME_STATE_PLAYING;
    game.paused = false;
}

void reset_game_globals() {
    game = GameState{};
    reset_game_rand();
    reset_play_mode();
    reset_assists();
    reset_title_menu();
    reset_world();
    reset_control_prompts();
    reset_screenshot_notice();
    reset_profile();
    reset_play_counts();
    reset_sound_ids();
    forget_bitmap_reports();
    platform::clear_keyboard_snapshot();
    platform::pad_state() = platform::PadState{};
}

const char* game_state_name(int32_t state) {
    switch (state) {
        case GAME_STATE_TITLE: return "Title";
        case GAME_STATE_PLAYING: return "Playing";
        case GAME_STATE_GAME_OVER: return "GameOver";
        case GAME_STATE_LEVEL_MAP: return "LevelMap";
        case GAME_STATE_ENDING: return "Ending";
        case GAME_STATE_OPTIONS: return "Options";
        default: return "Idle";
    }
}
