// The game's entry in the browser: the data folder packed with the page, one game frame each
// time 30 ms of real time have passed, and a test hook that runs key scripts headless.
#include <emscripten.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/headless.h"
#include "platform/platform.h"
#include "base/play_mode.h"
#include "game/game.h"
#include "app/input_script.h"
#include "app/runner.h"
#include "app/state_json.h"

namespace {

constexpr double FRAME_MS = 30;
// Past this much lateness (a hidden tab, a debugger) the pacing starts afresh instead of racing.
constexpr double LATE_RESET_MS = 250;

double next_frame_at = 0;  // emscripten_get_now() milliseconds
std::string test_result;

void stop_game() {
    emscripten_cancel_main_loop();
    game_shutdown();
    platform::shutdown();
    EM_ASM({
        if (Module['onGameQuit']) Module['onGameQuit']();
    });
}

// Called on every animation frame of the page. A game frame runs when its time has come, so the
// game keeps its own 30 ms step whatever the display's refresh rate; one late callback may run two.
void browser_frame() {
    const double now = emscripten_get_now();
    for (int run = 0; run < 2 && now >= next_frame_at; ++run) {
        next_frame_at = now - next_frame_at > LATE_RESET_MS ? now + FRAME_MS : next_frame_at + FRAME_MS;
        if (!platform::pump_events()) {
            stop_game();
            return;
        }
        game_main();
    }
}

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

// The 8-bit pixels of the frame the last test run presented, top row first, width * height bytes.
extern "C" EMSCRIPTEN_KEEPALIVE const uint8_t* quillmoor_test_frame_pixels() { return platform::last_presented_frame().pixels.data(); }
extern "C" EMSCRIPTEN_KEEPALIVE int quillmoor_test_frame_size() { return static_cast<int>(platform::last_presented_frame().pixels.size()); }

// The state report of the game the page is playing, for tests that drive the page with real keys.
extern "C" EMSCRIPTEN_KEEPALIVE const char* quillmoor_live_state() {
    test_result = game_state_json();
    return test_result.c_str();
}

int main(int argc, char** argv) {
    // The page packs the data folder at /data; every file is opened by its plain name.
    if (chdir("/data") != 0) {
        std::fprintf(stderr, "quillmoor: /data: the data folder was not packed with the page\n");
        return 1;
    }
    // The page passes its query's words as options: ?test for the hook, ?classic to play classic.
    bool classic = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--test-hook") == 0) return 0;
        if (std::strcmp(argv[i], "--classic") == 0) classic = true;
    }
    // The browser is a real window: enhanced play unless the page asks for classic.
    play_mode = classic ? PlayMode::Classic : PlayMode::Enhanced;
    platform::Config config;
    config.backend = platform::Backend::Window;
    config.fullscreen = false;
    if (!platform::init(config)) return 1;
    if (!game_init()) std::fprintf(stderr, "quillmoor: start-up failed\n");
    next_frame_at = emscripten_get_now();
    emscripten_set_main_loop(browser_frame, 0, 0);
    return 0;
}
