// Bitmap and palette loading, above all of damaged or unsupported files, and shared pictures.
#include <gtest/gtest.h>

#include <filesystem>

#include "graphics/bitmap_file.h"
#include "graphics/bitmap_share.h"
#include "graphics/sprite.h"
#include "made_files.h"
#include "test_files.h"

namespace {

int load(const TempDir& dir, const std::vector<uint8_t>& bytes, BitmapFile& bitmap) {
    write_bytes(dir.file("x.bmp"), bytes);
    return load_bitmap_file(&bitmap, dir.file("x.bmp").c_str());
}

// A 2 x 1 eight-bit picture whose two pixels are `a` and `b` (a row is padded to four bytes).
Bytes tiny_bmp(uint8_t a, uint8_t b) { return bitmap_file(2, 1, 8, {a, b, 0, 0}); }

}  // namespace

// Eight-bit files read top down with their palette; twenty-four-bit pixels become sixteen-bit ones.
TEST(BitmapFile, ReadsEightBitFilesTopDownWithTheirPaletteAndConvertsTwentyFourBitPixelsToSixteen) {
    TempDir dir;
    BitmapFile bitmap;
    // 4 x 3 picture; the file stores the bottom row first.
    std::vector<uint8_t> rows = {31, 32, 33, 34, 21, 22, 23, 24, 11, 12, 13, 14};
    ASSERT_EQ(load(dir, bitmap_file(4, 3, 8, rows), bitmap), 1);
    ASSERT_EQ(bitmap.buffer.size(), 12u);
    EXPECT_EQ(bitmap.buffer[0], 11);
    EXPECT_EQ(bitmap.buffer[11], 34);
    EXPECT_EQ(bitmap.palette[1].red, 3);
    EXPECT_EQ(bitmap.palette[1].green, 2);
    EXPECT_EQ(bitmap.palette[1].blue, 1);
    EXPECT_EQ(bitmap.palette[1].flags, 4);
    EXPECT_EQ(unload_bitmap_file(&bitmap), 1);
    EXPECT_EQ(unload_bitmap_file(&bitmap), 1);

    std::vector<uint8_t> pixels = {255, 255, 255, 0, 0, 255, 0, 255, 0, 255, 0, 0};  // white, red, green, blue
    ASSERT_EQ(load(dir, bitmap_file(4, 1, 24, pixels), bitmap), 1);
    EXPECT_EQ(bitmap.info_header.biBitCount, 16);
    ASSERT_EQ(bitmap.buffer.size(), 8u);
    auto at = [&](int i) { return bitmap.buffer[2 * i] | bitmap.buffer[2 * i + 1] << 8; };
    EXPECT_EQ(at(0), 0xFFFF);
    EXPECT_EQ(at(1), 0xF800);
    EXPECT_EQ(at(2), 0x07E0);
    EXPECT_EQ(at(3), 0x001F);
}

TEST(BitmapFile, RefusesDamagedAndUnsupportedFilesAndFrameCellsOutsideTheBitmap) {
    TempDir dir;
    BitmapFile bitmap;
    const std::vector<uint8_t> good = bitmap_file(4, 4, 8, std::vector<uint8_t>(16, 7));

    std::vector<uint8_t> not_bm = good;
    not_bm[0] = 'X';
    EXPECT_EQ(load(dir, not_bm, bitmap), 0);

    for (size_t cut : {size_t(0), size_t(10), size_t(53), size_t(54 + 500), good.size() - 1})
        EXPECT_EQ(load(dir, std::vector<uint8_t>(good.begin(), good.begin() + cut), bitmap), 0) << "cut at " << cut;

    for (int depth : {1, 4, 32}) EXPECT_EQ(load(dir, bitmap_file(4, 4, depth, std::vector<uint8_t>(64, 1)), bitmap), 0) << depth;

    // Image sizes that are not the pixels' size, and sizes across that are absurd or negative.
    const Bytes pixels(16, 7);
    for (int size_image : {0, 12, 1 << 30}) EXPECT_EQ(load(dir, bitmap_file(4, 4, 8, pixels, size_image), bitmap), 0) << size_image;
    for (auto [width, height] : {std::pair{100000, 100000}, {-4, 4}, {4, -4}})
        EXPECT_EQ(load(dir, bitmap_file(width, height, 8, pixels), bitmap), 0) << width << " x " << height;
    EXPECT_EQ(load_bitmap_file(&bitmap, dir.file("missing.bmp").c_str()), 0);

    // A good file still loads after all that, and a failed load leaves no pixels behind.
    EXPECT_EQ(load(dir, good, bitmap), 1);
    EXPECT_EQ(load(dir, not_bm, bitmap), 0);
    EXPECT_TRUE(bitmap.buffer.empty());

    // Frame cells outside the bitmap are refused.
    ASSERT_EQ(load(dir, bitmap_file(8, 8, 8, std::vector<uint8_t>(64, 5)), bitmap), 1);
    Sprite sprite;
    ASSERT_EQ(create_sprite(&sprite, 0, 0, 4, 4, 2, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_MULTI_FRAME, SPRITE_MEMORY_SYSTEM, 0, 8), 1);
    EXPECT_EQ(load_sprite_frame(&sprite, &bitmap, 0, 1, 1, 0), 1);
    // Rows are {frame, cx, cy, mode}: mode 0 counts cells, else pixels; frames 2 and 70 the sprite lacks.
    const int refused[][4] = {{1, 2, 0, 0}, {1, 5, 5, 1}, {1, -1, 0, 1}, {2, 0, 0, 0}, {70, 0, 0, 0}};
    for (const auto& r : refused) EXPECT_EQ(load_sprite_frame(&sprite, &bitmap, r[0], r[1], r[2], r[3]), 0) << r[0] << " " << r[1];
    unload_bitmap_file(&bitmap);
    EXPECT_EQ(load_sprite_frame(&sprite, &bitmap, 0, 0, 0, 0), 0) << "empty bitmap";
}

