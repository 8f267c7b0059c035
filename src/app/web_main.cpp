// The game's entry in the browser: the data folder packed with the page, the player's files
// kept in the browser's storage, one game frame each time 30 ms of real time have passed, and
// test hooks that run key scripts (or the page's own controls) headless.
#include <emscripten.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/bindings.h"
#include "platform/headless.h"
#include "platform/keyboard.h"
#include "platform/platform.h"
#include "platform/web/web_input.h"
#include "base/play_mode.h"
#include "game/game.h"
#include "userfiles/profile.h"
#include "app/input_script.h"
#include "app/runner.h"
#include "app/state_json.h"

namespace {

// Past this much lateness (a hidden tab, a debugger) the pacing starts afresh instead of racing.
constexpr double LATE_RESET_MS = 250;
// Where the player's settings and progress live: IndexedDB's copy, mounted over this folder.
constexpr const char* PROFILE_DIR = "/profile";

double next_frame_at = 0;  // emscripten_get_now() milliseconds
bool classic_asked = false;  // the page's ?classic
int32_t state_before = GAME_STATE_IDLE;
std::string test_result;
std::string test_hashes;

void stop_game() {
    emscripten_cancel_main_loop();
    game_shutdown();
    platform::shutdown();
    EM_ASM({
        if (Module['onGameQuit']) Module['onGameQuit']();
    });
}

// The page names the controls under the picture; the options screen may have changed them.
EM_JS(void, js_controls_changed, (), {
    if (Module['qmControlsChanged']) Module['qmControlsChanged']();
});

// Called on every animation frame of the page. A game frame runs when its time has come, so the
// game keeps its own 30 ms step (longer at a slower game speed) whatever the display's refresh
// rate; one late callback may run two.
void browser_frame() {
    const double now = emscripten_get_now();
    for (int run = 0; run < 2 && now >= next_frame_at; ++run) {
        const double from = now - next_frame_at > LATE_RESET_MS ? now : next_frame_at;
        if (!platform::pump_events()) {
            stop_game();
            return;
        }
        // The page leaves full screen by itself (Escape, the browser's own controls); the options
        // screen shows what the page is in.
        profile.settings.fullscreen = platform::is_fullscreen();
        game_main();
        // The frame's length is the one the game's clock just waited: 30 ms, or more at a slower game speed.
        next_frame_at = from + frame_wall_ms();
        if (state_before == GAME_STATE_OPTIONS && game.game_state != GAME_STATE_OPTIONS) js_controls_changed();
        state_before = game.game_state;
    }
}

// Mounts the browser's lasting storage over the profile folder and reads it in, takes the
// keyboard's layout the page asked the browser for, then starts the game. The page may take a moment for either; the
// game waits for both, so its first frame already knows the player's files and keys.
EM_JS(void, js_open_storage_then_start, (const char* folder), {
    const path = UTF8ToString(folder);
    const start = () => _quillmoor_start();
    let waiting = 2;
    const done = () => {
        if (--waiting === 0) start();
    };
    try {
        FS.mkdir(path);
        FS.mount(IDBFS, {}, path);
        FS.syncfs(true, (error) => {
            if (error) console.warn('quillmoor: the browser keeps no saved files here: ' + error);
            done();
        });
    } catch (error) {
        console.warn('quillmoor: the browser keeps no saved files here: ' + error);
        done();
    }
    // The page asked for the layout as it loaded. A browser that does not answer soon plays with
    // the keys of a US board.
    const asked = Module['qmLayoutMap'];
    if (!asked) return done();
    let answered = false;
    const answer = (map) => {
        if (answered) return;
        answered = true;
        if (map) Module['qmLayout'] = map;
        done();
    };
    setTimeout(() => answer(null), 300);
    asked.then(answer, () => answer(null));
});

}  // namespace

// Test hook: runs `frames` frames of a key script on a fresh headless game (no clock waits, no
// sound), in enhanced play when `enhanced` is not 0 and classic otherwise, and answers {"hashes": [...one per presented frame...], "state": {...}}, or {"error": "..."}.
extern "C" EMSCRIPTEN_KEEPALIVE const char* quillmoor_test_run(const char* script_text, int frames, int enhanced) {
    InputScript script;
    std::string error;
    if (!parse_input_script(script_text ? script_text : "", script, error)) {
        test_result = "{\"error\": \"key script: " + error + "\"}";
        return test_result.c_str();
    }
    reset_game_globals();
    std::string hashes;
    auto after_frame = [&](long) { hashes += (hashes.empty() ? "\"" : ", \"") + platform::presented_frame_hash_text() + "\""; };
    std::string state;
    if (!run_script_headless(script, frames, enhanced ? PlayMode::Enhanced : PlayMode::Classic, after_frame, state)) {
        test_result = "{\"error\": \"the platform did not start\"}";
        return test_result.c_str();
    }
    test_result = "{\"hashes\": [" + hashes + "],\n\"state\": " + state + "}";
    return test_result.c_str();
}

