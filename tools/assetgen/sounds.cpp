// The fourteen sound effects, synthesised from oscillators, filters and our own noise and
// written as 8-bit mono PCM WAV files at 11025 Hz.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "audio/sound_ids.h"
#include "base/byte_writer.h"
#include "generators.h"

namespace art {
namespace {

constexpr int RATE = 11025;
constexpr float PI = 3.14159265358979f;

using Samples = std::vector<float>;

// Xorshift noise: the same sequence on every run and every machine.
struct Noise {
    uint32_t state;
    float next() {  // -1..1
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<float>(state) / 2147483648.0f - 1.0f;
    }
};

// State-variable filter (trapezoidal form, stable at any cutoff below Nyquist).
struct Svf {
    float ic1 = 0, ic2 = 0;
    struct Out { float low, band, high; };
    Out run(float in, float cutoff_hz, float q) {
        cutoff_hz = std::clamp(cutoff_hz, 20.0f, RATE * 0.45f);
        const float g = std::tan(PI * cutoff_hz / RATE);
        const float k = 1.0f / q;
        const float a1 = 1.0f / (1.0f + g * (g + k));
        const float v3 = in - ic2;
        const float v1 = a1 * ic1 + g * a1 * v3;
        const float v2 = ic2 + g * v1;
        ic1 = 2 * v1 - ic1;
        ic2 = 2 * v2 - ic2;
        return {v2, v1, in - k * v1 - v2};
    }
};

int frames(float seconds) { return static_cast<int>(seconds * RATE); }
float time_of(int i) { return static_cast<float>(i) / RATE; }

// 0 before `start`, then a quick linear attack and an exponential fall with time constant `decay` (s).
float strike(float t, float start, float attack, float decay) {
    if (t < start) return 0;
    const float u = t - start;
    if (u < attack) return u / attack;
    return std::exp(-(u - attack) / decay);
}

// Sine-shaped swell from 0 at `start` to 1 at `peak` and back to 0 at `end`.
float swell(float t, float start, float peak, float end) {
    if (t <= start || t >= end) return 0;
    if (t < peak) return std::sin(0.5f * PI * (t - start) / (peak - start));
    return std::cos(0.5f * PI * (t - peak) / (end - peak));
}

// Interpolates exponentially from `a` to `b` as `u` goes from 0 to 1 (pitch glides).
float glide(float a, float b, float u) { return a * std::pow(b / a, std::clamp(u, 0.0f, 1.0f)); }

// A phase accumulator, so that gliding pitches stay continuous.
struct Osc {
    float phase = 0;  // 0..1
    float step(float hz) {
        phase += hz / RATE;
        phase -= std::floor(phase);
        return phase;
    }
    float sine(float hz) { return std::sin(2 * PI * step(hz)); }
    float saw(float hz) { return 2 * step(hz) - 1; }
    float pulse(float hz, float duty) { return step(hz) < duty ? 1.0f : -1.0f; }
    float triangle(float hz) { const float p = step(hz); return p < 0.5f ? 4 * p - 1 : 3 - 4 * p; }
};

// Scales the sound so that its loudest sample reaches `peak`.
void normalise(Samples& s, float peak) {
    float most = 0;
    for (float v : s) most = std::max(most, std::fabs(v));
    if (most <= 0) return;
    for (float& v : s) v *= peak / most;
}

// A short fade at the end so that no sound stops with a click.
void fade_tail(Samples& s, float seconds) {
    const int n = std::min(static_cast<int>(s.size()), frames(seconds));
    for (int i = 0; i < n; ++i) s[s.size() - 1 - i] *= static_cast<float>(i) / n;
}

std::string wav_bytes(const Samples& s) {
    const uint32_t data_size = static_cast<uint32_t>(s.size());
    const uint32_t padded = data_size + (data_size & 1);
    std::string out = "RIFF";
    append_le(out, 4 + 8 + 16 + 8 + padded, 4);
    out += "WAVEfmt ";
    append_le(out, 16, 4);
    append_le(out, 1, 2);  // PCM
    append_le(out, 1, 2);  // mono
    append_le(out, RATE, 4);
    append_le(out, RATE, 4);  // bytes per second
    append_le(out, 1, 2);  // block alignment
    append_le(out, 8, 2);  // bits per sample
    out += "data";
    append_le(out, data_size, 4);
    for (float v : s) {
        const int byte = static_cast<int>(std::lround(128.0f + 127.0f * std::clamp(v, -1.0f, 1.0f)));
        out += static_cast<char>(std::clamp(byte, 0, 255));
    }
    if (data_size & 1) out += static_cast<char>(128);
    return out;
}

void save(const std::string& dir, int SoundIds::*sound, Samples s, float peak) {
    const std::string name = sound_file_name(sound);
    fade_tail(s, 0.01f);
    normalise(s, peak);
    write_file(dir + "/" + name, wav_bytes(s));
}

// The sword cutting the air: noise through a band-pass whose centre sweeps up and back.
Samples sword_swish() {
    Samples s(frames(0.30f));
    Noise noise{0x5A0D1234u};
    Svf band, air;
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = time_of(static_cast<int>(i));
        const float centre = 450 + 2900 * swell(t, 0.0f, 0.11f, 0.30f);
        const float n = noise.next();
        const float body = band.run(n, centre, 3.0f).band;
        const float hiss = air.run(n, 3800, 0.7f).high * 0.25f;
        s[i] = (body + hiss) * swell(t, 0.0f, 0.10f, 0.30f);
    }
    return s;
}

// A bow string released: a plucked string (delay-line string model) and a short whistle.
Samples arrow_twang() {
    Samples s(frames(0.40f));
    Noise noise{0xA77011u};
    const int period = RATE / 147;
    std::vector<float> line(period);
    for (float& v : line) v = noise.next();
    Osc whistle;
    Svf hiss;
    float previous = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = time_of(static_cast<int>(i));
        // The string: each pass through the line averages two samples, which damps it.
        const size_t k = i % period;
        const float out = line[k];
        line[k] = 0.994f * 0.5f * (out + previous);
        previous = out;
        const float string = out * std::exp(-t / 0.16f);
        const float thwip = whistle.sine(glide(1300, 380, t / 0.09f)) * strike(t, 0, 0.003f, 0.035f);
        const float air = hiss.run(noise.next(), glide(3000, 1200, t / 0.2f), 2.0f).band * strike(t, 0.01f, 0.03f, 0.07f);
        s[i] = 0.9f * string + 0.45f * thwip + 0.5f * air;
    }
    return s;
}

