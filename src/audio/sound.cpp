// The sound table: 256 slots filled from WAV files and played by id on the platform's mixer.
// Loading works without a sound device, so ids stay the same; only playback is then silent.
#include "audio/sound.h"

#include <cstdio>
#include <vector>

#include "audio/play_counts.h"
#include "audio/file_bytes.h"
#include "base/data_file.h"
#include "audio/wav_file.h"
#include "platform/audio.h"

namespace {

constexpr int PLAY_LOOPING = 1;

SoundSlot sound_table[SOUND_MAX];

void clear_slot(int id) {
    sound_table[id] = SoundSlot{};
    sound_table[id].id = id;
}

bool has_buffer(int id) { return id >= 0 && id < SOUND_MAX && sound_table[id].buffer >= 0; }

int refuse(const char* filename, const char* fault) {
    std::fprintf(stderr, "quillmoor: %s: %s\n", filename, fault);
    return -1;
}

}  // namespace

int sound_init() {
    for (int id = 0; id < SOUND_MAX; ++id) {
        if (has_buffer(id)) platform::sound_buffer_release(sound_table[id].buffer);
        clear_slot(id);
    }
    return platform::audio_is_open() ? 1 : 0;
}

int sound_shutdown() {
    stop_all_sounds();
    // Releasing every buffer and clearing the slots is what sound_init does too.
    sound_init();
    return 1;
}

const SoundSlot* sound_slot(int id) { return id >= 0 && id < SOUND_MAX ? &sound_table[id] : nullptr; }

int load_wav(const char* filename, int) {
    int id = -1;
    for (int i = 0; i < SOUND_MAX && id < 0; ++i)
        if (sound_table[i].state == SOUND_STATE_FREE) id = i;
    if (id < 0) return refuse(filename, "the sound table is full");

    std::vector<uint8_t> bytes;
    std::string read_fault;
    if (!read_data_file(filename, DataKind::Sound, &bytes, &read_fault)) return refuse(filename, read_fault.c_str());
    const char* fault = nullptr;
    WavContents wav;
    if (!parse_wav(bytes.data(), bytes.size(), &wav, &fault)) return refuse(filename, fault);

    SoundSlot& slot = sound_table[id];
    slot.id = id;
    slot.rate = static_cast<int32_t>(wav.format.samples_per_second);
    slot.size = static_cast<int32_t>(wav.data_size);
    slot.channels = wav.format.channels;
    slot.bits = wav.format.bits_per_sample;
    copy_base_name(filename, slot.name, sizeof slot.name);
    if (platform::audio_is_open()) {
        // The mixer converts the samples from the format the file declares to its own.
        const platform::PcmFormat format{wav.format.channels, static_cast<int>(wav.format.samples_per_second),
                                         wav.format.bits_per_sample};
        slot.buffer = platform::sound_buffer_create(format, wav.data, wav.data_size);
        if (slot.buffer < 0) {
            clear_slot(id);
            return refuse(filename, "the sound device cannot take this format");
        }
    }
    slot.state = SOUND_STATE_LOADED;
    return id;
}

int play_sound(int id, int flags) { return play_sound_at_volume(id, flags, 100); }

int play_sound_at_volume(int id, int flags, int volume) {
    if (id < 0 || id >= SOUND_MAX || sound_table[id].state != SOUND_STATE_LOADED) return 1;
    count_play(sound_plays, sound_table[id].name);
    if (!has_buffer(id)) return 1;
    const float level = static_cast<float>(volume) / 100.0f;
    return platform::sound_buffer_play(sound_table[id].buffer, (flags & PLAY_LOOPING) != 0, level) ? 1 : 0;
}

int stop_sound(int id) {
    if (has_buffer(id)) platform::sound_buffer_stop(sound_table[id].buffer);
    return 1;
}

int stop_all_sounds() {
    for (int id = 0; id < SOUND_MAX; ++id) stop_sound(id);
    return 1;
}

int delete_sound(int id) {
    if (id < 0 || id >= SOUND_MAX) return 1;
    stop_sound(id);
    if (has_buffer(id)) platform::sound_buffer_release(sound_table[id].buffer);
    // The slot is free again, so a later load can take it.
    clear_slot(id);
    return 1;
}

int delete_all_sounds() {
    for (int id = 0; id < SOUND_MAX; ++id) delete_sound(id);
    return 1;
}
