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

void append_string(std::string& out, const char* text) {
    out += '"';
    for (const char* c = text; *c; ++c) {
        const unsigned char u = static_cast<unsigned char>(*c);
        if (u == '"' || u == '\\') {
            out += '\\';
            out += *c;
        } else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        } else {
            out += *c;
        }
    }
    out += '"';
}

void append_counts(std::string& out, const PlayCounts& counts) {
    out += '{';
    for (int i = 0; i < counts.used; ++i) {
        if (i) out += ", ";
        append_string(out, counts.entries[i].name);
        out += ": " + std::to_string(counts.entries[i].count);
    }
    out += '}';
}

}  // namespace

void audio_report_sound_played(const char* name) { count(sound_plays, name); }
void audio_report_music_played(const char* name) { count(music_plays, name); }

void reset_audio_report() {
    sound_plays.used = 0;
    music_plays.used = 0;
}

std::string audio_state_json_members() {
    std::string out = "\"sounds\": ";
    append_counts(out, sound_plays);
    out += ", \"music\": {\"current\": ";
    const char* current = music_now_playing();
    if (current)
        append_string(out, current);
    else
        out += "null";
    out += ", \"plays\": ";
    append_counts(out, music_plays);
    out += '}';
    return out;
}