// A mole struck: a dull low thud and a short throaty grunt.
Samples mole_hit() {
    Samples s(frames(0.36f));
    Noise noise{0x3013u};
    Osc thud, voice;
    Svf click, throat;
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = time_of(static_cast<int>(i));
        const float boom = thud.sine(glide(150, 50, t / 0.2f)) * strike(t, 0, 0.002f, 0.09f);
        const float tap = click.run(noise.next(), 900, 0.8f).low * strike(t, 0, 0.001f, 0.015f);
        const float grunt = throat.run(voice.pulse(glide(110, 80, (t - 0.04f) / 0.2f), 0.25f), 520, 3.0f).band *
                            swell(t, 0.04f, 0.07f, 0.26f);
        s[i] = boom + 0.8f * tap + 0.9f * grunt;
    }
    return s;
}

// A pig struck: a nasal grunt that breaks into a rising and falling squeal.
Samples pig_hit() {
    Samples s(frames(0.42f));
    Osc voice, wobble;
    Svf nose, mouth;
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = time_of(static_cast<int>(i));
        const float grunt_hz = 150 + 30 * std::sin(2 * PI * 40 * t);
        const float squeal_hz = t < 0.22f ? glide(420, 820, (t - 0.1f) / 0.12f) : glide(820, 480, (t - 0.22f) / 0.2f);
        const float hz = t < 0.1f ? grunt_hz : squeal_hz * (1 + 0.03f * wobble.sine(19));
        const float raw = voice.pulse(hz, 0.3f);
        const float formant = nose.run(raw, 950, 4.0f).band + 0.6f * mouth.run(raw, 2300, 5.0f).band;
        const float env = t < 0.1f ? swell(t, 0, 0.015f, 0.1f) : swell(t, 0.1f, 0.14f, 0.42f);
        s[i] = formant * env;
    }
    return s;
}

