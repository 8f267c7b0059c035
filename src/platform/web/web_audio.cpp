// The audio device in the browser: WAV effects as Web Audio buffers, one voice each, and
// the music as tracks rendered at build time from the MIDI files (NAME.MID plays
// music/NAME.ogg, fetched beside the page once the first picture is up, the title's first),
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
float effects_level = 1.0f;  // the player's effects volume, 0..1

// The device's state in the page. The audio context itself is made only once the first picture
// is up (or at the player's first key or tap, if sooner): making one can hold the page for the
// best part of a second, and the effects' buffers need none to be made.
EM_JS(int, js_audio_open, (), {
    const Context = globalThis.AudioContext || globalThis.webkitAudioContext;
    if (!Context) return 0;
    const a = {context: null, out: null, musicLevel: null, musicVolume: 1, buffers: [], voices: [], tracks: [], playing: -1,
               music: null, queue: [], fetching: false};
    Module.qmAudio = a;
    a.makeContext = () => {
        if (a.context || Module.qmAudio !== a) return;
        const context = new Context();
        // The limiter: about -1 dB of ceiling, acting at once and letting go in about 0.1 s.
        const out = context.createDynamicsCompressor();
        out.threshold.value = -1;
        out.knee.value = 0;
        out.ratio.value = 20;
        out.attack.value = 0.001;
        out.release.value = 0.1;
        out.connect(context.destination);
        // The player's music volume, between the tracks and the limiter.
        a.musicLevel = context.createGain();
        a.musicLevel.gain.value = a.musicVolume;
        a.musicLevel.connect(out);
        a.out = out;
        a.context = context;
        const told = () => {
            if (Module['qmAudioStateChanged']) Module['qmAudioStateChanged']();
        };
        context.addEventListener('statechange', told);
        told();
        a.fetchNext();
    };
    Module['qmUnlockAudio'] = () => {
        const now = Module.qmAudio;
        if (!now) return;
        now.makeContext();
        if (now.context.state === 'suspended') now.context.resume();
    };
    // Tracks are fetched and decoded one at a time once the context is made, so they never hold
    // the first picture back: the one asked to play first, then the others in the order they
    // were loaded.
    a.fetchNext = () => {
        if (a.fetching || !a.context || Module.qmAudio !== a || a.queue.length === 0) return;
        const wanted = a.queue.indexOf(a.playing);
        const slot = a.queue.splice(wanted >= 0 ? wanted : 0, 1)[0];
        const track = a.tracks[slot];
        if (!track) return a.fetchNext();
        a.fetching = true;
        const url = Module['qmAssetUrl'] ? Module['qmAssetUrl']('music/' + track.name) : 'music/' + track.name;
        fetch(url)
            .then((response) => {
                if (!response.ok) throw new Error('HTTP ' + response.status);
                return response.arrayBuffer();
            })
            .then((bytes) => a.context.decodeAudioData(bytes))
            .then(
                (buffer) => {
                    track.buffer = buffer;
                    if (a.playing === slot && !a.music && a.tracks[slot] === track) a.startMusic(slot);
                },
                (error) => {
                    track.failed = true;
                    console.warn('quillmoor: music/' + track.name + ': ' + error + '; it plays silently');
                    if (a.playing === slot) a.playing = -1;
                })
            .finally(() => {
                a.fetching = false;
                a.fetchNext();
            });
    };
    a.startMusic = (slot) => {
        const voice = a.context.createBufferSource();
        voice.buffer = a.tracks[slot].buffer;
        voice.connect(a.musicLevel);
        voice.onended = () => {
            if (a.music === voice) {
                a.music = null;
                a.playing = -1;
            }
        };
        a.music = voice;
        voice.start();
    };
    // After the first picture, once the page has a moment.
    const onFirst = Module['qmOnFirstPicture'] || (Module['qmOnFirstPicture'] = []);
    onFirst.push(() => {
        if (globalThis.requestIdleCallback) requestIdleCallback(a.makeContext, {timeout: 500});
        else setTimeout(a.makeContext, 100);
    });
    return 1;
});

EM_JS(void, js_music_level, (float level), {
    const a = Module.qmAudio;
    a.musicVolume = level;
    if (a.musicLevel) a.musicLevel.gain.value = level;
});

EM_JS(void, js_audio_close, (), {
    const a = Module.qmAudio;
    if (!a) return;
    if (a.context) a.context.close();
    Module.qmAudio = null;
});

EM_JS(void, js_audio_unlock, (), { Module['qmUnlockAudio'](); });

// Audio buffers stand apart from any context (browsers without the constructor make theirs in one).
EM_JS(int, js_buffer_create, (int slot, int channels, int rate, const float* samples, int frames), {
    const a = Module.qmAudio;
    let buffer;
    try {
        buffer = new AudioBuffer({numberOfChannels: channels, length: frames, sampleRate: rate});
    } catch (e) {
        try {
            a.makeContext();
            buffer = a.context.createBuffer(channels, frames, rate);
        } catch (e) {
            return 0;
        }
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

// Before the context is made (the first moment of the page) an effect is not heard.
EM_JS(void, js_buffer_play, (int slot, int loop, float gain), {
    const a = Module.qmAudio;
    if (!a.context) return;
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

// The compressed track is fetched and decoded in the background; a play asked for before it
// is ready starts when it is, and counts as playing meanwhile.
EM_JS(void, js_track_load, (int slot, const char* name), {
    const a = Module.qmAudio;
    a.tracks[slot] = {name: UTF8ToString(name), buffer: null, failed: false};
    a.queue.push(slot);
    a.fetchNext();
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
    if (track.buffer) a.startMusic(slot);
    else a.fetchNext();
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

EM_JS(void, js_track_release, (int slot), {
    const a = Module.qmAudio;
    a.tracks[slot] = null;
    a.queue = a.queue.filter((queued) => queued !== slot);
});

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
    effects_level = 1.0f;
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
    js_buffer_play(buffer, loop ? 1 : 0, EFFECTS_GAIN * volume * effects_level);
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
    js_track_load(slot, rendered.c_str());
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

// Volumes 0..10, as the desktop's: the music's level over the tracks, the effects' on each play.
void audio_set_volumes(int music, int effects) {
    effects_level = static_cast<float>(effects < 0 ? 0 : effects > 10 ? 10 : effects) / 10.0f;
    if (device_open) js_music_level(static_cast<float>(music < 0 ? 0 : music > 10 ? 10 : music) / 10.0f);
}

// The page keeps sounding while hidden, as browsers allow.
void audio_pause(bool) {}

}  // namespace platform
