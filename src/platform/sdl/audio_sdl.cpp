// The audio device: one SDL audio stream filled by our own mixer. MIDI music comes from one
// General MIDI synthesiser (FluidSynth) made at the first track played, its SoundFont read once
// for every track; the sound buffers are mixed over the music with headroom and a peak
// limiter, so nothing ever clips.
#include <SDL.h>
#include <fluidsynth.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/audio.h"
#include "platform/font_chorus.h"
#include "platform/mix_limiter.h"

#ifndef QUILLMOOR_SOUNDFONT
#define QUILLMOOR_SOUNDFONT "/usr/share/sounds/sf2/TimGM6mb.sf2"
#endif

namespace platform {
namespace {

constexpr int MIX_RATE = 44100;
constexpr int MIX_CHANNELS = 2;
constexpr int MIX_CHUNK_FRAMES = 1024;  // about 23 ms of latency at 44100 Hz
// The synthesiser's gain at full music volume: 0.45 keeps the fuller passages under full scale
// and the music under the effects.
constexpr float MUSIC_GAIN = 0.45f;
// Every effect is mixed at this fraction of its recorded level: a single effect peaks near
// -7 dB, over the music but not far over it, and two or three loud ones together still fit
// under the limiter's ceiling without it having to act.
constexpr float EFFECTS_GAIN = 0.45f;
constexpr float FULL_SCALE = 32768.0f;
// Samples (both channels) mixed in one pass; a longer device buffer takes several passes.
constexpr int MIX_BLOCK_SAMPLES = 4096;

// One effect: its samples at the device's rate, mono or stereo as recorded, and where its
// current play has got to.
struct SoundBuffer {
    Sint16* samples;  // ours to free
    Uint32 count;  // samples, all channels counted
    Uint32 cursor;  // next sample of the current play
    int channels;  // 1 (heard on both sides) or 2
    float volume;  // 0..1 for the current play
    bool playing;
    bool loop;
};

struct Track {
    uint8_t* bytes;  // the MIDI file, ours to free; null for a free track
    size_t size;
    bool refused;  // the synthesiser would not take the file; told once
    char name[64];
    TrackPrograms programs;
};

SDL_AudioDeviceID device = 0;
bool subsystem_started = false;
// Held by the mixer thread while it mixes, and by the game while it changes what is mixed.
SDL_mutex* mix_lock = nullptr;

// Holds mix_lock from its making to the end of its scope; nothing while there is no lock.
struct MixLock {
    SDL_mutex* held = mix_lock;
    MixLock() {
        if (held) SDL_LockMutex(held);
    }
    ~MixLock() {
        if (held) SDL_UnlockMutex(held);
    }
    MixLock(const MixLock&) = delete;
    MixLock& operator=(const MixLock&) = delete;
};
SoundBuffer buffers[AUDIO_BUFFER_MAX];
Limiter limiter;
float mix_block[MIX_BLOCK_SAMPLES];
Track tracks[AUDIO_TRACK_MAX];
// The synthesiser and the player of the one track playing; made on the game's thread, used
// by the mixer thread under mix_lock.
fluid_settings_t* synth_settings = nullptr;
fluid_synth_t* synth = nullptr;
bool synth_failed = false;  // no SoundFont: every track is silent, told once
fluid_player_t* player = nullptr;
int playing_track = -1;
// The chorus is the synthesiser's costliest effect. It runs for every track that could send to
// it, and rests through one that cannot, once the echo of the track before has faded.
FontChorus font_chorus;
bool chorus_on = true;
int chorus_fading_frames = 0;  // frames of music still to render before the chorus rests
// Music is synthesised MUSIC_AHEAD_CHUNKS device buffers at a time. The synthesiser's working
// set is large: woken for every 23 ms buffer it spends almost twice as long per sample as when
// it makes a longer stretch at once. Each buffer's worth is still made, and the track's end
// checked, just as when they were made one a wake, so the music is the same sample for sample;
// ending a track drops what was made ahead, so a change of track is heard as soon as before.
constexpr int MUSIC_AHEAD_CHUNKS = 8;
constexpr int MUSIC_CHUNK_SAMPLES = MIX_CHUNK_FRAMES * MIX_CHANNELS;
constexpr int MUSIC_AHEAD_SAMPLES = MUSIC_AHEAD_CHUNKS * MUSIC_CHUNK_SAMPLES;
float music_ahead[MUSIC_AHEAD_SAMPLES];
int music_ahead_from = 0;  // the next sample to be heard
int music_ahead_end = 0;  // one past the last sample made
int music_level = 10;  // the player's music volume, 0..10
// The player's effects volume as a factor, read by the mixer thread under mix_lock.
float effects_level = 1.0f;

bool device_open() { return device != 0; }
bool valid_buffer(int b) { return device_open() && b >= 0 && b < AUDIO_BUFFER_MAX && buffers[b].samples; }
bool valid_track(int t) { return device_open() && t >= 0 && t < AUDIO_TRACK_MAX && tracks[t].bytes; }

void set_chorus(bool on) {
    if (synth && on != chorus_on) fluid_synth_chorus_on(synth, -1, on ? 1 : 0);
    chorus_on = on;
}

void apply_music_volume() {
    if (synth) fluid_synth_set_gain(synth, MUSIC_GAIN * static_cast<float>(music_level) / 10.0f);
}

SDL_AudioFormat sdl_format(int bits) {
    switch (bits) {
        case 8: return AUDIO_U8;
        case 16: return AUDIO_S16LSB;
        case 32: return AUDIO_S32LSB;
        default: return 0;
    }
}

// Adds the playing effects to `count` interleaved stereo samples of the block, from each
// buffer's cursor on; a mono effect goes to both sides.
void add_effects(float* block, int count) {
    for (SoundBuffer& b : buffers) {
        if (!b.playing) continue;
        const float scale = b.volume * effects_level * EFFECTS_GAIN / FULL_SCALE;
        int at = 0;
        while (at < count && b.playing) {
            const Sint16* from = b.samples + b.cursor;
            const Uint32 left = b.count - b.cursor;
            int run;
            if (b.channels == 1) {
                run = static_cast<int>(std::min<Uint32>(static_cast<Uint32>(count - at) / MIX_CHANNELS, left));
                for (int i = 0; i < run; ++i) {
                    const float v = static_cast<float>(from[i]) * scale;
                    block[at + 2 * i] += v;
                    block[at + 2 * i + 1] += v;
                }
                at += run * MIX_CHANNELS;
            } else {
                run = static_cast<int>(std::min<Uint32>(static_cast<Uint32>(count - at), left));
                for (int i = 0; i < run; ++i) block[at + i] += static_cast<float>(from[i]) * scale;
                at += run;
            }
            b.cursor += static_cast<Uint32>(run);
            if (b.cursor >= b.count) {
                b.cursor = 0;
                b.playing = b.loop;
            }
        }
    }
}

// Makes one device buffer of the playing track, or silence. A track ends with its file: its last
// notes are cut there, as a track that is stopped.
void render_music_chunk(float* out) {
    if (player && fluid_player_get_status(player) == FLUID_PLAYER_PLAYING &&
        fluid_synth_write_float(synth, MIX_CHUNK_FRAMES, out, 0, MIX_CHANNELS, out, 1, MIX_CHANNELS) == FLUID_OK) {
        if (chorus_fading_frames > 0 && (chorus_fading_frames -= MIX_CHUNK_FRAMES) <= 0) set_chorus(false);
        return;
    }
    std::fill_n(out, MUSIC_CHUNK_SAMPLES, 0.0f);
}

// Puts the next `count` interleaved stereo samples of music into the block, making the next
// stretch once all that was made has been heard.
void render_music(float* block, int count) {
    for (int at = 0; at < count;) {
        if (music_ahead_from == music_ahead_end) {
            for (music_ahead_end = 0; music_ahead_end < MUSIC_AHEAD_SAMPLES; music_ahead_end += MUSIC_CHUNK_SAMPLES)
                render_music_chunk(music_ahead + music_ahead_end);
            music_ahead_from = 0;
        }
        const int run = std::min(count - at, music_ahead_end - music_ahead_from);
        std::copy_n(music_ahead + music_ahead_from, run, block + at);
        music_ahead_from += run;
        at += run;
    }
}

// The music made ahead at the volume before, brought to the one now so a change is heard at
// once; made ahead in silence, it is dropped and made anew.
void rescale_music_ahead(int before, int now) {
    if (before == now) return;
    if (before == 0) {
        music_ahead_from = music_ahead_end;
        return;
    }
    const float factor = static_cast<float>(now) / static_cast<float>(before);
    for (int i = music_ahead_from; i < music_ahead_end; ++i) music_ahead[i] *= factor;
}

// The device asks for `bytes` of 16-bit stereo: music, then the effects over it, then the
// limiter, in floating point so nothing is clipped on the way.
void fill_stream(void*, Uint8* stream, int bytes) {
    Sint16* out = reinterpret_cast<Sint16*>(stream);
    const int total = bytes / static_cast<int>(sizeof(Sint16));
    const MixLock hold;
    for (int done = 0; done < total; done += MIX_BLOCK_SAMPLES) {
        const int count = std::min(MIX_BLOCK_SAMPLES, total - done);
        render_music(mix_block, count);
        add_effects(mix_block, count);
        limit_frames(&limiter, mix_block, count / MIX_CHANNELS, MIX_CHANNELS);
        // Rounded half away from zero, in line (the limiter keeps every value in range).
        for (int i = 0; i < count; ++i) {
            const float v = mix_block[i] * (FULL_SCALE - 1);
            out[done + i] = static_cast<Sint16>(v + (v < 0.0f ? -0.5f : 0.5f));
        }
    }
}

// The synthesiser reports its own faults; only those that stop it are worth a line.
void quiet_log(int level, const char* message, void*) {
    if (level <= FLUID_ERR) std::fprintf(stderr, "quillmoor: synthesiser: %s\n", message);
}

// Makes the synthesiser with the SoundFont, once; false (told once) when it cannot be made.
bool make_synth() {
    if (synth) return true;
    if (synth_failed) return false;
    synth_failed = true;
    if (access(QUILLMOOR_SOUNDFONT, R_OK) != 0) {
        std::fprintf(stderr, "quillmoor: SoundFont %s not found; music is silent\n", QUILLMOOR_SOUNDFONT);
        return false;
    }
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) fluid_set_log_function(level, quiet_log, nullptr);
    fluid_settings_t* settings = new_fluid_settings();
    if (!settings) return false;
    fluid_settings_setnum(settings, "synth.sample-rate", MIX_RATE);
    // The whole font's samples are read with it. Reading each instrument's samples only when a
    // track chooses one saves a few megabytes, but the synthesiser then renders some notes
    // differently (by up to 1 % of full scale in the level-1 track): the music would no longer
    // sound as it always has.
    fluid_synth_t* made = new_fluid_synth(settings);
    if (!made || fluid_synth_sfload(made, QUILLMOOR_SOUNDFONT, 1) == FLUID_FAILED) {
        std::fprintf(stderr, "quillmoor: SoundFont %s cannot be loaded; music is silent\n", QUILLMOOR_SOUNDFONT);
        if (made) delete_fluid_synth(made);
        delete_fluid_settings(settings);
        return false;
    }
    const char* fault = nullptr;
    FontChorus chorus;
    if (!load_font_chorus(QUILLMOOR_SOUNDFONT, &chorus, &fault))
        std::fprintf(stderr, "quillmoor: SoundFont %s: %s; its chorus runs for every track\n", QUILLMOOR_SOUNDFONT, fault);
    {
        const MixLock hold;
        synth_settings = settings;
        synth = made;
        font_chorus = chorus;
        chorus_on = true;
        chorus_fading_frames = 0;
        apply_music_volume();
    }
    synth_failed = false;
    return true;
}

// Ends the playing track's player and drops its music made ahead; the caller holds mix_lock.
void end_player() {
    if (player) {
        fluid_player_stop(player);
        delete_fluid_player(player);
        player = nullptr;
    }
    playing_track = -1;
    music_ahead_from = music_ahead_end = 0;
}

}  // namespace

