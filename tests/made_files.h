// Small files of the kinds the game reads, made byte by byte: WAV sounds, bitmaps, MIDI files.
#pragma once
#include <cstdint>
#include <vector>

using Bytes = std::vector<uint8_t>;

// `v` as `n` bytes, lowest first or highest first.
inline void put_le(Bytes& b, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b.push_back((v >> (8 * i)) & 0xFF);
}
inline void put_be(Bytes& b, uint32_t v, int n) {
    for (int i = n - 1; i >= 0; --i) b.push_back((v >> (8 * i)) & 0xFF);
}

// A RIFF chunk declaring `declared_size` bytes, padded to an even length.
inline Bytes chunk(const char* id, const Bytes& body, uint32_t declared_size) {
    Bytes b(id, id + 4);
    put_le(b, declared_size, 4);
    b.insert(b.end(), body.begin(), body.end());
    if (body.size() & 1) b.push_back(0);
    return b;
}
inline Bytes chunk(const char* id, const Bytes& body) { return chunk(id, body, static_cast<uint32_t>(body.size())); }

// The body of a WAV file's "fmt " chunk.
inline Bytes wav_format(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
    Bytes b;
    put_le(b, tag, 2);
    put_le(b, channels, 2);
    put_le(b, rate, 4);
    put_le(b, rate * channels * bits / 8, 4);
    put_le(b, static_cast<uint16_t>(channels * bits / 8), 2);
    put_le(b, bits, 2);
    return b;
}

// A "RIFF" file of form WAVE holding `chunks`.
inline Bytes wav_file(const std::vector<Bytes>& chunks) {
    Bytes inner = {'W', 'A', 'V', 'E'};
    for (const Bytes& c : chunks) inner.insert(inner.end(), c.begin(), c.end());
    return chunk("RIFF", inner);
}

// A bitmap file of the given depth; `pixels` are stored as given (bottom row first). An 8-bit
// file's colour table has entry i as blue i, green 2i, red 3i. `size_image` < 0: the pixels' size.
inline Bytes bitmap_file(int width, int height, int depth, const Bytes& pixels, int size_image = -1) {
    Bytes v = {'B', 'M'};
    const uint32_t table = depth == 8 ? 1024 : 0;
    put_le(v, 54 + table + static_cast<uint32_t>(pixels.size()), 4);
    put_le(v, 0, 4);
    put_le(v, 54 + table, 4);
    put_le(v, 40, 4);
    put_le(v, static_cast<uint32_t>(width), 4);
    put_le(v, static_cast<uint32_t>(height), 4);
    put_le(v, 1, 2);
    put_le(v, static_cast<uint32_t>(depth), 2);
    put_le(v, 0, 4);
    put_le(v, size_image < 0 ? static_cast<uint32_t>(pixels.size()) : static_cast<uint32_t>(size_image), 4);
    v.insert(v.end(), 16, 0);
    for (uint32_t i = 0; i < table / 4; ++i) put_le(v, i | (2 * i & 0xFF) << 8 | (3 * i & 0xFF) << 16, 4);
    v.insert(v.end(), pixels.begin(), pixels.end());
    return v;
}

// A one-track MIDI file at 480 ticks a beat holding `track`'s events.
inline Bytes midi_file(const Bytes& track) {
    Bytes file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0, 'M', 'T', 'r', 'k'};
    put_be(file, static_cast<uint32_t>(track.size()), 4);
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

// A tempo of `micros_per_beat`, then one note of `beats`, its end the end of the track.
inline Bytes one_note_midi(uint32_t micros_per_beat, uint32_t beats) {
    Bytes track = {0x00, 0xFF, 0x51, 0x03};
    put_be(track, micros_per_beat, 3);
    const Bytes note_on = {0x00, 0x90, 60, 100};
    track.insert(track.end(), note_on.begin(), note_on.end());
    // The delta time as a variable-length number.
    const uint32_t delta = beats * 480;
    Bytes var = {static_cast<uint8_t>(delta & 0x7F)};
    for (uint32_t v = delta >> 7; v; v >>= 7) var.insert(var.begin(), static_cast<uint8_t>(0x80 | (v & 0x7F)));
    track.insert(track.end(), var.begin(), var.end());
    const Bytes rest = {60, 0, 0x00, 0xFF, 0x2F, 0x00};  // note off by running status, end of track
    track.insert(track.end(), rest.begin(), rest.end());
    return midi_file(track);
}
