// Start-up reads each picture once while sharing is on, and afresh once it is over.
#include <gtest/gtest.h>

#include <filesystem>

#include "graphics/bitmap_share.h"
#include "test_files.h"

namespace {

// A 2 x 1 eight-bit picture whose two pixels are `a` and `b`.
std::vector<uint8_t> tiny_bmp(uint8_t a, uint8_t b) {
    std::vector<uint8_t> v(54 + 1024 + 4, 0);
    auto put32 = [&](size_t at, uint32_t x) {
        for (int i = 0; i < 4; ++i) v[at + i] = static_cast<uint8_t>(x >> (8 * i));
    };
    v[0] = 'B', v[1] = 'M';
    put32(2, static_cast<uint32_t>(v.size()));
    put32(10, 54 + 1024);
    put32(14, 40);
    put32(18, 2);
    put32(22, 1);
    v[26] = 1, v[28] = 8;
    put32(34, 4);
    v[54 + 1024] = a, v[54 + 1025] = b;
    return v;
}

}  // namespace

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
