// Start-up reads each picture once while sharing is on, and afresh once it is over.
#include <gtest/gtest.h>

#include <filesystem>

#include "graphics/bitmap_share.h"
#include "made_files.h"
#include "test_files.h"

namespace {

// A 2 x 1 eight-bit picture whose two pixels are `a` and `b` (a row is padded to four bytes).
Bytes tiny_bmp(uint8_t a, uint8_t b) { return bitmap_file(2, 1, 8, {a, b, 0, 0}); }

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
