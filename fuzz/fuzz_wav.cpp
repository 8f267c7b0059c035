// WAV files: accepted samples lie inside the file, in whole frames of a PCM format.
#include "audio/wav_file.h"
#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WavContents wav{};
    const char* fault = nullptr;
    if (!parse_wav(data, size, &wav, &fault)) {
        FUZZ_CHECK(fault && *fault);
        return 0;
    }
    FUZZ_CHECK(wav.format.format_tag == 1);
    FUZZ_CHECK(wav.data >= data && wav.data <= data + size);
    FUZZ_CHECK(wav.data_size > 0 && wav.data_size <= static_cast<size_t>(data + size - wav.data));
    FUZZ_CHECK(wav.format.block_align > 0 && wav.data_size % wav.format.block_align == 0);
    return 0;
}
