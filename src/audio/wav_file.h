// Reading a WAV file's RIFF chunks: the PCM format record and where its samples lie.
#pragma once
#include <cstddef>
#include <cstdint>

struct WavFormat {
    uint16_t format_tag;  // 1 is PCM
    uint16_t channels;
    uint32_t samples_per_second;
    uint32_t bytes_per_second;
    uint16_t block_align;
    uint16_t bits_per_sample;
};

struct WavContents {
    WavFormat format;
    const uint8_t* data;  // points into the file's bytes
    uint32_t data_size;  // whole sample frames only
};

// Finds the "fmt " and "data" chunks of a RIFF WAVE file by name, whatever chunks stand
// around them. Returns false with `fault` set to a short description when the file is not
// uncompressed PCM, is truncated, or has sizes that make no sense.
bool parse_wav(const uint8_t* bytes, size_t size, WavContents* out, const char** fault);
