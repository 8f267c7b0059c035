// Numbers appended to a file's bytes, `count` bytes of `v`: little-endian (bitmaps, WAV) and
// big-endian (PNG, MIDI). `Bytes` is any byte container with push_back (a vector, a string).
#pragma once
#include <cstdint>

template <class Bytes>
void append_le(Bytes& out, uint32_t v, int count) {
    for (int i = 0; i < count; ++i) out.push_back(static_cast<typename Bytes::value_type>((v >> (8 * i)) & 0xFF));
}

template <class Bytes>
void append_be(Bytes& out, uint32_t v, int count) {
    for (int i = count - 1; i >= 0; --i) out.push_back(static_cast<typename Bytes::value_type>((v >> (8 * i)) & 0xFF));
}
