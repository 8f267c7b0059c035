// The speech box: line order, the 11-frame key delay, the frozen world, and wrapping.
#include <string>
#include <vector>

#include "platform/text.h"
#include "world/text_wrap.h"
#include "story_lines.h"
#include "world_fixture.h"

using Speech = LoadedWorld;

TEST_F(Speech, TheLinePushedLastIsShownFirst) {
    DialogBox& box = world.dialog_box;
    EXPECT_TRUE(box.speech_is_idle());
    EXPECT_FALSE(box.speech_advance()) << "nothing to drop";
    box.speech_push(1, "second");
    box.speech_push(0, "first");
    EXPECT_STREQ(box.top->text, "first");
    box.draw_speech_box();
    EXPECT_FLOAT_EQ(box.portrait.x, 50) << "the hero speaks from the left";
    EXPECT_TRUE(box.speech_advance());
    EXPECT_STREQ(box.top->text, "second");
    box.draw_speech_box();
    EXPECT_FLOAT_EQ(box.portrait.x, 480);
    EXPECT_EQ(box.portrait.curr_frame, 1);
    EXPECT_TRUE(box.speech_advance());
    EXPECT_TRUE(box.speech_is_idle());
    // Speakers without a portrait still show the box and do not touch the portrait.
    box.speech_push(7, "narrator");
    box.draw_speech_box();
    EXPECT_EQ(box.portrait.curr_frame, 1);
}

TEST_F(Speech, SpaceHeldDropsOneLinePerElevenFramesAndTheWorldStaysFrozen) {
    game.game_state = GAME_STATE_PLAYING;
    game.current_level = 1;
    world.loaded_level = 1;
    world.player.sword.anim_state = 1;
    hide_sprite(&world.player.sword);
    world.player.body.x = 300;
    world.player.body.y = 200;
    world.player.body.xv = world.player.body.yv = 4;
    Mole& m = place(world.pools.moles[0], 100, 100);
    m.body.xv = 2;
    for (const char* t : {"c", "b", "a"}) world.dialog_box.speech_push(0, t);
    hold_keys({platform::VK_SPACE, platform::VK_RIGHT}, {platform::DIK_A});
    std::vector<int> drops;
    for (int frame = 1; frame <= 40 && !world.dialog_box.speech_is_idle(); ++frame) {
        const SpeechLine* before = world.dialog_box.top;
        playing_frame();
        if (world.dialog_box.top != before) drops.push_back(frame);
    }
    EXPECT_EQ(drops, (std::vector<int>{11, 22, 33}));
    EXPECT_FLOAT_EQ(world.player.body.x, 300) << "no walking while a line is shown";
    EXPECT_FLOAT_EQ(m.body.x, 100) << "no enemy moves";
    EXPECT_FALSE(world.player.sword.attr & SPRITE_ATTR_VISIBLE) << "nor does the sword come out";
    playing_frame();
    EXPECT_FLOAT_EQ(world.player.body.x, 300) << "A still held: the sword swings instead";
    hold_keys({platform::VK_RIGHT});
    for (int i = 0; i < 10; ++i) playing_frame();
    EXPECT_GT(world.player.body.x, 300) << "with the box empty the world runs again";
}

namespace {
// Lines of `text` wrapped to `width` with a fixed 7-pixel font.
std::vector<std::string> wrap(const char* text, int width) {
    std::vector<std::string> lines;
    wrap_text(text, width, [](const char*, int n) { return 7 * n; },
              [&](const char* s, int n) { lines.emplace_back(s, static_cast<size_t>(n)); });
    return lines;
}
}  // namespace

TEST(SpeechWrap, BreaksAtBlanksAndKeepsInnerDoubleBlanks) {
    EXPECT_EQ(wrap("Take my sword  and save them", 70),
              (std::vector<std::string>{"Take my", "sword  and", "save them"}));
    EXPECT_EQ(wrap("short", 700), (std::vector<std::string>{"short"}));
    EXPECT_TRUE(wrap("   ", 70).empty());
    EXPECT_EQ(wrap("Noooooooooooooo.", 35), (std::vector<std::string>{"Noooo", "ooooo", "ooooo", "."}))
        << "a word wider than the box is broken between letters";
}

TEST_F(Speech, EveryLineOfTheStoryIsDrawnInsideTheBoxsDarkPanel) {
    ASSERT_TRUE(platform::text_init());
    ASSERT_EQ(display_init(640, 480, 8, 0), 1);
    // The dark inner panel of DialogBox.BMP is x 8..583, y 8..91 of the box.
    const int left = SPEECH_BOX_X + 8, right = SPEECH_BOX_X + 583;
    const int top = SPEECH_BOX_Y + 8, bottom = SPEECH_BOX_Y + 91;
    DialogBox& box = world.dialog_box;
    Surface& back = display.back_surface;
    auto drawn = [&](int32_t speaker, const char* text) {
        fill_surface(&back, 0, nullptr);
        box.speech_push(speaker, text);
        box.draw_speech_box();
        box.speech_advance();
        return back.pixels;
    };
    size_t count = 0;
    for (const std::vector<SpokenLine>& script : fire_every_script()) {
        for (const SpokenLine& line : script) {
            ++count;
            const std::vector<uint8_t> bare = drawn(line.speaker, "");
            const std::vector<uint8_t> with = drawn(line.speaker, line.text.c_str());
            int text_pixels = 0, outside = 0;
            for (int y = 0; y < 480; ++y)
                for (int x = 0; x < 640; ++x) {
                    if (bare[y * 640 + x] == with[y * 640 + x]) continue;
                    ++text_pixels;
                    if (x < left || x > right || y < top || y > bottom) ++outside;
                }
            EXPECT_GT(text_pixels, 0) << line.text;
            EXPECT_EQ(outside, 0) << "text outside the panel: " << line.text;
            if (line.speaker >= SPEECH_PORTRAITS) {
                int above = 0;
                for (int i = 0; i < SPEECH_BOX_Y * 640; ++i) above += with[i] != 0;
                EXPECT_EQ(above, 0) << "speaker " << line.speaker << " has no portrait";
            }
        }
    }
    EXPECT_EQ(count, 33u) << "every line of the twelve scripts";
}
