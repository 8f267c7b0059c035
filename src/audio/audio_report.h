// What was played, for the headless runner's state report.
#pragma once
#include <string>

// JSON members `"sounds": {...}, "music": {...}` (no surrounding braces).
std::string audio_state_json_members();
// Forgets the counts (a new run or test).
void reset_audio_report();
