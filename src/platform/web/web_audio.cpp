// The audio device in the browser: WAV effects as Web Audio buffers, one voice each, and
// the music as tracks rendered at build time from the MIDI files (NAME.MID plays NAME.ogg),
// mixed like the desktop's: effects with headroom, then a peak limiter over everything.
#include <emscripten.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/byte_reader.h"
#include "platform/audio.h"
#include "platform/web/web_audio_unlock.h"

namespace platform {
namespace {

// Every effect sounds at this fraction of its recorded level, as on the desktop.
constexpr float EFFECTS_GAIN = 0.45f;

bool device_open = false;
bool buffer_used[AUDIO_BUFFER_MAX];
bool track_used[AUDIO_TRACK_MAX];

EM_JS(int, js_audio_open, (), {
    const Context = globalThis.AudioContext || globalThis.webkitAudioContext;
    if (!Context) return 0;
    const context = new Context();
    // The limiter: about -1 dB of ceiling, acting at once and letting go in about 0.1 s.
    const out = context.createDynamicsCompressor();
    out.threshold.value = -1;
    out.knee.value = 0;
    out.ratio.value = 20;
    out.attack.value = 0.001;
    out.release.value = 0.1;
    out.connect(context.destination);
    Module.qmAudio = {context: context, out: out, buffers: [], voices: [], tracks: [], playing: -1, music: null};
    return 1;
});

EM_JS(void, js_audio_close, (), {
    const a = Module.qmAudio;
    if (!a) return;
    a.context.close();
    Module.qmAudio = null;
});

EM_JS(void, js_audio_unlock, (), {
    const a = Module.qmAudio;
    if (a && a.context.state === 'suspended') a.context.resume();
});

EM_JS(int, js_buffer_create, (int slot, int channels, int rate, const float* samples, int frames), {
    const a = Module.qmAudio;
    let buffer;
    try {
        buffer = a.context.createBuffer(channels, frames, rate);
    } catch (e) {
        return 0;
    }
    for (let c = 0; c < channels; ++c)
        buffer.copyToChannel(HEAPF32.subarray((samples >> 2) + c * frames, (samples >> 2) + (c + 1) * frames), c);
    a.buffers[slot] = buffer;
    return 1;
});

EM_JS(void, js_buffer_stop, (int slot), {
    const a = Module.qmAudio;
    const voice = a.voices[slot];
    if (voice) {
        voice.onended = null;
        voice.stop();
        a.voices[slot] = null;
    }
});

EM_JS(void, js_buffer_play, (int slot, int loop, float gain), {
    const a = Module.qmAudio;
    const voice = a.context.createBufferSource();
    voice.buffer = a.buffers[slot];
    voice.loop = loop !== 0;
    const level = a.context.createGain();
    level.gain.value = gain;
    voice.connect(level);
    level.connect(a.out);
    voice.onended = () => { if (a.voices[slot] === voice) a.voices[slot] = null; };
    a.voices[slot] = voice;
    voice.start();
});

EM_JS(void, js_buffer_release, (int slot), { Module.qmAudio.buffers[slot] = null; });

// The compressed track is decoded in the background; a play asked for before it is ready
// starts when it is, and counts as playing meanwhile.
EM_JS(int, js_track_load, (int slot, const char* path), {
    const a = Module.qmAudio;
    let bytes;
    try {
        bytes = FS.readFile(UTF8ToString(path));
    } catch (e) {
        return 0;
    }
    const track = {buffer: null, failed: false};
    a.tracks[slot] = track;
    a.context.decodeAudioData(bytes.buffer.slice(bytes.byteOffset, bytes.byteOffset + bytes.byteLength)).then(
        (buffer) => {
            track.buffer = buffer;
            if (a.playing === slot && !a.music) Module.qmStartMusic(a, slot);
        },
        () => {
            track.failed = true;
            if (a.playing === slot) a.playing = -1;
        });
    if (!Module.qmStartMusic) {
        Module.qmStartMusic = (a, slot) => {
            const voice = a.context.createBufferSource();
            voice.buffer = a.tracks[slot].buffer;
            voice.connect(a.out);
            voice.onended = () => {
                if (a.music === voice) {
                    a.music = null;
                    a.playing = -1;
                }
            };
            a.music = voice;
            voice.start();
        };
    }
    return 1;
});

EM_JS(int, js_track_play, (int slot), {
    const a = Module.qmAudio;
    const track = a.tracks[slot];
    if (!track || track.failed) return 0;
    if (a.music) {
        a.music.onended = null;
        a.music.stop();
        a.music = null;
    }
    a.playing = slot;
    if (track.buffer) Module.qmStartMusic(a, slot);
    return 1;
});

EM_JS(void, js_track_stop, (), {
    const a = Module.qmAudio;
    if (a.music) {
        a.music.onended = null;
        a.music.stop();
        a.music = null;
    }
    a.playing = -1;
});

EM_JS(int, js_track_playing, (int slot), { return Module.qmAudio.playing === slot ? 1 : 0; });

EM_JS(void, js_track_release, (int slot), { Module.qmAudio.tracks[slot] = null; });

bool valid_buffer(int b) { return device_open && b >= 0 && b < AUDIO_BUFFER_MAX && buffer_used[b]; }
bool valid_track(int t) { return device_open && t >= 0 && t < AUDIO_TRACK_MAX && track_used[t]; }

// One sample of the WAV's data as a float in -1..1.
float sample_at(const uint8_t* p, int bits) {
    switch (bits) {
        case 8: return (p[0] - 128) / 128.0f;
        case 16: return static_cast<int16_t>(read_le16(p)) / 32768.0f;
        default: return static_cast<int32_t>(read_le32(p)) / 2147483648.0f;
    }
}

}  // namespace

void web_audio_unlock() {
    if (device_open) js_audio_unlock();
}

bool audio_open(bool enabled) {
    if (device_open || !enabled) return device_open;
    if (!js_audio_open()) {
        std::fprintf(stderr, "quillmoor: this browser has no Web Audio; playing silently\n");
        return false;
    }
    for (bool& b : buffer_used) b = false;
    for (bool& t : track_used) t = false;
    device_open = true;
    return true;
}

void audio_close() {
    if (!device_open) return;
    js_audio_close();
    device_open = false;
}

bool audio_is_open() { return device_open; }

int sound_buffer_create(const PcmFormat& format, const uint8_t* data, uint32_t size) {
    if (!device_open || !data || size == 0) return -1;
    if ((format.bits != 8 && format.bits != 16 && format.bits != 32) || format.channels < 1 || format.channels > 2) return -1;
    int slot = -1;
    for (int b = 0; b < AUDIO_BUFFER_MAX && slot < 0; ++b)
        if (!buffer_used[b]) slot = b;
    if (slot < 0) return -1;
    const int bytes_per_sample = format.bits / 8;
    const int frames = static_cast<int>(size / static_cast<uint32_t>(bytes_per_sample * format.channels));
    if (frames == 0) return -1;
    // Web Audio keeps each channel apart; the WAV interleaves them.
    std::vector<float> planar(static_cast<size_t>(frames) * format.channels);
    for (int f = 0; f < frames; ++f)
        for (int c = 0; c < format.channels; ++c)
            planar[static_cast<size_t>(c) * frames + f] = sample_at(data + (static_cast<size_t>(f) * format.channels + c) * bytes_per_sample, format.bits);
    if (!js_buffer_create(slot, format.channels, format.rate, planar.data(), frames)) return -1;
    buffer_used[slot] = true;
    return slot;
}

bool sound_buffer_play(int buffer, bool loop, float volume) {
    if (!valid_buffer(buffer)) return false;
    // Each buffer has one voice: playing it again cuts the old play and starts over.
    js_buffer_stop(buffer);
    js_buffer_play(buffer, loop ? 1 : 0, EFFECTS_GAIN * volume);
    return true;
}

void sound_buffer_stop(int buffer) {
    if (valid_buffer(buffer)) js_buffer_stop(buffer);
}

void sound_buffer_release(int buffer) {
    if (!valid_buffer(buffer)) return;
    js_buffer_stop(buffer);
    js_buffer_release(buffer);
    buffer_used[buffer] = false;
}

// The MIDI bytes stay unused: the browser plays the track rendered from the same file at build time.
int music_track_load(const char* path, const uint8_t*, size_t, const TrackPrograms&) {
    if (!device_open || !path) return -1;
    int slot = -1;
    for (int t = 0; t < AUDIO_TRACK_MAX && slot < 0; ++t)
        if (!track_used[t]) slot = t;
    if (slot < 0) return -1;
    std::string rendered = path;
    const size_t dot = rendered.rfind('.');
    rendered = (dot == std::string::npos ? rendered : rendered.substr(0, dot)) + ".ogg";
    if (!js_track_load(slot, rendered.c_str())) {
        std::fprintf(stderr, "quillmoor: %s: no rendered track beside it; it plays silently\n", path);
        return -1;
    }
    track_used[slot] = true;
    return slot;
}

bool music_track_play(int track) { return valid_track(track) && js_track_play(track); }

void music_track_stop(int track) {
    if (valid_track(track) && js_track_playing(track)) js_track_stop();
}

bool music_track_is_playing(int track) { return valid_track(track) && js_track_playing(track); }

void music_track_release(int track) {
    if (!valid_track(track)) return;
    music_track_stop(track);
    js_track_release(track);
    track_used[track] = false;
}

// The page plays at the recorded levels and keeps sounding while hidden, as browsers allow.
void audio_set_volumes(int, int) {}
void audio_pause(bool) {}

}  // namespace platform
