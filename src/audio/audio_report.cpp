// Counts of the sounds and tracks played, by file name, for the headless runner's state report.
#include "audio/audio_report.h"

#include <cstdio>
#include <cstring>

#include "audio/music.h"
#include "audio/sound.h"

namespace {

struct PlayCount {
    char name[64];
    long count;
};

// Fixed tables in the order of first play; as many names as the tables have slots.
struct PlayCounts {
    PlayCount entries[SOUND_MAX];
    int used;
};

PlayCounts sound_plays;
PlayCounts music_plays;

void count(PlayCounts& counts, const char* name) {
    for (int i = 0; i < counts.used; ++i) {
        if (std::strcmp(counts.entries[i].name, name) == 0) {
            ++counts.entries[i].count;
            return;
        }
    }
    if (counts.used == SOUND_MAX) return;
    PlayCount& entry = counts.entries[counts.used++];
    std::snprintf(entry.name, sizeof entry.name, "%s", name);
    entry.count = 1;
}

void write_counts(JsonWriter& w, const PlayCounts& counts) {
    w.begin_object();
    for (int i = 0; i < counts.used; ++i) w.integer_member(counts.entries[i].name, counts.entries[i].count);
    w.end_object();
}

}  // namespace

void audio_report_sound_played(const char* name) { count(sound_plays, name); }
void audio_report_music_played(const char* name) { count(music_plays, name); }

void reset_audio_report() {
    sound_plays.used = 0;
    music_plays.used = 0;
}

void write_audio_state(JsonWriter& w) {
    w.key("sounds");
    write_counts(w, sound_plays);
    w.begin_object_member("music");
    w.key("current");
    if (const char* current = music_now_playing())
        w.string(current);
    else
        w.null();
    w.key("plays");
    write_counts(w, music_plays);
    w.end_object();
}

std::string audio_state_json() {
    JsonWriter w;
    w.begin_object();
    write_audio_state(w);
    w.end_object();
    return w.text();
}
