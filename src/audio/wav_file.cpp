// Reading a WAV file's RIFF chunks, with every size checked against the bytes that are there.
#include "audio/wav_file.h"

#include <cstring>

#include "base/byte_reader.h"

namespace {

constexpr uint32_t LARGEST_RATE = 384000;  // samples per second; more is not a sound file
constexpr uint16_t LARGEST_CHANNEL_COUNT = 8;

bool fail(const char** fault, const char* why) {
    *fault = why;
    return false;
}

bool check_format(const WavFormat& f, const char** fault) {
    if (f.format_tag != 1) return fail(fault, "not uncompressed PCM (format tag is not 1)");
    if (f.channels == 0 || f.channels > LARGEST_CHANNEL_COUNT) return fail(fault, "channel count makes no sense");
    if (f.samples_per_second == 0 || f.samples_per_second > LARGEST_RATE) return fail(fault, "sample rate makes no sense");
    if (f.bits_per_sample != 8 && f.bits_per_sample != 16 && f.bits_per_sample != 32)
        return fail(fault, "bits per sample is not 8, 16 or 32");
    if (f.block_align != f.channels * (f.bits_per_sample / 8)) return fail(fault, "block alignment does not match the format");
    return true;
}

}  // namespace

bool parse_wav(const uint8_t* bytes, size_t size, WavContents* out, const char** fault) {
    if (size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0)
        return fail(fault, "not a RIFF WAVE file");
    const uint32_t riff_size = read_le32(bytes + 4);
    if (riff_size < 4) return fail(fault, "RIFF size makes no sense");
    // The form may lack only the pad byte after an odd-sized last chunk.
    const size_t form_end = 8 + static_cast<size_t>(riff_size);
    if (form_end > size + 1) return fail(fault, "RIFF chunk runs past the end of the file");

    const uint8_t* format_chunk = nullptr;
    const uint8_t* data_chunk = nullptr;
    uint32_t data_size = 0;
    size_t pos = 12;
    while (pos + 8 <= form_end && pos + 8 <= size && !(format_chunk && data_chunk)) {
        const uint8_t* header = bytes + pos;
        const uint32_t chunk_size = read_le32(header + 4);
        const bool is_format = std::memcmp(header, "fmt ", 4) == 0;
        const bool is_data = std::memcmp(header, "data", 4) == 0;
        if (chunk_size > size - (pos + 8)) {
            if (is_data) return fail(fault, "data chunk runs past the end of the file");
            if (is_format) return fail(fault, "format chunk runs past the end of the file");
            return fail(fault, "a chunk runs past the end of the file");
        }
        if (is_format && !format_chunk) {
            if (chunk_size < 16) return fail(fault, "format chunk is shorter than 16 bytes");
            format_chunk = header + 8;
        } else if (is_data && !data_chunk) {
            data_chunk = header + 8;
            data_size = chunk_size;
        }
        pos += 8 + static_cast<size_t>(chunk_size) + (chunk_size & 1);
    }
    if (!format_chunk) return fail(fault, "no format chunk");
    if (!data_chunk) return fail(fault, "no data chunk");

    WavFormat f;
    f.format_tag = read_le16(format_chunk);
    f.channels = read_le16(format_chunk + 2);
    f.samples_per_second = read_le32(format_chunk + 4);
    f.bytes_per_second = read_le32(format_chunk + 8);
    f.block_align = read_le16(format_chunk + 12);
    f.bits_per_sample = read_le16(format_chunk + 14);
    if (!check_format(f, fault)) return false;
    // A partial sample frame at the end cannot be played; it is dropped.
    data_size -= data_size % f.block_align;
    if (data_size == 0) return fail(fault, "data chunk holds no samples");
    out->format = f;
    out->data = data_chunk;
    out->data_size = data_size;
    return true;
}
