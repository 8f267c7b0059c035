// Writes the keys of every frame the game runs as a key script, run-length encoded, so that
// a crash at any moment leaves every complete line up to its last second on disk.
#pragma once
#include <sys/types.h>

#include <string>

#include "userfiles/setting_table.h"

// A run still held is written out once it has lasted this many frames (a second of play), and
// again as it grows, so a crash loses at most that much.
constexpr long RECORDING_FLUSH_FRAMES = 33;

struct KeyRecorder {
    int fd = -1;
    std::string path;
    bool seekable = false;  // a regular file: the line of a run still held is rewritten in place
    off_t line_start = 0;  // where the line of the run being counted goes
    unsigned keys = 0;  // keys of the run being counted
    long count = 0;  // frames in that run
    bool failed = false;
};

// Opens `path` and writes the header: game version, play mode, the data folder's hash and the
// assists of `settings` (none by default). False (with a message on stderr) when the file cannot be made.
bool open_recording(KeyRecorder& recorder, const std::string& path, const char* mode_name, const std::string& data_hash,
                    const Settings& settings = Settings{});
// Counts one frame's keys; a change of keys writes out the run before it, straight to the
// file (no buffer a crash could lose), and a run held long is written out every second.
void record_frame(KeyRecorder& recorder, unsigned keys);
// Writes the last run and closes the file; false (with a message) when writing failed.
bool close_recording(KeyRecorder& recorder);
