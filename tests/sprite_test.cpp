// Pictures: bitmap and palette loading, above all of damaged files, and sprites cut from them.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <random>

#include "graphics/bitmap_file.h"
#include "graphics/bitmap_share.h"
#include "graphics/display.h"
#include "graphics/sprite.h"
#include "made_files.h"
#include "test_files.h"
#include "test_game.h"

namespace {

// An 8-bit picture of 4 x 2 cells of 8 x 8, with see-through pixels (key 0) scattered in.
BitmapFile random_picture(uint32_t seed) {
    BitmapFile b;
    b.info_header.biWidth = 32;
    b.info_header.biHeight = 16;
    b.info_header.biBitCount = 8;
    b.buffer.resize(32 * 16);
    std::mt19937 rng(seed);
    for (uint8_t& p : b.buffer) p = rng() % 4 == 0 ? 0 : static_cast<uint8_t>(rng());
    return b;
}

// The back surface after `s` is drawn at (x, y) on colour 3.
std::vector<uint8_t> drawn(Sprite& s, int frame, int x, int y) {
    fill_surface(&display.back_surface, 3, nullptr);
    s.curr_frame = frame;
    set_sprite_position(&s, x, y);
    draw_sprite(&s, &display.back_surface);
    return display.back_surface.pixels;
}

constexpr uint32_t SHOWN = SPRITE_ATTR_VISIBLE | SPRITE_ATTR_MULTI_ANIM;

class SpriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        reset_world();  // no enemy still holds a frame sheet
        display_init(640, 480, 8, 0);
    }
    void TearDown() override { display_shutdown(); }
};

int load(const TempDir& dir, const std::vector<uint8_t>& bytes, BitmapFile& bitmap) {
    write_bytes(dir.file("x.bmp"), bytes);
    return load_bitmap_file(&bitmap, dir.file("x.bmp").c_str());
}

// A palette entry's red, green, blue and flags.
std::array<int, 4> fields(const PaletteEntry& e) { return {e.red, e.green, e.blue, e.flags}; }

// A 2 x 1 eight-bit picture whose two pixels are `a` and `b` (a row is padded to four bytes).
Bytes tiny_bmp(uint8_t a, uint8_t b) { return bitmap_file(2, 1, 8, {a, b, 0, 0}); }

}  // namespace

TEST_F(SpriteTest, SharedFramesDrawAsFramesCutOneByOneAndWritingOneGivesTheSpriteCopiesOfItsOwn) {
    const BitmapFile picture = random_picture(7);
    const FrameCut cut{&picture, 8, 8, 8, 4};
    Sprite own, a, b;
    ASSERT_EQ(create_sprite(&own, 0, 0, 8, 8, 8, SHOWN, SPRITE_MEMORY_SYSTEM, 0, 8), 1);
    for (int i = 0; i < 8; ++i) ASSERT_EQ(load_sprite_frame(&own, &picture, i, i % 4, i / 4, 0), 1);
    ASSERT_EQ(create_shared_sprite(&a, cut, SHOWN, 0, 8), 1);
    ASSERT_EQ(create_shared_sprite(&b, cut, SHOWN, 0, 8), 1);
    EXPECT_EQ(a.frames[5], b.frames[5]) << "one copy of the frames";
    EXPECT_EQ(frame_sheets_in_use(), 1);
    EXPECT_EQ(a.attr, own.attr);
    for (int i = 0; i < 8; ++i) {
        const auto expected = drawn(own, i, 100 + i, 200 - i);
        ASSERT_EQ(drawn(a, i, 100 + i, 200 - i), expected) << "frame " << i;
    }
    // Another picture, or the same one cut another way, is a sheet of its own.
    const BitmapFile other = random_picture(8);
    Sprite c, d;
    ASSERT_EQ(create_shared_sprite(&c, FrameCut{&other, 8, 8, 8, 4}, SHOWN, 0, 8), 1);
    ASSERT_EQ(create_shared_sprite(&d, FrameCut{&picture, 8, 8, 4, 2}, SHOWN, 0, 8), 1);
    EXPECT_EQ(frame_sheets_in_use(), 3);
    EXPECT_NE(drawn(c, 1, 0, 0), drawn(a, 1, 0, 0));
    EXPECT_EQ(drawn(d, 2, 9, 9), drawn(a, 4, 9, 9)) << "cell (0, 1) with two to a row";
    for (Sprite* gone : {&c, &d, &a}) destroy_sprite(gone);
    EXPECT_EQ(frame_sheets_in_use(), 1) << "b still draws from the first sheet";
    destroy_sprite(&b);
    EXPECT_EQ(frame_sheets_in_use(), 0);

    // Writing a frame gives the sprite copies of its own.
    create_shared_sprite(&a, cut, SHOWN, 0, 8);
    create_shared_sprite(&b, cut, SHOWN, 0, 8);
    const auto before = drawn(b, 3, 50, 60);
    ASSERT_EQ(load_sprite_frame(&a, &other, 3, 0, 0, 0), 1);
    EXPECT_EQ(drawn(b, 3, 50, 60), before) << "the other sprite is left alone";
    EXPECT_NE(drawn(a, 3, 50, 60), before);
    EXPECT_EQ(drawn(a, 2, 50, 60), drawn(b, 2, 50, 60)) << "the copies keep the other frames";
    EXPECT_EQ(frame_sheets_in_use(), 1);
    // A picture changed since the sheet was cut is cut afresh, not served stale.
    BitmapFile changed = picture;
    changed.buffer[32 * 9 + 1] ^= 0x55;
    create_shared_sprite(&c, FrameCut{&changed, 8, 8, 8, 4}, SHOWN, 0, 8);
    EXPECT_NE(c.frames[4], b.frames[4]);
    EXPECT_EQ(frame_sheets_in_use(), 2);
}

