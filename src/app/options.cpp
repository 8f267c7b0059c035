// Command-line parsing.
#include "app/options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

bool parse_count(const char* text, long min, long max, long& out) {
    if (!text || !*text) return false;
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(text, &end, 10);
    if (errno || *end || v < min || v > max) return false;
    out = v;
    return true;
}

}  // namespace

const char* usage_text() {
    return "usage: quillmoor [--window] [--scale N] [--mute] [--classic | --enhanced] [--data DIR] [--input FILE]\n"
           "                 [--record FILE]\n"
           "                 [--profile DIR]\n"
           "       quillmoor --headless --frames N [--input FILE] [--state FILE] [--shot N:FILE]... [--hashes FILE]\n"
           "                 [--data DIR] [--classic | --enhanced] [--profile DIR]\n"
           "\n"
           "  --window        play in a window instead of full screen (Alt+Enter switches)\n"
           "  --scale N       window scale, 1 to 8 (default 2)\n"
           "  --mute          no sound effects and no music\n"
           "  --data DIR      folder holding the game's data files\n"
           "  --classic       play exactly as first designed (the headless default)\n"
           "  --enhanced      play with the comforts: an ending, readable hits, corner sliding and\n"
           "                  more (the default in a window)\n"
           "  --headless      no window, no sound device, a virtual clock; keys come from --input\n"
           "  --frames N      headless: run at most N frames\n"
           "  --input FILE    key script, one 'COUNT KEYS' line per step (in a window: replayed\n"
           "                  first, then the keyboard takes over; a recording's mode line chooses\n"
           "                  the play mode unless --classic or --enhanced is given)\n"
           "  --record FILE   window: write the keys of every frame played to FILE as a key script\n"
           "  --state FILE    headless: write the game state as JSON after the last frame\n"
           "  --shot N:FILE   headless: write frame N (from 1) as an 8-bit BMP; repeatable\n"
           "  --hashes FILE   headless: write a hash of each presented frame (its 8-bit pixels\n"
           "                  and palette), one line a frame\n"
           "  --version       show the game's name and version\n"
           "  --profile DIR   keep settings.ini, the saved progress and screenshots in DIR instead\n"
           "                  of the XDG folders (headless runs touch no such files without it)\n"
           "  --help          show this text\n";
}

bool parse_options(int argc, char** argv, Options& o, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        auto need_value = [&]() {
            if (!value) error = arg + " needs a value";
            return value != nullptr;
        };
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--version") {
            o.version = true;
        } else if (arg == "--headless") {
            o.headless = true;
        } else if (arg == "--window") {
            o.windowed = true;
        } else if (arg == "--mute") {
            o.mute = true;
        } else if (arg == "--classic") {
            o.classic = true;
        } else if (arg == "--enhanced") {
            o.enhanced = true;
        } else if (arg == "--scale") {
            long v = 0;
            if (!need_value()) return false;
            if (!parse_count(value, 1, 8, v)) return error = "--scale takes a whole number from 1 to 8", false;
            o.scale = static_cast<int>(v);
            o.scale_given = true;
            o.windowed = true;
            ++i;
        } else if (arg == "--frames") {
            if (!need_value()) return false;
            if (!parse_count(value, 0, 100000000, o.frames)) return error = "--frames takes a whole number from 0 to 100000000", false;
            o.frames_given = true;
            ++i;
        } else if (arg == "--input" || arg == "--state" || arg == "--data" || arg == "--hashes" || arg == "--record" ||
                   arg == "--profile") {
            if (!need_value()) return false;
            if (!*value) return error = arg + " needs a non-empty name", false;
            (arg == "--input"    ? o.input_path
             : arg == "--state"  ? o.state_path
             : arg == "--hashes" ? o.hashes_path
             : arg == "--data"   ? o.data_dir
             : arg == "--record" ? o.record_path
                                 : o.profile_dir) = value;
            ++i;
        } else if (arg == "--shot") {
            if (!need_value()) return false;
            const char* colon = std::strchr(value, ':');
            FrameShot shot;
            if (!colon || !colon[1] || !parse_count(std::string(value, colon).c_str(), 1, 100000000, shot.frame))
                return error = "--shot takes N:FILE with N a frame number from 1", false;
            shot.path = colon + 1;
            o.shots.push_back(shot);
            ++i;
        } else {
            error = "unknown option " + arg;
            return false;
        }
    }
    if (!o.headless && (o.frames_given || !o.state_path.empty() || !o.shots.empty() || !o.hashes_path.empty())) {
        error = "--frames, --state, --shot and --hashes go with --headless";
        return false;
    }
    if (o.headless && !o.record_path.empty()) {
        error = "--record goes with the window; a headless run's keys are its --input script";
        return false;
    }
    if (o.classic && o.enhanced) {
        error = "--classic and --enhanced cannot go together";
        return false;
    }
    if (o.headless && !o.frames_given && !o.help && !o.version) {
        error = "--headless needs --frames N";
        return false;
    }
    return true;
}

PlayMode chosen_play_mode(const Options& o) {
    if (o.classic) return PlayMode::Classic;
    if (o.enhanced) return PlayMode::Enhanced;
    return o.headless ? PlayMode::Classic : PlayMode::Enhanced;
}

ProfileRequest profile_request(const Options& options) {
    ProfileRequest request;
    request.headless = options.headless;
    request.profile_dir = options.profile_dir;
    request.windowed = options.windowed;
    request.scale_given = options.scale_given;
    request.scale = options.scale;
    request.play_mode_given = options.headless || options.classic || options.enhanced;
    request.play_mode = chosen_play_mode(options);
    return request;
}
