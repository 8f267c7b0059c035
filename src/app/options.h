// The command line: window or full screen, and the headless runner's options.
#pragma once
#include <string>
#include <vector>

#include "base/play_mode.h"
#include "userfiles/profile.h"

struct FrameShot {
    long frame = 0;  // counting from 1
    std::string path;
};

struct Options {
    bool headless = false;
    bool windowed = false;
    int scale = 2;
    bool scale_given = false;  // --scale was on the command line
    bool mute = false;
    long frames = 0;  // headless: frames to run at most
    bool frames_given = false;  // --frames was on the command line (0 is a run of no frames)
    std::string input_path;
    std::string record_path;  // window: write every frame's keys here
    std::string state_path;
    std::string hashes_path;  // headless: one hash of each presented frame a line
    std::vector<FrameShot> shots;
    std::string data_dir;
    std::string profile_dir;  // --profile: the player's files live here, not in the XDG homes
    bool help = false;
    bool classic = false;  // --classic
    bool enhanced = false;  // --enhanced
    bool version = false;
};

// Parses argv; on a bad option or value returns false with `error` set.
bool parse_options(int argc, char** argv, Options& options, std::string& error);
const char* usage_text();
// The mode asked for: --classic or --enhanced, else enhanced in a window and classic headless.
PlayMode chosen_play_mode(const Options& options);
// What the command line says of the player's files and settings.
ProfileRequest profile_request(const Options& options);
