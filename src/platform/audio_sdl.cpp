// The audio device on the SDL mixer: MIDI music through the mixer's FluidSynth decoder with a
// General MIDI SoundFont, and the sound buffers, converted to the device format, mixed over the
// music by our own mixer with headroom and a peak limiter, so coinciding sounds never clip.
#include <SDL.h>
#include <SDL_mixer.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/audio.h"
#include "platform/mix_limiter.h"

#ifndef QUILLMOOR_SOUNDFONT
#define QUILLMOOR_SOUNDFONT "/usr/share/sounds/sf2/TimGM6mb.sf2"
#endif

namespace platform {
namespace {

constexpr int MIX_RATE = 44100;
constexpr int MIX_CHUNK_FRAMES = 1024;  // about 23 ms of latency at 44100 Hz
// Of 128. The mixer hands this to the synthesiser as its gain (128 is 1.2), and a gain much
// above 0.5 clips the fuller passages; this also keeps the music under the effects.
constexpr int MUSIC_VOLUME = 48;
// Every effect is mixed at this fraction of its recorded level: a single effect peaks near
// -7 dB, over the music but not far over it, and two or three loud ones together still fit
// under the limiter's ceiling without it having to act.
constexpr float EFFECTS_GAIN = 0.45f;
constexpr float FULL_SCALE = 32768.0f;
// Samples mixed in one pass of the effects mixer; a longer device buffer takes several passes.
constexpr int MIX_BLOCK_SAMPLES = 4096;

// One effect: its samples in the device's format (16-bit, device channels and rate) and where
// its current play has got to.
struct SoundBuffer {
    Sint16* samples;  // ours to free
    Uint32 count;  // samples, all channels counted
    Uint32 cursor;  // next sample of the current play
    float volume;  // 0..1 for the current play
    bool playing;
    bool loop;
};

struct Track {
    uint8_t* bytes;  // the MIDI file, ours to free; null for a free track
    size_t size;
    Mix_Music* music;  // made from the bytes when played; at most one track has one
    bool refused;  // the synthesiser would not take the file; told once
    char name[64];
};

bool device_open = false;
bool subsystem_started = false;
// Held by the mixer thread while it reads the buffers, and by the game while it changes them.
SDL_mutex* buffers_lock = nullptr;
SoundBuffer buffers[AUDIO_BUFFER_MAX];
Limiter limiter;
float mix_block[MIX_BLOCK_SAMPLES];
Track tracks[AUDIO_TRACK_MAX];
int playing_track = -1;
int device_rate = MIX_RATE;
Uint16 device_format = AUDIO_S16SYS;
int music_level = 10;  // the player's music volume, 0..10
// The player's effects volume as a factor, and the pause: both read by the mixer thread
// under buffers_lock.
float effects_level = 1.0f;
bool effects_paused = false;

void apply_music_volume() { Mix_VolumeMusic(MUSIC_VOLUME * music_level / 10); }
int device_channels = 2;

bool valid_buffer(int b) { return device_open && b >= 0 && b < AUDIO_BUFFER_MAX && buffers[b].samples; }
bool valid_track(int t) { return device_open && t >= 0 && t < AUDIO_TRACK_MAX && tracks[t].bytes; }

SDL_AudioFormat sdl_format(int bits) {
    switch (bits) {
        case 8: return AUDIO_U8;
        case 16: return AUDIO_S16LSB;
        case 32: return AUDIO_S32LSB;
        default: return 0;
    }
}

// The mixer finds its SoundFont through this setting; a missing file would leave MIDI silent,
// so then the mixer's own default search is kept and the fault is told once.
void choose_soundfont() {
    if (access(QUILLMOOR_SOUNDFONT, R_OK) == 0)
        Mix_SetSoundFonts(QUILLMOOR_SOUNDFONT);
    else
        std::fprintf(stderr, "quillmoor: SoundFont %s not found; music may be silent\n", QUILLMOOR_SOUNDFONT);
}

// Adds the playing effects to `count` samples of the block, from each buffer's cursor on.
void add_effects(float* block, int count) {
    if (effects_paused) return;
    for (SoundBuffer& b : buffers) {
        if (!b.playing) continue;
        const float scale = b.volume * effects_level * EFFECTS_GAIN / FULL_SCALE;
        int at = 0;
        while (at < count && b.playing) {
            const int run = static_cast<int>(std::min<Uint32>(static_cast<Uint32>(count - at), b.count - b.cursor));
            const Sint16* from = b.samples + b.cursor;
            for (int i = 0; i < run; ++i) block[at + i] += static_cast<float>(from[i]) * scale;
            at += run;
            b.cursor += static_cast<Uint32>(run);
            if (b.cursor >= b.count) {
                b.cursor = 0;
                b.playing = b.loop;
            }
        }
    }
}

// The mixer's last step (it has put the music into `stream`): adds the effects and limits the
// sum, in floating point so nothing is clipped on the way.
void mix_effects(void*, Uint8* stream, int bytes) {
    Sint16* out = reinterpret_cast<Sint16*>(stream);
    const int total = bytes / static_cast<int>(sizeof(Sint16));
    const int block_samples = MIX_BLOCK_SAMPLES - MIX_BLOCK_SAMPLES % device_channels;
    SDL_LockMutex(buffers_lock);
    for (int done = 0; done < total; done += block_samples) {
        const int count = std::min(block_samples, total - done);
        for (int i = 0; i < count; ++i) mix_block[i] = static_cast<float>(out[done + i]) / FULL_SCALE;
        add_effects(mix_block, count);
        limit_frames(&limiter, mix_block, count / device_channels, device_channels);
        for (int i = 0; i < count; ++i) out[done + i] = static_cast<Sint16>(std::lround(mix_block[i] * (FULL_SCALE - 1)));
    }
    SDL_UnlockMutex(buffers_lock);
}

}  // namespace

bool audio_open(bool enabled) {
    if (device_open || !enabled) return device_open;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "quillmoor: no sound device (%s); playing silently\n", SDL_GetError());
        return false;
    }
    subsystem_started = true;
    choose_soundfont();
    Mix_Init(MIX_INIT_MID);
    if (Mix_OpenAudio(MIX_RATE, AUDIO_S16SYS, 2, MIX_CHUNK_FRAMES) != 0) {
        std::fprintf(stderr, "quillmoor: cannot open the mixer (%s); playing silently\n", Mix_GetError());
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        subsystem_started = false;
        return false;
    }
    Mix_QuerySpec(&device_rate, &device_format, &device_channels);
    // The effects are mixed by mix_effects, not on the mixer's channels.
    Mix_AllocateChannels(0);
    apply_music_volume();
    if (!Mix_HasMusicDecoder("MIDI")) std::fprintf(stderr, "quillmoor: the mixer has no MIDI decoder; music will be silent\n");
    std::memset(buffers, 0, sizeof buffers);
    std::memset(tracks, 0, sizeof tracks);
    playing_track = -1;
    limiter = make_limiter(device_rate);
    buffers_lock = SDL_CreateMutex();
    Mix_SetPostMix(mix_effects, nullptr);
    device_open = true;
    return true;
}

