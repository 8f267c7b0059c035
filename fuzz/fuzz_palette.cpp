// The palette text file: any bytes give 1 and at most 256 entries, read in order.
#include <cstring>

#include "fuzz_file.h"
#include "graphics/bitmap_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* path = input_as_file(data, size, ".PAL");
    PaletteEntry first[256], second[256];
    std::memset(first, 0x11, sizeof first);
    std::memset(second, 0xEE, sizeof second);
    FUZZ_CHECK(load_palette_file(path, first) == 1);
    FUZZ_CHECK(load_palette_file(path, second) == 1);
    // Entries read from the file agree; the rest keep what they held, and come after them.
    bool unread_seen = false;
    for (int i = 0; i < 256; ++i) {
        const bool read = std::memcmp(&first[i], &second[i], sizeof first[i]) == 0;
        if (!read) {
            const PaletteEntry a{0x11, 0x11, 0x11, 0x11}, b{0xEE, 0xEE, 0xEE, 0xEE};
            FUZZ_CHECK(std::memcmp(&first[i], &a, sizeof a) == 0 && std::memcmp(&second[i], &b, sizeof b) == 0);
            unread_seen = true;
        } else {
            FUZZ_CHECK(!unread_seen);
        }
    }
    return 0;
}