// Test hooks for the page's own controls: a fresh headless game whose frames take their keys
// from the page (its keyboard, touch controls and pads) instead of a script, run `frames` at a
// time while a test presses and lets go, then its report as quillmoor_test_run gives it.
extern "C" EMSCRIPTEN_KEEPALIVE int quillmoor_test_begin(int enhanced) {
    reset_game_globals();
    test_hashes.clear();
    platform::Config config;
    config.backend = platform::Backend::Headless;
    config.mute = true;
    play_mode = enhanced ? PlayMode::Enhanced : PlayMode::Classic;
    if (!platform::init(config)) return 0;
    platform::web_input::init();
    if (!game_init()) std::fprintf(stderr, "quillmoor: start-up failed\n");
    return 1;
}

extern "C" EMSCRIPTEN_KEEPALIVE void quillmoor_test_frames(int frames) {
    for (int frame = 0; frame < frames; ++frame) {
        platform::set_keyboard_snapshot(platform::web_input::frame_snapshot());
        if (!platform::pump_events()) break;
        game_main();
        test_hashes += (test_hashes.empty() ? "\"" : ", \"") + platform::presented_frame_hash_text() + "\"";
    }
}

extern "C" EMSCRIPTEN_KEEPALIVE const char* quillmoor_test_end() {
    test_result = "{\"hashes\": [" + test_hashes + "],\n\"state\": " + game_state_json() + "}";
    platform::web_input::shutdown();
    game_shutdown();
    platform::shutdown();
    return test_result.c_str();
}

// The 8-bit pixels of the frame the last test run presented, top row first, width * height bytes.
extern "C" EMSCRIPTEN_KEEPALIVE const uint8_t* quillmoor_test_frame_pixels() { return platform::last_presented_frame().pixels.data(); }
extern "C" EMSCRIPTEN_KEEPALIVE int quillmoor_test_frame_size() { return static_cast<int>(platform::last_presented_frame().pixels.size()); }

// The state report of the game the page is playing, for tests that drive the page with real keys.
extern "C" EMSCRIPTEN_KEEPALIVE const char* quillmoor_live_state() {
    test_result = game_state_json();
    return test_result.c_str();
}

// The names of the keys and pad buttons bound to each action, in action order, "|" between
// them and a newline between the keys and the buttons, for the page's line of controls.
extern "C" EMSCRIPTEN_KEEPALIVE const char* quillmoor_control_names() {
    const platform::Bindings& b = platform::current_bindings();
    test_result.clear();
    for (int a = 0; a < platform::ACTION_COUNT; ++a) test_result += std::string(a ? "|" : "") + platform::key_display_name(b.key[a]);
    test_result += "\n";
    for (int a = 0; a < platform::ACTION_COUNT; ++a)
        test_result += std::string(a ? "|" : "") + (b.button[a] == platform::UNBOUND ? "none" : platform::pad_button_name(b.button[a]));
    return test_result.c_str();
}

// The rest of start-up, once the player's files are read in.
extern "C" EMSCRIPTEN_KEEPALIVE void quillmoor_start() {
    ProfileRequest request;
    request.profile_dir = PROFILE_DIR;
    // The page opens in its tab; full screen waits for the player's button or key.
    request.windowed = true;
    if (classic_asked) {
        request.play_mode_given = true;
        request.play_mode = PlayMode::Classic;
    }
    open_profile(request);
    platform::Config config;
    config.backend = platform::Backend::Window;
    config.fullscreen = false;
    if (!platform::init(config)) return;
    apply_profile_settings();
    // A damaged progress file was set aside while the profile was read; the storage keeps that.
    platform::user_files_written();
    if (!game_init()) std::fprintf(stderr, "quillmoor: start-up failed\n");
    js_controls_changed();
    next_frame_at = emscripten_get_now();
    emscripten_set_main_loop(browser_frame, 0, 0);
}

int main(int argc, char** argv) {
    // The page packs the data folder at /data; every file is opened by its plain name.
    if (chdir("/data") != 0) {
        std::fprintf(stderr, "quillmoor: /data: the data folder was not packed with the page\n");
        return 1;
    }
    // The page passes its query's words as options: ?test for the hooks, ?classic to play classic.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--test-hook") == 0) return 0;
        if (std::strcmp(argv[i], "--classic") == 0) classic_asked = true;
    }
    js_open_storage_then_start(PROFILE_DIR);
    return 0;
}
