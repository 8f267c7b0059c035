// Bitmap files: a loaded picture is exactly width x height pixels; a refused one leaves no pixels.
#include "fuzz_file.h"
#include "graphics/bitmap_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static BitmapFile bitmap;  // reused, as the game's loading record is
    const char* path = input_as_file(data, size, ".BMP");
    const int loaded = load_bitmap_file(&bitmap, path);
    FUZZ_CHECK(loaded == 0 || loaded == 1);
    if (!loaded) {
        FUZZ_CHECK(bitmap.buffer.empty());
        return 0;
    }
    const BitmapInfoHeader& info = bitmap.info_header;
    FUZZ_CHECK(info.biWidth > 0 && info.biWidth <= BITMAP_MAX_SIDE);
    FUZZ_CHECK(info.biHeight > 0 && info.biHeight <= BITMAP_MAX_SIDE);
    FUZZ_CHECK(info.biBitCount == 8 || info.biBitCount == 16);
    FUZZ_CHECK(bitmap.buffer.size() == static_cast<size_t>(info.biWidth) * info.biHeight * (info.biBitCount / 8));
    FUZZ_CHECK(bitmap.buffer.size() <= size);
    return 0;
}