bool audio_open(bool enabled) {
    if (device_open() || !enabled) return device_open();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "quillmoor: no sound device (%s); playing silently\n", SDL_GetError());
        return false;
    }
    subsystem_started = true;
    std::memset(buffers, 0, sizeof buffers);
    for (Track& t : tracks) t = {};
    playing_track = -1;
    limiter = make_limiter(MIX_RATE);
    mix_lock = SDL_CreateMutex();
    SDL_AudioSpec want{};
    want.freq = MIX_RATE;
    want.format = AUDIO_S16SYS;
    want.channels = MIX_CHANNELS;
    want.samples = MIX_CHUNK_FRAMES;
    want.callback = fill_stream;
    // No changes allowed: SDL converts to whatever the hardware takes, so the mixer always
    // works in this one format.
    device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (device == 0) {
        std::fprintf(stderr, "quillmoor: cannot open the sound device (%s); playing silently\n", SDL_GetError());
        SDL_DestroyMutex(mix_lock);
        mix_lock = nullptr;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        subsystem_started = false;
        return false;
    }
    SDL_PauseAudioDevice(device, 0);
    return true;
}

void audio_close() {
    if (device_open()) {
        SDL_CloseAudioDevice(device);  // the mixer thread has stopped when this returns
        device = 0;
        end_player();
        for (int b = 0; b < AUDIO_BUFFER_MAX; ++b) {
            SDL_free(buffers[b].samples);
            buffers[b] = {};
        }
        for (int t = 0; t < AUDIO_TRACK_MAX; ++t) {
            SDL_free(tracks[t].bytes);
            tracks[t] = {};
        }
        if (synth) delete_fluid_synth(synth);
        if (synth_settings) delete_fluid_settings(synth_settings);
        synth = nullptr;
        synth_settings = nullptr;
        font_chorus = {};
        synth_failed = false;
        SDL_DestroyMutex(mix_lock);
        mix_lock = nullptr;
    }
    if (subsystem_started) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        subsystem_started = false;
    }
}

