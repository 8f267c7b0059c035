// The frame loops: one pass of the event pump and one game frame, until the game quits.
#include "app/runner.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "base/data_file.h"

#include "platform/audio.h"
#include "platform/headless.h"
#include "platform/keyboard.h"
#include "platform/platform.h"
#include "base/play_mode.h"
#include "app/data_hash.h"
#include "audio/music.h"
#include "app/headless_session.h"
#include "game/game.h"
#include "app/input_script.h"
#include "app/key_recorder.h"
#include "userfiles/profile.h"
#include "app/state_json.h"

namespace {

// Reads the key script named by --input; false (with a message naming the option) when it
// cannot be read or is malformed.
bool load_script(const Options& options, InputScript& script) {
    if (options.input_path.empty()) return true;
    const char* path = options.input_path.c_str();
    std::vector<uint8_t> bytes;
    std::string error;
    if (!read_data_file(path, DataKind::KeyScript, &bytes, &error) ||
        !parse_input_script(std::string(bytes.begin(), bytes.end()), script, error)) {
        std::fprintf(stderr, "quillmoor: --input %s: %s\n", path, error.c_str());
        return false;
    }
    // A crash can cut a recording short: what was written plays, and the player is told.
    if (script.cut_line)
        std::fprintf(stderr, "quillmoor: warning: %s: line %ld is cut off; the recording plays up to the line before it\n", path,
                     script.cut_line);
    if (script.steps.empty())
        std::fprintf(stderr, "quillmoor: warning: %s: %s; no key is pressed\n", path,
                     bytes.empty() ? "the file is empty" : "there is no 'COUNT KEYS' line");
    // A recording made on other data may go another way; it still plays, with one warning.
    // (The data folder is the working directory by now.)
    if (!script.data_hash.empty()) {
        const std::string here = hash_text(data_folder_hash("."));
        if (here != script.data_hash)
            std::fprintf(stderr, "quillmoor: %s: recorded on other data (data %s, this data %s); the replay may differ\n",
                         options.input_path.c_str(), script.data_hash.c_str(), here.c_str());
    }
    return true;
}

// The mode asked for on the command line; failing that, the one a recording names.
PlayMode replay_play_mode(const Options& options, const InputScript& script) {
    if (!options.classic && !options.enhanced) {
        if (script.play_mode == play_mode_name(PlayMode::Classic)) return PlayMode::Classic;
        if (script.play_mode == play_mode_name(PlayMode::Enhanced)) return PlayMode::Enhanced;
    }
    return chosen_play_mode(options);
}

// A recording's assists go over the settings for this run, as the command line's options do,
// and stay out of settings.ini.
void apply_recorded_settings(const InputScript& script) {
    std::vector<std::string> warnings;
    parse_settings(script.recorded_settings, profile.settings, warnings);
    for (const std::string& w : warnings) std::fprintf(stderr, "quillmoor: the recording's assists: %s\n", w.c_str());
}

bool paused_for_focus = false;

long script_length(const InputScript& script) {
    long frames = 0;
    for (const ScriptStep& step : script.steps) frames += step.count;
    return frames;
}

}  // namespace

bool pass_runs_frame() {
    // Enhanced play runs one frame more as the focus goes: its snapshot holds the pause key, so
    // the pause overlay is what the window shows while it is away.
    return platform::window_focused() || (!paused_for_focus && enhanced_play());
}

bool window_pass() {
    const bool away = !platform::window_focused();
    const bool runs = pass_runs_frame();
    if (away != paused_for_focus) {
        paused_for_focus = away;
        // Back in focus, a paused game stays silent until it is resumed.
        platform::audio_pause(away || music_is_held());
    }
    if (!runs) {
        platform::sleep_ms(30);
        return false;
    }
    game_main();
    return true;
}