void audio_close() {
    if (device_open) {
        Mix_HaltMusic();
        Mix_SetPostMix(nullptr, nullptr);
        for (int b = 0; b < AUDIO_BUFFER_MAX; ++b) sound_buffer_release(b);
        for (int t = 0; t < AUDIO_TRACK_MAX; ++t) music_track_release(t);
        Mix_CloseAudio();
        Mix_Quit();
        SDL_DestroyMutex(buffers_lock);
        buffers_lock = nullptr;
        device_open = false;
    }
    if (subsystem_started) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        subsystem_started = false;
    }
}

bool audio_is_open() { return device_open; }

void audio_set_volumes(int music, int effects) {
    music_level = std::clamp(music, 0, 10);
    if (buffers_lock) SDL_LockMutex(buffers_lock);
    effects_level = static_cast<float>(std::clamp(effects, 0, 10)) / 10.0f;
    if (buffers_lock) SDL_UnlockMutex(buffers_lock);
    if (device_open) apply_music_volume();
}

void audio_pause(bool paused) {
    if (!device_open) return;
    SDL_LockMutex(buffers_lock);
    effects_paused = paused;
    SDL_UnlockMutex(buffers_lock);
    if (paused)
        Mix_PauseMusic();
    else
        Mix_ResumeMusic();
}