// A wasp struck: an angry saw-tooth buzz that jumps up in pitch and trails off.
Samples wasp_hit() {
    Samples s(frames(0.34f));
    Noise noise{0xB122u};
    Osc buzz, wings;
    Svf tone;
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = time_of(static_cast<int>(i));
        const float hz = t < 0.06f ? 260 : glide(420, 190, (t - 0.06f) / 0.28f);
        const float flutter = 0.6f + 0.4f * wings.sine(34);
        float v = buzz.saw(hz) * flutter + 0.15f * noise.next();
        v = std::tanh(2.5f * v);  // overdriven, so it rasps
        v = tone.run(v, 2200, 0.9f).low;
        const float crack = noise.next() * strike(t, 0, 0.001f, 0.01f);
        s[i] = v * swell(t, 0, 0.01f, 0.34f) + 0.8f * crack;
    }
    return s;
}

// The hero hurt: a rat's short "eek" after a soft knock.
Samples ouch() {
    Samples s(frames(0.26f));
    Noise noise{0x0C4u};
    Osc squeak;
    Svf knock;
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = time_of(static_cast<int>(i));
        const float hz = (t < 0.07f ? glide(1300, 2100, t / 0.07f) : glide(2100, 1250, (t - 0.07f) / 0.19f)) *
                         (1 + 0.04f * std::sin(2 * PI * 28 * t));
        const float eek = (squeak.sine(hz) + 0.25f * std::sin(4 * PI * squeak.phase)) * swell(t, 0.01f, 0.05f, 0.26f);
        const float hit = knock.run(noise.next(), 400, 0.8f).low * strike(t, 0, 0.001f, 0.02f);
        s[i] = 0.8f * eek + 1.6f * hit;
    }
    return s;
}

// The hero dies: a falling squeak, then three sinking notes and a long low one.
Samples hero_dies() {
    Samples s(frames(1.70f));
    Osc squeak, tone;
    Svf soften;
    const float notes[4] = {392.0f, 370.0f, 349.2f, 329.6f};  // G4, F#4, F4, E4
    const float starts[4] = {0.55f, 0.78f, 1.01f, 1.24f};
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = time_of(static_cast<int>(i));
        const float fall = squeak.sine(glide(1900, 380, t / 0.5f) * (1 + 0.05f * std::sin(2 * PI * 20 * t))) *
                           swell(t, 0.0f, 0.03f, 0.5f);
        int n = 0;
        while (n < 3 && t >= starts[n + 1]) ++n;
        const float hz = notes[n] * (n == 3 ? 1 + 0.02f * std::sin(2 * PI * 5.5f * (t - starts[3])) : 1.0f);
        const float length = n == 3 ? 0.45f : 0.2f;
        const float env = t < starts[0] ? 0 : swell(t, starts[n], starts[n] + 0.02f, starts[n] + length);
        const float lament = soften.run(tone.pulse(hz, 0.5f), 1400, 0.7f).low * env;
        s[i] = 0.7f * fall + 0.55f * lament;
    }
    return s;
}

// An enemy vanishes: a puff of noise whose brightness falls away and a sinking tone.
Samples enemy_dies() {
    Samples s(frames(0.55f));
    Noise noise{0xDEAD5u};
    Osc drop;
    Svf puff;
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = time_of(static_cast<int>(i));
        const float smoke = puff.run(noise.next(), glide(3500, 180, t / 0.5f), 1.2f).low * strike(t, 0, 0.01f, 0.18f);
        const float tone = drop.triangle(glide(700, 90, t / 0.4f)) * strike(t, 0, 0.005f, 0.14f);
        s[i] = smoke + 0.6f * tone;
    }
    return s;
}

