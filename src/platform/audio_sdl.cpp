// The audio device on the SDL mixer: sound buffers converted to the device format, one channel
// each, and MIDI music through the mixer's FluidSynth decoder with a General MIDI SoundFont.
#include <SDL.h>
#include <SDL_mixer.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "platform/audio.h"

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

struct SoundBuffer {
    Mix_Chunk* chunk;
    Uint8* samples;  // converted data the chunk plays from; ours to free
};

struct Track {
    Mix_Music* music;
};

bool device_open = false;
bool subsystem_started = false;
SoundBuffer buffers[AUDIO_BUFFER_MAX];
Track tracks[AUDIO_TRACK_MAX];
int playing_track = -1;
int device_rate = MIX_RATE;
Uint16 device_format = AUDIO_S16SYS;
int device_channels = 2;

bool valid_buffer(int b) { return device_open && b >= 0 && b < AUDIO_BUFFER_MAX && buffers[b].chunk; }
bool valid_track(int t) { return device_open && t >= 0 && t < AUDIO_TRACK_MAX && tracks[t].music; }

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
    Mix_AllocateChannels(AUDIO_BUFFER_MAX);
    Mix_VolumeMusic(MUSIC_VOLUME);
    if (!Mix_HasMusicDecoder("MIDI")) std::fprintf(stderr, "quillmoor: the mixer has no MIDI decoder; music will be silent\n");
    std::memset(buffers, 0, sizeof buffers);
    std::memset(tracks, 0, sizeof tracks);
    playing_track = -1;
    device_open = true;
    return true;
}

void audio_close() {
    if (device_open) {
        Mix_HaltChannel(-1);
        Mix_HaltMusic();
        for (int b = 0; b < AUDIO_BUFFER_MAX; ++b) sound_buffer_release(b);
        for (int t = 0; t < AUDIO_TRACK_MAX; ++t) music_track_release(t);
        Mix_CloseAudio();
        Mix_Quit();
        device_open = false;
    }
    if (subsystem_started) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        subsystem_started = false;
    }
}

bool audio_is_open() { return device_open; }

int sound_buffer_create(const PcmFormat& format, const uint8_t* data, uint32_t size) {
    if (!device_open || !data || size == 0) return -1;
    int slot = -1;
    for (int b = 0; b < AUDIO_BUFFER_MAX && slot < 0; ++b)
        if (!buffers[b].chunk) slot = b;
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
    Mix_Chunk* chunk = Mix_QuickLoad_RAW(cvt.buf, static_cast<Uint32>(length));
    if (!chunk) {
        SDL_free(cvt.buf);
        return -1;
    }
    buffers[slot] = {chunk, cvt.buf};
    return slot;
}

bool sound_buffer_play(int buffer, bool loop) {
    if (!valid_buffer(buffer)) return false;
    // Each buffer owns the channel of its own number: playing it again cuts the old play
    // and starts over, and two plays in one frame sound once.
    return Mix_PlayChannel(buffer, buffers[buffer].chunk, loop ? -1 : 0) == buffer;
}

void sound_buffer_stop(int buffer) {
    if (valid_buffer(buffer)) Mix_HaltChannel(buffer);
}

void sound_buffer_release(int buffer) {
    if (!valid_buffer(buffer)) return;
    Mix_HaltChannel(buffer);
    Mix_FreeChunk(buffers[buffer].chunk);
    SDL_free(buffers[buffer].samples);
    buffers[buffer] = {};
}

int music_track_load(const char* path) {
    if (!device_open || !path) return -1;
    int slot = -1;
    for (int t = 0; t < AUDIO_TRACK_MAX && slot < 0; ++t)
        if (!tracks[t].music) slot = t;
    if (slot < 0) return -1;
    Mix_Music* music = Mix_LoadMUS(path);
    if (!music) {
        std::fprintf(stderr, "quillmoor: %s: cannot be synthesised (%s); it plays silently\n", path, Mix_GetError());
        return -1;
    }
    tracks[slot].music = music;
    return slot;
}

bool music_track_play(int track) {
    if (!valid_track(track)) return false;
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
    Mix_FreeMusic(tracks[track].music);
    tracks[track].music = nullptr;
}

}  // namespace platform