TEST_F(SpriteTest, CellsOutsideOrAFullPoolGiveOwnFramesAndSpritesStepMoveOverlapAndDrawAsTheyShould) {
    const BitmapFile picture = random_picture(3);
    Sprite outside;
    testing::internal::CaptureStderr();
    ASSERT_EQ(create_shared_sprite(&outside, FrameCut{&picture, 8, 8, 10, 4}, SHOWN, 0, 8), 1);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("frame 8 lies outside the bitmap"), std::string::npos);
    EXPECT_EQ(frame_sheets_in_use(), 0);
    EXPECT_NE(outside.frames[9], nullptr) << "blank, as cut one by one";

    std::vector<BitmapFile> pictures;
    for (int i = 0; i <= FRAME_SHEET_POOL_SIZE; ++i) pictures.push_back(random_picture(100 + i));
    Sprite sprites[FRAME_SHEET_POOL_SIZE + 1];
    for (int i = 0; i <= FRAME_SHEET_POOL_SIZE; ++i)
        ASSERT_EQ(create_shared_sprite(&sprites[i], FrameCut{&pictures[i], 8, 8, 8, 4}, SHOWN, 0, 8), 1);
    EXPECT_EQ(frame_sheets_in_use(), FRAME_SHEET_POOL_SIZE);
    Sprite own;
    create_sprite(&own, 0, 0, 8, 8, 8, SHOWN, SPRITE_MEMORY_SYSTEM, 0, 8);
    for (int i = 0; i < 8; ++i) load_sprite_frame(&own, &pictures.back(), i, i % 4, i / 4, 0);
    EXPECT_EQ(drawn(sprites[FRAME_SHEET_POOL_SIZE], 6, 1, 2), drawn(own, 6, 1, 2));

    // Sequences step from the second entry and one-shots stop.
    Sprite s;
    ASSERT_EQ(create_sprite(&s, 0, 0, 8, 8, 4, SPRITE_ATTR_MULTI_ANIM, SPRITE_MEMORY_SYSTEM, 0, 8), 1);
    const int seq[] = {2, 3};
    load_sprite_animation(&s, 0, 2, seq);
    set_sprite_animation(&s, 0);
    std::vector<int> shown;
    for (int i = 0; i < 4; ++i) {
        animate_sprite(&s);
        shown.push_back(s.curr_frame);
    }
    EXPECT_EQ(shown, (std::vector<int>{3, 2, 3, 2}));

    s.attr |= SPRITE_ATTR_ANIM_ONE_SHOT;
    set_sprite_animation(&s, 0);
    for (int i = 0; i < 3; ++i) animate_sprite(&s);
    EXPECT_EQ(s.curr_frame, 3);
    EXPECT_EQ(s.anim_state, 1);

    // Every fifth call steps with anim_count_max 5; an empty slot changes nothing.
    Sprite m;
    create_sprite(&m, 0, 0, 8, 8, 4, SPRITE_ATTR_MULTI_FRAME, SPRITE_MEMORY_SYSTEM, 0, 8);
    set_sprite_anim_speed(&m, 5);
    for (int i = 0; i < 4; ++i) animate_sprite(&m);
    EXPECT_EQ(m.curr_frame, 0);
    animate_sprite(&m);
    EXPECT_EQ(m.curr_frame, 1);
    s.attr = SPRITE_ATTR_MULTI_ANIM;
    set_sprite_animation(&s, 7);
    EXPECT_EQ(animate_sprite(&s), 1);

    // Moves wrap and bounce at the clip bounds.
    Sprite w;
    create_sprite(&w, 0, 0, 32, 32, 1, SPRITE_ATTR_WRAP, SPRITE_MEMORY_SYSTEM, 0, 8);
    w.x = 639.0f;
    w.xv = 0.5f;
    move_sprite(&w);
    EXPECT_EQ(w.x, -32.0f);
    w.xv = -0.5f;
    move_sprite(&w);
    EXPECT_EQ(w.x, 639.0f);

    Sprite b;
    create_sprite(&b, 600, 0, 32, 32, 1, SPRITE_ATTR_BOUNCE, SPRITE_MEMORY_SYSTEM, 0, 8);
    b.xv = 10;
    move_sprite(&b);
    EXPECT_EQ(b.xv, -10.0f);
    EXPECT_EQ(b.x, 610.0f) << "not pulled back inside";

    // Overlap uses three-quarter boxes.
    Sprite a;
    create_sprite(&a, 0, 0, 32, 32, 1, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_SINGLE_FRAME, SPRITE_MEMORY_SYSTEM, 0, 8);
    create_sprite(&b, 23, 0, 32, 32, 1, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_SINGLE_FRAME, SPRITE_MEMORY_SYSTEM, 0, 8);
    EXPECT_EQ(sprites_overlap(&a, &b), 1);
    b.x = 24;
    EXPECT_EQ(sprites_overlap(&a, &b), 0);
    b.x = 10;
    hide_sprite(&b);
    EXPECT_EQ(sprites_overlap(&a, &b), 0);
    EXPECT_EQ(sprites_overlap(&b, &a), 0);
    EXPECT_EQ(sprites_overlap(&a, nullptr), 0);
    b.x = 1e30f;  // absurd positions are handled, not undefined
    show_sprite(&b);
    EXPECT_EQ(sprites_overlap(&a, &b), 0);

    // Drawing is keyed and clipped, and skips missing frames.
    Sprite d;
    ASSERT_EQ(create_sprite(&d, 0, 0, 4, 4, 2, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_MULTI_FRAME, SPRITE_MEMORY_SYSTEM, 0, 8), 1);
    Surface& f = *d.frames[0];
    for (int i = 0; i < 16; ++i) f.pixels[i] = static_cast<uint8_t>(i == 5 ? 0 : 9);
    Surface& back = display.back_surface;
    fill_surface(&back, 3, nullptr);

    d.x = -2;
    d.y = 477;
    EXPECT_EQ(draw_sprite(&d, &back), 1);
    EXPECT_EQ(back.pixels[477 * 640 + 0], 9);
    EXPECT_EQ(back.pixels[477 * 640 + 2], 3) << "outside the sprite";

    d.x = 100;
    d.y = 100;
    draw_sprite(&d, &back);
    EXPECT_EQ(back.pixels[101 * 640 + 101], 3) << "colour key 0 is transparent";
    EXPECT_EQ(back.pixels[101 * 640 + 102], 9);

    // Stretched 4 -> 8: each source pixel covers 2 x 2.
    d.x = 200;
    draw_sprite_scaled(&d, 8, 8, &back);
    EXPECT_EQ(back.pixels[102 * 640 + 202], 3);
    EXPECT_EQ(back.pixels[103 * 640 + 203], 3);
    EXPECT_EQ(back.pixels[103 * 640 + 204], 9);

    for (int frame : {2, 63, 79, -1, 1000}) {
        d.curr_frame = frame;
        EXPECT_EQ(draw_sprite(&d, &back), 0) << frame;
    }
    d.curr_frame = 0;
    hide_sprite(&d);
    EXPECT_EQ(draw_sprite(&d, &back), 1);
}