// A boss struck: a heavy low boom with a clang of metal over it.
Samples boss_hit() {
    Samples s(frames(0.60f));
    Noise noise{0xB055u};
    Osc boom;
    Svf crash;
    const float partials[4] = {311.0f, 743.0f, 1187.0f, 1733.0f};
    const float decays[4] = {0.22f, 0.14f, 0.10f, 0.07f};
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = time_of(static_cast<int>(i));
        const float low = boom.sine(glide(110, 42, t / 0.35f)) * strike(t, 0, 0.002f, 0.18f);
        float clang = 0;
        for (int p = 0; p < 4; ++p) clang += std::sin(2 * PI * partials[p] * t) * strike(t, 0, 0.001f, decays[p]);
        const float burst = crash.run(noise.next(), 1800, 0.8f).band * strike(t, 0, 0.001f, 0.04f);
        s[i] = std::tanh(1.6f * (1.1f * low + 0.35f * clang + 0.9f * burst));
    }
    return s;
}

// A boss defeated: three blasts over a long falling roar and a rumble that dies away.
Samples boss_dies() {
    Samples s(frames(1.80f));
    Noise noise{0xB16B055u};
    Osc roar, tremolo;
    Svf rumble, throat, blast;
    const float blasts[3] = {0.0f, 0.38f, 0.74f};
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = time_of(static_cast<int>(i));
        const float n = noise.next();
        const float ground = rumble.run(n, glide(500, 90, t / 1.6f), 0.9f).low * swell(t, 0, 0.1f, 1.8f);
        const float voice = throat.run(roar.saw(glide(210, 38, t / 1.4f)), 700, 1.5f).low *
                            (0.7f + 0.3f * tremolo.sine(8)) * swell(t, 0.05f, 0.3f, 1.5f);
        float bang = 0;
        for (float b : blasts) bang += strike(t, b, 0.003f, 0.12f);
        const float booms = blast.run(n, 1200, 0.7f).low * bang;
        s[i] = std::tanh(1.5f * (1.2f * ground + 0.7f * voice + 1.3f * booms));
    }
    return s;
}

// A brass-like note: a saw-tooth whose brightness opens with its envelope.
struct BrassNote {
    float start, length, hz;
};

// Victory: a rising brass call ending on a long shining chord.
Samples celebrate() {
    const BrassNote notes[] = {
        {0.00f, 0.12f, 523.3f}, {0.13f, 0.12f, 659.3f}, {0.26f, 0.12f, 784.0f}, {0.39f, 0.22f, 1046.5f},
        {0.62f, 0.12f, 784.0f}, {0.75f, 0.80f, 1046.5f}, {0.75f, 0.80f, 659.3f}, {0.75f, 0.80f, 784.0f},
        {0.75f, 0.80f, 523.3f},
    };
    constexpr int NOTE_COUNT = sizeof notes / sizeof notes[0];
    Samples s(frames(1.65f));
    Osc osc[NOTE_COUNT];
    Svf filter[NOTE_COUNT];
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = time_of(static_cast<int>(i));
        float sum = 0;
        for (int k = 0; k < NOTE_COUNT; ++k) {
            const BrassNote& note = notes[k];
            if (t < note.start || t > note.start + note.length + 0.1f) continue;
            const float u = t - note.start;
            const float env = std::min(u / 0.02f, 1.0f) * (u > note.length ? std::exp(-(u - note.length) / 0.03f) : 1.0f) *
                              (0.75f + 0.25f * std::exp(-u / 0.08f));
            const float vibrato = u > 0.3f ? 1 + 0.006f * std::sin(2 * PI * 6 * u) : 1.0f;
            sum += filter[k].run(osc[k].saw(note.hz * vibrato), 600 + 2600 * env, 0.9f).low * env;
        }
        s[i] = std::tanh(0.9f * sum);
    }
    return s;
}

