// Writes the keys of every frame the game runs as a key script, run-length encoded.
#pragma once
#include <cstdio>
#include <string>

struct KeyRecorder {
    std::FILE* file = nullptr;
    std::string path;
    unsigned keys = 0;  // keys of the run being counted
    long count = 0;  // frames in that run
    bool failed = false;
};

// Opens `path` and writes the header: game version, play mode and the data folder's hash.
// False (with a message on stderr) when the file cannot be made.
bool open_recording(KeyRecorder& recorder, const std::string& path, const char* mode_name, const std::string& data_hash);
// Counts one frame's keys; a change of keys writes out the run before it.
void record_frame(KeyRecorder& recorder, unsigned keys);
// Writes the last run and closes the file; false (with a message) when writing failed.
bool close_recording(KeyRecorder& recorder);
