// Sound effects: a table of 256 slots filled from WAV files and played by id.
#pragma once
#include <cstdint>

constexpr int SOUND_MAX = 256;
constexpr int SOUND_CREATE_CONTROLS = 0xE0;  // frequency, pan and volume control

int sound_init();
int sound_shutdown();
// The new id (0..255), or -1 when the file is missing, damaged or the table is full.
int load_wav(const char* filename, int flags);
// Plays from the start; an id with no sound (such as -1) plays nothing and returns 1.
int play_sound(int id, int flags);
int stop_sound(int id);
int stop_all_sounds();
int delete_sound(int id);
int delete_all_sounds();
