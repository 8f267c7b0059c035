// The audio device: sound buffers mixed over one MIDI synthesiser; silent when there is none.
#pragma once
#include <cstddef>
#include <cstdint>

namespace platform {

// Opens the mixer and synthesiser when `enabled`; false (and silence) when none is there.
bool audio_open(bool enabled);
void audio_close();
bool audio_is_open();
// The player's volumes, 0 (silent) to 10 (full), acting at once and kept for a later open.
void audio_set_volumes(int music, int effects);
// Pauses every sound and the music while the window is away, and resumes them.
void audio_pause(bool paused);

constexpr int AUDIO_BUFFER_MAX = 256;  // one mixer channel per buffer
constexpr int AUDIO_TRACK_MAX = 64;

// Interleaved little-endian PCM as a WAV file stores it (8-bit unsigned, 16- or 32-bit signed).
struct PcmFormat {
    int channels;
    int rate;  // samples per second
    int bits;
};

// Converts the samples to the device's format and keeps them; returns a buffer handle
// 0..AUDIO_BUFFER_MAX-1, or -1 when there is no device or the format cannot be converted.
int sound_buffer_create(const PcmFormat& format, const uint8_t* data, uint32_t size);
// Plays the buffer from its start at `volume` (0..1 of its recorded level); a buffer still
// sounding restarts, so each buffer is heard once at a time.
bool sound_buffer_play(int buffer, bool loop, float volume = 1.0f);
void sound_buffer_stop(int buffer);
void sound_buffer_release(int buffer);

// What a track's events ask of the synthesiser beyond its notes: the programs each channel
// plays notes with, and whether it sends anything that could reach the chorus or choose
// other sounds in ways a scan cannot follow.
struct TrackPrograms {
    // Bit p of programs[c][0] (p < 64) or programs[c][1] (p - 64): channel c plays notes on
    // program p; a channel that plays notes also counts program 0, its program before any change.
    uint64_t programs[16][2] = {};
    bool opaque = false;  // a chorus depth above zero, a bank select, an NRPN or a system-exclusive message
};

// Keeps a copy of a Standard MIDI File's bytes for the synthesiser; a track handle, or -1
// (no device, or no free track). `name` is for messages only.
int music_track_load(const char* name, const uint8_t* data, size_t size, const TrackPrograms& programs);
// Plays the track once from its start, replacing whatever track was playing. The synthesiser
// and its SoundFont are made at the first track played, once for every track: false when it
// refuses the file (told once on stderr).
bool music_track_play(int track);
// Stops the track if it is the one playing.
void music_track_stop(int track);
bool music_track_is_playing(int track);
void music_track_release(int track);

}  // namespace platform
