// The music table: 64 tracks loaded from MIDI files, one started at a time, played once.
// Without a synthesiser a track still "plays" for the file's own length on the tick count,
// so the game's music switching behaves the same with or without a sound device.
#include "audio/music.h"

#include <cstdio>
#include <vector>

#include "audio/play_counts.h"
#include "audio/file_bytes.h"
#include "base/data_file.h"
#include "audio/midi_file.h"
#include "platform/audio.h"
#include "platform/platform.h"

namespace {


MusicSlot music_table[MUSIC_MAX];
int current_track = -1;
// The track started last. Like the synthesiser, which plays one track at a time, a silent
// track sounds only while it is the last one started, even after current_track was cleared.
int last_started = -1;
bool music_held = false;
uint32_t held_at = 0;  // tick count when the music was held

bool has_track(int id) { return id >= 0 && id < MUSIC_MAX && music_table[id].state != MIDI_STATE_FREE; }

void clear_slot(int id) {
    music_table[id] = MusicSlot{};
    music_table[id].id = id;
}

// Whether the track is still sounding. A track ends with its file's last event: after that the
// synthesiser lets the last notes die away for a few seconds more before it reports the end, and
// a looping level track would fall silent for that long. So the file's length on the clock ends
// it, with or without a synthesiser; the synthesiser can only end it sooner (it was stopped).
bool sounding(const MusicSlot& slot) {
    if (slot.state != MIDI_STATE_PLAYING) return false;
    if (slot.synthesised && !platform::music_track_is_playing(slot.track)) return false;
    return slot.id == last_started && platform::tick_count() - slot.started_at < slot.length_ms;
}

}  // namespace

int music_init() {
    for (int id = 0; id < MUSIC_MAX; ++id) {
        if (has_track(id) && music_table[id].track >= 0) platform::music_track_release(music_table[id].track);
        clear_slot(id);
    }
    current_track = -1;
    last_started = -1;
    music_held = false;
    return platform::audio_is_open() ? 1 : 0;
}

int load_midi(const char* filename) {
    int id = -1;
    for (int i = 0; i < MUSIC_MAX && id < 0; ++i)
        if (music_table[i].state == MIDI_STATE_FREE) id = i;
    if (id < 0) {
        std::fprintf(stderr, "quillmoor: %s: the music table is full\n", filename);
        return -1;
    }
    std::vector<uint8_t> bytes;
    std::string read_fault;
    if (!read_data_file(filename, DataKind::Music, &bytes, &read_fault)) {
        std::fprintf(stderr, "quillmoor: %s: %s\n", filename, read_fault.c_str());
        return -1;
    }
    const char* fault = nullptr;
    uint32_t length_ms = 0;
    platform::TrackPrograms programs;
    if (!midi_duration_ms(bytes.data(), bytes.size(), &length_ms, &fault, &programs)) {
        std::fprintf(stderr, "quillmoor: %s: %s\n", filename, fault);
        return -1;
    }
    MusicSlot& slot = music_table[id];
    slot.id = id;
    slot.length_ms = length_ms;
    copy_base_name(filename, slot.name, sizeof slot.name);
    slot.track = platform::audio_is_open() ? platform::music_track_load(slot.name, bytes.data(), bytes.size(), programs) : -1;
    slot.state = MIDI_STATE_LOADED;
    return id;
}

int play_midi(int id) {
    if (!has_track(id)) return 0;
    if (current_track != -1) stop_midi(current_track);
    MusicSlot& slot = music_table[id];
    // Whatever the synthesiser answers, the track counts as started; when it refuses, the
    // track is timed on the clock instead, so the game does not restart it every frame.
    slot.synthesised = slot.track >= 0 && platform::music_track_play(slot.track);
    slot.started_at = platform::tick_count();
    slot.state = MIDI_STATE_PLAYING;
    current_track = id;
    last_started = id;
    count_play(music_plays, slot.name);
    return 1;
}

int stop_midi(int id) {
    if (!has_track(id)) return 0;
    MusicSlot& slot = music_table[id];
    if (slot.track >= 0) platform::music_track_stop(slot.track);
    slot.state = MIDI_STATE_STOPPED;
    current_track = -1;
    return 1;
}

int midi_status(int id) {
    if (!has_track(id)) return 0;
    MusicSlot& slot = music_table[id];
    slot.state = sounding(slot) ? MIDI_STATE_PLAYING : MIDI_STATE_STOPPED;
    return slot.state;
}

int delete_all_midi() {
    for (int id = 0; id < MUSIC_MAX; ++id) {
        if (!has_track(id)) continue;
        if (music_table[id].track >= 0) platform::music_track_release(music_table[id].track);
        clear_slot(id);
    }
    current_track = -1;
    last_started = -1;
    return 1;
}

void music_shutdown() {
    if (current_track != -1) stop_midi(current_track);
    delete_all_midi();
}

int current_midi_track() { return current_track; }

const MusicSlot* music_slot(int id) { return id >= 0 && id < MUSIC_MAX ? &music_table[id] : nullptr; }

const char* music_now_playing() {
    if (!has_track(last_started) || !sounding(music_table[last_started])) return nullptr;
    return music_table[last_started].name;
}

void hold_music(bool held) {
    if (held == music_held) return;
    music_held = held;
    platform::audio_pause(held);
    if (held) {
        held_at = platform::tick_count();
        return;
    }
    const uint32_t held_for = platform::tick_count() - held_at;
    for (MusicSlot& slot : music_table)
        if (slot.state == MIDI_STATE_PLAYING) slot.started_at += held_for;
}

bool music_is_held() { return music_held; }
