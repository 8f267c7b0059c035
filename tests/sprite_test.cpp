// Sprite animation, movement at the clip bounds, overlap and drawing.
#include <gtest/gtest.h>

#include "graphics/display.h"
#include "graphics/sprite.h"

namespace {

class SpriteTest : public ::testing::Test {
protected:
    void SetUp() override { display_init(640, 480, 8, 0); }
    void TearDown() override { display_shutdown(); }
};

}  // namespace

TEST_F(SpriteTest, SequencesStepFromTheSecondEntryAndOneShotsStop) {
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
}

TEST_F(SpriteTest, WrapAndBounceAtTheClipBounds) {
    Sprite s;
    create_sprite(&s, 0, 0, 32, 32, 1, SPRITE_ATTR_WRAP, SPRITE_MEMORY_SYSTEM, 0, 8);
    s.x = 639.0f;
    s.xv = 0.5f;
    move_sprite(&s);
    EXPECT_EQ(s.x, -32.0f);
    s.x = -32.0f;
    s.xv = -0.5f;
    move_sprite(&s);
    EXPECT_EQ(s.x, 639.0f);

    Sprite b;
    create_sprite(&b, 600, 0, 32, 32, 1, SPRITE_ATTR_BOUNCE, SPRITE_MEMORY_SYSTEM, 0, 8);
    b.xv = 10;
    move_sprite(&b);
    EXPECT_EQ(b.xv, -10.0f);
    EXPECT_EQ(b.x, 610.0f) << "not pulled back inside";
}

TEST_F(SpriteTest, OverlapUsesThreeQuarterBoxes) {
    Sprite a, b;
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
}

TEST_F(SpriteTest, DrawingIsKeyedClippedAndSkipsMissingFrames) {
    Sprite s;
    ASSERT_EQ(create_sprite(&s, 0, 0, 4, 4, 2, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_MULTI_FRAME, SPRITE_MEMORY_SYSTEM, 0, 8), 1);
    Surface& f = *s.frames[0];
    for (int i = 0; i < 16; ++i) f.pixels[i] = static_cast<uint8_t>(i == 5 ? 0 : 9);
    Surface& back = display.back_surface;
    fill_surface(&back, 3, nullptr);

    s.x = -2;
    s.y = 477;
    EXPECT_EQ(draw_sprite(&s, &back), 1);
    EXPECT_EQ(back.pixels[477 * 640 + 0], 9);
    EXPECT_EQ(back.pixels[477 * 640 + 2], 3) << "outside the sprite";

    s.x = 100;
    s.y = 100;
    draw_sprite(&s, &back);
    EXPECT_EQ(back.pixels[101 * 640 + 101], 3) << "colour key 0 is transparent";
    EXPECT_EQ(back.pixels[101 * 640 + 102], 9);

    // Stretched 4 -> 8: each source pixel covers 2 x 2.
    s.x = 200;
    draw_sprite_scaled(&s, 8, 8, &back);
    EXPECT_EQ(back.pixels[102 * 640 + 202], 3);
    EXPECT_EQ(back.pixels[103 * 640 + 203], 3);
    EXPECT_EQ(back.pixels[103 * 640 + 204], 9);

    for (int frame : {2, 63, 79, -1, 1000}) {
        s.curr_frame = frame;
        EXPECT_EQ(draw_sprite(&s, &back), 0) << frame;
    }
    s.curr_frame = 0;
    hide_sprite(&s);
    EXPECT_EQ(draw_sprite(&s, &back), 1);
}