using WorldFrameSheets = LoadedWorld;

TEST_F(WorldFrameSheets, EachEnemyKindDrawsFromOneSheetUntilTheWorldIsReset) {
    for (int i = 1; i < POOL_SIZE; ++i) {
        ASSERT_EQ(world.pools.moles[i].body.frames[11], world.pools.moles[0].body.frames[11]);
        ASSERT_EQ(world.pools.pigs[i].body.frames[0], world.pools.pigs[0].body.frames[0]);
        ASSERT_EQ(world.pools.wasps[i].body.frames[13], world.pools.wasps[0].body.frames[13]);
        ASSERT_EQ(world.pools.wasps[i].stinger.frames[3], world.pools.wasp_boss.stinger.frames[3]);
    }
    EXPECT_EQ(frame_sheets_in_use(), 4) << "moles, pigs, wasps and the stingers of wasps and their boss";
    reset_world();
    EXPECT_EQ(frame_sheets_in_use(), 0);
}

// Eight-bit files read top down with their palette; twenty-four-bit pixels become sixteen-bit ones.
TEST(BitmapFile, ReadsGoodFilesAndPalettesRefusesDamagedOnesAndCellsOutsideAndIsReadOnceWhileSharing) {
    TempDir dir;
    BitmapFile bitmap;
    // 4 x 3 picture; the file stores the bottom row first.
    std::vector<uint8_t> rows = {31, 32, 33, 34, 21, 22, 23, 24, 11, 12, 13, 14};
    ASSERT_EQ(load(dir, bitmap_file(4, 3, 8, rows), bitmap), 1);
    ASSERT_EQ(bitmap.buffer.size(), 12u);
    EXPECT_EQ(bitmap.buffer[0], 11);
    EXPECT_EQ(bitmap.buffer[11], 34);
    EXPECT_EQ(fields(bitmap.palette[1]), (std::array<int, 4>{3, 2, 1, 4}));
    EXPECT_EQ(unload_bitmap_file(&bitmap), 1);
    EXPECT_EQ(unload_bitmap_file(&bitmap), 1);

    std::vector<uint8_t> pixels = {255, 255, 255, 0, 0, 255, 0, 255, 0, 255, 0, 0};  // white, red, green, blue
    ASSERT_EQ(load(dir, bitmap_file(4, 1, 24, pixels), bitmap), 1);
    EXPECT_EQ(bitmap.info_header.biBitCount, 16);
    ASSERT_EQ(bitmap.buffer.size(), 8u);
    auto at = [&](int i) { return bitmap.buffer[2 * i] | bitmap.buffer[2 * i + 1] << 8; };
    EXPECT_EQ((std::array<int, 4>{at(0), at(1), at(2), at(3)}), (std::array<int, 4>{0xFFFF, 0xF800, 0x07E0, 0x001F}));

    // Damaged and unsupported files are refused.
    const std::vector<uint8_t> good = bitmap_file(4, 4, 8, std::vector<uint8_t>(16, 7));

    std::vector<uint8_t> not_bm = good;
    not_bm[0] = 'X';
    EXPECT_EQ(load(dir, not_bm, bitmap), 0);

    for (size_t cut : {size_t(0), size_t(10), size_t(53), size_t(54 + 500), good.size() - 1})
        EXPECT_EQ(load(dir, std::vector<uint8_t>(good.begin(), good.begin() + cut), bitmap), 0) << "cut at " << cut;

    for (int depth : {1, 4, 32}) EXPECT_EQ(load(dir, bitmap_file(4, 4, depth, std::vector<uint8_t>(64, 1)), bitmap), 0) << depth;

    // Image sizes that are not the pixels' size, and sizes across that are absurd or negative.
    const Bytes sevens(16, 7);
    for (int size_image : {0, 12, 1 << 30}) EXPECT_EQ(load(dir, bitmap_file(4, 4, 8, sevens, size_image), bitmap), 0) << size_image;
    for (auto [width, height] : {std::pair{100000, 100000}, {-4, 4}, {4, -4}})
        EXPECT_EQ(load(dir, bitmap_file(width, height, 8, sevens), bitmap), 0) << width << " x " << height;
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

    // Palette files: entries are read until the first damage.
    PaletteEntry entries[256] = {};
    write_text(dir.file("p.pal"), "255 128 0 4\n1 2 3 4\n");
    EXPECT_EQ(load_palette_file(dir.file("p.pal").c_str(), entries), 1);
    EXPECT_EQ(fields(entries[0]), (std::array<int, 4>{255, 128, 0, 4}));
    EXPECT_EQ(fields(entries[1]), (std::array<int, 4>{1, 2, 3, 4}));
    EXPECT_EQ(entries[2].red, 0) << "short file leaves later entries";

    entries[3] = PaletteEntry{9, 9, 9, 9};
    write_text(dir.file("q.pal"), "10 20 30 0\n40 50 60 0\n1 2 x 4\n7 7 7 7\n");
    EXPECT_EQ(load_palette_file(dir.file("q.pal").c_str(), entries), 1);
    EXPECT_EQ(entries[1].red, 40);
    EXPECT_EQ(entries[3].red, 9) << "values after a non-number are not read";
    EXPECT_EQ(load_palette_file(dir.file("none.pal").c_str(), entries), 0);

    // Start-up reads each picture once while sharing is on, and afresh once it is over.
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