// The key picked up: a quick rising arpeggio of bell tones.
Samples key_chime() {
    const float notes[4] = {1318.5f, 1661.2f, 1975.5f, 2637.0f};  // E6, G#6, B6, E7
    Samples s(frames(0.95f));
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = time_of(static_cast<int>(i));
        float sum = 0;
        for (int k = 0; k < 4; ++k) {
            const float start = 0.07f * k;
            if (t < start) continue;
            const float u = t - start;
            sum += std::sin(2 * PI * notes[k] * u) * strike(t, start, 0.002f, 0.32f);
            // A bell's inharmonic overtone, kept only where the sample rate can carry it.
            if (notes[k] * 2.76f < RATE * 0.45f) sum += 0.3f * std::sin(2 * PI * notes[k] * 2.76f * u) * strike(t, start, 0.002f, 0.08f);
        }
        s[i] = sum;
    }
    return s;
}

// Cheese eaten: three crunchy bites, each a crackle of clicks over a soft thump.
Samples cheese_munch() {
    Samples s(frames(0.52f));
    Noise noise{0xC4EE5Eu};
    Svf crunch, jaw;
    Osc thump;
    const float bites[3] = {0.0f, 0.16f, 0.32f};
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = time_of(static_cast<int>(i));
        float env = 0;
        for (float b : bites) env += swell(t, b, b + 0.012f, b + 0.11f);
        // Sparse clicks give the crackle; dense noise would only hiss.
        const float n = noise.next();
        const float click = std::fabs(n) > 0.82f ? n : 0.15f * n;
        const float crackle = crunch.run(click, 1700, 1.4f).band;
        const float body = jaw.run(thump.sine(130), 300, 0.7f).low;
        s[i] = env * (1.2f * crackle + 0.5f * body);
    }
    return s;
}

// A jail door: a creaking hinge (irregular stick-slip pulses ringing a resonance), then a clunk.
Samples jail_creak() {
    Samples s(frames(1.15f));
    Noise noise{0x1A11u};
    Svf wood, metal, latch;
    float next_pulse = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = time_of(static_cast<int>(i));
        float pulse = 0;
        if (t < 0.82f && t >= next_pulse) {
            pulse = 1;
            // The hinge slips faster as the door swings, with a little irregularity.
            const float rate_hz = 55 + 70 * swell(t, 0, 0.45f, 0.9f) + 10 * noise.next();
            next_pulse = t + 1.0f / rate_hz;
        }
        const float creak = (wood.run(pulse, 640, 9.0f).band + 0.7f * metal.run(pulse, 1480, 12.0f).band) *
                            swell(t, 0, 0.1f, 0.82f);
        const float u = t - 0.86f;
        float clunk = 0;
        if (u >= 0) {
            clunk = (std::sin(2 * PI * 180 * u) + 0.6f * std::sin(2 * PI * 413 * u) + 0.4f * std::sin(2 * PI * 697 * u)) *
                    std::exp(-u / 0.06f);
            clunk += latch.run(noise.next(), 2500, 1.0f).band * std::exp(-u / 0.01f) * 2;
        }
        s[i] = 1.6f * creak + 0.5f * clunk;
    }
    return s;
}

}  // namespace

void make_sounds(const std::string& dir) {
    save(dir, &SoundIds::item, key_chime(), 0.80f);
    save(dir, &SoundIds::open_jail, jail_creak(), 0.85f);
    save(dir, &SoundIds::cheese, cheese_munch(), 0.85f);
    save(dir, &SoundIds::nibbs_die, hero_dies(), 0.85f);
    save(dir, &SoundIds::ouch, ouch(), 0.85f);
    save(dir, &SoundIds::use_sword, sword_swish(), 0.75f);
    save(dir, &SoundIds::death, enemy_dies(), 0.85f);
    save(dir, &SoundIds::arrow, arrow_twang(), 0.80f);
    save(dir, &SoundIds::mole_hit, mole_hit(), 0.90f);
    save(dir, &SoundIds::pig_hit, pig_hit(), 0.85f);
    save(dir, &SoundIds::wasp_hit, wasp_hit(), 0.80f);
    save(dir, &SoundIds::boss_hit, boss_hit(), 0.95f);
    save(dir, &SoundIds::boss_die, boss_dies(), 0.95f);
    save(dir, &SoundIds::celebrate, celebrate(), 0.85f);
}

}  // namespace art