bool audio_is_open() { return device_open(); }

void audio_set_volumes(int music, int effects) {
    const MixLock hold;
    const int before = music_level;
    music_level = std::clamp(music, 0, 10);
    effects_level = static_cast<float>(std::clamp(effects, 0, 10)) / 10.0f;
    apply_music_volume();
    rescale_music_ahead(before, music_level);
}

void audio_pause(bool paused) {
    if (device_open()) SDL_PauseAudioDevice(device, paused ? 1 : 0);
}

int sound_buffer_create(const PcmFormat& format, const uint8_t* data, uint32_t size) {
    if (!device_open() || !data || size == 0 || format.channels < 1) return -1;
    int slot = -1;
    for (int b = 0; b < AUDIO_BUFFER_MAX && slot < 0; ++b)
        if (!buffers[b].samples) slot = b;
    const SDL_AudioFormat source = sdl_format(format.bits);
    if (slot < 0 || source == 0) return -1;
    // A mono effect stays mono (half the memory); the mixer puts it on both sides, as a
    // conversion to stereo would.
    const int channels = format.channels == 1 ? 1 : MIX_CHANNELS;
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, source, static_cast<Uint8>(format.channels), format.rate, AUDIO_S16SYS,
                          static_cast<Uint8>(channels), MIX_RATE) < 0)
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
    // Whole sample frames only.
    const Uint32 count = static_cast<Uint32>(length) / sizeof(Sint16) / static_cast<Uint32>(channels) * static_cast<Uint32>(channels);
    if (count == 0) {
        SDL_free(cvt.buf);
        return -1;
    }
    const MixLock hold;
    buffers[slot] = {reinterpret_cast<Sint16*>(cvt.buf), count, 0, channels, 1.0f, false, false};
    return slot;
}