int sound_buffer_create(const PcmFormat& format, const uint8_t* data, uint32_t size) {
    // The mixer adds 16-bit samples; the device is opened that way and keeps it.
    if (!device_open || !data || size == 0 || device_format != AUDIO_S16SYS) return -1;
    int slot = -1;
    for (int b = 0; b < AUDIO_BUFFER_MAX && slot < 0; ++b)
        if (!buffers[b].samples) slot = b;
    const SDL_AudioFormat source = sdl_format(format.bits);
    if (slot < 0 || source == 0) return -1;
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, source, static_cast<Uint8>(format.channels), format.rate, device_format,
                          static_cast<Uint8>(device_channels), device_rate) < 0)
        return -1;
    cvt.len = static_cast<int>(size);
    cvt.buf = static_cast<Uint8*>(SDL_malloc(static_cast<size_t>(cvt.len) * static_cast<size_t>(cvt.len_mult)));
    if (!cvt.buf) return -1;
    std::memcpy(cvt.buf, data, size);
    if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) {
        SDL_free(cvt.buf);
        return -1;
    }
    const int length = cvt.needed ? cvt.len_cvt : cvt.len;
    const Uint32 count = static_cast<Uint32>(length) / sizeof(Sint16);
    if (count == 0) {
        SDL_free(cvt.buf);
        return -1;
    }
    SDL_LockMutex(buffers_lock);
    buffers[slot] = {reinterpret_cast<Sint16*>(cvt.buf), count, 0, 1.0f, false, false};
    SDL_UnlockMutex(buffers_lock);
    return slot;
}

bool sound_buffer_play(int buffer, bool loop, float volume) {
    if (!valid_buffer(buffer)) return false;
    // Each buffer is one voice: playing it again cuts the old play and starts over, and two
    // plays in one frame sound once.
    SDL_LockMutex(buffers_lock);
    SoundBuffer& b = buffers[buffer];
    b.cursor = 0;
    b.volume = std::clamp(volume, 0.0f, 1.0f);
    b.loop = loop;
    b.playing = true;
    SDL_UnlockMutex(buffers_lock);
    return true;
}

void sound_buffer_stop(int buffer) {
    if (!valid_buffer(buffer)) return;
    SDL_LockMutex(buffers_lock);
    buffers[buffer].playing = false;
    buffers[buffer].cursor = 0;
    SDL_UnlockMutex(buffers_lock);
}

void sound_buffer_release(int buffer) {
    if (!valid_buffer(buffer)) return;
    SDL_LockMutex(buffers_lock);
    Sint16* samples = buffers[buffer].samples;
    buffers[buffer] = {};
    SDL_UnlockMutex(buffers_lock);
    SDL_free(samples);
}

int music_track_load(const char* name, const uint8_t* data, size_t size) {
    if (!device_open || !name || !data || size == 0) return -1;
    int slot = -1;
    for (int t = 0; t < AUDIO_TRACK_MAX && slot < 0; ++t)
        if (!tracks[t].bytes) slot = t;
    if (slot < 0) return -1;
    auto* bytes = static_cast<uint8_t*>(SDL_malloc(size));
    if (!bytes) return -1;
    std::memcpy(bytes, data, size);
    tracks[slot] = Track{bytes, size, nullptr, false, {}};
    std::snprintf(tracks[slot].name, sizeof tracks[slot].name, "%s", name);
    return slot;
}

namespace {

// Each music object carries a synthesiser with the whole SoundFont loaded, so only the track
// being played has one: the others' are given back before it is made.
bool make_music(int track) {
    Track& t = tracks[track];
    if (t.music) return true;
    if (t.refused) return false;
    for (int other = 0; other < AUDIO_TRACK_MAX; ++other) {
        if (other == track || !tracks[other].music) continue;
        if (playing_track == other) {
            Mix_HaltMusic();
            playing_track = -1;
        }
        Mix_FreeMusic(tracks[other].music);
        tracks[other].music = nullptr;
    }
    t.music = Mix_LoadMUS_RW(SDL_RWFromConstMem(t.bytes, static_cast<int>(t.size)), 1);
    if (!t.music) {
        t.refused = true;
        std::fprintf(stderr, "quillmoor: %s: cannot be synthesised (%s); it plays silently\n", t.name, Mix_GetError());
    }
    return t.music != nullptr;
}

}  // namespace

bool music_track_play(int track) {
    if (!valid_track(track) || !make_music(track)) return false;
    if (Mix_PlayMusic(tracks[track].music, 0) != 0) return false;
    playing_track = track;
    return true;
}

void music_track_stop(int track) {
    if (!valid_track(track) || playing_track != track) return;
    Mix_HaltMusic();
    playing_track = -1;
}

bool music_track_is_playing(int track) { return valid_track(track) && playing_track == track && Mix_PlayingMusic(); }

void music_track_release(int track) {
    if (!valid_track(track)) return;
    music_track_stop(track);
    if (tracks[track].music) Mix_FreeMusic(tracks[track].music);
    SDL_free(tracks[track].bytes);
    tracks[track] = {};
}

}  // namespace platform
