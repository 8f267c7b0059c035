// What was played, for the headless runner's state report.
#pragma once
#include <string>

// JSON members `"sounds": {...}, "music": {...}` (no surrounding braces): plays per sound file,
// the music file sounding now (or null) and plays per music file.
std::string audio_state_json_members();
// Forgets the counts (a new run or test).
void reset_audio_report();

// Counted by play_sound and play_midi for every play of a loaded id, with or without a device.
void audio_report_sound_played(const char* name);
void audio_report_music_played(const char* name);
