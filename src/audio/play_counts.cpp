// Counting plays by file name in fixed tables.
#include "audio/play_counts.h"

#include <cstdio>
#include <cstring>

PlayCounts sound_plays;
PlayCounts music_plays;

void count_play(PlayCounts& counts, const char* name) {
    for (int i = 0; i < counts.used; ++i) {
        if (std::strcmp(counts.entries[i].name, name) == 0) {
            ++counts.entries[i].count;
            return;
        }
    }
    if (counts.used == PlayCounts::CAPACITY) return;
    PlayCount& entry = counts.entries[counts.used++];
    std::snprintf(entry.name, sizeof entry.name, "%s", name);
    entry.count = 1;
}

void reset_play_counts() {
    sound_plays.used = 0;
    music_plays.used = 0;
}
