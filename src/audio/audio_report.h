// What was played, for the headless runner's state report.
#pragma once
#include <string>

#include "base/json_writer.h"

// Writes the members `"sounds": {...}, "music": {...}` into the open object: plays per sound
// file, the music file sounding now (or null) and plays per music file.
void write_audio_state(JsonWriter& w);
// The same members as a JSON object of their own.
std::string audio_state_json();
// Forgets the counts (a new run or test).
void reset_audio_report();

// Counted by play_sound and play_midi for every play of a loaded id, with or without a device.
void audio_report_sound_played(const char* name);
void audio_report_music_played(const char* name);