TEST(PaletteFile, ReadsEntriesAndStopsAtDamage) {
    TempDir dir;
    PaletteEntry entries[256] = {};
    write_text(dir.file("p.pal"), "255 128 0 4\n1 2 3 4\n");
    EXPECT_EQ(load_palette_file(dir.file("p.pal").c_str(), entries), 1);
    EXPECT_EQ(entries[0].red, 255);
    EXPECT_EQ(entries[0].green, 128);
    EXPECT_EQ(entries[0].blue, 0);
    EXPECT_EQ(entries[0].flags, 4);
    EXPECT_EQ(entries[1].blue, 3);
    EXPECT_EQ(entries[2].red, 0) << "short file leaves later entries";

    entries[3] = PaletteEntry{9, 9, 9, 9};
    write_text(dir.file("q.pal"), "10 20 30 0\n40 50 60 0\n1 2 x 4\n7 7 7 7\n");
    EXPECT_EQ(load_palette_file(dir.file("q.pal").c_str(), entries), 1);
    EXPECT_EQ(entries[1].red, 40);
    EXPECT_EQ(entries[3].red, 9) << "values after a non-number are not read";
    EXPECT_EQ(load_palette_file(dir.file("none.pal").c_str(), entries), 0);
}

// Start-up reads each picture once while sharing is on, and afresh once it is over.
TEST(BitmapSharing, EachFileIsReadOnceWhileSharingAndAfreshAfterwards) {
    TempDir dir;
    const std::string file = dir.file("p.bmp");
    write_bytes(file, tiny_bmp(7, 9));
    BitmapFile first, second, missing;
    {
        BitmapSharing sharing;
        ASSERT_EQ(load_shared_bitmap_file(&first, file.c_str()), 1);
        // Changed and then gone from disk: the picture read first is what every later load gets.
        write_bytes(file, tiny_bmp(1, 2));
        std::filesystem::remove(file);
        ASSERT_EQ(load_shared_bitmap_file(&second, file.c_str()), 1);
        EXPECT_EQ(second.buffer, first.buffer);
        EXPECT_EQ(second.info_header.biWidth, 2);
        EXPECT_STREQ(second.name, first.name);
        // A file that fails fails every time, and is told about once.
        const std::string none = dir.file("none.bmp");
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(load_shared_bitmap_file(&missing, none.c_str()), 0);
        EXPECT_EQ(load_shared_bitmap_file(&missing, none.c_str()), 0);
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_TRUE(missing.buffer.empty());
    }
    EXPECT_EQ(first.buffer, (std::vector<uint8_t>{7, 9}));
    // The scope is closed: the file is read again, and now it is gone.
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(load_shared_bitmap_file(&second, file.c_str()), 0);
    ::testing::internal::GetCapturedStderr();
    write_bytes(file, tiny_bmp(3, 4));
    ASSERT_EQ(load_shared_bitmap_file(&second, file.c_str()), 1);
    EXPECT_EQ(second.buffer, (std::vector<uint8_t>{3, 4}));
}