// With --input the window replays the script's keys first; the player's keys take over after it.
int run_game(const Options& options) {
    InputScript script;
    if (!load_script(options, script)) return 2;
    const long scripted_frames = script_length(script);
    open_profile(profile_request(options));
    apply_recorded_settings(script);
    platform::Config config;
    config.backend = platform::Backend::Window;
    config.fullscreen = profile.settings.fullscreen;
    config.scale = profile.settings.scale;
    config.mute = options.mute;
    KeyRecorder recorder;
    if (!options.record_path.empty() &&
        !open_recording(recorder, options.record_path, play_mode_name(replay_play_mode(options, script)),
                        hash_text(data_folder_hash(".")), profile.settings))
        return 1;
    if (!platform::init(config)) return 1;
    apply_profile_settings();
    // A recording replayed names its own mode, unless the command line chose one.
    if (!script.play_mode.empty() || options.classic || options.enhanced) {
        play_mode = replay_play_mode(options, script);
        // The options screen starts from the mode in play, so a change there keeps it.
        profile.settings.enhanced = play_mode == PlayMode::Enhanced;
    }
    if (!game_init()) std::fprintf(stderr, "quillmoor: start-up failed; close the window to end\n");
    long frame = 1;
    while (platform::pump_events()) {
        if (frame <= scripted_frames) platform::set_keyboard_snapshot(snapshot_for(script.keys_at(frame)));
        // Exactly the keys this frame of the game reads; window-only keys never reach them,
        // and no frame runs (or is recorded) while the window is away.
        if (pass_runs_frame()) record_frame(recorder, keys_of(platform::keyboard_snapshot()));
        if (window_pass()) ++frame;
    }
    game_shutdown();
    platform::shutdown();
    return close_recording(recorder) ? 0 : 1;
}

bool run_script_headless(InputScript& script, long frames, PlayMode mode, const std::function<void(long)>& after_frame,
                         std::string& state_json) {
    apply_recorded_settings(script);
    // The options screen starts from the mode in play, so a change there keeps it.
    profile.settings.enhanced = mode == PlayMode::Enhanced;
    const SessionStart started = start_headless_session(mode);
    if (started == SESSION_FAILED) return false;
    if (started == SESSION_GAME_FAILED) std::fprintf(stderr, "quillmoor: start-up failed\n");
    for (long frame = 1; frame <= frames && headless_frame(script.keys_at(frame)); ++frame) after_frame(frame);
    state_json = game_state_json();
    stop_headless_session();
    return true;
}

int run_headless(const Options& options) {
    InputScript script;
    if (!load_script(options, script)) return 2;
    ProfileRequest request = profile_request(options);
    // A recording made in a window may visit the options screen (Tab on the title), which a
    // headless run offers only with a profile: its replay keeps one in memory to go the same way.
    request.in_memory = script.recorded && options.profile_dir.empty() && script_presses(script, SCRIPT_KEY_TAB);
    open_profile(request);
    std::ofstream hashes;
    if (!options.hashes_path.empty()) {
        hashes.open(options.hashes_path);
        if (!hashes) {
            std::fprintf(stderr, "quillmoor: %s: cannot write the frame hashes\n", options.hashes_path.c_str());
            return 1;
        }
    }
    int status = 0;
    long last_frame = 0;
    auto after_frame = [&](long frame) {
        last_frame = frame;
        for (const FrameShot& shot : options.shots)
            if (shot.frame == frame && !platform::write_presented_frame_bmp(shot.path.c_str())) {
                std::fprintf(stderr, "quillmoor: %s: cannot write the frame picture\n", shot.path.c_str());
                status = 1;
            }
        if (hashes.is_open()) hashes << platform::presented_frame_hash_text() << '\n';
    };
    std::string state;
    if (!run_script_headless(script, options.frames, replay_play_mode(options, script), after_frame, state)) return 1;
    if (hashes.is_open() && !hashes.flush()) {
        std::fprintf(stderr, "quillmoor: %s: cannot write the frame hashes\n", options.hashes_path.c_str());
        status = 1;
    }
    for (const FrameShot& shot : options.shots)
        if (shot.frame > last_frame)
            std::fprintf(stderr, "quillmoor: warning: --shot %ld:%s: the run ended at frame %ld; no picture written\n", shot.frame,
                         shot.path.c_str(), last_frame);
    if (!options.state_path.empty()) {
        std::ofstream out(options.state_path);
        out << state;
        if (!out) {
            std::fprintf(stderr, "quillmoor: %s: cannot write the state file\n", options.state_path.c_str());
            status = 1;
        }
    }
    return status;
}
