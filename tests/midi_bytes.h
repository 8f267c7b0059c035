// A small Standard MIDI File made in a test: one note on one track.
#pragma once
#include <cstdint>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline void put_be(Bytes& b, uint32_t v, int n) {
    for (int i = n - 1; i >= 0; --i) b.push_back((v >> (8 * i)) & 0xFF);
}

// A one-track file at 480 ticks a beat: a tempo of `micros_per_beat`, then one note of `beats`,
// its end the end of the track.
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
    Bytes file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0, 'M', 'T', 'r', 'k'};
    put_be(file, static_cast<uint32_t>(track.size()), 4);
    file.insert(file.end(), track.begin(), track.end());
    return file;
}
