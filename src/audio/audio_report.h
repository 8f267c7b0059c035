// What was played, for the headless runner's state report.
#pragma once
#include <string>

#include "base/json_writer.h"

// Writes the members `"sounds": {...}, "music": {...}` into the open object: plays per sound
// file, the music file sounding now (or null) and plays per music file.
void write_audio_state(JsonWriter& w);
// The same members as a JSON object of their own.
std::string audio_state_json();