bool sound_buffer_play(int buffer, bool loop, float volume) {
    if (!valid_buffer(buffer)) return false;
    // Each buffer is one voice: playing it again cuts the old play and starts over, and two
    // plays in one frame sound once.
    const MixLock hold;
    SoundBuffer& b = buffers[buffer];
    b.cursor = 0;
    b.volume = std::clamp(volume, 0.0f, 1.0f);
    b.loop = loop;
    b.playing = true;
    return true;
}

void sound_buffer_stop(int buffer) {
    if (!valid_buffer(buffer)) return;
    const MixLock hold;
    buffers[buffer].playing = false;
    buffers[buffer].cursor = 0;
}

void sound_buffer_release(int buffer) {
    if (!valid_buffer(buffer)) return;
    Sint16* samples = nullptr;
    {
        const MixLock hold;
        samples = buffers[buffer].samples;
        buffers[buffer] = {};
    }
    SDL_free(samples);
}

int music_track_load(const char* name, const uint8_t* data, size_t size, const TrackPrograms& programs) {
    if (!device_open() || !name || !data || size == 0) return -1;
    int slot = -1;
    for (int t = 0; t < AUDIO_TRACK_MAX && slot < 0; ++t)
        if (!tracks[t].bytes) slot = t;
    if (slot < 0) return -1;
    auto* bytes = static_cast<uint8_t*>(SDL_malloc(size));
    if (!bytes) return -1;
    std::memcpy(bytes, data, size);
    tracks[slot] = Track{bytes, size, false, {}, programs};
    std::snprintf(tracks[slot].name, sizeof tracks[slot].name, "%s", name);
    return slot;
}

bool music_track_play(int track) {
    if (!valid_track(track)) return false;
    Track& t = tracks[track];
    if (t.refused || !make_synth()) return false;
    bool started = false;
    {
        const MixLock hold;
        end_player();
        // Every track starts from a synthesiser just as it was made: no notes, controllers or
        // programs left over from the last one.
        fluid_synth_system_reset(synth);
        if (track_sends_chorus(font_chorus, t.programs)) {
            set_chorus(true);
            chorus_fading_frames = 0;
        } else if (chorus_on) {
            chorus_fading_frames = CHORUS_FADE_SECONDS * MIX_RATE;
        }
        player = new_fluid_player(synth);
        started = player && fluid_player_add_mem(player, t.bytes, t.size) == FLUID_OK && fluid_player_play(player) == FLUID_OK;
        if (started)
            playing_track = track;
        else
            end_player();
    }
    if (!started) {
        t.refused = true;
        std::fprintf(stderr, "quillmoor: %s: cannot be synthesised; it plays silently\n", t.name);
    }
    return started;
}

void music_track_stop(int track) {
    if (!valid_track(track) || playing_track != track) return;
    const MixLock hold;
    end_player();
}

bool music_track_is_playing(int track) {
    return valid_track(track) && playing_track == track && player && fluid_player_get_status(player) == FLUID_PLAYER_PLAYING;
}

void music_track_release(int track) {
    if (!valid_track(track)) return;
    music_track_stop(track);
    SDL_free(tracks[track].bytes);
    tracks[track] = {};
}

}  // namespace platform
