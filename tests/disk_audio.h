// Helpers for tests that render the real mixer's output to a file through SDL's "disk" driver.
#pragma once
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/audio.h"
#include "test_files.h"

// The mixer's output: 16-bit stereo at 44100 Hz, as the platform opens it.
constexpr int OUTPUT_RATE = 44100;
constexpr size_t BYTES_PER_FRAME = 4;

// Opens the platform's audio device with its output going to `output` (raw samples).
inline bool open_disk_audio(const std::string& output) {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    const bool opened = platform::audio_open(true);
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
    return opened;
}

// Every sample, both channels, between two byte offsets of the output file.
inline std::vector<int16_t> read_samples(const std::string& path, size_t from_byte, size_t to_byte) {
    const std::string raw = read_text(path);
    to_byte = std::min(to_byte, raw.size());
    std::vector<int16_t> samples;
    for (size_t at = from_byte - from_byte % BYTES_PER_FRAME; at + 2 <= to_byte; at += 2)
        samples.push_back(static_cast<int16_t>(static_cast<uint8_t>(raw[at]) | static_cast<uint8_t>(raw[at + 1]) << 8));
    return samples;
}

// The left channel's samples between two byte offsets of the output file.
inline std::vector<int16_t> read_frames_left(const std::string& path, size_t from_byte, size_t to_byte) {
    std::vector<int16_t> left;
    const std::vector<int16_t> both = read_samples(path, from_byte, to_byte);
    for (size_t i = 0; i + 1 < both.size(); i += 2) left.push_back(both[i]);
    return left;
}

inline double rms(const std::vector<int16_t>& s) {
    double sum = 0;
    for (int16_t v : s) sum += static_cast<double>(v) * v;
    return s.empty() ? 0 : std::sqrt(sum / static_cast<double>(s.size()));
}

inline int peak(const std::vector<int16_t>& s) {
    int most = 0;
    for (int16_t v : s) most = std::max(most, std::abs(static_cast<int>(v)));
    return most;
}

inline size_t file_size(const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    return ec ? 0 : static_cast<size_t>(size);
}

inline void wait_ms(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
