// Counts of the sounds and tracks played, by file name, kept for the state report.
#pragma once

struct PlayCount {
    char name[64];
    long count;
};

// A fixed table in the order of first play; names past its last slot are not counted.
struct PlayCounts {
    static constexpr int CAPACITY = 256;
    PlayCount entries[CAPACITY];
    int used;
};

extern PlayCounts sound_plays;
extern PlayCounts music_plays;

// Counted by play_sound and play_midi for every play of a loaded id, with or without a device.
void count_play(PlayCounts& counts, const char* name);
// Forgets the counts (a new run or test).
void reset_play_counts();
