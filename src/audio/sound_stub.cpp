// Silent stand-ins for the sound and music tables until the audio device is wired in.
#include "audio/music.h"
#include "audio/sound.h"

int sound_init() { return 1; }
int sound_shutdown() { return 1; }
int load_wav(const char*, int) { return -1; }
int play_sound(int, int) { return 1; }
int stop_sound(int) { return 1; }
int stop_all_sounds() { return 1; }
int delete_sound(int) { return 1; }
int delete_all_sounds() { return 1; }
int music_init() { return 1; }
void music_shutdown() {}
int load_midi(const char*) { return -1; }
int play_midi(int) { return 0; }
int stop_midi(int) { return 0; }
int midi_status(int) { return 0; }
int delete_all_midi() { return 1; }
