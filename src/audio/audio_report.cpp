// The sounds and tracks played, as members of the headless runner's state report.
#include "audio/audio_report.h"

#include "audio/music.h"
#include "audio/play_counts.h"

namespace {

void write_counts(JsonWriter& w, const PlayCounts& counts) {
    w.begin_object();
    for (int i = 0; i < counts.used; ++i) w.integer_member(counts.entries[i].name, counts.entries[i].count);
    w.end_object();
}

}  // namespace

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
