// Sound effects: a table of 256 slots filled from WAV files and played by id.
#pragma once
#include <cstdint>

constexpr int SOUND_MAX = 256;
constexpr int SOUND_CREATE_CONTROLS = 0xE0;  // frequency, pan and volume control
constexpr int SOUND_STATE_FREE = 0;
constexpr int SOUND_STATE_LOADED = 1;

struct SoundSlot {
    int buffer = -1;  // the platform's sound buffer, -1 when none (no device, or not loaded)
    int32_t state = SOUND_STATE_FREE;
    int32_t rate = 0;  // samples per second declared by the file
    int32_t size = 0;  // bytes of sample data
    int32_t id = 0;  // the slot's own index
    int32_t channels = 0, bits = 0;  // as the file declares them
    char name[64] = {};  // the file's name without its folder, for the play report
};

// Clears the table (releasing every buffer). 1 when a sound device is there, 0 when the game
// runs silently; the table works either way.
int sound_init();
int sound_shutdown();
// The new id (0..255), or -1 when the file is missing, damaged or the table is full.
// Works without a sound device: the slot is filled and only playback is silent.
int load_wav(const char* filename, int flags);
// Plays from the start; an id with no sound (such as -1) plays nothing and returns 1.
int play_sound(int id, int flags);
// play_sound at `volume` percent (0..100) of the sound's level: a sound far away is quieter.
int play_sound_at_volume(int id, int flags, int volume);
int stop_sound(int id);
int stop_all_sounds();
// Releases the sound; its slot becomes free for a later load.
int delete_sound(int id);
int delete_all_sounds();
// The slot of `id`, or null outside 0..255 (for tests and reports).
const SoundSlot* sound_slot(int id);
